#include "core/web/news_text.h"

#include <gtest/gtest.h>

namespace {

const QString Long = QString(300, u'x');
const QString Pair = QStringLiteral("🍛");  // two UTF-16 units

}  // namespace

TEST(NewsText, RowShowsTheFirstLinesCutShort) {
    const std::pair<QString, QString> rows[] = {
        {"", ""},
        {"one", "one"},
        {"a\r\nb\rc\n", "a\nb\nc"},
        {"a\r\nb\rc\nd", "a\nb\nc…"},
        {"\n\n\nd", "\n\n…"},
        {Long, Long.left(NewsRowLineChars) + u'…'},
        {"a\n" + Long + "\nb", "a\n" + Long.left(NewsRowLineChars) + "\nb…"},
        // A surrogate pair across the cut is left out whole.
        {Long.left(NewsRowLineChars - 1) + Pair, Long.left(NewsRowLineChars - 1) + u'…'},
        {Long.left(NewsRowLineChars - 2) + Pair, Long.left(NewsRowLineChars - 2) + Pair},
    };
    for (const auto& [description, row] : rows)
        EXPECT_EQ(NewsRowText(description), row) << description.left(40).toStdString();
}

TEST(NewsText, DetailBreaksAtEveryBrInAnyCase) {
    const std::pair<QString, QString> rows[] = {
        {"", ""},
        {"one<br />two<BR />three<Br />", "one\r\ntwo\r\nthree\r\n"},
        {"<br/><br><b>x</b>", "<br/><br><b>x</b>"},
        {"<br /><br />", "\r\n\r\n"},
        {"a<br /", "a<br /"},
    };
    for (const auto& [description, detail] : rows)
        EXPECT_EQ(NewsDetailText(description), detail) << description.toStdString();
}
