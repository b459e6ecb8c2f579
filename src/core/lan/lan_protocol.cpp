#include "core/lan/lan_protocol.h"

#include <algorithm>

#include "core/common/comma_text.h"
#include "core/lan/lan_catalog.h"
#include "core/lan/lan_reply_stream.h"
#include "core/platform/saporia_error.h"
#include "core/platform/sjis.h"
#include "core/recipes/recipe_name.h"

namespace {

bool IsCommandStart(const QByteArray& bytes) {
    return ListRequest.startsWith(bytes) || ItemRequest.startsWith(bytes);
}

}  // namespace

TLanRequest ParseLanRequest(const QByteArray& bytes) {
    TLanRequest request;
    const QByteArray command = bytes.left(LanCommandLength);
    if (command == ListRequest) {
        request.Kind = TLanRequestKind::List;
    } else if (command == ItemRequest) {
        request.Kind = TLanRequestKind::Item;
        request.Name = bytes.mid(LanCommandLength);
    } else if (command.size() < LanCommandLength && IsCommandStart(command)) {
        request.Kind = TLanRequestKind::Incomplete;
    } else {
        request.Kind = TLanRequestKind::Unknown;
    }
    return request;
}

QByteArray QuoteLanField(const QByteArray& text) {
    // A quote byte is never the second byte of a CP932 character, so the
    // doubling works on the bytes.
    QByteArray field;
    field.reserve(text.size() + 2);
    field += '"';
    for (const char c : text) {
        if (c == '"')
            field += '"';
        field += c;
    }
    field += '"';
    return field;
}

QByteArray LanTextLines(const QByteArray& bytes) {
    QByteArray text;
    TLanLineWriter lines;
    lines.Feed(bytes, text);
    lines.Finish(text);
    return text;
}

QByteArray LanRecipeName(const TCookItem& item) {
    if (!RecipeNameProblem(item.Name).isEmpty())
        return QByteArray();
    return TryToSjis(item.Name).value_or(QByteArray());
}

QByteArray BuildListReply(const TCookItems& items) {
    TLanCatalog catalog;
    catalog.Update(items);
    return catalog.ListReply();
}

QByteArray BuildItemReply(const QString& dataRoot, const TCookItems& items, const QByteArray& name) {
    TLanCatalog catalog;
    catalog.Update(items);
    const qsizetype index = catalog.Find(name);
    return BuildItemReply(dataRoot, index < 0 ? nullptr : &items[index]);
}

QByteArray BuildItemReply(const QString& dataRoot, const TCookItem* found) {
    // The whole reply is in memory here, so a file that fails half way can
    // still be answered with "ERR:".
    try {
        TLanReplyStream stream(dataRoot, found);
        QByteArray reply;
        while (!stream.AtEnd())
            reply += stream.Take(std::max<qint64>(stream.SizeBound() - reply.size(), 4));
        return reply;
    } catch (const TSaporiaError&) {
        return ErrorReply;
    } catch (const std::bad_alloc&) {
        return ErrorReply;
    }
}

TLanReply ParseLanReply(const QByteArray& bytes) {
    const QString text = FromSjis(LanTextLines(bytes));
    TLanReply reply;
    const QString kind = text.left(4);
    if (kind == QLatin1String(ListReplyKind))
        reply.Kind = TLanReplyKind::List;
    else if (kind == QLatin1String(ItemReplyKind))
        reply.Kind = TLanReplyKind::Item;
    else if (kind == QLatin1String(ErrorReply))
        reply.Kind = TLanReplyKind::Error;
    // The kind is 4 bytes; a double-byte character among them would make
    // the text count differently, but then the kind is none of the three.
    if (reply.Kind != TLanReplyKind::Other)
        reply.Fields = SplitCommaText(text.mid(4));
    return reply;
}
