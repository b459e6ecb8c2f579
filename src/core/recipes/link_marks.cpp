#include "core/recipes/link_marks.h"

void AppendLinkMarks(const QString& text, const QString& word, TMarks& marks) {
    const qsizetype n = word.size();
    if (n == 0)
        return;
    qsizetype start = 0;
    while (start <= text.size() - n) {
        const qsizetype p = text.indexOf(word, start, Qt::CaseInsensitive);
        if (p < 0)
            break;
        marks.append(TMark{word, int(p), int(p + n)});
        start = p + n;
    }
}

const TMark* MarkAtCharacter(const TMarks& marks, int charIndex) {
    for (const TMark& mark : marks)
        if (mark.StartPos <= charIndex && charIndex < mark.EndPos)
            return &mark;
    return nullptr;
}
