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
