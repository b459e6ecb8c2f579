#include "core/lan/lan_reply_reader.h"

#include "core/lan/lan_protocol.h"

namespace {

constexpr int ItemFieldCount = 4;

}  // namespace

void TLanReplyReader::Reset() {
    const qsizetype maxBytes = MaxBytes;
    *this = TLanReplyReader();
    MaxBytes = maxBytes;
}

void TLanReplyReader::Feed(const QByteArray& bytes) {
    for (const char c : bytes) {
        if (Done || Overflow)
            return;
        if (Buffer.size() >= MaxBytes) {
            Overflow = true;
            return;
        }
        Buffer += c;
        if (Buffer.size() <= ListReplyKind.size()) {
            if (Buffer == ErrorReply)
                Done = true;
            continue;
        }
        Scan(c);
        if (ClosedFields >= ItemFieldCount && Buffer.startsWith(ItemReplyKind)) {
            // The byte after the fourth field is not part of the reply.
            Buffer.chop(1);
            Done = true;
        }
    }
}

void TLanReplyReader::Scan(char c) {
    if (InQuotes) {
        if (c == '"') {
            ++QuoteRun;
            return;
        }
        if (QuoteRun % 2 == 0) {  // quotes in pairs stand for quotes of the text
            QuoteRun = 0;
            return;
        }
        InQuotes = false;
        QuoteRun = 0;
        ++ClosedFields;
        LastOutside = '"';
    }
    if (c == '"') {
        InQuotes = true;
        QuoteRun = 0;
        LastOutside = 0;
    } else {
        LastOutside = c;
    }
}

TLanReplyState TLanReplyReader::State() const {
    if (Overflow)
        return TLanReplyState::TooLarge;
    if (Done)
        return TLanReplyState::Complete;
    if (Buffer.size() < ListReplyKind.size())
        return TLanReplyState::NeedMore;
    // An odd run of quotes at the end closes the field unless one more quote follows.
    const bool closing = InQuotes && QuoteRun % 2 == 1;
    const QByteArray kind = Buffer.left(ListReplyKind.size());
    if (kind == ItemReplyKind)
        return closing && ClosedFields + 1 == ItemFieldCount ? TLanReplyState::MaybeComplete
                                                             : TLanReplyState::NeedMore;
    if (kind == ListReplyKind) {
        const bool betweenNames = !InQuotes && (Buffer.size() == ListReplyKind.size() || LastOutside == ',');
        return betweenNames ? TLanReplyState::MaybeComplete : TLanReplyState::NeedMore;
    }
    return TLanReplyState::MaybeComplete;  // a reply of no known kind: whatever came
}
