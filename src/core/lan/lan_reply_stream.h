#pragma once

#include <cstdint>
#include <vector>

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include "core/recipes/cook_item.h"

// Text bytes as they go on the wire, fed in pieces of any size: every line
// (ended by CR, LF or CR LF) followed by CR LF, and with Quote each double
// quote doubled. A piece never grows to more than twice its size.
struct TLanLineWriter {
    bool Quote = false;
    bool AfterCr = false;   // the last byte was a CR: an LF next belongs to it
    bool OpenLine = false;  // bytes since the last line end

    void Feed(QByteArrayView bytes, QByteArray& out);
    // CR LF after a last line without a line end (2 bytes at most).
    void Finish(QByteArray& out);
};

// One reply, handed out in pieces as the peer takes them, so a large photo
// is never held whole: a recipe's files are read (and the photo encoded) a
// block at a time. Whether a recipe's files can be sent is settled when the
// stream is made: a file that is there but cannot be read, or is larger than
// MaxLanFileBytes, makes the reply "ERR:".
class TLanReplyStream final {
public:
    // A reply made whole beforehand (the list, "ERR:").
    explicit TLanReplyStream(QByteArray bytes);
    // The reply to a recipe request; nullptr gives four empty fields.
    TLanReplyStream(const QString& dataRoot, const TCookItem* item);
    ~TLanReplyStream();
    TLanReplyStream(const TLanReplyStream&) = delete;
    TLanReplyStream& operator=(const TLanReplyStream&) = delete;

    bool AtEnd() const { return Current >= Parts.size(); }
    // The most bytes the whole reply can have, from the sizes seen when it was made.
    qint64 SizeBound() const { return Bound; }
    // The next bytes of the reply, at most max(maxBytes, 4) and at least one
    // unless AtEnd. Throws TSaporiaError when a file went unreadable or grew
    // past MaxLanFileBytes since the stream was made: the reply cannot be
    // finished then.
    QByteArray Take(qint64 maxBytes);

private:
    enum class TKind : std::uint8_t { Bytes, Text, Photo };
    struct TPart {
        TKind Kind = TKind::Bytes;
        QByteArray Bytes;  // Bytes: the bytes themselves
        QString Path;      // Text, Photo: the file; empty when there is none
        qint64 Offset = 0; // Bytes: handed out; Text, Photo: read
    };

    void AddFile(TKind kind, const QString& folder, const QString& fileName);
    void Open(const TPart& part);
    // Up to `size` bytes of the part's file, opened on first use; fewer at its end.
    QByteArray ReadBlock(TPart& part, qint64 size);
    void NextPart();
    bool TakeText(TPart& part, QByteArray& out, qint64 room);
    bool TakePhoto(TPart& part, QByteArray& out, qint64 room);

    std::vector<TPart> Parts;
    size_t Current = 0;
    qint64 Bound = 0;
    int Fd = -1;  // the open file of the current part
    bool FileEnded = false;
    TLanLineWriter Lines;
};
