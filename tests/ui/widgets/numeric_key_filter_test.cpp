#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

#include "ui/widgets/numeric_key_filter.h"

TEST(NumericKeyFilterWidget, TypedKeysMeetTheRuleAndEditingKeysPass) {
    QLineEdit edit;
    TNumericKeyFilter filter;
    filter.Attach(&edit);
    edit.show();
    edit.setFocus();
    QTest::keyClicks(&edit, "12a.5.");
    EXPECT_EQ(edit.text(), "12.5");
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QTest::keyClick(&edit, Qt::Key_Home);
    // Some platforms send Delete with the text DEL: still an editing key.
    QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, QStringLiteral("\x7f"));
    QApplication::sendEvent(&edit, &del);
    EXPECT_EQ(edit.text(), "2.");
    // Ctrl+V stays at the edit as a key and is refused there.
    QApplication::clipboard()->setText("abc");
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit.text(), "2.");
}
