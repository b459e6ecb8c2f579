#include <gtest/gtest.h>

#include <cmath>

#include "core/printing/recipe_list_print.h"
#include "print_test_support.h"

namespace {

// Fills the layout the settings choose and composes it.
TComposedJob PrintOn(TPrintLayouts& layouts, const TSettings& settings, const TRecipePrintInput& input) {
    TReport* layout = layouts.Find(RecipeLayoutFor(settings));
    EXPECT_NE(layout, nullptr);
    FillRecipeLayout(*layout, settings, input);
    return Compose(*layout);
}

QString Text(const TComposedPage& page, const QString& box) {
    const auto items = ItemsOf(page, box);
    return items.empty() ? QStringLiteral("<none>") : items.front().Lines.join(QLatin1Char('|'));
}

}  // namespace

TEST(RecipePrintTest, StyleAndPaperChooseTheLayout) {
    struct TRow {
        int Type;
        QString Paper;
        QString Recipe;
        QString List;
    };
    const std::vector<TRow> rows{
        {1, "A4", "TPrintFormA4A", "TPrintFormA4RecipeList"},
        {2, "B5", "TPrintFormB5B", "TPrintFormB5RecipeList"},
        {3, "ハガキ", "TPrintFormLetterC", "TPrintFormLetterRecipeList"},
        {4, "A5", "TPrintFormA5D", "TPrintFormA5ReceiptList"},
        {1, "a4", "", ""},  // compared exactly
        {1, "B5 ", "", ""},
        {1, "Letter", "", ""},
        {0, "A4", "", "TPrintFormA4RecipeList"},
        {5, "A4", "", "TPrintFormA4RecipeList"},
        {-1, "A5", "", "TPrintFormA5ReceiptList"},
    };
    for (const TRow& row : rows) {
        TSettings settings;
        settings.PrintType = row.Type;
        settings.PaperSize = row.Paper;
        EXPECT_EQ(RecipeLayoutFor(settings), row.Recipe) << row.Type << " " << row.Paper.toStdString();
        EXPECT_EQ(ListLayoutFor(settings), row.List) << row.Paper.toStdString();
    }
    // Every name a setting can give is one of the twenty layouts.
    const auto layouts = TPrintLayouts::CreateAll();
    EXPECT_EQ(layouts->Count(), 20);
    for (const TRow& row : rows) {
        if (!row.Recipe.isEmpty()) {
            EXPECT_NE(layouts->Find(row.Recipe), nullptr);
        }
    }
}

TEST(RecipePrintTest, MarginsMoveTheBoxesByTheExcess) {
    UseJapaneseFonts();
    struct TRow {
        int Type;
        QString Paper;
        int Left, Right;
        QString Box;
        double Left_, Width;  // expected on the page: margin + box left, box width
    };
    const std::vector<TRow> rows{
        {1, "A4", 10, 10, "QRImage1", 10 + 107.95, 76.5},
        {1, "A4", 15, 15, "QRImage1", 15 + 107.95, 66.5},
        {1, "A4", 5, 6, "QRImage1", 5 + 107.95, 85.5},
        {3, "A4", 15, 15, "QRImage1", 15 + 62.7, 55.30},
        {3, "A4", 5, 6, "QRImage1", 5 + 71.7, 55.30},     // M = -9, M div 2 = -4
        {3, "A4", 5, 6, "QRRichText2", 5 + 4.23, 189.2},
        {2, "A5", 12, 13, "QRRichText1", 12 + 50.8, 68.8},  // M = 5
        {4, "ハガキ", 5, 6, "QRRichText2", 5 + 31.75, 55.8},
        {3, "ハガキ", 12, 11, "QRImage1", 12 + 26.5, 23.55},  // M = 3, M div 2 = 1
    };
    TPrintLayouts layouts;
    for (const QString& name : PrintLayoutNames())
        layouts.Create(name);
    for (const TRow& row : rows) {
        TSettings settings;
        settings.PrintType = row.Type;
        settings.PaperSize = row.Paper;
        settings.LeftMargin = row.Left;
        settings.RightMargin = row.Right;
        const TComposedJob job = PrintOn(layouts, settings, SampleRecipe());
        const auto items = ItemsOf(job.Pages.at(0), row.Box);
        ASSERT_FALSE(items.empty()) << row.Box.toStdString();
        EXPECT_NEAR(items.front().Rect.left(), row.Left_, 1e-9) << row.Type << row.Box.toStdString() << row.Left;
        EXPECT_NEAR(items.front().Rect.width(), row.Width, 1e-9) << row.Type << row.Box.toStdString() << row.Left;
    }
}

