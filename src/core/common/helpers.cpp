#include "core/common/helpers.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include <QPainter>

#include "core/common/text_search.h"

int GetDragAngle(int x1, int y1, int x2, int y2) {
    const double dx = double(x1) - double(x2);
    const double dy = double(y1) - double(y2);
    const double d = std::sqrt(dx * dx + dy * dy);
    if (d == 0)
        return 0;
    // 3.14159 rather than pi: the gesture thresholds were tuned with it.
    double a = std::acos(std::clamp(dx / d, -1.0, 1.0)) / 3.14159 * 180;
    if (dy < 0)
        a = 360 - a;
    const double whole = std::floor(a);
    return int(whole) + (a - whole >= 0.5 ? 1 : 0);
}

void DrawVerticalGradient(QPainter& painter, int left, int top, int right, int bottom, const QColor& color1,
                          const QColor& color2) {
    const int w = right - left;
    if (w <= 0 || bottom <= top)
        return;
    const int c1[3] = {color1.red(), color1.green(), color1.blue()};
    const int c2[3] = {color2.red(), color2.green(), color2.blue()};
    double step[3];
    for (int k = 0; k < 3; ++k)
        step[k] = double(c2[k] - c1[k]) / w;
    painter.save();
    for (int x = left; x < right; ++x) {
        const int i = x - left;
        int c[3];
        for (int k = 0; k < 3; ++k)
            c[k] = std::clamp(c1[k] + int(std::ceil(i * step[k])), 0, 255);
        painter.fillRect(x, top, 1, bottom - top, QColor(c[0], c[1], c[2]));
    }
    painter.restore();
}

namespace {

bool IsUrlChar(QChar c) {
    const char16_t u = c.unicode();
    if ((u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z'))
        return true;
    return u < 0x80 && QByteArrayView("#%&+-./:=?_~").contains(char(u));
}

// Whether the text at `p` starts with `prefix` (lower case, exact).
bool MatchUrlPrefix(const QString& text, qsizetype p, const char* prefix) {
    return QStringView(text).mid(p).startsWith(QLatin1StringView(prefix));
}

}  // namespace

bool FindUrlInText(const QString& text, int& start, int& length) {
    start = 0;
    length = 0;
    static const char* const Prefixes[] = {"ftp:", "http:", "https:", "www."};
    const qsizetype n = text.size();
    for (qsizetype p = 0; p < n; ++p) {
        const char16_t c = text[p].unicode();
        if (c != 'f' && c != 'h' && c != 'w')
            continue;
        for (const char* prefix : Prefixes) {
            if (prefix[0] != c || !MatchUrlPrefix(text, p, prefix))
                continue;
            qsizetype end = p + qsizetype(strlen(prefix));
            while (end < n && IsUrlChar(text[end]))
                ++end;
            start = int(p + 1);
            length = int(end - p);
            return true;
        }
    }
    return false;
}

bool CheckForbiddenChars(const QString& text, QString* message) {
    static const char16_t Forbidden[] = u"&<>[]%*";
    for (const char16_t* c = Forbidden; *c; ++c) {
        if (ContainsText(text, QString(QChar(*c)))) {
            if (message)
                *message = QStringLiteral("「%1」は使用できません.").arg(QChar(*c));
            return false;
        }
    }
    return true;
}

QString BoolToText(bool value) { return value ? QStringLiteral("True") : QStringLiteral("False"); }

bool TextToBool(const QString& text) { return text == u"True"; }

QString GetDelimitedField(const QString& text, QChar delimiter, int index) {
    if (index <= 0 || text.isEmpty())
        return QString();
    qsizetype from = 0;
    for (int i = 1;; ++i) {
        const qsizetype p = text.indexOf(delimiter, from);
        if (p < 0)
            return i == index ? text.mid(from) : QString();
        if (i == index)
            return text.mid(from, p - from);
        from = p + 1;
    }
}

namespace {

bool IsLineBreak(QChar c) { return c == u'\r' || c == u'\n' || c == QChar(0x2029) || c == QChar(0x2028); }

bool IsWordSeparator(QChar c) {
    if (IsLineBreak(c))
        return true;
    switch (c.unicode()) {
    case 0x3000:  // full-width blank
    case ' ':
    case ',':
    case 0x3001:  // 、
    case '.':
    case ')':
    case '(':
    case '{':
    case '}':
    case '/':
        return true;
    default:
        return false;
    }
}

}  // namespace

TCaretWord GetWordBeforeCaret(const QString& text, int caret) {
    const int c = std::clamp<int>(caret, 0, int(text.size()));
    TCaretWord result;
    if (c == 0)
        return result;
    // A line break just before the caret ends the word there: replacing it
    // would join two lines.
    if (IsLineBreak(text[c - 1])) {
        result.Start = c;
        return result;
    }
    // Any other character just before the caret belongs to the word.
    int w = 0;
    for (int p = c - 2; p >= 0; --p) {
        if (IsWordSeparator(text[p])) {
            w = p + 1;
            break;
        }
    }
    result.Start = w;
    result.Length = c - w;
    result.Word = text.mid(w, c - w);
    result.Word.remove(QChar(0x3000));
    result.Word.remove(QChar(0x3001));
    return result;
}

int ToIntDef(const QString& text, int fallback) {
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? value : fallback;
}
