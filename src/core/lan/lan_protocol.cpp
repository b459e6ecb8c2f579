#include "core/lan/lan_protocol.h"

#include <QFileInfo>

#include "core/common/base64.h"
#include "core/common/comma_text.h"
#include "core/lan/lan_catalog.h"
#include "core/platform/file_io.h"
#include "core/platform/saporia_error.h"
#include "core/platform/sjis.h"
#include "core/recipes/recipe_folder.h"
#include "core/recipes/recipe_name.h"

namespace {

bool IsCommandStart(const QByteArray& bytes) {
    return ListRequest.startsWith(bytes) || ItemRequest.startsWith(bytes);
}

// A file of the recipe folder: empty when it is not there; throws when it is
// there but cannot be read or is too large to send.
QByteArray RecipeFileBytes(const QString& folder, const QString& fileName) {
    const QString path = ExistingPathIgnoringCase(folder, fileName);
    const QFileInfo info(path);
    if (!info.exists())
        return QByteArray();
    if (info.size() > MaxLanFileBytes)
        throw TSaporiaError(CannotReadMessage(path));
    QByteArray bytes = ReadFileBytes(path);
    if (bytes.size() > MaxLanFileBytes)  // grew while being read
        throw TSaporiaError(CannotReadMessage(path));
    return bytes;
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
    text.reserve(bytes.size() + 2);
    const qsizetype n = bytes.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n')
            continue;
        text += QByteArrayView(bytes.constData() + start, i - start);
        text += "\r\n";
        if (c == '\r' && i + 1 < n && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < n) {
        text += QByteArrayView(bytes.constData() + start, n - start);
        text += "\r\n";
    }
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
    QByteArray foodstuff, how, photo, comment;
    if (found) {
        try {
            const QString folder = RecipeFolderPath(dataRoot, *found);
            foodstuff = LanTextLines(RecipeFileBytes(folder, FoodstuffFileName));
            how = LanTextLines(RecipeFileBytes(folder, HowFileName));
            photo = Base64EncodeBuffer(RecipeFileBytes(folder, PhotoFileName));
            comment = LanTextLines(RecipeFileBytes(folder, CommentFileName));
        } catch (const TSaporiaError&) {
            return ErrorReply;
        } catch (const std::bad_alloc&) {
            return ErrorReply;
        }
    }
    QByteArray reply = ItemReplyKind;
    reply.reserve(4 + foodstuff.size() + how.size() + photo.size() + comment.size() + 16);
    reply += QuoteLanField(foodstuff);
    reply += ',';
    reply += QuoteLanField(how);
    reply += ',';
    reply += QuoteLanField(photo);
    reply += ',';
    reply += QuoteLanField(comment);
    return reply;
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
