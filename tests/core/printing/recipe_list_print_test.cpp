#include <gtest/gtest.h>

#include "core/printing/recipe_list_print.h"
#include "print_test_support.h"

namespace {

TCookItem Recipe(const QString& name, const QString& kind = {}, const QString& amount = {}, const QString& group = {}) {
    TCookItem item;
    item.Name = name;
    item.Kind = kind;
    item.Amount = amount;
    item.Group = group;
    return item;
}

QList<int> AllRows(const TCookItems& items) {
    QList<int> rows;
    for (int i = 0; i < items.size(); ++i)
        rows.append(i);
    return rows;
}

QString Lines(const QStringList& lines) { return lines.join("\r\n") + "\r\n"; }

}  // namespace

TEST(RecipeListPrintTest, IndexGroupsAndSortsTheShownRecipes) {
    struct TRow {
        QString What;
        TCookItems Items;
        int Type;
        QString Text;
    };
    const std::vector<TRow> rows{
        {"first characters", {Recipe("ぶり大根"), Recipe("カレー"), Recipe("あじフライ")}, 0,
         Lines({"―あ―", "     あじフライ", "", "―カ―", "     カレー", "", "―ぶ―", "     ぶり大根"})},
        {"case makes three headings", {Recipe("abe"), Recipe("abc"), Recipe("ABD")}, 0,
         Lines({"―a―", "     abc", "", "―A―", "     ABD", "", "―a―", "     abe"})},
        {"leading blank: no heading", {Recipe("b"), Recipe(" a")}, 0, Lines({"      a", "", "―b―", "     b"})},
        {"empty kinds share one heading",
         {Recipe("煮物", "和食"), Recipe("サラダ"), Recipe("スープ"), Recipe("うどん", "和食")}, 1,
         Lines({"―指定なし―", "     サラダ", "     スープ", "", "―和食―", "     うどん", "     煮物"})},
        {"amount", {Recipe("b", "", "2人前"), Recipe("a", "", "1人前")}, 2,
         Lines({"―1人前―", "     a", "", "―2人前―", "     b"})},
        {"group", {Recipe("b", "", "", "朝食"), Recipe("a", "", "", "朝食")}, 3, Lines({"―朝食―", "     a", "     b"})},
        {"quotes and commas", {Recipe("\"x\", y", "k"), Recipe("a,b", "k")}, 1, Lines({"―k―", "     \"x\", y", "     a,b"})},
        {"three blanks as first key", {Recipe("a", "   ")}, 1, Lines({"     a"})},
        {"keys alike in Japanese order do not interleave",
         {Recipe("1", "たまご"), Recipe("2", "タマゴ"), Recipe("3", "たまご"), Recipe("4", "タマゴ")}, 1,
         Lines({"―たまご―", "     1", "     3", "", "―タマゴ―", "     2", "     4"})},
        {"unknown type", {Recipe("a")}, 4, ""},
    };
    for (const TRow& row : rows)
        EXPECT_EQ(RecipeIndexText(row.Items, AllRows(row.Items), row.Type), row.Text) << row.What.toStdString();
    // Only the shown rows are printed.
    EXPECT_EQ(RecipeIndexText({Recipe("a"), Recipe("b"), Recipe("c")}, {2}, 0), Lines({"―c―", "     c"}));
}

TEST(RecipeListPrintTest, LongListRunsOverPagesEachWithItsHeading) {
    const std::vector<std::tuple<QString, int, int, double>> rows{{"A4", 15, 20, 171.5}, {"ハガキ", 10, 10, 76.5}};
    TCookItems items;
    for (int i = 0; i < 400; ++i)
        items.append(Recipe(QStringLiteral("レシピ%1").arg(i, 3, 10, QLatin1Char('0'))));
    for (const auto& [paper, left, right, width] : rows) {
        SCOPED_TRACE(paper.toStdString());
        TSettings settings = PrintSettings(1, paper);
        settings.LeftMargin = left;
        settings.RightMargin = right;
        TReport layout = MakePrintLayout(ListLayoutFor(settings));
        FillListLayout(layout, settings, RecipeIndexText(items, AllRows(items), 0));
        EXPECT_NEAR(layout.Box("QRRichText1").Width, width, 1e-9);
        const TComposedJob job = Compose(layout);
        EXPECT_GE(job.Pages.size(), 4u);
        for (const TComposedPage& page : job.Pages)
            EXPECT_EQ(FirstOf(page, "QRLabel3").Lines, QStringList{"レシピ一覧"});
        EXPECT_EQ(LinesOf(job, "QRRichText1").size(), 401);  // one heading, then every name
    }
}

