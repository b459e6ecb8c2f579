#include <gtest/gtest.h>

#include "core/printing/recipe_list_print.h"
#include "print_test_support.h"

namespace {

QString Text(const TComposedPage& page, const QString& box) {
    const auto items = ItemsOf(page, box);
    return items.empty() ? QStringLiteral("<none>") : items.front().Lines.join(QLatin1Char('|'));
}

}  // namespace

TEST(RecipePrintTest, StyleAndPaperChooseTheLayout) {
    const std::vector<std::tuple<int, QString, QString, QString>> rows{
        {1, "A4", "TPrintFormA4A", "TPrintFormA4RecipeList"}, {2, "B5", "TPrintFormB5B", "TPrintFormB5RecipeList"},
        {3, "ハガキ", "TPrintFormLetterC", "TPrintFormLetterRecipeList"},
        {4, "A5", "TPrintFormA5D", "TPrintFormA5ReceiptList"},
        {1, "a4", "", ""},  // compared exactly
        {0, "A4", "", "TPrintFormA4RecipeList"}, {5, "A4", "", "TPrintFormA4RecipeList"},
    };
    const auto layouts = TPrintLayouts::CreateAll();
    for (const auto& [type, paper, recipe, list] : rows) {
        SCOPED_TRACE(std::to_string(type) + " " + paper.toStdString());
        EXPECT_EQ(RecipeLayoutFor(PrintSettings(type, paper)), recipe);
        EXPECT_EQ(ListLayoutFor(PrintSettings(type, paper)), list);
        EXPECT_TRUE(recipe.isEmpty() || layouts->Find(recipe));
    }
}

TEST(RecipePrintTest, MarginsMoveTheBoxesByTheExcess) {
    // style, paper, left and right margin, box, expected left on the page and width
    const std::vector<std::tuple<int, QString, int, int, QString, double, double>> rows{
        {1, "A4", 15, 15, "QRImage1", 15 + 107.95, 66.5},
        {3, "A4", 5, 6, "QRImage1", 5 + 71.7, 55.30},  // M = -9, M div 2 = -4
        {3, "A4", 5, 6, "QRRichText2", 5 + 4.23, 189.2},
        {2, "A5", 12, 13, "QRRichText1", 12 + 50.8, 68.8},  // M = 5, photo on
        {4, "ハガキ", 5, 6, "QRRichText2", 5 + 31.75, 55.8},
        {3, "ハガキ", 12, 11, "QRImage1", 12 + 26.5, 23.55},  // M = 3, M div 2 = 1
    };
    for (const auto& [type, paper, left, right, box, boxLeft, width] : rows) {
        SCOPED_TRACE(std::to_string(type) + " " + paper.toStdString() + " " + box.toStdString());
        TSettings settings = PrintSettings(type, paper);
        settings.LeftMargin = left;
        settings.RightMargin = right;
        TReport layout = MakePrintLayout(RecipeLayoutFor(settings));
        const auto items = ItemsOf(Fill(layout, settings, SampleRecipe()).Pages.at(0), box);
        ASSERT_FALSE(items.empty());
        EXPECT_NEAR(items.front().Rect.left(), boxLeft, 1e-9);
        EXPECT_NEAR(items.front().Rect.width(), width, 1e-9);
    }
}

// The layouts are kept between prints: switching the photo off and on again
// gives back the geometry it had; at the design margins no box leaves its band.
TEST(RecipePrintTest, PhotoOffThenOnAgainGivesTheSameGeometry) {
    TPrintLayouts layouts;
    for (const QString& name : PrintLayoutNames())
        layouts.Create(name);
    for (int type = 1; type <= 4; ++type) {
        for (const auto& [paper, margin] : std::vector<std::pair<QString, int>>{
                 {"A4", 10}, {"A4", 14}, {"A5", 10}, {"A5", 14}, {"B5", 10}, {"B5", 14}, {"ハガキ", 10}, {"ハガキ", 14}}) {
            TSettings settings = PrintSettings(type, paper);
            settings.LeftMargin = margin;
            TReport& layout = *layouts.Find(RecipeLayoutFor(settings));
            SCOPED_TRACE(layout.Name.toStdString() + " " + std::to_string(margin));
            auto geometry = [&] {
                std::vector<double> values;
                for (const TReportBand& band : layout.Bands)
                    for (const TReportBox& box : band.Boxes) {
                        values.insert(values.end(), {box.Left, box.Top, box.Width, box.Height});
                        const bool inside = box.Left + box.Width <= layout.BandWidth() + 1e-9;
                        EXPECT_TRUE(inside || margin > 10 || box.Kind == TBoxKind::Label || !box.Visible) << box.Name.toStdString();
                    }
                return values;
            };
            Fill(layout, settings, SampleRecipe());
            const auto first = geometry();
            settings.PrintPicture = false;
            EXPECT_TRUE(ItemsOf(Fill(layout, settings, SampleRecipe()).Pages.at(0), "QRImage1").empty());
            geometry();
            settings.PrintPicture = true;
            Fill(layout, settings, SampleRecipe());
            EXPECT_EQ(geometry(), first);
        }
    }
}

