#include "core/exchange/recipe_page_parser.h"

#include <QSet>

#include "core/platform/sjis.h"

namespace {

const QString PhotoLine = QStringLiteral("<DIV id=main-photo><IMG class=photo alt=写真 src=\"");
const QString PhotoStart = QStringLiteral("<IMG class=photo alt=写真 src=\"");
const QString TitleStart = QStringLiteral("<H1 class=\"recipe-title fn\">");
const QString TitleEnd = QStringLiteral(" </H1>");
const QString ServingsStart = QStringLiteral("</SPAN><SPAN class=servings_for>");
const QString ServingsEnd = QStringLiteral(" </SPAN></H3>");
const QString NameStart = QStringLiteral("<DIV class=ingredient_name>");
const QString QuantityStart = QStringLiteral("<DIV class=ingredient_quantity>");
const QString DivEnd = QStringLiteral(" </DIV>");
const QString StepMark = QStringLiteral("id=step_text");
const QString StepEnd = QStringLiteral("</P></DD></DL></DIV>");

// The end markers begin with the blank a browser leaves from the source's
// line break; markup written on one line has none.
QString ExtractLoose(const QString& line, const QString& start, const QString& end) {
    const qsizetype at = line.indexOf(start);
    if (at >= 0 && line.indexOf(end) >= at + start.size())
        return ExtractBetween(line, start, end);
    return ExtractBetween(line, start, end.mid(1));
}

const QSet<QString>& BlockTags() {
    static const QSet<QString> tags{QStringLiteral("DIV"), QStringLiteral("P"),     QStringLiteral("H1"),
                                    QStringLiteral("H2"),  QStringLiteral("H3"),    QStringLiteral("H4"),
                                    QStringLiteral("H5"),  QStringLiteral("H6"),    QStringLiteral("DL"),
                                    QStringLiteral("DT"),  QStringLiteral("DD"),    QStringLiteral("UL"),
                                    QStringLiteral("OL"),  QStringLiteral("LI"),    QStringLiteral("TABLE"),
                                    QStringLiteral("TR"),  QStringLiteral("TD"),    QStringLiteral("TH"),
                                    QStringLiteral("FORM"), QStringLiteral("HEAD"), QStringLiteral("BODY"),
                                    QStringLiteral("SCRIPT"), QStringLiteral("STYLE"), QStringLiteral("SECTION"),
                                    QStringLiteral("ARTICLE"), QStringLiteral("HEADER"), QStringLiteral("FOOTER"),
                                    QStringLiteral("NAV"), QStringLiteral("TITLE"), QStringLiteral("META"),
                                    QStringLiteral("LINK")};
    return tags;
}

bool IsSimpleValue(const QString& value) {
    if (value.isEmpty())
        return false;
    for (const QChar c : value) {
        if (!(c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char('_') || c == QLatin1Char('.')))
            return false;
    }
    return true;
}

bool IsBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QLatin1Char('\f'); }

// One tag from `text[at]` == '<' to its '>': the normalised tag and its name
// (upper case, "/" kept for an end tag). False when it is no tag.
bool ReadTag(const QString& text, qsizetype& at, QString& tag, QString& name) {
    qsizetype i = at + 1;
    const bool end = i < text.size() && text[i] == QLatin1Char('/');
    if (end)
        ++i;
    const qsizetype nameStart = i;
    while (i < text.size() && (text[i].isLetterOrNumber() && text[i].unicode() < 0x80))
        ++i;
    if (i == nameStart)
        return false;
    name = text.mid(nameStart, i - nameStart).toUpper();
    tag = QLatin1Char('<') + (end ? QStringLiteral("/") : QString()) + name;
    while (i < text.size()) {
        while (i < text.size() && IsBlank(text[i]))
            ++i;
        if (i >= text.size())
            return false;
        if (text[i] == QLatin1Char('>')) {
            at = i + 1;
            tag += QLatin1Char('>');
            if (end)
                name.prepend(QLatin1Char('/'));
            return true;
        }
        if (text[i] == QLatin1Char('/')) {  // the self-closing mark goes, as a browser drops it
            ++i;
            continue;
        }
        const qsizetype attrStart = i;
        while (i < text.size() && !IsBlank(text[i]) && text[i] != QLatin1Char('=') && text[i] != QLatin1Char('>') &&
               text[i] != QLatin1Char('/'))
            ++i;
        QString attribute = text.mid(attrStart, i - attrStart).toLower();
        if (attribute.isEmpty()) {  // a stray "=" or the like: keep it as it stands
            attribute = text[i];
            ++i;
            tag += QLatin1Char(' ') + attribute;
            continue;
        }
        qsizetype j = i;
        while (j < text.size() && IsBlank(text[j]))
            ++j;
        if (j < text.size() && text[j] == QLatin1Char('=')) {
            ++j;
            while (j < text.size() && IsBlank(text[j]))
                ++j;
            QString value;
            bool quoted = false;
            if (j < text.size() && (text[j] == QLatin1Char('"') || text[j] == QLatin1Char('\''))) {
                const QChar quote = text[j];
                const qsizetype close = text.indexOf(quote, j + 1);
                if (close < 0)
                    return false;
                value = text.mid(j + 1, close - j - 1);
                quoted = true;
                i = close + 1;
            } else {
                const qsizetype valueStart = j;
                while (j < text.size() && !IsBlank(text[j]) && text[j] != QLatin1Char('>'))
                    ++j;
                value = text.mid(valueStart, j - valueStart);
                i = j;
            }
            if (!quoted || IsSimpleValue(value))
                tag += QLatin1Char(' ') + attribute + QLatin1Char('=') + value;
            else
                tag += QLatin1Char(' ') + attribute + QStringLiteral("=\"") + value + QLatin1Char('"');
        } else {
            tag += QLatin1Char(' ') + attribute;
        }
    }
    return false;
}

}  // namespace

