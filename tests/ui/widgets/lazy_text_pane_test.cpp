#include "ui/widgets/lazy_text_pane.h"

#include <gtest/gtest.h>

#include <QTest>

namespace {

QString Shown(const QString& text) {
    QString shown = text;
    return shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
}

}  // namespace

// The text arrives whole whatever falls on a slice's edge.
TEST(LazyTextPane, FillsTheWholeTextSliceBySlice) {
    const QString pair = QStringLiteral("🍛");
    const QString texts[] = {
        "", "short", "abcd\r\nefgh\r\nij", "abc\r\ndefghijklmnop", "ab" + pair + "cdefghijklm" + pair + pair,
        "a\rb\rc\rd\re\rf\rg\rh", QString(50, u'x') + "\r\n\r\n\n" + QString(9, u'y'),
    };
    for (const qsizetype slice : {2, 3, 4, 7}) {
        for (const QString& text : texts) {
            SCOPED_TRACE(text.toStdString() + " / " + std::to_string(slice));
            TLazyTextPane pane(nullptr, slice);
            pane.SetText(text);
            QTRY_VERIFY_WITH_TIMEOUT(!pane.Filling(), 10000);
            EXPECT_EQ(pane.toPlainText(), Shown(text));
        }
    }
}

TEST(LazyTextPane, ANewTextReplacesOneStillFilling) {
    TLazyTextPane pane(nullptr, 4);
    pane.SetText(QString(400, u'a'));
    ASSERT_TRUE(pane.Filling());
    pane.SetText(QStringLiteral("b\r\nc"));
    EXPECT_FALSE(pane.Filling());
    QTest::qWait(20);
    EXPECT_EQ(pane.toPlainText(), QStringLiteral("b\nc"));
    pane.SetText(QString(40, u'd'));
    QTRY_VERIFY_WITH_TIMEOUT(!pane.Filling(), 10000);
    EXPECT_EQ(pane.toPlainText(), QString(40, u'd'));
}