namespace {

// A collection of `count` recipes whose names begin with assorted characters
// (kana, kanji, Latin in both cases, a blank) and whose keys repeat.
TCookItems Collection(int count, int nameLength = 0) {
    static const QStringList starts{"あじ", "カレー", "肉じゃが", "Apple", "apple", " スープ", "ぶり", "ABC"};
    static const QStringList keys{"主菜", "", "副菜", "汁物", "デザート", "朝食"};
    TCookItems items;
    for (int i = 0; i < count; ++i) {
        QString name = starts[i % starts.size()] + QStringLiteral("%1").arg(count - i, 5, 10, QLatin1Char('0'));
        while (name.size() < nameLength)
            name += QStringLiteral("と野菜の煮込み");
        items.append(Recipe(name, keys[i % keys.size()], keys[(i / 2) % keys.size()], keys[(i / 3) % keys.size()]));
    }
    return items;
}

}  // namespace

// The index pages of a table of collections and layouts, exactly as they
// were composed before composing moved off the window's thread: the page
// count, the lines of the first page and every page's content.
TEST(RecipeListPrintTest, IndexPagesAreThoseOfBefore) {
    struct TRow {
        int Count;
        int NameLength;
        int Type;
        QString Paper;
        int FontSize;
        int Left, Right, TopBottom;
        bool SameWidth;
        size_t Pages;
        qsizetype FirstPageLines;
        QString Digest;
    };
    const std::vector<TRow> rows{
        {0, 0, 0, "A4", 9, 10, 10, 10, false, 1, 0, "a9c33ea18644b2a6"},
        {300, 0, 0, "A4", 9, 10, 10, 10, false, 6, 78, "fb01c9c38ef0e9df"},
        {1000, 0, 1, "A5", 12, 10, 10, 10, false, 26, 39, "12b8ec5020ece3c8"},
        {1000, 0, 2, "ハガキ", 9, 15, 20, 5, false, 27, 37, "a2d7867ab85c2f04"},
        {2000, 0, 3, "B5", 10, 10, 10, 10, true, 34, 60, "ff23fecf43f60178"},
        {200, 40, 0, "ハガキ", 9, 10, 10, 10, false, 15, 34, "5051755edcf1a453"},  // names wrap
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(QStringLiteral("%1 recipes, type %2, %3").arg(row.Count).arg(row.Type).arg(row.Paper).toStdString());
        TSettings settings = PrintSettings(1, row.Paper);
        settings.ContentsType = row.Type;
        settings.PrintFontSize = row.FontSize;
        settings.LeftMargin = row.Left;
        settings.RightMargin = row.Right;
        settings.TopMargin = settings.BottomMargin = row.TopBottom;
        settings.UseSameWidthFont = row.SameWidth;
        const TCookItems items = Collection(row.Count, row.NameLength);
        TReport layout = MakePrintLayout(ListLayoutFor(settings));
        FillListLayout(layout, settings, RecipeIndexText(items, AllRows(items), row.Type));
        const TComposedJob job = Compose(layout);
        const auto first = ItemsOf(job.Pages.at(0), "QRRichText1");
        EXPECT_EQ(job.Pages.size(), row.Pages);
        EXPECT_EQ(first.empty() ? 0 : first[0].Lines.size(), row.FirstPageLines);
        EXPECT_EQ(JobDigest(job), row.Digest);
    }
}
