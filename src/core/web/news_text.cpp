#include "core/web/news_text.h"

#include <QStringView>

namespace {

// A cut never splits a surrogate pair.
qsizetype CutAt(QStringView line, qsizetype max) {
    if (line.size() <= max)
        return line.size();
    return line[max - 1].isHighSurrogate() ? max - 1 : max;
}

}  // namespace

QString NewsRowText(const QString& description) {
    QString row;
    qsizetype pos = 0;
    bool cut = false;
    for (int line = 0; pos < description.size(); ++line) {
        if (line == NewsRowLines) {
            cut = true;
            break;
        }
        qsizetype end = pos;
        while (end < description.size() && description[end] != u'\r' && description[end] != u'\n')
            ++end;
        const QStringView text = QStringView(description).sliced(pos, end - pos);
        const qsizetype kept = CutAt(text, NewsRowLineChars);
        cut = cut || kept < text.size();
        if (line > 0)
            row += u'\n';
        row += text.first(kept);
        pos = end;
        if (pos < description.size())
            pos += description[pos] == u'\r' && pos + 1 < description.size() && description[pos + 1] == u'\n' ? 2 : 1;
    }
    if (cut)
        row += u'…';
    return row;
}

QString NewsDetailText(const QString& description) {
    QString text = description;
    return text.replace(QStringLiteral("<br />"), QStringLiteral("\r\n"), Qt::CaseInsensitive);
}
