#include <gtest/gtest.h>

#include <QMenu>
#include <QTest>
#include <QTextCursor>
#include <QTextEdit>

#include "ui/mainwindow/input_support.h"

namespace {

void Select(QTextEdit& pane, int from, int to) {
    QTextCursor c = pane.textCursor();
    c.setPosition(from);
    c.setPosition(to, QTextCursor::KeepAnchor);
    pane.setTextCursor(c);
}

}  // namespace

// The offered words are the material list's rule; the pane gets the word before the caret replaced.
TEST(InputSupport, CtrlSpaceCompletesTheWordBeforeTheCaret) {
    const QStringList materials = {QStringLiteral("【調味料】"), QStringLiteral("しお 塩"),
                                   QStringLiteral("しょうゆ 薄口_醤油")};
    QMenu popup;
    QTextEdit pane;
    pane.show();
    TInputSupport support(&popup, &materials);
    support.Attach(&pane);

    pane.setPlainText(QStringLiteral("鍋に"));
    Select(pane, 0, 0);
    QTest::keyClick(&pane, Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(support.MaterialMenuItems.size(), 0);
    EXPECT_EQ(pane.toPlainText(), QStringLiteral("鍋に"));  // the key is swallowed

    pane.setPlainText(QStringLiteral("塩、し"));
    Select(pane, 3, 3);
    QTest::keyClick(&pane, Qt::Key_Space, Qt::ControlModifier);
    ASSERT_EQ(support.MaterialMenuItems.size(), 2);
    support.MaterialMenuItems[1]->trigger();
    popup.hide();
    QCoreApplication::processEvents();
    EXPECT_EQ(pane.toPlainText(), QStringLiteral("塩、薄口 醤油"));
    EXPECT_FALSE(pane.textCursor().hasSelection());
    EXPECT_EQ(pane.textCursor().position(), 7);

    pane.setPlainText(QStringLiteral("a しお"));
    Select(pane, 4, 4);
    EXPECT_EQ(support.Open(&pane), 1);
    popup.hide();
    QCoreApplication::processEvents();
    EXPECT_EQ(pane.textCursor().position(), 4);
    EXPECT_FALSE(pane.textCursor().hasSelection());
    EXPECT_EQ(pane.toPlainText(), QStringLiteral("a しお"));
}

// Alignment itself is the text aids' rule; the pane keeps untouched lines, and a refusal its text.
TEST(PaneAids, DigitsKeepTheOtherLinesAndLongSeparatorsAreRefused) {
    QTextEdit pane;
    pane.setPlainText(QStringLiteral("卵：２個\n塩少々"));
    EXPECT_TRUE(ReplaceFullWidthDigits(&pane));
    EXPECT_EQ(pane.toPlainText(), QStringLiteral("卵：2個\n塩少々"));
    EXPECT_FALSE(ReplaceFullWidthDigits(&pane));
    // Three full-width characters (6 bytes) and one more ASCII (7).
    pane.setPlainText(QStringLiteral("あいう1"));
    Select(pane, 0, 4);
    EXPECT_EQ(AlignPaneAtSelection(&pane, false, TAlignStyle::Blanks),
              QStringLiteral("選択されている文字数が多すぎます。\r\n半角6文字全角3文字で選択してください。"));
    EXPECT_EQ(pane.toPlainText(), QStringLiteral("あいう1"));
}
