#include <gtest/gtest.h>

#include "core/platform/saporia_error.h"
#include "print_test_support.h"

TEST(ReportComposerTest, LongMethodContinuesWithHeaderAndFooterOnEveryPage) {
    TSettings settings = PrintSettings(1, "ハガキ");
    settings.HeaderType = 1;
    settings.RightFooterType = 4;
    TReport layout = MakePrintLayout(RecipeLayoutFor(settings));
    const TRecipePrintInput input = SampleRecipe(40);
    const TComposedJob job = Fill(layout, settings, input);
    ASSERT_GE(job.Pages.size(), 2u);
    const double header = 26 * 25.4 / 96;
    for (const TComposedPage& page : job.Pages) {
        EXPECT_EQ(ItemsOf(page, "QRLabel3").size(), 1u);
        EXPECT_EQ(FirstOf(page, "QRLabel7").Lines, QStringList{"350kcal"});
        for (const TPlacedItem& item : ItemsOf(page, "QRRichText2"))
            EXPECT_LE(item.Rect.top() + item.Lines.size() * item.LineHeight, 148 - 10 - header + 1e-6);
    }
    // Page 2 carries on right below its header, with no title or photo.
    const auto rest = ItemsOf(job.Pages[1], "QRRichText2");
    ASSERT_EQ(rest.size(), 1u);
    EXPECT_NEAR(rest.front().Rect.top(), 10 + header, 1e-9);
    EXPECT_TRUE(ItemsOf(job.Pages[1], "QRLabel1").empty());
    EXPECT_TRUE(ItemsOf(job.Pages[1], "QRImage1").empty());
    // Not a line lost or doubled.
    const TReportBox& method = layout.Box("QRRichText2");
    EXPECT_EQ(LinesOf(job, "QRRichText2"), MeasureText(input.How, method.Font, method.Width).Lines);
}

TEST(ReportComposerTest, StyleDBandTakesTheTallerColumn) {
    const std::vector<std::tuple<int, int, QString>> rows{{30, 2, "QRRichText2"}, {1, 30, "QRRichText1"}};
    for (const auto& [methodLines, foodLines, taller] : rows) {
        TRecipePrintInput input = SampleRecipe(methodLines);
        input.Foodstuff.clear();
        for (int i = 0; i < foodLines; ++i)
            input.Foodstuff += QStringLiteral("材料 %1\r\n").arg(i);
        TReport layout = MakePrintLayout("TPrintFormA4D");
        FillRecipeLayout(layout, PrintSettings(4, "A4"), input);
        // A band after the detail band shows where the detail band ended.
        TReportBox marker;
        marker.Name = "Marker";
        marker.Text = "next";
        marker.Font = {ProportionalGothic, 9, false};
        layout.Bands.insert(layout.Bands.end() - 1, {"After", TBandKind::Child, 5, {marker}});
        const TComposedJob job = Compose(layout);
        ASSERT_EQ(job.Pages.size(), 1u);
        const TPlacedItem column = FirstOf(job.Pages[0], taller);
        EXPECT_GT(column.Rect.height(), 95.51) << taller.toStdString();
        EXPECT_NEAR(FirstOf(job.Pages[0], "Marker").Rect.top(), column.Rect.bottom(), 1e-9);
    }
}

// Cramped postcards either end with every line placed or are refused; they
// never loop or lose text.
TEST(ReportComposerTest, CrampedPagesEndOrAreRefused) {
    struct TRow {
        int Style, Left, Right, TopBottom, FontSize;
        bool Refused;
    };
    const std::vector<TRow> rows{
        {1, 30, 30, 30, 9, false},   {2, 30, 30, 30, 9, false},   {3, 30, 30, 30, 9, false},
        {4, 30, 30, 30, 9, false},   {1, 30, 30, 30, 200, false}, {2, 10, 10, 10, 100000, false},
        {1, 50, 50, 10, 9, true},    // no band width
        {1, 60, 45, 10, 9, true},    {1, 10, 10, 70, 9, true},    // no body between header and footer
        {1, 10, 10, 10, 0, true},    {1, 10, 10, 10, -7, true},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(std::to_string(row.Style) + " " + std::to_string(row.Left) + " " + std::to_string(row.FontSize));
        TSettings settings = PrintSettings(row.Style, "ハガキ");
        settings.LeftMargin = row.Left;
        settings.RightMargin = row.Right;
        settings.TopMargin = settings.BottomMargin = row.TopBottom;
        settings.PrintFontSize = row.FontSize;
        settings.HeaderType = settings.FooterType = 2;
        TReport layout = MakePrintLayout(RecipeLayoutFor(settings));
        if (row.Refused) {
            EXPECT_THROW(Fill(layout, settings, SampleRecipe(2)), TSaporiaError);
            continue;
        }
        const TComposedJob job = Fill(layout, settings, SampleRecipe(2));
        const TReportBox& method = layout.Box("QRRichText2");
        EXPECT_EQ(LinesOf(job, "QRRichText2").size(), MeasureText(method.Text, method.Font, method.Width).Lines.size());
        for (const TComposedPage& page : job.Pages)
            EXPECT_TRUE(HasBand(page, "PageBand1"));
    }
    // A page per line, more lines than the page cap: refused, not thousands of pages.
    TReport list = MakePrintLayout("TPrintFormLetterRecipeList");
    list.Box("QRRichText1").Font.PointSize = 300;
    list.Box("QRRichText1").Text = QString("x\r\n").repeated(MaxComposedPages + 10);
    EXPECT_THROW(Compose(list), TSaporiaError);
}

TEST(ReportComposerTest, EveryBoxFitsItsBandAndPageAtTheDesignMargins) {
    for (const QString& name : PrintLayoutNames()) {
        const TReport layout = MakePrintLayout(name);
        double height = 0;
        for (const TReportBand& band : layout.Bands) {
            height += band.Height;
            for (const TReportBox& box : band.Boxes) {
                if (box.Kind == TBoxKind::Label)
                    continue;  // placed by their alignment
                const QRectF rect(box.Left, box.Top, box.Width, box.Height);
                EXPECT_TRUE(QRectF(0, 0, layout.BandWidth() + 1e-9, band.Height + 1e-9).contains(rect))
                    << name.toStdString() << " " << box.Name.toStdString();
            }
        }
        EXPECT_LE(height, layout.PaperSize().height() - 20) << name.toStdString();
    }
}

// A page of a long text holds room for its own lines only: a list of 50,000
// recipes once kept room for the whole text on each of its 633 pages (1.3 GB
// of address space, pinning the allocator's memory after the preview).
TEST(ReportComposerTest, EachPageHoldsOnlyItsOwnLines) {
    for (const QString& name : {QStringLiteral("TPrintFormA4RecipeList"), QStringLiteral("TPrintFormA4A")}) {
        SCOPED_TRACE(name.toStdString());
        TReport layout = MakePrintLayout(name);
        UseJapaneseFonts();
        TReportBox& box = layout.Box(name.endsWith("List") ? "QRRichText1" : "QRRichText2");
        box.Text = QStringLiteral("     レシピ\r\n").repeated(3000);
        const TComposedJob job = Compose(layout);
        ASSERT_GE(job.Pages.size(), 10u);
        EXPECT_EQ(LinesOf(job, box.Name).size(), 3000);
        for (const TComposedPage& page : job.Pages)
            for (const TPlacedItem& item : ItemsOf(page, box.Name)) {
                EXPECT_LE(item.Lines.capacity(), 2 * item.Lines.size() + 16);
                EXPECT_LE(item.LineLefts.capacity(), 2 * item.LineLefts.size() + 16);
            }
    }
}
