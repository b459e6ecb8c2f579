#include <gtest/gtest.h>

#include "core/platform/saporia_error.h"
#include "print_test_support.h"

namespace {

TSettings Postcard(int style) {
    TSettings settings;
    settings.PrintType = style;
    settings.PaperSize = QStringLiteral("ハガキ");
    return settings;
}

TComposedJob Fill(TReport& layout, const TSettings& settings, const TRecipePrintInput& input) {
    FillRecipeLayout(layout, settings, input);
    return Compose(layout);
}

}  // namespace

TEST(ReportComposerTest, LongMethodContinuesWithHeaderAndFooterOnEveryPage) {
    UseJapaneseFonts();
    TSettings settings = Postcard(1);
    settings.HeaderType = 1;
    settings.RightFooterType = 4;
    TPrintLayouts layouts;
    TReport& layout = layouts.Create(RecipeLayoutFor(settings));
    const TRecipePrintInput input = SampleRecipe(40);
    const TComposedJob job = Fill(layout, settings, input);
    ASSERT_GE(job.Pages.size(), 2u);
    const double headerHeight = 26 * 25.4 / 96;
    const double bodyBottom = 148 - 10 - headerHeight;
    for (const TComposedPage& page : job.Pages) {
        EXPECT_EQ(ItemsOf(page, "QRLabel3").size(), 1u);
        EXPECT_EQ(ItemsOf(page, "QRLabel7").front().Lines, QStringList{"350kcal"});
        for (const TPlacedItem& item : ItemsOf(page, "QRRichText2"))
            EXPECT_LE(item.Rect.top() + item.Lines.size() * item.LineHeight, bodyBottom + 1e-6);
    }
    // Page 2 carries on right below its header, with no title or photo.
    const auto rest = ItemsOf(job.Pages[1], "QRRichText2");
    ASSERT_EQ(rest.size(), 1u);
    EXPECT_NEAR(rest.front().Rect.top(), 10 + headerHeight, 1e-9);
    EXPECT_TRUE(ItemsOf(job.Pages[1], "QRLabel1").empty());
    EXPECT_TRUE(ItemsOf(job.Pages[1], "QRImage1").empty());
    // Not a line lost or doubled.
    const TTextBlock all = MeasureText(input.How, layout.Box("QRRichText2").Font, layout.Box("QRRichText2").Width);
    EXPECT_EQ(LineCount(job, "QRRichText2"), all.Lines.size());
    QStringList joined;
    for (const TComposedPage& page : job.Pages)
        for (const TPlacedItem& item : ItemsOf(page, "QRRichText2"))
            joined += item.Lines;
    EXPECT_EQ(joined, all.Lines);
}

TEST(ReportComposerTest, StyleDBandTakesTheTallerColumn) {
    UseJapaneseFonts();
    struct TRow {
        int MethodLines;
        int FoodLines;
        QString Taller;
    };
    const std::vector<TRow> rows{{30, 2, "QRRichText2"}, {1, 30, "QRRichText1"}};
    for (const TRow& row : rows) {
        TPrintLayouts layouts;
        TSettings settings;
        settings.PrintType = 4;
        TReport& layout = layouts.Create("TPrintFormA4D");
        TRecipePrintInput input = SampleRecipe(row.MethodLines);
        input.Foodstuff.clear();
        for (int i = 0; i < row.FoodLines; ++i)
            input.Foodstuff += QStringLiteral("材料 %1\r\n").arg(i);
        FillRecipeLayout(layout, settings, input);
        // A band after the detail band shows where the detail band ended.
        TReportBox marker;
        marker.Name = "Marker";
        marker.Text = "next";
        marker.Font = {ProportionalGothic, 9, false};
        layout.Bands.insert(layout.Bands.end() - 1, {"After", TBandKind::Child, 5, {marker}});
        const TComposedJob job = Compose(layout);
        ASSERT_EQ(job.Pages.size(), 1u);
        const TPlacedItem taller = ItemsOf(job.Pages[0], row.Taller).front();
        EXPECT_GT(taller.Rect.height(), 95.51);
        EXPECT_NEAR(ItemsOf(job.Pages[0], "Marker").front().Rect.top(), taller.Rect.bottom(), 1e-9);
    }
}

