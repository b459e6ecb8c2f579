#include "ui/widgets/numeric_key_filter.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>

#include "core/common/numeric_key_rule.h"

namespace {

// Keys that only select or move the caret, whatever character they carry.
bool SelectsOrMoves(const QKeyEvent* key) {
    using K = QKeySequence;
    static constexpr K::StandardKey Keys[] = {
        K::SelectAll,         K::Deselect,          K::MoveToNextChar,        K::MoveToPreviousChar,
        K::MoveToNextWord,    K::MoveToPreviousWord, K::MoveToStartOfLine,    K::MoveToEndOfLine,
        K::MoveToStartOfBlock, K::MoveToEndOfBlock, K::MoveToStartOfDocument, K::MoveToEndOfDocument,
        K::SelectNextChar,    K::SelectPreviousChar, K::SelectNextWord,       K::SelectPreviousWord,
        K::SelectStartOfLine, K::SelectEndOfLine,   K::SelectStartOfBlock,    K::SelectEndOfBlock,
        K::SelectStartOfDocument, K::SelectEndOfDocument,
    };
    for (K::StandardKey standard : Keys)
        if (key->matches(standard))
            return true;
    return false;
}

// The character a key press types, '\0' for keys that type nothing.
QChar TypedCharacter(const QKeyEvent* key) {
    if (SelectsOrMoves(key))
        return QChar();
    switch (key->key()) {
    case Qt::Key_Backspace:
        return QLatin1Char('\b');
    case Qt::Key_Delete:  // an editing key, although some platforms give it the text DEL
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return QChar();
    default:
        break;
    }
    const Qt::KeyboardModifiers mods = key->modifiers();
    if ((mods & Qt::ControlModifier) && key->key() >= Qt::Key_A && key->key() <= Qt::Key_Z)
        return QChar(char16_t(key->key() - Qt::Key_A + 1));
    const QString text = key->text();
    return text.isEmpty() ? QChar() : text.front();
}

}  // namespace

TNumericKeyFilter::TNumericKeyFilter(QObject* parent) : QObject(parent) {}

void TNumericKeyFilter::Attach(QLineEdit* edit) {
    // Typing through an input method would bypass the key rule.
    edit->setAttribute(Qt::WA_InputMethodEnabled, false);
    edit->installEventFilter(this);
}

bool TNumericKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
        return QObject::eventFilter(watched, event);
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (!edit)
        return QObject::eventFilter(watched, event);
    const QChar typed = TypedCharacter(static_cast<QKeyEvent*>(event));
    if (typed.isNull())
        return false;
    if (event->type() == QEvent::ShortcutOverride) {
        // Keep Ctrl+V and friends at the edit so the key press below refuses them.
        event->accept();
        return true;
    }
    return !NumericKeyAccepted(edit->text(), edit->selectionStart(), int(edit->selectedText().size()), typed);
}
