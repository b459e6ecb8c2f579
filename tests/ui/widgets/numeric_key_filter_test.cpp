#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

#include "ui/widgets/numeric_key_filter.h"

namespace {

// A key press by its key, modifiers and optional text.
struct TKey {
    Qt::Key Key;
    Qt::KeyboardModifiers Mods = Qt::NoModifier;
    const char* Text = nullptr;
};

}  // namespace

TEST(NumericKeyFilterWidget, KeysMeetTheRuleOverTheSelection) {
    using K = TKey;
    struct TCase {
        const char* Start;
        std::vector<TKey> Keys;
        const char* End;
    };
    const TCase cases[] = {
        {"", {{Qt::Key_1}, {Qt::Key_2}, {Qt::Key_A}, {Qt::Key_Period}, {Qt::Key_5}, {Qt::Key_Period}}, "12.5"},
        // Some platforms send Delete with the text DEL: still an editing key.
        {"12.5", {{Qt::Key_Backspace}, {Qt::Key_Home}, K{Qt::Key_Delete, Qt::NoModifier, "\x7f"}}, "2."},
        // Ctrl+V stays at the edit as a key and is refused there.
        {"2.", {{Qt::Key_V, Qt::ControlModifier}}, "2."},
        // Select-all and the selecting moves pass; a digit replaces the selection.
        {"720", {{Qt::Key_A, Qt::ControlModifier}, {Qt::Key_8}, {Qt::Key_0}}, "80"},
        {"3.2", {{Qt::Key_A, Qt::ControlModifier}, {Qt::Key_Backspace}}, ""},
        {"720", {{Qt::Key_Home}, {Qt::Key_Right, Qt::ShiftModifier}, {Qt::Key_9}}, "920"},
    };
    QApplication::clipboard()->setText("abc");
    for (const TCase& c : cases) {
        QLineEdit edit(QString::fromUtf8(c.Start));
        TNumericKeyFilter filter;
        filter.Attach(&edit);
        edit.show();
        edit.setFocus();
        for (const TKey& k : c.Keys) {
            if (k.Text) {
                QKeyEvent press(QEvent::KeyPress, k.Key, k.Mods, QString::fromLatin1(k.Text));
                QApplication::sendEvent(&edit, &press);
            } else {
                QTest::keyClick(&edit, k.Key, k.Mods);
            }
        }
        EXPECT_EQ(edit.text(), QString::fromUtf8(c.End)) << c.Start;
    }
}