TEST(RecipePrintTest, PhotoOffThenOnAgainGivesTheSameGeometry) {
    UseJapaneseFonts();
    TPrintLayouts layouts;
    for (const QString& name : PrintLayoutNames())
        layouts.Create(name);
    for (int type = 1; type <= 4; ++type) {
        for (const QString& paper : {QStringLiteral("A4"), QStringLiteral("A5"), QStringLiteral("B5"),
                                     QStringLiteral("ハガキ")}) {
            TSettings settings;
            settings.PrintType = type;
            settings.PaperSize = paper;
            settings.LeftMargin = 14;
            const TReport* layout = layouts.Find(RecipeLayoutFor(settings));
            auto geometry = [&] {
                std::vector<double> values;
                for (const TReportBand& band : layout->Bands)
                    for (const TReportBox& box : band.Boxes)
                        values.insert(values.end(), {box.Left, box.Top, box.Width, box.Height});
                return values;
            };
            PrintOn(layouts, settings, SampleRecipe());
            const auto first = geometry();
            settings.PrintPicture = false;
            const TComposedJob without = PrintOn(layouts, settings, SampleRecipe());
            EXPECT_TRUE(ItemsOf(without.Pages.at(0), QStringLiteral("QRImage1")).empty());
            settings.PrintPicture = true;
            PrintOn(layouts, settings, SampleRecipe());
            EXPECT_EQ(geometry(), first) << layout->Name.toStdString();
        }
    }
}

TEST(RecipePrintTest, AttributeCodesGiveTheirTexts) {
    TCookItem item;
    item.Group = "朝食";
    item.Kind = "パスタ";
    item.Amount = "2人前";
    item.Calorie = "350";
    item.Price = "500";
    item.WorkTime = "30分";
    item.Salt = "2g";
    TCookItem empty;
    TCookItem odd;
    odd.Price = "円";
    odd.Group = "kcal";  // an attribute whose whole text is "kcal" or "円" prints nothing
    odd.Kind = "円";
    struct TRow {
        const TCookItem* Item;
        int Code;
        QString Text;
    };
    const std::vector<TRow> rows{
        {&item, 0, ""},        {&item, 1, "朝食"}, {&item, 2, "パスタ"},  {&item, 3, "2人前"},
        {&item, 4, "350kcal"}, {&item, 5, "500円"}, {&item, 6, "30分"},   {&item, 7, "2g"},
        {&item, 8, ""},        {&item, 9, ""},      {&item, -1, ""},       {&empty, 4, ""},
        {&empty, 5, ""},       {&odd, 5, "円円"},   {&odd, 1, ""},  {&odd, 2, ""},
    };
    for (const TRow& row : rows)
        EXPECT_EQ(PrintAttrText(*row.Item, row.Code), row.Text) << row.Code;
}

TEST(RecipePrintTest, HeaderAndFooterBandsFollowTheCodes) {
    UseJapaneseFonts();
    struct TRow {
        int Header, RightFooter;
        QString Calorie;
        bool HeaderShown, FooterShown;
        QString RightFooterText;
    };
    const std::vector<TRow> rows{
        {0, 4, "350", false, true, "350kcal"},
        {0, 4, "", false, true, ""},
        {9, 0, "350", true, false, "<none>"},  // an unknown code still shows the band
        {0, 0, "350", false, false, "<none>"},
    };
    for (const TRow& row : rows) {
        TPrintLayouts layouts;
        layouts.Create("TPrintFormA4A");
        TSettings settings;
        settings.HeaderType = row.Header;
        settings.RightFooterType = row.RightFooter;
        TRecipePrintInput input = SampleRecipe();
        input.Item.Calorie = row.Calorie;
        const TComposedJob job = PrintOn(layouts, settings, input);
        const TComposedPage& page = job.Pages.at(0);
        EXPECT_EQ(HasBand(page, "QRBand2"), row.HeaderShown) << row.Header;
        EXPECT_EQ(HasBand(page, "PageBand1"), row.FooterShown) << row.RightFooter;
        EXPECT_EQ(Text(page, "QRLabel7"), row.RightFooterText);
        if (row.FooterShown) {
            EXPECT_EQ(Text(page, "QRLabel2"), "");
            EXPECT_EQ(Text(page, "QRLabel6"), "");
            // 26 design pixels above the bottom margin.
            EXPECT_NEAR(ItemsOf(page, "QRLabel2").front().Rect.top(), 297 - 10 - 26 * 25.4 / 96 + 1.06, 1e-9);
        }
        // Without a header the title starts at the top margin.
        const double titleTop = ItemsOf(page, "QRLabel1").front().Rect.top();
        EXPECT_NEAR(titleTop, 10 + (row.HeaderShown ? 26 * 25.4 / 96 : 0) + 2.12, 1e-9);
        for (const TPlacedItem& item : page.Items)
            EXPECT_FALSE(item.Lines.join("").startsWith("QRLabel")) << "design caption printed";
    }
}

