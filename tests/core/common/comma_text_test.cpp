#include <gtest/gtest.h>

#include "core/common/comma_text.h"
#include "core/common/text_search.h"
#include "support/temp_app_dir.h"

TEST(CommaText, SplitTable) {
    const std::pair<QString, QStringList> cases[] = {
        // A comma at the very end adds one empty field; a blank after it does not.
        {"a,,b", {"a", "", "b"}}, {",a", {"", "a"}}, {"a,", {"a", ""}}, {"a, ", {"a"}},
        // Blanks and control characters separate and are skipped around fields.
        {"  \t\r\na b", {"a", "b"}}, {"a , b", {"a", "b"}}, {"   ", {}},
        // Quoted fields: doubled quotes, commas, blanks and line breaks belong to them;
        // with no closing quote the field runs to the end of the text.
        {R"("a""b")", {"a\"b"}}, {R"("a, b",c)", {"a, b", "c"}}, {"\"l1\r\nl2\",x", {"l1\r\nl2", "x"}}, {R"("")", {""}},
        {R"("abc, def)", {"abc, def"}},
        // Text after a closing quote starts a new field; a quote inside an unquoted field is plain.
        {R"("a"b,c)", {"a", "b", "c"}}, {R"(a"b,c)", {"a\"b", "c"}},
        // NUL ends the text.
        {QString::fromUtf16(u"a,\0b", 4), {"a", ""}}, {QString::fromUtf16(u"\"a\0b\"", 5), {"a"}},
        // "　" (81 40) is not a blank here, "ー" (81 5B) and "、" are plain text.
        {Sjis("\x83\x5E\x83\x7D\x83\x53\x81\x40\x81\x5B,\x96\xBC\x81\x41\x8E\x9A"),
         {Sjis("\x83\x5E\x83\x7D\x83\x53\x81\x40\x81\x5B"), Sjis("\x96\xBC\x81\x41\x8E\x9A")}},
    };
    for (const auto& [text, fields] : cases)
        EXPECT_EQ(SplitCommaText(text), fields) << text.toStdString();
}

TEST(TextSearch, ExactCaseSensitiveAndWholeCharacters) {
    const QString pair = QString::fromUtf8("\xF0\xA0\x80\x8B");  // U+2000B
    const QString lowHalf(pair[1]);
    // {text, word, from, index}; a match never starts inside a surrogate pair.
    const std::tuple<QString, QString, int, int> finds[] = {
        {"abcABCabc", "ABC", 0, 3}, {"abcABCabc", "abc", 1, 6}, {"abc", "Abc", 0, -1}, {"abc", "", 0, -1},
        {pair + "x", lowHalf, 0, -1}, {pair + "x" + lowHalf, lowHalf, 0, 3},
    };
    for (const auto& [text, word, from, index] : finds)
        EXPECT_EQ(FindText(text, word, from), index) << text.toStdString() << " / " << word.toStdString();
    EXPECT_EQ(ReplaceAllText("aaa", "aa", "b"), "ba");
    EXPECT_EQ(ReplaceAllText("a&b&", "&", "&amp;"), "a&amp;b&amp;");
    EXPECT_EQ(ReplaceAllText("abc", "", "x"), "abc");
}
