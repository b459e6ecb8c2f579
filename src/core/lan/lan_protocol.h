#pragma once

#include <cstdint>

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "core/recipes/cook_item.h"

// The wire protocol between two copies of the program: CP932 bytes without
// length prefix or terminator. A request is a 14-byte command, for one recipe
// followed by its name; a reply is "LST:", "ITM:" or "ERR:" and its fields,
// each in double quotes with every quote inside doubled.

inline constexpr quint16 LanPort = 25499;
inline const QByteArray ListRequest = QByteArrayLiteral("GET_COOK_LIST:");
inline const QByteArray ItemRequest = QByteArrayLiteral("GET_COOK_ITEM:");
inline constexpr qsizetype LanCommandLength = 14;
inline const QByteArray ListReplyKind = QByteArrayLiteral("LST:");
inline const QByteArray ItemReplyKind = QByteArrayLiteral("ITM:");
inline const QByteArray ErrorReply = QByteArrayLiteral("ERR:");

// A recipe file larger than this is not sent: the reply is "ERR:".
inline constexpr qint64 MaxLanFileBytes = 10LL * 1024 * 1024;

enum class TLanRequestKind : std::uint8_t {
    Incomplete,  // the start of a command: wait for more bytes
    List,
    Item,
    Unknown,  // neither command: no reply
};

struct TLanRequest {
    TLanRequestKind Kind = TLanRequestKind::Incomplete;
    QByteArray Name;  // the recipe name's bytes of an item request
};

// Splits received bytes into the command (the first 14 bytes) and its
// argument (the rest). A list request ignores its argument.
TLanRequest ParseLanRequest(const QByteArray& bytes);

// The field in double quotes, each quote of the text doubled.
QByteArray QuoteLanField(const QByteArray& text);

// Text file bytes as sent: every line (ended by CR, LF or CR LF, or by the
// end of the bytes) followed by CR LF; nothing for empty bytes.
QByteArray LanTextLines(const QByteArray& bytes);

// The name as it goes on the wire, or an empty array for a record that is
// left out of the list: its name fails the recipe-name check or CP932 cannot
// hold it.
QByteArray LanRecipeName(const TCookItem& item);

// "LST:" and every listed name quoted and followed by a comma.
QByteArray BuildListReply(const TCookItems& items);

// The reply to an item request: the first record whose wire name equals
// `name` byte for byte, its four fields read from its folder below
// `dataRoot`; four empty fields when no record matches; "ERR:" when a file
// that is there cannot be read or is larger than MaxLanFileBytes. The folder
// comes from the record, never from the request.
QByteArray BuildItemReply(const QString& dataRoot, const TCookItems& items, const QByteArray& name);
// The same for a record already found; nullptr gives four empty fields.
QByteArray BuildItemReply(const QString& dataRoot, const TCookItem* item);

// ---- the client's side ----

enum class TLanReplyKind : std::uint8_t { List, Item, Error, Other };

struct TLanReply {
    TLanReplyKind Kind = TLanReplyKind::Other;
    QStringList Fields;
};

// Reads a whole reply: its lines joined again with CR LF after every line,
// the kind from the first 4 bytes, the fields of the rest by the comma-text
// rule.
TLanReply ParseLanReply(const QByteArray& bytes);
