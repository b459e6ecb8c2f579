#include "core/common/base64.h"

#include <cstring>
#include <utility>

namespace {

const char Alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// -1 outside the alphabet, -2 for "=", -3 for characters that are skipped.
const std::array<qint8, 256>& DecodeValues() {
    static const std::array<qint8, 256> table = [] {
        std::array<qint8, 256> values{};
        for (int c = 0; c < 256; ++c)
            values[size_t(c)] = qint8(Base64DecodeChar(char(c)));
        values['='] = -2;
        for (const char c : {' ', '\t', '\r', '\n'})
            values[size_t(quint8(c))] = -3;
        return values;
    }();
    return table;
}

}  // namespace

qsizetype Base64TextLength(QByteArrayView text) {
    const std::array<qint8, 256>& values = DecodeValues();
    qsizetype n = 0;
    while (n < text.size() && values[quint8(text[n])] != -1)
        ++n;
    return n;
}

char Base64EncodeChar(quint8 value) { return value <= 63 ? Alphabet[value] : static_cast<char>(value); }

int Base64DecodeChar(char c) {
    if (c >= 'A' && c <= 'Z')
        return c - 'A';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 26;
    if (c >= '0' && c <= '9')
        return c - '0' + 52;
    if (c == '+')
        return 62;
    if (c == '/')
        return 63;
    return -1;
}

std::array<char, 4> Base64EncodeTriplet(quint8 b0, quint8 b1, quint8 b2) {
    return {Base64EncodeChar(b0 >> 2), Base64EncodeChar(((b0 & 3) << 4) | (b1 >> 4)),
            Base64EncodeChar(((b1 & 15) << 2) | (b2 >> 6)), Base64EncodeChar(b2 & 63)};
}

std::optional<std::array<quint8, 3>> Base64DecodeQuad(const std::array<char, 4>& quad) {
    int v[4];
    for (int i = 0; i < 4; ++i) {
        v[i] = quad[i] == '=' ? 0 : Base64DecodeChar(quad[i]);
        if (v[i] < 0)
            return std::nullopt;
    }
    return std::array<quint8, 3>{static_cast<quint8>((v[0] << 2) | (v[1] >> 4)),
                                 static_cast<quint8>(((v[1] & 15) << 4) | (v[2] >> 2)),
                                 static_cast<quint8>(((v[2] & 3) << 6) | v[3])};
}

QByteArray Base64EncodeBuffer(const QByteArray& source) {
    QByteArray out;
    Base64EncodeBuffer(source, true, out);
    return out;
}

bool Base64EncodeBuffer(const QByteArray& source, bool pad, QByteArray& destination) {
    if (source.size() % 3 != 0 && !pad)
        return false;
    QByteArray out;
    Base64Append(source, out);
    destination = std::move(out);
    return true;
}

void Base64Append(QByteArrayView source, QByteArray& destination) {
    // The characters of every 12-bit value, two at a time.
    static const std::array<std::array<char, 2>, 4096> Pairs = [] {
        std::array<std::array<char, 2>, 4096> table{};
        for (int v = 0; v < 4096; ++v)
            table[size_t(v)] = {Alphabet[v >> 6], Alphabet[v & 63]};
        return table;
    }();
    const qsizetype n = source.size();
    const qsizetype rest = n % 3;
    const qsizetype start = destination.size();
    destination.resize(start + Base64EncodedSize(n));
    const auto* in = reinterpret_cast<const quint8*>(source.data());
    char* o = destination.data() + start;
    qsizetype i = 0;
    for (; i + 3 <= n; i += 3, o += 4) {
        const quint32 v = (quint32(in[i]) << 16) | (quint32(in[i + 1]) << 8) | in[i + 2];
        std::memcpy(o, Pairs[v >> 12].data(), 2);
        std::memcpy(o + 2, Pairs[v & 0xFFF].data(), 2);
    }
    if (rest != 0) {
        auto q = Base64EncodeTriplet(in[i], rest == 2 ? in[i + 1] : 0, 0);
        if (rest == 1)
            q[2] = '=';
        q[3] = '=';
        std::copy(q.begin(), q.end(), o);
    }
}

bool Base64DecodeBuffer(QByteArrayView source, QByteArray& destination) {
    const std::array<qint8, 256>& Values = DecodeValues();
    QByteArray out(source.size() / 4 * 3, Qt::Uninitialized);
    auto* o = reinterpret_cast<quint8*>(out.data());
    const auto* in = reinterpret_cast<const quint8*>(source.data());
    const qsizetype n = source.size();
    int v[4];
    int filled = 0;
    int padding = 0;  // "=" seen in the current group
    bool ended = false;  // a padded group was seen; nothing may follow
    for (qsizetype i = 0; i < n; ++i) {
        // Whole groups of four alphabet characters, the bulk of any photo.
        while (filled == 0 && !ended && i + 4 <= n) {
            const int a = Values[in[i]], b = Values[in[i + 1]], c = Values[in[i + 2]], d = Values[in[i + 3]];
            if ((a | b | c | d) < 0)
                break;
            *o++ = quint8((a << 2) | (b >> 4));
            *o++ = quint8(((b & 15) << 4) | (c >> 2));
            *o++ = quint8(((c & 3) << 6) | d);
            i += 4;
        }
        if (i >= n)
            break;
        const int value = Values[in[i]];
        if (value == -3)
            continue;
        if (value == -1 || ended)
            return false;
        if (value == -2) {
            // "=" only in the third and fourth place, and the fourth must
            // follow a third.
            if (filled < 2)
                return false;
            ++padding;
            v[filled++] = 0;
        } else {
            if (padding > 0)
                return false;
            v[filled++] = value;
        }
        if (filled < 4)
            continue;
        *o++ = quint8((v[0] << 2) | (v[1] >> 4));
        if (padding < 2)
            *o++ = quint8(((v[1] & 15) << 4) | (v[2] >> 2));
        if (padding < 1)
            *o++ = quint8(((v[2] & 3) << 6) | v[3]);
        ended = padding > 0;
        filled = 0;
        padding = 0;
    }
    if (filled != 0)
        return false;
    out.truncate(reinterpret_cast<char*>(o) - out.constData());
    destination = out;
    return true;
}

bool Base64DecodeBuffer(const QString& source, QByteArray& destination) {
    for (const QChar c : source) {
        if (c.unicode() > 0x7F)
            return false;
    }
    return Base64DecodeBuffer(source.toLatin1(), destination);
}
