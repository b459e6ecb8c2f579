#include "core/lan/lan_reply_stream.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>

#include <QFile>
#include <QFileInfo>

#include "core/common/base64.h"
#include "core/lan/lan_protocol.h"
#include "core/platform/file_io.h"
#include "core/platform/saporia_error.h"
#include "core/recipes/recipe_folder.h"
#include "core/recipes/recipe_name.h"

namespace {

// Files are read this much at a time; a multiple of 3, so every block of a
// photo but the last encodes without padding.
constexpr qint64 BlockBytes = 3 * 65536;

int OpenForReading(const QString& path, qint64& size) {
    const int fd = OpenRegularFileAt(AT_FDCWD, QFile::encodeName(path).constData(), size);
    if (fd < 0)
        throw TSaporiaError(CannotReadMessage(path));
    return fd;
}

}  // namespace

void TLanLineWriter::Feed(QByteArrayView bytes, QByteArray& out) {
    const qsizetype start = out.size();
    out.resize(start + 2 * bytes.size());
    char* o = out.data() + start;
    for (const char c : bytes) {
        if (c == '\n' && AfterCr) {
            AfterCr = false;
            continue;
        }
        AfterCr = c == '\r';
        if (c == '\r' || c == '\n') {
            *o++ = '\r';
            *o++ = '\n';
            OpenLine = false;
            continue;
        }
        // A quote byte is never the second byte of a CP932 character, so the
        // doubling works on the bytes.
        if (Quote && c == '"')
            *o++ = '"';
        *o++ = c;
        OpenLine = true;
    }
    out.truncate(o - out.constData());
}

void TLanLineWriter::Finish(QByteArray& out) {
    if (OpenLine)
        out += "\r\n";
    OpenLine = false;
    AfterCr = false;
}

TLanReplyStream::TLanReplyStream(QByteArray bytes) {
    Bound = bytes.size();
    Parts.push_back({TKind::Bytes, std::move(bytes), QString(), 0});
}

TLanReplyStream::TLanReplyStream(const QString& dataRoot, const TCookItem* item) {
    const auto add = [this](const char* bytes) {
        Parts.push_back({TKind::Bytes, QByteArray(bytes), QString(), 0});
        Bound += Parts.back().Bytes.size();
    };
    try {
        const QString folder = item ? RecipeFolderPath(dataRoot, *item) : QString();
        add("ITM:\"");
        AddFile(TKind::Text, folder, FoodstuffFileName);
        add("\",\"");
        AddFile(TKind::Text, folder, HowFileName);
        add("\",\"");
        AddFile(TKind::Photo, folder, PhotoFileName);
        add("\",\"");
        AddFile(TKind::Text, folder, CommentFileName);
        add("\"");
    } catch (const TSaporiaError&) {
        Parts.clear();
        Bound = 0;
        add(ErrorReply.constData());
    }
}

TLanReplyStream::~TLanReplyStream() {
    if (Fd >= 0)
        close(Fd);
}

// Only the files' sizes are taken now: a recipe whose files are all there is
// answered with them, whatever is asked meanwhile.
void TLanReplyStream::AddFile(TKind kind, const QString& folder, const QString& fileName) {
    if (folder.isEmpty())
        return;
    const QString path = ExistingPathIgnoringCase(folder, fileName);
    if (!QFileInfo::exists(path))
        return;
    qint64 size = 0;
    close(OpenForReading(path, size));
    if (size > MaxLanFileBytes)
        throw TSaporiaError(CannotReadMessage(path));
    Bound += kind == TKind::Text ? 2 * size + 2 : (size + 2) / 3 * 4;
    Parts.push_back({kind, QByteArray(), path, 0});
}

void TLanReplyStream::Open(const TPart& part) {
    qint64 size = 0;
    Fd = OpenForReading(part.Path, size);
    FileEnded = false;
    Lines = TLanLineWriter{.Quote = true};
}

QByteArray TLanReplyStream::ReadBlock(TPart& part, qint64 size) {
    if (Fd < 0)
        Open(part);
    QByteArray block(size, Qt::Uninitialized);
    const qint64 got = ReadUpTo(Fd, block.data(), size);
    if (got < 0)
        throw TSaporiaError(CannotReadMessage(part.Path));
    part.Offset += got;
    if (part.Offset > MaxLanFileBytes)
        throw TSaporiaError(CannotReadMessage(part.Path));
    block.truncate(got);
    return block;
}

void TLanReplyStream::NextPart() {
    if (Fd >= 0)
        close(Fd);
    Fd = -1;
    FileEnded = false;
    ++Current;
}

bool TLanReplyStream::TakeText(TPart& part, QByteArray& out, qint64 room) {
    if (FileEnded) {
        if (room < 2)
            return false;
        Lines.Finish(out);
        NextPart();
        return true;
    }
    const qint64 want = std::min(room / 2, BlockBytes);
    if (want == 0)
        return false;
    const QByteArray block = ReadBlock(part, want);
    Lines.Feed(block, out);
    FileEnded = block.size() < want;
    return true;
}

bool TLanReplyStream::TakePhoto(TPart& part, QByteArray& out, qint64 room) {
    const qint64 want = std::min(room / 4 * 3, BlockBytes);
    if (want == 0)
        return false;
    const QByteArray block = ReadBlock(part, want);
    Base64Append(block, out);
    if (block.size() < want)
        NextPart();
    return true;
}

QByteArray TLanReplyStream::Take(qint64 maxBytes) {
    const qint64 limit = std::max<qint64>(maxBytes, 4);
    QByteArray out;
    bool more = true;
    while (more && !AtEnd() && out.size() < limit) {
        TPart& part = Parts[Current];
        const qint64 room = limit - out.size();
        switch (part.Kind) {
        case TKind::Bytes: {
            const qint64 n = std::min(room, part.Bytes.size() - part.Offset);
            out.append(part.Bytes.constData() + part.Offset, n);
            part.Offset += n;
            if (part.Offset == part.Bytes.size())
                NextPart();
            break;
        }
        case TKind::Text:
            more = TakeText(part, out, room);
            break;
        case TKind::Photo:
            more = TakePhoto(part, out, room);
            break;
        }
    }
    return out;
}
