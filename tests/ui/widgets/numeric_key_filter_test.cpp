#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

#include "ui/widgets/numeric_key_filter.h"

TEST(NumericKeyFilterWidget, TypedKeysFollowTheRuleAndNavigationPasses) {
    QLineEdit edit;
    TNumericKeyFilter filter;
    filter.Attach(&edit);
    edit.show();
    edit.setFocus();

    QTest::keyClicks(&edit, ".");
    EXPECT_EQ(edit.text(), "");
    QTest::keyClicks(&edit, "12a.5.-");
    EXPECT_EQ(edit.text(), "12.5");
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.text(), "12.");
    // Arrows type nothing and move the caret; the rule still looks at the whole text.
    QTest::keyClick(&edit, Qt::Key_Home);
    QTest::keyClicks(&edit, "3");
    EXPECT_EQ(edit.text(), "312.");
    QTest::keyClick(&edit, Qt::Key_Delete);
    EXPECT_EQ(edit.text(), "32.");
    // Some platforms send Delete with the text DEL: still an editing key.
    QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, QStringLiteral("\x7f"));
    QApplication::sendEvent(&edit, &del);
    EXPECT_EQ(edit.text(), "3.");
    QTest::keyClicks(&edit, "2");
    EXPECT_EQ(edit.text(), "32.");

    // "." is refused over a selection; a digit replaces it.
    edit.selectAll();
    QTest::keyClicks(&edit, ".");
    EXPECT_EQ(edit.text(), "32.");
    edit.selectAll();
    QTest::keyClicks(&edit, "7");
    EXPECT_EQ(edit.text(), "7");

    // Ctrl+V is a control character and refused.
    QApplication::clipboard()->setText("abc");
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit.text(), "7");
}
