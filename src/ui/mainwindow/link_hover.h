#pragma once

#include <functional>

#include <QObject>
#include <QPoint>
#include <QString>

#include "core/recipes/link_marks.h"

class QTextEdit;
class TLinkPictureForm;
class TLinkThumbnailForm;

// Shows every occurrence of `word` in the pane blue and underlined and adds
// its marks; the caret ends at the end of the text with plain typing
// attributes.
void MarkLinkWord(QTextEdit* pane, TMarks& marks, const QString& word);

// Puts the caret at the end of the pane with plain black typing attributes,
// so what is typed next does not take the look of a link ending the text.
void TypePlainAtEnd(QTextEdit* pane);

// The character under a point of the pane's viewport, or -1 when the point
// is over no character.
int CharacterAt(const QTextEdit* pane, QPoint viewportPos);

// Hover and click on the linked words of one pane: the hand cursor over a
// word, the thumbnail pop-up under the mouse, the viewer on a click.
class TLinkHover final : public QObject {
    Q_OBJECT
public:
    TLinkHover(QTextEdit* pane, const TMarks* marks, QObject* parent = nullptr);

    std::function<QString()> RecipePath;      // the open recipe's folder
    std::function<bool()> UseThumbnail = [] { return true; };
    TLinkThumbnailForm* Thumbnail = nullptr;
    TLinkPictureForm* Viewer = nullptr;
    QString LinkPicturePath;  // picture of the link under the mouse
    bool OverLink = false;

    void MouseMove(QPoint viewportPos, Qt::MouseButtons buttons);
    // Returns whether the viewer was opened.
    bool MouseDown(QPoint viewportPos);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTextEdit* Pane;
    QWidget* Viewport;  // kept: the pane may be half destroyed when its viewport sends its last events
    const TMarks* Marks;
};
