#include "core/platform/text_codes.h"

#include <array>
#include <utility>

namespace {

// "&" goes first, so no later code is touched; decoding walks the same order.
const std::array<std::pair<const char*, const char*>, 9> TextCodes{{
    {"&", "@#38;"},
    {"<", "@#60;"},
    {">", "@#62;"},
    {"[", "@#91;"},
    {"]", "@#93;"},
    {"%", "@#37;"},
    {"*", "@#42;"},
    {"\t", "@#09;"},
    {"\r\n", "@#13;@#10;"},
}};

QString Apply(const QString& text, bool encode) {
    QString result = text;
    for (const auto& [plain, code] : TextCodes) {
        const QString from = QString::fromLatin1(encode ? plain : code);
        const QString to = QString::fromLatin1(encode ? code : plain);
        result.replace(from, to, Qt::CaseSensitive);
    }
    return result;
}

}  // namespace

QString EncodeTextCodes(const QString& text) { return Apply(text, true); }

QString DecodeTextCodes(const QString& text) { return Apply(text, false); }
