#include <gtest/gtest.h>

#include <QMenu>
#include <QTest>
#include <QTextCursor>
#include <QTextEdit>

#include "ui/mainwindow/input_support.h"

namespace {

const QStringList Materials = {
    QStringLiteral("【調味料】"),
    QStringLiteral("しお 塩"),
    QStringLiteral("しょうゆ 薄口_醤油"),
    QStringLiteral("【野菜】"),
    QStringLiteral("しいたけ 椎茸"),
};

void PutCaret(QTextEdit& pane, int at) {
    QTextCursor c = pane.textCursor();
    c.setPosition(at);
    pane.setTextCursor(c);
}

}  // namespace

TEST(InputSupport, CtrlSpaceCompletesTheWordBeforeTheCaret) {
    QMenu popup;
    QTextEdit pane;
    pane.show();
    TInputSupport support(&popup, &Materials);
    support.Attach(&pane);

    // Nothing before the caret: no pop-up, caret stays, key swallowed.
    pane.setPlainText(QStringLiteral("鍋に"));
    PutCaret(pane, 0);
    QTest::keyClick(&pane, Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(support.MaterialMenuItems.size(), 0);
    EXPECT_EQ(pane.textCursor().position(), 0);
    EXPECT_FALSE(pane.textCursor().hasSelection());
    EXPECT_EQ(pane.toPlainText(), QStringLiteral("鍋に"));

    // "、し" typed: three words start with し; the category icons follow
    // the headings.
    pane.setPlainText(QStringLiteral("塩、し"));
    PutCaret(pane, 3);
    QTest::keyClick(&pane, Qt::Key_Space, Qt::ControlModifier);
    ASSERT_EQ(support.MaterialMenuItems.size(), 3);
    EXPECT_EQ(support.MaterialMenuItems[0]->text(), QStringLiteral("  しお 塩"));
    EXPECT_EQ(support.MaterialMenuItems[2]->data().toInt(), 0);
    EXPECT_EQ(support.MaterialMenuItems[0]->data().toInt(), 3);
    EXPECT_EQ(pane.textCursor().selectedText(), QStringLiteral("し"));
    support.MaterialMenuItems[1]->trigger();
    popup.hide();
    QCoreApplication::processEvents();
    EXPECT_EQ(pane.toPlainText(), QStringLiteral("塩、薄口 醤油"));
    EXPECT_FALSE(pane.textCursor().hasSelection());
    EXPECT_EQ(pane.textCursor().position(), 7);

    // Dismissed without a choice: the caret goes back, nothing selected.
    pane.setPlainText(QStringLiteral("a しい"));
    PutCaret(pane, 4);
    EXPECT_EQ(support.Open(&pane), 1);
    popup.hide();
    QCoreApplication::processEvents();
    EXPECT_EQ(pane.textCursor().position(), 4);
    EXPECT_FALSE(pane.textCursor().hasSelection());
    EXPECT_EQ(pane.toPlainText(), QStringLiteral("a しい"));
}

TEST(PaneAids, DigitsAndAlignmentKeepTheOtherLinesAndRefuseLongSeparators) {
    QTextEdit pane;
    pane.setPlainText(QStringLiteral("卵：２個\n牛乳：２００cc\n塩少々"));
    EXPECT_TRUE(ReplaceFullWidthDigits(&pane));
    EXPECT_EQ(pane.toPlainText(), QStringLiteral("卵：2個\n牛乳：200cc\n塩少々"));
    EXPECT_FALSE(ReplaceFullWidthDigits(&pane));

    const QString wrapRefusal = QStringLiteral(
        "自動改行のオンの状態ではこの機能は使用出来ません。\r\n使用するには自動改行をオフにしてください");
    const QString longRefusal =
        QStringLiteral("選択されている文字数が多すぎます。\r\n半角6文字全角3文字で選択してください。");
    struct TRow {
        QString Text;
        int From, To;
        bool WordWrap;
        TAlignStyle Style;
        QString Refusal, After;  // a refusal leaves the text as it was
    };
    const TRow rows[] = {
        {QStringLiteral("卵：2個\n牛乳：200cc"), 1, 2, false, TAlignStyle::Blanks, {},
         QStringLiteral("卵  ：2個\n牛乳：200cc")},
        {QStringLiteral("卵：2個"), 1, 2, true, TAlignStyle::Blanks, wrapRefusal, QStringLiteral("卵：2個")},
        // Three full-width characters (6 bytes) pass, with one more ASCII (7) not.
        {QStringLiteral("あいう1"), 0, 3, false, TAlignStyle::Dots, {}, QStringLiteral(" ...... 1")},
        {QStringLiteral("あいう1"), 0, 4, false, TAlignStyle::Dots, longRefusal, QStringLiteral("あいう1")},
    };
    for (const TRow& row : rows) {
        pane.setPlainText(row.Text);
        QTextCursor c = pane.textCursor();
        c.setPosition(row.From);
        c.setPosition(row.To, QTextCursor::KeepAnchor);
        pane.setTextCursor(c);
        EXPECT_EQ(AlignPaneAtSelection(&pane, row.WordWrap, row.Style), row.Refusal) << row.Text.toStdString();
        EXPECT_EQ(pane.toPlainText(), row.After) << row.Text.toStdString();
    }
}
