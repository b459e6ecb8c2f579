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
    const QStringList ingredients{QStringLiteral("（2人分）"), QStringLiteral("●じゃがいも … 3個"),
                                  QStringLiteral("●牛肉 … 200g"), QStringLiteral("●砂糖 … ")};
    const QStringList steps{QStringLiteral("1.じゃがいもを切る。"), QStringLiteral("2.牛肉を炒める。"),
                            QStringLiteral("色が変わったら"), QStringLiteral("じゃがいもを入れる。"),
                            QStringLiteral("3.20分煮る。")};
    const struct {
        const char* Form;
        QStringList Lines;
    } rows[] = {
        {"browser, as served", SplitLines(Fixture("recipe_browser_form.html"))},
        {"browser, normalised", SplitLines(NormaliseMarkup(Fixture("recipe_browser_form.html")))},
        {"plain, normalised", SplitLines(NormaliseMarkup(Fixture("recipe_plain_form.html")))},
    };
    for (const auto& row : rows) {
        const TParsedPage page = ParsePage(row.Lines);
        EXPECT_EQ(page.Title, QStringLiteral("肉じゃが")) << row.Form;
        EXPECT_EQ(page.Amount, QStringLiteral("2人分")) << row.Form;
        EXPECT_EQ(page.PhotoUrl, QStringLiteral("/photos/nikujaga.jpg")) << row.Form;
        EXPECT_EQ(page.Ingredients, ingredients) << row.Form << "\n" << row.Lines.join('\n').toStdString();
        EXPECT_EQ(page.Steps, steps) << row.Form;
    }
}

TEST(RecipePageParser, LinesOneByOne) {
    const struct {
        const char* Case;
        QStringList Lines;
        QStringList Ingredients;
        QString Photo;
        QString Title;
    } rows[] = {
        {"ingredient on the last line ends the scan",
         {QStringLiteral("<H1 class=\"recipe-title fn\">鍋 </H1>"), QStringLiteral("<DIV class=ingredient_name>塩 </DIV>")},
         {},
         {},
         QStringLiteral("鍋")},
        {"quantity line without its marker",
         {QStringLiteral("<DIV class=ingredient_name>塩 </DIV>"), QStringLiteral("<DIV>少々 </DIV>")},
         {QStringLiteral("●塩 … ")},
         {},
         {}},
        {"photo without ?",
         {QStringLiteral("<DIV id=main-photo><IMG class=photo alt=写真 src=\"http://x/a.jpg\"></DIV>")},
         {},
         {},
         {}},
        {"photo with ?",
         {QStringLiteral("<DIV id=main-photo><IMG class=photo alt=写真 src=\"http://x/a.jpg?w=1&h=2\"></DIV>")},
         {},
         QStringLiteral("http://x/a.jpg"),
         {}},
        {"later title wins",
         {QStringLiteral("<H1 class=\"recipe-title fn\">一 </H1>"), QStringLiteral("<H1 class=\"recipe-title fn\">二 </H1>")},
         {},
         {},
         QStringLiteral("二")},
        {"no markers", {QStringLiteral("<h1 class=recipe-title>x</h1>")}, {}, {}, {}},
    };
    for (const auto& row : rows) {
        const TParsedPage page = ParsePage(row.Lines);
        EXPECT_EQ(page.Ingredients, row.Ingredients) << row.Case;
        EXPECT_EQ(page.PhotoUrl, row.Photo) << row.Case;
        EXPECT_EQ(page.Title, row.Title) << row.Case;
    }
}

TEST(RecipePageParser, ExtractBetween) {
    const struct {
        const char* Line;
        const char* Start;
        const char* End;
        const char* Result;
    } rows[] = {
        {"a<b>text</b>c", "<b>", "</b>", "text"}, {"a<b>text", "<b>", "</b>", ""},
        {"</b><b>x", "<b>", "</b>", ""},          {"xx", "y", "x", ""},
        {"<b></b>", "<b>", "</b>", ""},           {"1?2?3", "1", "?", ""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ExtractBetween(QString::fromUtf8(row.Line), QString::fromUtf8(row.Start), QString::fromUtf8(row.End)),
                  QString::fromUtf8(row.Result))
            << row.Line;
}

TEST(RecipePageParser, NormalisedMarkup) {
    const struct {
        const char* Html;
        const char* Normalised;
    } rows[] = {
        {"<div class=\"a b\" id='x'>t</div>", "<DIV class=\"a b\" id=x>t</DIV>"},
        {"<p>a<br/>b<BR >c</p>", "<P>a<BR>b<BR>c</P>"},
        {"<span>a</span>\n  <span>b</span>", "<SPAN>a</SPAN><SPAN>b</SPAN>"},
        {"x\n  y <div>z\n</div>", "x y\r\n<DIV>z </DIV>"},
        {"<a href=\"http://x/?a=1\">1 < 2</a>", "<A href=\"http://x/?a=1\">1 < 2</A>"},
        {"<!-- <div> -->", "<!-- <div> -->"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(NormaliseMarkup(QString::fromUtf8(row.Html)), QString::fromUtf8(row.Normalised)) << row.Html;
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
