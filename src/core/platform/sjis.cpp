#include "core/platform/sjis.h"

#include <algorithm>
#include <cerrno>
#include <utility>
#include <iconv.h>

#include <QList>

#include "core/platform/saporia_error.h"

namespace {

constexpr char16_t RawByteBase = 0xF700;

// One iconv descriptor per direction and thread, opened on first use.
class TIconv final {
public:
    TIconv(const char* to, const char* from) : Handle(iconv_open(to, from)) {
        if (Handle == reinterpret_cast<iconv_t>(-1))
            throw TSaporiaError(QStringLiteral("文字コード変換 (%1 → %2) を開けません").arg(from, to));
    }
    ~TIconv() { iconv_close(Handle); }
    TIconv(const TIconv&) = delete;
    TIconv& operator=(const TIconv&) = delete;

    void Reset() { iconv(Handle, nullptr, nullptr, nullptr, nullptr); }
    iconv_t Handle;
};

TIconv& Decoder() {
    thread_local TIconv d("UTF-16LE", "CP932");
    return d;
}

TIconv& Encoder() {
    thread_local TIconv e("CP932", "UTF-16LE");
    return e;
}

// Only bytes 0x80-0xFF can be invalid CP932, so only U+F780-U+F7FF stand for
// raw bytes. U+F700-U+F77F are ordinary characters that CP932 cannot hold:
// taken as raw bytes they would slip a line break, "<" or "/" into a file
// past every check made on the text.
bool IsRawByteChar(char16_t c) { return c >= RawByteBase + 0x80 && c <= RawByteBase + 0xFF; }

// iconv writes "¥" and "‾" as the bytes of "\" and "~", which read back as
// those: the stored text would change without a word, so they count as
// characters CP932 cannot hold. (Its other one-way forms, such as U+301C for
// "～", are the same JIS character and read back as CP932's form of it.)
bool IsSubstitutedChar(char16_t c) { return c == 0x00A5 || c == 0x203E; }

}  // namespace

QString FromSjis(const char* data, qsizetype size) {
    QString out;
    out.reserve(size);
    TIconv& dec = Decoder();
    dec.Reset();
    char16_t buffer[4096];
    char* in = const_cast<char*>(data);
    size_t inLeft = static_cast<size_t>(size);
    while (inLeft > 0) {
        char* outPtr = reinterpret_cast<char*>(buffer);
        size_t outLeft = sizeof(buffer);
        size_t r = iconv(dec.Handle, &in, &inLeft, &outPtr, &outLeft);
        out.append(reinterpret_cast<const QChar*>(buffer),
                   static_cast<qsizetype>((sizeof(buffer) - outLeft) / sizeof(char16_t)));
        if (r == static_cast<size_t>(-1)) {
            if (errno == E2BIG)
                continue;
            // EILSEQ or EINVAL (truncated final character): keep the byte as it is.
            out.append(QChar(RawByteBase + static_cast<unsigned char>(*in)));
            ++in;
            --inLeft;
            dec.Reset();
        }
    }
    return out;
}

QString FromSjis(const QByteArray& bytes) { return FromSjis(bytes.constData(), bytes.size()); }

std::optional<QByteArray> TryToSjis(const QString& text, TSjisFailure* failure) {
    QByteArray out;
    out.reserve(text.size() * 2);
    TIconv& enc = Encoder();
    enc.Reset();
    const char16_t* chars = reinterpret_cast<const char16_t*>(text.utf16());
    const qsizetype n = text.size();
    char buffer[8192];
    qsizetype pos = 0;
    // Where each raw byte went: (its index in the text, its offset in `out`).
    QList<std::pair<qsizetype, qsizetype>> rawBytes;
    while (pos < n) {
        if (IsRawByteChar(chars[pos])) {
            rawBytes.append({pos, out.size()});
            out.append(static_cast<char>(chars[pos] - RawByteBase));
            ++pos;
            continue;
        }
        if (IsSubstitutedChar(chars[pos])) {
            if (failure) {
                failure->Position = static_cast<int>(pos);
                failure->Character = text.mid(pos, 1);
            }
            return std::nullopt;
        }
        qsizetype runEnd = pos;
        while (runEnd < n && !IsRawByteChar(chars[runEnd]) && !IsSubstitutedChar(chars[runEnd]))
            ++runEnd;
        char* in = reinterpret_cast<char*>(const_cast<char16_t*>(chars + pos));
        size_t inLeft = static_cast<size_t>(runEnd - pos) * sizeof(char16_t);
        while (inLeft > 0) {
            char* outPtr = buffer;
            size_t outLeft = sizeof(buffer);
            size_t r = iconv(enc.Handle, &in, &inLeft, &outPtr, &outLeft);
            out.append(buffer, static_cast<qsizetype>(sizeof(buffer) - outLeft));
            if (r == static_cast<size_t>(-1) && errno != E2BIG) {
                const qsizetype bad = (reinterpret_cast<const char16_t*>(in) - chars);
                if (failure) {
                    failure->Position = static_cast<int>(bad);
                    const bool pair = bad + 1 < n && QChar::isHighSurrogate(chars[bad]) &&
                                      QChar::isLowSurrogate(chars[bad + 1]);
                    failure->Character = text.mid(bad, pair ? 2 : 1);
                }
                enc.Reset();
                return std::nullopt;
            }
        }
        pos = runEnd;
    }
    // A raw byte must read back as itself: a lead byte followed by a trail
    // byte, or a byte that is a character on its own, would read back as a
    // different character and the user's text would change.
    for (const auto& [textPos, offset] : rawBytes) {
        const QString back = FromSjis(out.constData() + offset, std::min<qsizetype>(2, out.size() - offset));
        if (back.isEmpty() || back[0] != QChar(chars[textPos])) {
            if (failure) {
                failure->Position = static_cast<int>(textPos);
                failure->Character = text.mid(textPos, 1);
                failure->StrayByte = true;
            }
            return std::nullopt;
        }
    }
    return out;
}

QString SjisFailureMessage(const TSjisFailure& failure) {
    if (failure.StrayByte)
        return QStringLiteral("読み込めなかったバイト 0x%1 (%2文字目) は続く文字と結び付いて別の文字になるため保存できません")
            .arg(failure.Character.isEmpty() ? 0 : failure.Character[0].unicode() - RawByteBase, 2, 16, QLatin1Char('0'))
            .arg(failure.Position + 1);
    return QStringLiteral("「%1」(%2文字目) は Shift-JIS で保存できない文字です")
        .arg(failure.Character)
        .arg(failure.Position + 1);
}

QByteArray ToSjis(const QString& text) {
    TSjisFailure failure;
    if (auto bytes = TryToSjis(text, &failure))
        return *bytes;
    throw TSaporiaError(SjisFailureMessage(failure));
}

bool IsSjisEncodable(const QString& text) { return TryToSjis(text).has_value(); }

qsizetype SjisByteLength(const QString& text) { return ToSjis(text).size(); }

QStringList SplitLines(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

QString Trim(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin].unicode() <= 0x20)
        ++begin;
    while (end > begin && text[end - 1].unicode() <= 0x20)
        --end;
    return text.mid(begin, end - begin);
}

QString ToCrLf(const QString& text) {
    QString out;
    out.reserve(text.size() + text.size() / 16);
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c == u'\r') {
            out.append(u"\r\n");
            if (i + 1 < n && text[i + 1] == u'\n')
                ++i;
        } else if (c == u'\n') {
            out.append(u"\r\n");
        } else {
            out.append(c);
        }
    }
    return out;
}
