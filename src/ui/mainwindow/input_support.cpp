#include "ui/mainwindow/input_support.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

#include "core/common/helpers.h"
#include "ui/mainwindow/flat_menu_style.h"
#include "ui/mainwindow/menu_drawing.h"

namespace {

// The six category icons: a small dish in the category's colour.
QIcon CategoryIcon(int category) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(CategoryTextColour(category));
    painter.drawEllipse(QRectF(2.5, 2.5, 11, 11));
    return QIcon(pixmap);
}

}  // namespace

bool ReplaceFullWidthDigits(QTextEdit* pane) {
    QTextDocument* document = pane->document();
    const QString text = pane->toPlainText();
    QTextCursor cursor(document);
    bool changed = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        if (u < 0xFF10 || u > 0xFF19)
            continue;
        if (!changed)
            cursor.beginEditBlock();
        changed = true;
        cursor.setPosition(int(i));
        cursor.setPosition(int(i) + 1, QTextCursor::KeepAnchor);
        cursor.insertText(QString(QChar(u'0' + (u - 0xFF10))));
    }
    if (changed)
        cursor.endEditBlock();
    return changed;
}

QString AlignPaneAtSelection(QTextEdit* pane, bool wordWrap, TAlignStyle style) {
    const QString sep = pane->textCursor().selectedText();
    const QString refusal = AlignRefusal(wordWrap, sep);
    if (!refusal.isEmpty() || sep.isEmpty())
        return refusal;
    QTextDocument* document = pane->document();
    QStringList lines;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
        lines.append(block.text());
    const QStringList aligned = AlignAtSeparator(lines, sep, style);
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    int index = 0;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next(), ++index) {
        if (aligned[index] == lines[index])
            continue;
        // Only the part that changed is replaced, and plainly: the words
        // around it keep their colours, the dots take none of theirs.
        const QString& was = lines[index];
        const QString& now = aligned[index];
        qsizetype head = 0;
        while (head < was.size() && head < now.size() && was[head] == now[head])
            ++head;
        qsizetype tail = 0;
        while (tail < was.size() - head && tail < now.size() - head &&
               was[was.size() - 1 - tail] == now[now.size() - 1 - tail])
            ++tail;
        if (head > 0 && was[head - 1].isHighSurrogate())
            --head;  // never split a character in two
        if (tail > 0 && was[was.size() - tail].isLowSurrogate())
            --tail;
        cursor.setPosition(block.position() + int(head));
        cursor.setPosition(block.position() + int(was.size() - tail), QTextCursor::KeepAnchor);
        cursor.insertText(now.mid(head, now.size() - head - tail), QTextCharFormat());
    }
    cursor.endEditBlock();
    return {};
}

TInputSupport::TInputSupport(QMenu* popup, const QStringList* materialList, QObject* parent)
    : QObject(parent), PopupInputMaterial(popup), MaterialList(materialList) {
    PopupInputMaterial->setProperty("InputSupport", true);
    ApplyFlatMenuStyle(PopupInputMaterial);
    connect(PopupInputMaterial, &QMenu::aboutToHide, this, [this] {
        // The triggered item runs after the menu hides: look once the event
        // loop has delivered it.
        QMetaObject::invokeMethod(this, &TInputSupport::Dismissed, Qt::QueuedConnection);
    });
}

void TInputSupport::Attach(QTextEdit* pane) { pane->installEventFilter(this); }

bool TInputSupport::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Space && (key->modifiers() & Qt::ControlModifier)) {
            if (auto* pane = qobject_cast<QTextEdit*>(watched)) {
                Open(pane);
                return true;  // swallowed
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

int TInputSupport::Open(QTextEdit* pane) {
    Pane = pane;
    Chosen = false;
    QTextCursor cursor = pane->textCursor();
    CaretBefore = cursor.selectionStart();
    const TCaretWord word = GetWordBeforeCaret(pane->toPlainText(), CaretBefore);

    PopupInputMaterial->clear();  // deletes the items of the last time
    MaterialMenuItems.clear();
    for (const TMaterialItem& item : MaterialItemsFor(*MaterialList, word.Word)) {
        auto* action = new QAction(item.Caption, PopupInputMaterial);
        action->setData(item.Category);
        if (item.Category >= 0)
            action->setIcon(CategoryIcon(item.Category));
        const int tag = item.Index;
        connect(action, &QAction::triggered, this, [this, tag] { InputSupportItemClick(tag); });
        PopupInputMaterial->addAction(action);
        MaterialMenuItems.append(action);
    }
    if (MaterialMenuItems.isEmpty()) {
        cursor.setPosition(CaretBefore);
        pane->setTextCursor(cursor);
        pane->setFocus();
        return 0;
    }
    // The partial word is selected so that the choice replaces it.
    cursor.setPosition(word.Start);
    cursor.setPosition(word.Start + word.Length, QTextCursor::KeepAnchor);
    pane->setTextCursor(cursor);
    const QRect caret = pane->cursorRect();
    PopupInputMaterial->popup(pane->viewport()->mapToGlobal(QPoint(caret.x() + 10, caret.bottom())));
    return int(MaterialMenuItems.size());
}

void TInputSupport::InputSupportItemClick(int tag) {
    Chosen = true;
    if (!Pane || tag < 0 || tag >= MaterialList->size())
        return;
    QTextCursor cursor = Pane->textCursor();
    cursor.insertText(MaterialInsertText((*MaterialList)[tag]));
    cursor.clearSelection();
    Pane->setTextCursor(cursor);
    Pane->setFocus();
}

void TInputSupport::Dismissed() {
    if (Chosen || !Pane)
        return;
    // Dismissed: the caret goes back and the partial word is not left
    // selected.
    QTextCursor cursor = Pane->textCursor();
    cursor.setPosition(CaretBefore);
    Pane->setTextCursor(cursor);
    Pane->setFocus();
}
