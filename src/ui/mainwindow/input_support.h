#pragma once

#include <QList>
#include <QObject>
#include <QStringList>

#include "core/common/text_aids.h"

class QAction;
class QMenu;
class QTextEdit;

// Full-width digits to ASCII in the pane, keeping the look of the text.
// Returns whether anything changed.
bool ReplaceFullWidthDigits(QTextEdit* pane);

// Lines the pane's lines up at its selected text; only the lines that change
// are rewritten. Returns the refusal message (empty when it went ahead).
QString AlignPaneAtSelection(QTextEdit* pane, bool wordWrap, TAlignStyle style);

// The input-support pop-up: Ctrl+Space in a pane completes the word before
// the caret from the lines of "Material.dat".
class TInputSupport final : public QObject {
    Q_OBJECT
public:
    // `popup` is the window's input-support menu; `materialList` its lines.
    TInputSupport(QMenu* popup, const QStringList* materialList, QObject* parent = nullptr);

    QMenu* PopupInputMaterial;
    QList<QAction*> MaterialMenuItems;  // the items of the last opening

    // Ctrl+Space in these panes opens the pop-up.
    void Attach(QTextEdit* pane);

    // Builds the items for the word before the caret and pops them up beside
    // the caret. Returns the number of items; with none the caret goes back.
    int Open(QTextEdit* pane);

    // Inserts the chosen line's text in place of the partial word.
    void InputSupportItemClick(int tag);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Dismissed();

    const QStringList* MaterialList;
    QTextEdit* Pane = nullptr;
    int CaretBefore = 0;
    bool Chosen = false;
};
