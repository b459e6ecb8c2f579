#include "common/base64.h"

namespace {

const char Alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

bool IsIgnored(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

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
    const qsizetype n = source.size();
    const qsizetype rest = n % 3;
    if (rest != 0 && !pad)
        return false;
    const auto* in = reinterpret_cast<const quint8*>(source.constData());
    QByteArray out((n + 2) / 3 * 4, Qt::Uninitialized);
    char* o = out.data();
    qsizetype i = 0;
    for (; i + 3 <= n; i += 3, o += 4) {
        const auto q = Base64EncodeTriplet(in[i], in[i + 1], in[i + 2]);
        std::copy(q.begin(), q.end(), o);
    }
    if (rest != 0) {
        auto q = Base64EncodeTriplet(in[i], rest == 2 ? in[i + 1] : 0, 0);
        if (rest == 1)
            q[2] = '=';
        q[3] = '=';
        std::copy(q.begin(), q.end(), o);
    }
    destination = out;
    return true;
}

bool Base64DecodeBuffer(const QByteArray& source, QByteArray& destination) {
    QByteArray out;
    out.reserve(source.size() / 4 * 3);
    std::array<char, 4> quad{};
    int filled = 0;
    bool ended = false;  // a padded group was seen; nothing may follow
    for (const char c : source) {
        if (IsIgnored(c))
            continue;
        if (ended)
            return false;
        quad[filled++] = c;
        if (filled < 4)
            continue;
        filled = 0;
        int padding = 0;
        if (quad[3] == '=')
            padding = quad[2] == '=' ? 2 : 1;
        // "=" counts only at the end of a group, and never for more than two.
        if (quad[0] == '=' || quad[1] == '=' || (quad[2] == '=' && quad[3] != '='))
            return false;
        const auto bytes = Base64DecodeQuad(quad);
        if (!bytes)
            return false;
        out.append(reinterpret_cast<const char*>(bytes->data()), 3 - padding);
        ended = padding > 0;
    }
    if (filled != 0)
        return false;
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
