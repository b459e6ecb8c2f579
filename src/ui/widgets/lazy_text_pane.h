#pragma once

#include <QPlainTextEdit>
#include <QTimer>

// A read-only plain text pane for texts of any length. A long text goes in
// slice by slice (of about `sliceChars`, in whole lines) from the event
// loop, so the window answers while it fills; only what is in view is laid
// out. A line longer than `pieceChars` is shown broken into pieces of that
// length: laying out one line of megabytes would block.
class TLazyTextPane final : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TLazyTextPane(QWidget* parent = nullptr, qsizetype sliceChars = 64 * 1024,
                           qsizetype pieceChars = 4000);

    // Shows `text` (any line breaks) from its start; a fill still running
    // for an earlier text stops.
    void SetText(const QString& text);
    // True while the end of the text is still to come.
    bool Filling() const { return Fill.isActive(); }

private:
    QString NextSlice();
    void FillSlice();

    qsizetype SliceChars;
    qsizetype PieceChars;
    QString Text;
    qsizetype Filled = 0;
    QTimer Fill;
};
