#pragma once

#include <QPlainTextEdit>
#include <QTimer>

// A read-only plain text pane for texts of any length. A long text goes in
// slice by slice from the event loop, each slice ending after a line break
// where it can, so the window answers while it fills; only what is in view
// is laid out.
class TLazyTextPane final : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TLazyTextPane(QWidget* parent = nullptr, qsizetype sliceChars = 64 * 1024);

    // Shows `text` (any line breaks) from its start; a fill still running
    // for an earlier text stops.
    void SetText(const QString& text);
    // True while the end of the text is still to come.
    bool Filling() const { return Fill.isActive(); }

private:
    void FillSlice();

    qsizetype SliceChars;
    QString Text;
    qsizetype Filled = 0;
    QTimer Fill;
};
