#include "core/common/text_aids.h"

#include "core/common/helpers.h"
#include "core/platform/sjis.h"

namespace {

const QString MaterialSeparatorLine =
    QStringLiteral("//*********************************************************************//");

int ByteColumnOf(const QString& line, qsizetype charIndex) {
    int bytes = 0;
    for (qsizetype i = 0; i < charIndex; ++i)
        bytes += SjisCharBytes(line[i]);
    return bytes;
}

}  // namespace

QString FullWidthDigitsToAscii(const QString& text) {
    QString result = text;
    for (QChar& c : result)
        if (c.unicode() >= 0xFF10 && c.unicode() <= 0xFF19)
            c = QChar(u'0' + (c.unicode() - 0xFF10));
    return result;
}

int SjisCharBytes(QChar c) {
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xFF61 && u <= 0xFF9F))
        return 1;
    if (u >= 0xF780 && u <= 0xF7FF)  // a raw byte kept from a file
        return 1;
    if (c.isLowSurrogate())
        return 0;
    const auto encoded = TryToSjis(QString(c));
    return encoded ? int(encoded->size()) : 2;
}

QStringList AlignAtSeparator(const QStringList& lines, const QString& sep, TAlignStyle style) {
    if (sep.isEmpty())
        return lines;
    QList<qsizetype> found;  // character index of the separator, -1 when absent
    int col = 0;
    for (const QString& line : lines) {
        const qsizetype at = line.indexOf(sep);
        found.append(at);
        if (at >= 0)
            col = qMax(col, ByteColumnOf(line, at) + 1);
    }
    col = qMin(col, MaxAlignColumn);
    int sepBytes = 0;
    for (const QChar c : sep)
        sepBytes += SjisCharBytes(c);
    QStringList result = lines;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const qsizetype at = found[i];
        if (at < 0)
            continue;
        const QString& line = lines[i];
        const int p = ByteColumnOf(line, at) + 1;
        if (style == TAlignStyle::Blanks) {
            if (col > p)
                result[i] = line.left(at) + QString(col - p, QLatin1Char(' ')) + line.mid(at);
        } else {
            // The separator is replaced where it was found: searching again
            // after padding would hit the padding when it is "." or " ".
            result[i] = line.left(at) + QLatin1Char(' ') + QString(qMax(col - p, 0) + sepBytes, QLatin1Char('.')) +
                        QLatin1Char(' ') + line.mid(at + sep.size());
        }
    }
    return result;
}

QList<TMaterialItem> MaterialItemsFor(const QStringList& materialList, const QString& word) {
    static const QStringList headings = {QStringLiteral("【野菜】"), QStringLiteral("【肉】"),
                                         QStringLiteral("【果物】"), QStringLiteral("【調味料】"),
                                         QStringLiteral("【材料】"), QStringLiteral("【麺】")};
    QList<TMaterialItem> items;
    int category = -1;
    QString subHeading;
    for (qsizetype i = 0; i < materialList.size(); ++i) {
        const QString& line = materialList[i];
        if (line == MaterialSeparatorLine)
            continue;
        const qsizetype heading = headings.indexOf(line);
        if (heading >= 0)
            category = int(heading);
        else if (line.startsWith(QLatin1Char('[')))
            subHeading = line;
        if (!word.isEmpty() && line.startsWith(word))
            items.append(TMaterialItem{subHeading + QStringLiteral("  ") + line, category, int(i)});
    }
    return items;
}

QString MaterialInsertText(const QString& line) {
    // The second field: the first one is the reading matched while typing.
    QString text = GetDelimitedField(line, QLatin1Char(' '), 2);
    text.replace(QLatin1Char('_'), QLatin1Char(' '));
    return text;
}

QString AlignRefusal(bool wordWrap, const QString& sep) {
    if (wordWrap)
        return QStringLiteral("自動改行のオンの状態ではこの機能は使用出来ません。\r\n使用するには自動改行をオフにしてください");
    int bytes = 0;
    for (const QChar c : sep)
        bytes += SjisCharBytes(c);
    if (bytes > MaxAlignSeparatorBytes)
        return QStringLiteral("選択されている文字数が多すぎます。\r\n半角6文字全角3文字で選択してください。");
    return {};
}