TEST(RecipePrintTest, AttributeCodesGiveTheirTexts) {
    TCookItem item;
    item.Group = "朝食", item.Kind = "パスタ", item.Amount = "2人前", item.Calorie = "350";
    item.Price = "500", item.WorkTime = "30分", item.Salt = "2g";
    TCookItem odd;  // an attribute whose whole text is "kcal" or "円" prints nothing
    odd.Price = "円", odd.Group = "kcal";
    const std::vector<std::tuple<const TCookItem*, int, QString>> rows{
        {&item, 0, ""},      {&item, 1, "朝食"}, {&item, 2, "パスタ"}, {&item, 3, "2人前"}, {&item, 4, "350kcal"},
        {&item, 5, "500円"}, {&item, 6, "30分"}, {&item, 7, "2g"},     {&item, 8, ""},      {&odd, 5, "円円"},
        {&odd, 1, ""},
    };
    for (const auto& [recipe, code, text] : rows)
        EXPECT_EQ(PrintAttrText(*recipe, code), text) << code;
}

TEST(RecipePrintTest, HeaderAndFooterBandsFollowTheCodes) {
    // header code, right footer code, calorie, header shown, footer shown, right footer text
    const std::vector<std::tuple<int, int, QString, bool, bool, QString>> rows{
        {0, 4, "350", false, true, "350kcal"}, {0, 4, "", false, true, ""},
        {9, 0, "350", true, false, "<none>"},  // an unknown code still shows the band
        {0, 0, "350", false, false, "<none>"},
    };
    const double band = 26 * 25.4 / 96;  // header and footer: 26 design pixels
    for (const auto& [header, rightFooter, calorie, headerShown, footerShown, rightText] : rows) {
        SCOPED_TRACE(std::to_string(header) + " " + std::to_string(rightFooter));
        TSettings settings = PrintSettings();
        settings.HeaderType = header;
        settings.RightFooterType = rightFooter;
        TRecipePrintInput input = SampleRecipe();
        input.Item.Calorie = calorie;
        TReport layout = MakePrintLayout("TPrintFormA4A");
        const TComposedPage page = Fill(layout, settings, input).Pages.at(0);
        EXPECT_EQ(HasBand(page, "QRBand2"), headerShown);
        EXPECT_EQ(HasBand(page, "PageBand1"), footerShown);
        EXPECT_EQ(Text(page, "QRLabel7"), rightText);
        if (footerShown) {
            EXPECT_NEAR(FirstOf(page, "QRLabel2").Rect.top(), 297 - 10 - band + 1.06, 1e-9);
        }
        // Without a header the title starts at the top margin.
        EXPECT_NEAR(FirstOf(page, "QRLabel1").Rect.top(), 10 + (headerShown ? band : 0) + 2.12, 1e-9);
        for (const TPlacedItem& item : page.Items)
            EXPECT_FALSE(item.Lines.join("").startsWith("QRLabel")) << "design caption printed";
    }
}

TEST(RecipePrintTest, FillTakesTextsTitleAndFontSizeAsGiven) {
    // name, print comment, comment, font size, lines of the method box
    const std::vector<std::tuple<QString, bool, QString, int, int>> rows{
        {"肉じゃが", false, "x\r\n", 9, 2},
        {"A&B", true, "", 9, 3},  // empty comment: one empty line after the method
        {"&&盛り合わせ", true, "甘め\r\n辛め\r\n", 12, 5},
    };
    for (const auto& [name, printComment, comment, fontSize, methodLines] : rows) {
        SCOPED_TRACE(name.toStdString());
        TSettings settings = PrintSettings();
        settings.PrintComment = printComment;
        settings.PrintFontSize = fontSize;
        TRecipePrintInput input = SampleRecipe(2);
        input.Item.Name = name;
        input.Comment = comment;
        TReport layout = MakePrintLayout("TPrintFormA4A");
        const TComposedJob job = Fill(layout, settings, input);
        EXPECT_EQ(Text(job.Pages.at(0), "QRLabel1"), name);
        EXPECT_EQ(FirstOf(job.Pages.at(0), "QRRichText1").Font.PointSize, fontSize);
        EXPECT_EQ(LinesOf(job, "QRRichText2").size(), methodLines);
    }
}

TEST(RecipePrintTest, PhotoAndPaneTextHelpers) {
    const std::vector<std::array<QSize, 3>> photos{
        // picture, box, fitted keeping its shape
        {QSize(400, 300), QSize(289, 289), QSize(289, 216)}, {QSize(300, 400), QSize(289, 289), QSize(216, 289)},
        {QSize(390, 400), QSize(251, 289), QSize(251, 257)},  // never wider than the box
        {QSize(), QSize(289, 289), QSize(289, 289)},         // no photo: the empty box
        {QSize(400, 300), QSize(-45, 105), QSize(0, 0)},     // margins left no room
    };
    for (const auto& [picture, box, fitted] : photos)
        EXPECT_EQ(FitPictureSize(picture, box), fitted) << picture.width() << "x" << box.width();
    const std::vector<std::pair<QString, QString>> panes{
        {"", ""}, {"a", "a\r\n"}, {"a\nb", "a\r\nb\r\n"}, {"a\n", "a\r\n\r\n"}, {"a\r\nb", "a\r\nb\r\n"}};
    for (const auto& [plain, text] : panes)
        EXPECT_EQ(PaneText(plain), text);
}
