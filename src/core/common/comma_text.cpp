#include "core/common/comma_text.h"

namespace {

// Codes 1 to 32; NUL is the end of the text and is never skipped.
bool IsSkippable(QChar c) { return c.unicode() >= 1 && c.unicode() <= 32; }

}  // namespace

QStringList SplitCommaText(const QString& whole) {
    const qsizetype nul = whole.indexOf(QChar(0));
    const QString text = nul < 0 ? whole : whole.left(nul);
    const qsizetype n = text.size();
    QStringList fields;

    qsizetype p = 0;
    while (p < n && IsSkippable(text[p]))
        ++p;
    while (p < n) {
        QString field;
        if (text[p] == u'"') {
            ++p;
            while (p < n) {
                if (text[p] == u'"') {
                    if (p + 1 < n && text[p + 1] == u'"') {
                        field += u'"';
                        p += 2;
                        continue;
                    }
                    ++p;
                    break;
                }
                field += text[p++];
            }
        } else {
            const qsizetype start = p;
            while (p < n && text[p].unicode() > 32 && text[p] != u',')
                ++p;
            field = text.mid(start, p - start);
        }
        fields << field;

        while (p < n && IsSkippable(text[p]))
            ++p;
        if (p < n && text[p] == u',') {
            if (p + 1 == n)
                fields << QString();
            do {
                ++p;
            } while (p < n && IsSkippable(text[p]));
        }
    }
    return fields;
}
