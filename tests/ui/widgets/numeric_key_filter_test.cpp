#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

#include "ui/widgets/numeric_key_filter.h"

TEST(NumericKeyFilterWidget, KeysMeetTheRuleOverTheSelection) {
    // Start text, keys pressed before the typed text, end text.
    const struct { const char* Start; QList<QKeyCombination> Keys; const char* Typed; const char* End; } cases[] = {
        {"", {}, "12a.5.", "12.5"},
        // Some platforms send Delete with the text DEL: still an editing key.
        {"12.5", {Qt::Key_Backspace, Qt::Key_Home, Qt::Key_Delete}, "", "2."},
        // Ctrl+V stays at the edit as a key and is refused there.
        {"2.", {Qt::CTRL | Qt::Key_V}, "", "2."},
        // Select-all and the selecting moves pass; a digit replaces the selection.
        {"720", {Qt::CTRL | Qt::Key_A}, "80", "80"},
        {"720", {Qt::Key_Home, Qt::SHIFT | Qt::Key_Right}, "9", "920"},
    };
    QApplication::clipboard()->setText("abc");
    for (const auto& c : cases) {
        QLineEdit edit(QString::fromUtf8(c.Start));
        TNumericKeyFilter filter;
        filter.Attach(&edit);
        edit.show();
        edit.setFocus();
        for (QKeyCombination k : c.Keys) {
            if (k.key() == Qt::Key_Delete) {
                QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, QStringLiteral("\x7f"));
                QApplication::sendEvent(&edit, &del);
            } else {
                QTest::keyClick(&edit, k.key(), k.keyboardModifiers());
            }
        }
        QTest::keyClicks(&edit, c.Typed);
        EXPECT_EQ(edit.text(), QString::fromUtf8(c.End)) << c.Start;
    }
}
