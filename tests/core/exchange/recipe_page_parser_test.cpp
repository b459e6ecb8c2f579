#include "core/exchange/recipe_page_parser.h"

#include <gtest/gtest.h>

#include <QFile>

#include "core/platform/sjis.h"

namespace {

QString Fixture(const char* name) {
    QFile file(QStringLiteral(SAPORIA_SOURCE_DIR "/tests/core/exchange/data/") + QLatin1String(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return QString::fromUtf8(file.readAll());
}

}  // namespace

TEST(RecipePageParser, BothMarkupFormsGiveTheRecipe) {
    const QStringList ingredients{"（2人分）", "●じゃがいも … 3個", "●牛肉 … 200g", "●砂糖 … "};
    const QStringList steps{"1.じゃがいもを切る。", "2.牛肉を炒める。", "色が変わったら", "じゃがいもを入れる。", "3.20分煮る。"};
    const std::vector<std::pair<const char*, QStringList>> rows{
        {"browser, as served", SplitLines(Fixture("recipe_browser_form.html"))},
        {"browser, normalised", SplitLines(NormaliseMarkup(Fixture("recipe_browser_form.html")))},
        {"plain, normalised", SplitLines(NormaliseMarkup(Fixture("recipe_plain_form.html")))},
    };
    for (const auto& [form, lines] : rows) {
        SCOPED_TRACE(form);
        const TParsedPage page = ParsePage(lines);
        EXPECT_EQ(page.Title, QStringLiteral("肉じゃが"));
        EXPECT_EQ(page.Amount, QStringLiteral("2人分"));
        EXPECT_EQ(page.PhotoUrl, QStringLiteral("/photos/nikujaga.jpg"));
        EXPECT_EQ(page.Ingredients, ingredients) << lines.join('\n').toStdString();
        EXPECT_EQ(page.Steps, steps);
    }
}

TEST(RecipePageParser, LinesOneByOne) {
    const QString photo = QStringLiteral("<DIV id=main-photo><IMG class=photo alt=写真 src=\"http://x/a.jpg%1\"></DIV>");
    const QString title = QStringLiteral("<H1 class=\"recipe-title fn\">%1 </H1>");
    const QString name = QStringLiteral("<DIV class=ingredient_name>塩 </DIV>");
    struct TRow {
        const char* Case;
        QStringList Lines, Ingredients;
        QString Photo, Title;
    };
    const std::vector<TRow> rows{
        {"ingredient on the last line ends the scan", {title.arg("鍋"), name}, {}, {}, "鍋"},
        {"quantity line without its marker", {name, "<DIV>少々 </DIV>"}, {"●塩 … "}, {}, {}},
        {"photo without ?", {photo.arg("")}, {}, {}, {}},
        {"photo with ?", {photo.arg("?w=1&h=2")}, {}, "http://x/a.jpg", {}},
        {"later title wins", {title.arg("一"), title.arg("二")}, {}, {}, "二"},
        {"no markers", {"<h1 class=recipe-title>x</h1>"}, {}, {}, {}},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Case);
        const TParsedPage page = ParsePage(row.Lines);
        EXPECT_EQ(page.Ingredients, row.Ingredients);
        EXPECT_EQ(page.PhotoUrl, row.Photo);
        EXPECT_EQ(page.Title, row.Title);
    }
}

TEST(RecipePageParser, ExtractBetweenAndNormalisedMarkup) {
    const std::vector<std::array<QString, 4>> extracts{
        {"a<b>text</b>c", "<b>", "</b>", "text"}, {"a<b>text", "<b>", "</b>", ""}, {"</b><b>x", "<b>", "</b>", ""},
        {"xx", "y", "x", ""}, {"1?2?3", "1", "?", ""},
    };
    for (const auto& [line, start, end, result] : extracts)
        EXPECT_EQ(ExtractBetween(line, start, end), result) << line.toStdString();
    const std::vector<std::pair<QString, QString>> markup{
        {"<div class=\"a b\" id='x'>t</div>", "<DIV class=\"a b\" id=x>t</DIV>"},
        {"<p>a<br/>b<BR >c</p>", "<P>a<BR>b<BR>c</P>"},
        {"<span>a</span>\n  <span>b</span>", "<SPAN>a</SPAN><SPAN>b</SPAN>"},
        {"x\n  y <div>z\n</div>", "x y\r\n<DIV>z </DIV>"},
        {"<a href=\"http://x/?a=1\">1 < 2</a>", "<A href=\"http://x/?a=1\">1 < 2</A>"},
        {"<!-- <div> -->", "<!-- <div> -->"},
    };
    for (const auto& [html, normalised] : markup)
        EXPECT_EQ(NormaliseMarkup(html), normalised) << html.toStdString();
}

TEST(RecipePageParser, UnencodableCharactersAreMarked) {
    int replaced = 0;
    TParsedPage page;
    page.Title = QStringLiteral("鍋😀");
    page.Steps = {QStringLiteral("1.한煮る🍲"), QStringLiteral("2.～")};
    page = ReplaceUnencodable(page, replaced);
    EXPECT_EQ(page.Title, QStringLiteral("鍋〓"));
    EXPECT_EQ(page.Steps, (QStringList{QStringLiteral("1.〓煮る〓"), QStringLiteral("2.～")}));
    EXPECT_EQ(replaced, 3);
}