QString ExtractBetween(const QString& line, const QString& start, const QString& end) {
    const qsizetype from = line.indexOf(start);
    const qsizetype to = line.indexOf(end);
    if (from < 0 || to < 0 || to < from + start.size())
        return QString();
    return line.mid(from + start.size(), to - from - start.size());
}

QString NormaliseMarkup(const QString& html) {
    QString out;
    out.reserve(html.size());
    bool atLineStart = true;
    qsizetype i = 0;
    while (i < html.size()) {
        const QChar c = html[i];
        if (IsBlank(c)) {
            while (i < html.size() && IsBlank(html[i]))
                ++i;
            // Blanks between two tags are layout of the source, not text.
            const bool betweenTags = out.endsWith(QLatin1Char('>')) && i < html.size() && html[i] == QLatin1Char('<');
            if (!atLineStart && !betweenTags)
                out += QLatin1Char(' ');
            continue;
        }
        if (c == QLatin1Char('<') && html.mid(i, 4) == QLatin1String("<!--")) {
            const qsizetype close = html.indexOf(QLatin1String("-->"), i + 4);
            const qsizetype stop = close < 0 ? html.size() : close + 3;
            out += html.mid(i, stop - i);
            i = stop;
            atLineStart = false;
            continue;
        }
        if (c == QLatin1Char('<')) {
            qsizetype at = i;
            QString tag;
            QString name;
            if (ReadTag(html, at, tag, name)) {
                if (BlockTags().contains(name) && !atLineStart) {
                    while (out.endsWith(QLatin1Char(' ')))
                        out.chop(1);
                    out += QStringLiteral("\r\n");
                }
                out += tag;
                atLineStart = false;
                i = at;
                continue;
            }
        }
        out += c;
        atLineStart = false;
        ++i;
    }
    return out;
}

TParsedPage ParsePage(const QStringList& lines) {
    TParsedPage page;
    int step = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        if (line.contains(PhotoLine))
            page.PhotoUrl = ExtractBetween(line, PhotoStart, QStringLiteral("?"));
        if (line.contains(TitleStart))
            page.Title = Trim(ExtractLoose(line, TitleStart, TitleEnd));
        if (line.contains(ServingsStart)) {
            page.Amount = Trim(ExtractLoose(line, ServingsStart, ServingsEnd));
            page.Ingredients.append(page.Amount);
            for (const QString& bracket : {QStringLiteral("（"), QStringLiteral("）")}) {
                const qsizetype at = page.Amount.indexOf(bracket);
                if (at >= 0)
                    page.Amount.remove(at, 1);
            }
        }
        if (line.contains(NameStart)) {
            // The quantity stands on the next line; with none the scan ends.
            if (i + 1 >= lines.size())
                break;
            page.Ingredients.append(QStringLiteral("●") + ExtractLoose(line, NameStart, DivEnd) +
                                    QStringLiteral(" … ") + ExtractLoose(lines[i + 1], QuantityStart, DivEnd));
        }
        if (line.contains(StepMark)) {
            ++step;
            QString text = ExtractBetween(line, QStringLiteral(">"), StepEnd);
            text.replace(QStringLiteral("<BR>"), QStringLiteral("\n"), Qt::CaseInsensitive);
            const QStringList parts = text.split(QLatin1Char('\n'));
            page.Steps.append(QString::number(step) + QLatin1Char('.') + parts.first());
            page.Steps.append(parts.mid(1));
        }
    }
    return page;
}

QString ReplaceUnencodable(const QString& text, int& replaced) {
    if (IsSjisEncodable(text))
        return text;
    QString result;
    for (char32_t c : text.toUcs4()) {
        const QString one = QString::fromUcs4(&c, 1);
        if (IsSjisEncodable(one)) {
            result += one;
        } else {
            result += QStringLiteral("〓");
            ++replaced;
        }
    }
    return result;
}

TParsedPage ReplaceUnencodable(const TParsedPage& page, int& replaced) {
    TParsedPage result = page;
    result.Title = ReplaceUnencodable(page.Title, replaced);
    result.Amount = ReplaceUnencodable(page.Amount, replaced);
    for (QString& line : result.Ingredients)
        line = ReplaceUnencodable(line, replaced);
    for (QString& line : result.Steps)
        line = ReplaceUnencodable(line, replaced);
    return result;
}