TEST(ReportComposerTest, CrampedPagesStillEnd) {
    UseJapaneseFonts();
    struct TRow {
        int Style;
        int Margin;
        int FontSize;
    };
    // Wide margins on a postcard, and a font taller than the page body.
    const std::vector<TRow> rows{{1, 30, 9}, {2, 30, 9}, {3, 30, 9}, {4, 30, 9}, {1, 30, 200}, {4, 10, 400}, {2, 10, 100000}};
    for (const TRow& row : rows) {
        TSettings settings = Postcard(row.Style);
        settings.LeftMargin = settings.RightMargin = settings.TopMargin = settings.BottomMargin = row.Margin;
        settings.PrintFontSize = row.FontSize;
        settings.HeaderType = settings.FooterType = 2;
        TPrintLayouts layouts;
        TReport& layout = layouts.Create(RecipeLayoutFor(settings));
        const TRecipePrintInput input = SampleRecipe(2);
        const TComposedJob job = Fill(layout, settings, input);
        EXPECT_LT(job.Pages.size(), 1000u) << row.Style << " " << row.FontSize;
        const TReportBox& method = layout.Box("QRRichText2");
        EXPECT_EQ(LineCount(job, "QRRichText2"), MeasureText(method.Text, method.Font, method.Width).Lines.size());
        for (const TComposedPage& page : job.Pages)
            EXPECT_TRUE(HasBand(page, "PageBand1"));
    }
}

TEST(ReportComposerTest, NoRoomIsRefused) {
    UseJapaneseFonts();
    struct TRow {
        int Left, Right, Top, Bottom, FontSize;
    };
    const std::vector<TRow> rows{
        {50, 50, 10, 10, 9},   // no band width on a postcard
        {60, 45, 10, 10, 9},
        {10, 10, 70, 70, 9},   // no body between header and footer
        {10, 10, 10, 10, 0},   // font size
        {10, 10, 10, 10, -7},
    };
    for (const TRow& row : rows) {
        TSettings settings = Postcard(1);
        settings.LeftMargin = row.Left;
        settings.RightMargin = row.Right;
        settings.TopMargin = row.Top;
        settings.BottomMargin = row.Bottom;
        settings.PrintFontSize = row.FontSize;
        settings.HeaderType = settings.FooterType = 1;
        TPrintLayouts layouts;
        TReport& layout = layouts.Create(RecipeLayoutFor(settings));
        EXPECT_THROW(Fill(layout, settings, SampleRecipe()), TSaporiaError) << row.Left << " " << row.FontSize;
    }
    // A page per line, more lines than the page cap: refused, not thousands of pages.
    TReport list = MakePrintLayout("TPrintFormLetterRecipeList");
    TReportBox& text = list.Box("QRRichText1");
    text.Font.PointSize = 300;
    text.Text = QString("x\r\n").repeated(MaxComposedPages + 10);
    EXPECT_THROW(Compose(list), TSaporiaError);
}

TEST(ReportComposerTest, EveryBoxFitsItsBandAndPageAtTheDesignMargins) {
    UseJapaneseFonts();
    for (const QString& name : PrintLayoutNames()) {
        const TReport layout = MakePrintLayout(name);
        const double width = layout.BandWidth();
        double height = 0;
        for (const TReportBand& band : layout.Bands) {
            height += band.Height;
            for (const TReportBox& box : band.Boxes) {
                if (box.Kind == TBoxKind::Label)
                    continue;  // placed by their alignment
                EXPECT_GE(box.Left, 0) << name.toStdString() << " " << box.Name.toStdString();
                EXPECT_GE(box.Top, 0) << name.toStdString() << " " << box.Name.toStdString();
                EXPECT_LE(box.Left + box.Width, width + 1e-9) << name.toStdString() << " " << box.Name.toStdString();
                EXPECT_LE(box.Top + box.Height, band.Height + 1e-9)
                    << name.toStdString() << " " << box.Name.toStdString();
            }
        }
        EXPECT_LE(height, layout.PaperSize().height() - 20) << name.toStdString();
    }
    // And once filled with the default settings, photo on and off.
    for (int type = 1; type <= 4; ++type) {
        for (const QString& paper : {QStringLiteral("A4"), QStringLiteral("A5"), QStringLiteral("B5"),
                                     QStringLiteral("ハガキ")}) {
            for (bool photo : {true, false}) {
                TSettings settings;
                settings.PrintType = type;
                settings.PaperSize = paper;
                settings.PrintPicture = photo;
                TReport layout = MakePrintLayout(RecipeLayoutFor(settings));
                FillRecipeLayout(layout, settings, SampleRecipe());
                for (const TReportBand& band : layout.Bands) {
                    for (const TReportBox& box : band.Boxes) {
                        if (box.Kind != TBoxKind::Label && box.Visible) {
                            EXPECT_LE(box.Left + box.Width, layout.BandWidth() + 1e-9)
                                << layout.Name.toStdString() << " " << box.Name.toStdString() << " " << photo;
                        }
                    }
                }
            }
        }
    }
}
