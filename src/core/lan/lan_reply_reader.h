#pragma once

#include <cstdint>

#include <QByteArray>

// Gathers a reply as it arrives, in pieces of any size. Replies carry no
// length or terminator, so completeness comes from their shape: "ERR:" is
// whole at once; a recipe reply after its fourth quoted field; a list reply
// can only be whole between two names, so there it is whole when nothing
// more arrives (the caller waits a moment or sees the connection close).
// Each byte is looked at once, however the reply is cut.
enum class TLanReplyState : std::uint8_t {
    NeedMore,       // cut short: more must come
    MaybeComplete,  // whole if nothing more comes
    Complete,       // whole; anything after it is not part of it
    TooLarge,       // past the size cap: given up
};

class TLanReplyReader final {
public:
    // 64 MiB: far above the largest reply a server sends (a 10 MiB photo
    // grows by a third in Base64).
    static constexpr qsizetype DefaultMaxBytes = 64LL * 1024 * 1024;
    qsizetype MaxBytes = DefaultMaxBytes;

    void Feed(const QByteArray& bytes);
    TLanReplyState State() const;
    // The reply's bytes (up to where it became complete).
    const QByteArray& Bytes() const { return Buffer; }
    void Reset();

private:
    void Scan(char c);

    QByteArray Buffer;
    bool Done = false;       // complete: further bytes are dropped
    bool Overflow = false;
    bool InQuotes = false;
    qsizetype QuoteRun = 0;  // quotes in a row inside a field, not yet paired
    int ClosedFields = 0;
    char LastOutside = 0;    // last byte seen outside the quotes, 0 for none
};
