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
    for (const qsizetype slice : {1, 2, 3, 4, 7}) {
        for (const QString& text : texts) {
            SCOPED_TRACE(text.toStdString() + " / " + std::to_string(slice));
            TLazyTextPane pane(nullptr, slice);
            pane.SetText(text);
            QTRY_VERIFY_WITH_TIMEOUT(!pane.Filling(), 10000);
            EXPECT_EQ(pane.toPlainText(), Shown(text));
        }
    }
}

// A line longer than a piece shows in pieces; other lines as they are.
TEST(LazyTextPane, LongLinesShowInPieces) {
    const QString pair = QStringLiteral("🍛");
    const std::pair<QString, QString> rows[] = {
        {"abcdefghijkl", "abcde\nfghij\nkl"},
        {"abcde\r\nfg\nhijklmn\r", "abcde\nfg\nhijkl\nmn\n"},
        {"abcd" + pair + "xyz", "abcd\n" + pair + "xyz"},
        {"abcdefghij", "abcde\nfghij"},
    };
    for (const qsizetype slice : {1, 3, 100}) {
        for (const auto& [text, shown] : rows) {
            SCOPED_TRACE(text.toStdString() + " / " + std::to_string(slice));
            TLazyTextPane pane(nullptr, slice, 5);
            pane.SetText(text);
            QTRY_VERIFY_WITH_TIMEOUT(!pane.Filling(), 10000);
            EXPECT_EQ(pane.toPlainText(), shown);
        }
    }
}

TEST(LazyTextPane, ANewTextReplacesOneStillFilling) {
    TLazyTextPane pane(nullptr, 4);
    pane.SetText(QStringLiteral("a\n").repeated(400));
    ASSERT_TRUE(pane.Filling());
    pane.SetText(QStringLiteral("b\r\nc"));
    EXPECT_FALSE(pane.Filling());
    QTest::qWait(20);
    EXPECT_EQ(pane.toPlainText(), QStringLiteral("b\nc"));
    pane.SetText(QString(40, u'd'));
    QTRY_VERIFY_WITH_TIMEOUT(!pane.Filling(), 10000);
    EXPECT_EQ(pane.toPlainText(), QString(40, u'd'));
}
