#include "core/recipes/column_table.h"

#include <algorithm>

#include <QDomDocument>
#include <QFileInfo>

#include "core/common/helpers.h"
#include "core/platform/file_io.h"
#include "core/platform/saporia_error.h"
#include "core/platform/sjis.h"
#include "core/platform/xml_dom.h"

namespace {

QString EscapeCaption(QString text) {
    text.replace(QLatin1Char('&'), QStringLiteral("&amp;"));
    text.replace(QLatin1Char('<'), QStringLiteral("&lt;"));
    text.replace(QLatin1Char('>'), QStringLiteral("&gt;"));
    return text;
}

// A decimal integer as the stored files write it; `fallback` otherwise.
int WidthValue(const QString& text, int fallback) {
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok ? value : fallback;
}

}  // namespace

TColumnTable DefaultColumnTable() {
    return {
        {QStringLiteral("料理名"), 70, true},    {QStringLiteral("種類"), 50, true},
        {QStringLiteral("量"), 40, true},        {QStringLiteral("画"), 25, true},
        {QStringLiteral("登録日付"), 75, true},  {QStringLiteral("カロリー"), 40, false},
        {QStringLiteral("費用"), 40, false},     {QStringLiteral("調理時間"), 40, false},
        {QStringLiteral("グループ"), 40, false}, {QStringLiteral("塩分"), 40, false},
        {QStringLiteral("おいしさ"), 40, false}, {QStringLiteral("タイトル"), 40, false},
    };
}

TColumnTable ParseColumnTable(const QString& text) {
    const QDomDocument document = ParseXmlText(text);
    TColumnTable table;
    const QDomElement list = FindChildElement(document.documentElement(), QStringLiteral("List"));
    if (list.isNull())
        return table;
    for (QDomNode node = list.firstChild(); !node.isNull(); node = node.nextSibling()) {
        TColumnData column;
        column.Caption = ChildText(node, QStringLiteral("Caption"));
        column.Width = WidthValue(ChildText(node, QStringLiteral("Width")), 50);
        column.Use = TextToBool(ChildText(node, QStringLiteral("Use")));
        table.push_back(column);
    }
    return table;
}

QByteArray FormatColumnTable(const TColumnTable& table) {
    QString text;
    text += QStringLiteral("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n");
    text += QStringLiteral("<Document>\r\n");
    text += QStringLiteral("   <List>\r\n");
    for (const TColumnData& column : table) {
        text += QStringLiteral("      <Column>\r\n");
        text += QStringLiteral("         <Caption>") + EscapeCaption(column.Caption) + QStringLiteral("</Caption>\r\n");
        text += QStringLiteral("         <Width>") + QString::number(column.Width) + QStringLiteral("</Width>\r\n");
        text += QStringLiteral("         <Use>") + BoolToText(column.Use) + QStringLiteral("</Use>\r\n");
        text += QStringLiteral("      </Column>\r\n");
    }
    text += QStringLiteral("   </List>\r\n");
    text += QStringLiteral("</Document>\r\n");
    return ToSjis(text);
}

TColumnTableLoad LoadColumnTable(const QString& path) {
    TColumnTableLoad load;
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink()) {
        load.Table = DefaultColumnTable();
        return load;
    }
    try {
        const QString text = DecodeXmlBytes(ReadFileBytes(path, MaxStoreFileBytes));
        load.Table = ParseColumnTable(text);
        // Rows none of which is a column with a caption, or no "Document/List"
        // at all ("<list>"), would empty the list for good once written back.
        // An empty "List" is the user's own choice and stays.
        const QDomDocument document = ParseXmlText(text);
        const QDomElement root = document.documentElement();
        const QDomElement list = FindChildElement(root, QStringLiteral("List"));
        const bool usable = std::any_of(load.Table.begin(), load.Table.end(),
                                        [](const TColumnData& column) { return !column.Caption.isEmpty(); });
        if (list.isNull() || root.tagName() != QStringLiteral("Document") ||
            (!usable && !list.firstChildElement().isNull()))
            throw TSaporiaError(QStringLiteral("列の定義 (Document/List/Column) が読めません"));
        load.Source = TColumnTableSource::Loaded;
    } catch (const TSaporiaError& error) {
        load.Table = DefaultColumnTable();
        load.Source = TColumnTableSource::Malformed;
        load.WriteBack = false;
        const QString message = error.message();
        load.Error = message.contains(path) ? message : path + QStringLiteral(": ") + message;
    }
    return load;
}

void SaveColumnTable(const QString& path, const TColumnTable& table) {
    WriteFileAtomic(path, FormatColumnTable(table));
}

void TakeBackColumnWidths(TColumnTable& table, const QStringList& captions, const QList<int>& widths) {
    for (qsizetype c = 0; c < captions.size() && c < widths.size(); ++c)
        for (TColumnData& row : table)
            if (row.Caption == captions[c])
                row.Width = widths[c];
}

QStringList ShownCaptions(const TColumnTable& table) {
    QStringList captions;
    for (const TColumnData& column : table)
        if (column.Use)
            captions << column.Caption;
    return captions;
}