TEST(RecipePrintTest, FillTakesFontsTextsAndTitleAsGiven) {
    UseJapaneseFonts();
    struct TRow {
        QString Name;
        bool SameWidth, Comment;
        QString Comment_;
        int FontSize;
        int MethodLines;  // lines of the method box
    };
    const std::vector<TRow> rows{
        {"肉じゃが", false, false, "x\r\n", 9, 2},
        {"A&B", true, true, "", 9, 3},  // empty comment: one empty line after the method
        {"&&盛り合わせ", false, true, "甘め\r\n辛め\r\n", 12, 5},
    };
    for (const TRow& row : rows) {
        TPrintLayouts layouts;
        TSettings settings;
        settings.UseSameWidthFont = row.SameWidth;
        settings.PrintComment = row.Comment;
        settings.PrintFontSize = row.FontSize;
        TReport& layout = layouts.Create("TPrintFormA4A");
        TRecipePrintInput input = SampleRecipe(2);
        input.Item.Name = row.Name;
        input.Comment = row.Comment_;
        FillRecipeLayout(layout, settings, input);
        const TComposedJob job = Compose(layout);
        const TComposedPage& page = job.Pages.at(0);
        EXPECT_EQ(Text(page, "QRLabel1"), row.Name);
        EXPECT_EQ(ItemsOf(page, "QRLabel1").front().Font.PointSize, row.FontSize + 7);
        EXPECT_EQ(ItemsOf(page, "QRLabel1").front().Font.Family, ProportionalGothic);
        EXPECT_EQ(ItemsOf(page, "QRRichText2").front().Font.Family, PaneFontName(row.SameWidth));
        EXPECT_EQ(ItemsOf(page, "QRRichText1").front().Font.PointSize, row.FontSize);
        EXPECT_EQ(LineCount(job, "QRRichText2"), row.MethodLines) << row.Name.toStdString();
        EXPECT_EQ(LineCount(job, "QRRichText1"), 3);
    }
}

TEST(RecipePrintTest, PhotoIsFittedKeepingItsShape) {
    struct TRow {
        QSize Picture, Box, Fitted;
    };
    const std::vector<TRow> rows{
        {{400, 300}, {289, 289}, {289, 216}},
        {{300, 400}, {289, 289}, {216, 289}},
        {{300, 300}, {251, 289}, {251, 251}},  // square stays square
        {{390, 400}, {251, 289}, {251, 257}},  // never wider than the box
        {{100, 1000}, {289, 289}, {28, 289}},
        {{}, {289, 289}, {289, 289}},         // no photo: the empty box
        {{400, 300}, {-45, 105}, {0, 0}},      // margins left no room
    };
    for (const TRow& row : rows)
        EXPECT_EQ(FitPictureSize(row.Picture, row.Box), row.Fitted) << row.Picture.width() << "x" << row.Box.width();
}

TEST(RecipePrintTest, PaneTextEndsEveryLine) {
    const std::vector<std::pair<QString, QString>> rows{
        {"", ""}, {"a", "a\r\n"}, {"a\nb", "a\r\nb\r\n"}, {"a\n", "a\r\n\r\n"}, {"a\r\nb", "a\r\nb\r\n"}};
    for (const auto& [plain, text] : rows)
        EXPECT_EQ(PaneText(plain), text);
    EXPECT_EQ(PrintQuestion("ハガキ"), QStringLiteral("用紙サイズ : ハガキ\r\n\r\n印刷してもよろしいですか？"));
}
