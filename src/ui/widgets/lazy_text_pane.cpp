#include "ui/widgets/lazy_text_pane.h"

#include <QTextCursor>

namespace {

bool IsBreak(QChar c) { return c == u'\n' || c == u'\r'; }

}  // namespace

TLazyTextPane::TLazyTextPane(QWidget* parent, qsizetype sliceChars, qsizetype pieceChars)
    : QPlainTextEdit(parent), SliceChars(std::max<qsizetype>(sliceChars, 1)),
      PieceChars(std::max<qsizetype>(pieceChars, 2)) {
    setReadOnly(true);
    document()->setUndoRedoEnabled(false);
    Fill.setInterval(0);
    connect(&Fill, &QTimer::timeout, this, &TLazyTextPane::FillSlice);
}

void TLazyTextPane::SetText(const QString& text) {
    Fill.stop();
    Text = text;
    Filled = 0;
    setPlainText(NextSlice());
    if (Filled < Text.size())
        Fill.start();
    else
        Text.clear();
}

// Whole lines, each with its line break, until the slice is full; a line
// longer than a piece ends with a break of its own after PieceChars
// characters (never inside a surrogate pair).
QString TLazyTextPane::NextSlice() {
    const qsizetype start = Filled;
    QString slice;
    slice.reserve(std::min(Text.size() - Filled, SliceChars + PieceChars + 1));
    while (Filled < Text.size() && Filled - start < SliceChars) {
        const qsizetype limit = std::min(Text.size(), Filled + PieceChars);
        qsizetype end = Filled;
        while (end < limit && !IsBreak(Text[end]))
            ++end;
        if (end < Text.size() && IsBreak(Text[end])) {
            // The break goes with its line; CR LF is one break.
            end += Text[end] == u'\r' && end + 1 < Text.size() && Text[end + 1] == u'\n' ? 2 : 1;
            slice += QStringView(Text).sliced(Filled, end - Filled);
        } else if (end == Text.size()) {
            slice += QStringView(Text).sliced(Filled);
        } else {
            if (Text[end - 1].isHighSurrogate())
                --end;
            slice += QStringView(Text).sliced(Filled, end - Filled);
            slice += u'\n';
        }
        Filled = end;
    }
    return slice;
}

void TLazyTextPane::FillSlice() {
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(NextSlice());
    if (Filled < Text.size())
        return;
    Fill.stop();
    Text.clear();
}
