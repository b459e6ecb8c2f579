#include "ui/widgets/lazy_text_pane.h"

#include <QTextCursor>

namespace {

// The end of the slice from `from`: after the last LF within `max`
// characters, else at `max` without parting CR LF or a surrogate pair.
qsizetype SliceEnd(const QString& text, qsizetype from, qsizetype max) {
    qsizetype end = from + max;
    if (end >= text.size())
        return text.size();
    const qsizetype lf = text.lastIndexOf(u'\n', end - 1);
    if (lf >= from)
        return lf + 1;
    if (text[end - 1].isHighSurrogate() || (text[end - 1] == u'\r' && text[end] == u'\n'))
        ++end;
    return end;
}

}  // namespace

TLazyTextPane::TLazyTextPane(QWidget* parent, qsizetype sliceChars)
    : QPlainTextEdit(parent), SliceChars(std::max<qsizetype>(sliceChars, 2)) {
    setReadOnly(true);
    document()->setUndoRedoEnabled(false);
    Fill.setInterval(0);
    connect(&Fill, &QTimer::timeout, this, &TLazyTextPane::FillSlice);
}

void TLazyTextPane::SetText(const QString& text) {
    Fill.stop();
    Text = text;
    const qsizetype end = SliceEnd(Text, 0, SliceChars);
    setPlainText(Text.left(end));
    Filled = end;
    if (Filled < Text.size())
        Fill.start();
    else
        Text.clear();
}

void TLazyTextPane::FillSlice() {
    const qsizetype end = SliceEnd(Text, Filled, SliceChars);
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(Text.sliced(Filled, end - Filled));
    Filled = end;
    if (Filled < Text.size())
        return;
    Fill.stop();
    Text.clear();
}
