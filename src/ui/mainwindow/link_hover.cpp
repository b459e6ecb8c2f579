#include "ui/mainwindow/link_hover.h"

#include <QFileInfo>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

#include "ui/mainwindow/link_picture_form.h"
#include "core/recipes/link_pictures.h"
#include "ui/mainwindow/link_thumbnail_form.h"
#include "core/platform/saporia_error.h"

void MarkLinkWord(QTextEdit* pane, TMarks& marks, const QString& word) {
    TMarks found;
    AppendLinkMarks(pane->toPlainText(), word, found);
    QTextDocument* document = pane->document();
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    for (const TMark& mark : found) {
        cursor.setPosition(mark.StartPos);
        cursor.setPosition(mark.EndPos, QTextCursor::KeepAnchor);
        // An occurrence that is already underlined keeps its look.
        if (!cursor.charFormat().fontUnderline()) {
            QTextCharFormat format;
            format.setForeground(QColor(0, 0, 255));
            format.setFontUnderline(true);
            cursor.mergeCharFormat(format);
        }
    }
    cursor.endEditBlock();
    marks += found;
    TypePlainAtEnd(pane);
}

void TypePlainAtEnd(QTextEdit* pane) {
    QTextCursor end(pane->document());
    end.movePosition(QTextCursor::End);
    pane->setTextCursor(end);
    QTextCharFormat plain;
    plain.setForeground(QColor(0, 0, 0));
    plain.setFontUnderline(false);
    plain.setFontWeight(QFont::Normal);
    plain.setFontItalic(false);
    pane->setCurrentCharFormat(plain);
}

int CharacterAt(const QTextEdit* pane, QPoint viewportPos) {
    const QTextDocument* document = pane->document();
    const int last = document->characterCount() - 1;  // the final paragraph mark
    const int p = pane->cursorForPosition(viewportPos).position();
    for (const int c : {p - 1, p}) {
        if (c < 0 || c >= last)
            continue;
        const QChar ch = document->characterAt(c);
        if (ch == QChar::ParagraphSeparator || ch == QChar::LineSeparator)
            continue;
        QTextCursor at(const_cast<QTextDocument*>(document));
        at.setPosition(c);
        QTextCursor after(const_cast<QTextDocument*>(document));
        after.setPosition(c + 1);
        const QRect left = pane->cursorRect(at);
        const QRect right = pane->cursorRect(after);
        int rightX = right.x();
        if (right.top() != left.top()) {
            // The character ends a wrapped line: measure it.
            rightX = left.x() + QFontMetrics(at.charFormat().font()).horizontalAdvance(ch);
        }
        if (viewportPos.y() >= left.top() && viewportPos.y() <= left.bottom() && viewportPos.x() >= left.x() &&
            viewportPos.x() < rightX)
            return c;
    }
    return -1;
}

TLinkHover::TLinkHover(QTextEdit* pane, const TMarks* marks, QObject* parent)
    : QObject(parent), Pane(pane), Viewport(pane->viewport()), Marks(marks) {
    Viewport->setMouseTracking(true);
    Viewport->installEventFilter(this);
}

void TLinkHover::MouseMove(QPoint viewportPos, Qt::MouseButtons buttons) {
    if (buttons & Qt::LeftButton)
        return;  // selecting text
    const TMark* mark = MarkAtCharacter(*Marks, CharacterAt(Pane, viewportPos));
    if (!mark) {
        if (Thumbnail && Thumbnail->isVisible())
            Thumbnail->close();
        LinkPicturePath.clear();
        OverLink = false;
        Pane->viewport()->setCursor(Qt::IBeamCursor);
        return;
    }
    OverLink = true;
    Pane->viewport()->setCursor(Qt::PointingHandCursor);
    const QString recipe = RecipePath ? RecipePath() : QString();
    // Recomputed on every hover, so the picture always belongs to the word
    // under the mouse, with or without the pop-up.
    const QString path = recipe.isEmpty() ? QString() : ::LinkPicturePath(recipe, mark->Word);
    const bool changed = path != LinkPicturePath;
    LinkPicturePath = path;
    if (Pane->textCursor().hasSelection())
        return;
    if (!UseThumbnail() || !Thumbnail || path.isEmpty())
        return;
    if (Thumbnail->isVisible() && !changed)
        return;
    if (!QFileInfo(path).isFile() || (Viewer && Viewer->isVisible()))
        return;
    try {
        Thumbnail->ShowPicture(path, Pane->viewport()->mapToGlobal(viewportPos + QPoint(0, 10)));
    } catch (const TSaporiaError&) {
        Thumbnail->close();  // a broken picture shows nothing
    }
}

bool TLinkHover::MouseDown(QPoint viewportPos) {
    MouseMove(viewportPos, Qt::NoButton);
    if (!OverLink || LinkPicturePath.isEmpty() || !QFileInfo(LinkPicturePath).isFile() || !Viewer)
        return false;
    if (Thumbnail)
        Thumbnail->close();
    Viewer->ShowPicture(LinkPicturePath);  // throws for a broken picture
    return true;
}

bool TLinkHover::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Viewport) {
        if (event->type() == QEvent::MouseMove) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            MouseMove(mouse->position().toPoint(), mouse->buttons());
        } else if (event->type() == QEvent::MouseButtonPress) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            try {
                MouseDown(mouse->position().toPoint());
            } catch (const TSaporiaError&) {
                // A picture that cannot be read opens nothing.
            }
        } else if (event->type() == QEvent::Leave) {
            if (Thumbnail && Thumbnail->isVisible())
                Thumbnail->close();
        }
    }
    return QObject::eventFilter(watched, event);
}
