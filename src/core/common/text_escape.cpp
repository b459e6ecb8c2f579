#include "core/common/text_escape.h"

#include <array>
#include <utility>

#include "core/common/text_search.h"

namespace {

// The order matters: "&" goes first so that no later code is touched, and
// unescaping walks the same order.
const std::array<std::pair<const char*, const char*>, 9> EscapeTable{{
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

}  // namespace

QString EscapeXmlText(const QString& text, bool escape) {
    QString result = text;
    for (const auto& [plain, code] : EscapeTable) {
        const QString from = QString::fromLatin1(escape ? plain : code);
        const QString to = QString::fromLatin1(escape ? code : plain);
        result = ReplaceAllText(result, from, to);
    }
    return result;
}
