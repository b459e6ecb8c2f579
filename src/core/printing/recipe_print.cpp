#include "core/printing/recipe_print.h"

#include <array>
#include <cmath>

#include "core/printing/print_layouts.h"
#include "core/printing/report.h"
#include "core/settings/fonts.h"
#include "core/settings/settings.h"

namespace {

enum class TField { Left, Top, Width, Height };
enum class TWhen { Always, PhotoOn, PhotoOff };
enum class TMargin { Fixed, MinusM, MinusHalfM };

// One value the settings move: a box's field per paper (A4, A5, B5,
// postcard), less the margin excess where the band narrows.
struct TGeometryRule {
    int Style;
    TWhen When;
    const char* Box;
    TField Field;
    std::array<double, 4> Values;
    TMargin Margin;
};

constexpr std::array<TGeometryRule, 21> GeometryRules{{
    {1, TWhen::Always, "QRImage1", TField::Width, {76.5, 44.7, 61.6, 28.0}, TMargin::MinusM},
    {1, TWhen::Always, "QRRichText2", TField::Width, {180.2, 119.1, 154.8, 76.5}, TMargin::MinusM},
    {2, TWhen::Always, "QRRichText2", TField::Width, {180.2, 120.4, 154.8, 74.3}, TMargin::MinusM},
    {3, TWhen::Always, "QRImage1", TField::Left, {67.7, 40.2, 57.2, 27.5}, TMargin::MinusHalfM},
    {3, TWhen::Always, "QRRichText1", TField::Width, {180.2, 120.7, 152.7, 76.5}, TMargin::MinusM},
    {3, TWhen::Always, "QRRichText2", TField::Width, {180.2, 120.7, 152.7, 76.5}, TMargin::MinusM},
    {4, TWhen::Always, "QRRichText2", TField::Width, {120.9, 61.6, 95.5, 46.8}, TMargin::MinusM},

    {1, TWhen::PhotoOn, "QRRichText1", TField::Width, {101.9, 72.2, 89.2, 44.7}, TMargin::Fixed},
    {2, TWhen::PhotoOn, "QRRichText1", TField::Left, {84.7, 50.8, 69.9, 33.9}, TMargin::Fixed},
    {2, TWhen::PhotoOn, "QRRichText1", TField::Width, {101.9, 73.8, 89.2, 44.7}, TMargin::MinusM},
    {3, TWhen::PhotoOn, "QRRichText1", TField::Top, {63.5, 50.8, 55.0, 27.5}, TMargin::Fixed},
    {3, TWhen::PhotoOn, "QRRichText1", TField::Height, {36.2, 48.92, 36.2, 19.3}, TMargin::Fixed},
    {4, TWhen::PhotoOn, "QRRichText1", TField::Top, {63.5, 63.5, 63.5, 33.9}, TMargin::Fixed},
    {4, TWhen::PhotoOn, "QRRichText1", TField::Height, {36.2, 36.2, 36.2, 36.2}, TMargin::Fixed},

    {1, TWhen::PhotoOff, "QRRichText1", TField::Width, {182.3, 120.9, 154.8, 76.5}, TMargin::Fixed},
    {2, TWhen::PhotoOff, "QRRichText1", TField::Left, {4.2, 4.2, 4.2, 4.2}, TMargin::Fixed},
    {2, TWhen::PhotoOff, "QRRichText1", TField::Width, {182.3, 120.4, 154.8, 74.3}, TMargin::Fixed},
    {3, TWhen::PhotoOff, "QRRichText1", TField::Top, {4.2, 4.2, 4.2, 2.1}, TMargin::Fixed},
    {3, TWhen::PhotoOff, "QRRichText1", TField::Height, {95.5, 95.5, 87.0, 44.7}, TMargin::Fixed},
    {4, TWhen::PhotoOff, "QRRichText1", TField::Top, {4.2, 4.2, 4.2, 4.2}, TMargin::Fixed},
    {4, TWhen::PhotoOff, "QRRichText1", TField::Height, {95.5, 95.5, 95.5, 65.9}, TMargin::Fixed},
}};

void ApplyRules(TReport& layout, int style, TWhen when, int m) {
    for (const TGeometryRule& rule : GeometryRules) {
        if (rule.Style != style || rule.When != when)
            continue;
        double value = rule.Values[size_t(layout.Paper)];
        if (rule.Margin == TMargin::MinusM)
            value -= m;
        else if (rule.Margin == TMargin::MinusHalfM)
            value -= m / 2;  // integer division truncates toward zero
        TReportBox& box = layout.Box(QLatin1String(rule.Box));
        switch (rule.Field) {
        case TField::Left:
            box.Left = value;
            break;
        case TField::Top:
            box.Top = value;
            break;
        case TField::Width:
            box.Width = value;
            break;
        case TField::Height:
            box.Height = value;
            break;
        }
    }
}

// A header or footer band: hidden when all three codes are 0, else 26 pixels
// high with the three texts.
void FillEdgeBand(TReport& layout, const QString& band, const std::array<int, 3>& codes,
                  const std::array<QString, 3>& labels, const TSettings& settings, const TCookItem& item) {
    if (codes[0] == 0 && codes[1] == 0 && codes[2] == 0) {
        layout.SetBandHeightPixels(band, 0);
        return;
    }
    layout.SetBandHeightPixels(band, 26);
    for (size_t i = 0; i < 3; ++i) {
        TReportBox& label = layout.Box(labels[i]);
        label.Font.PointSize = settings.PrintFontSize;
        label.Text = PrintAttrText(item, codes[i]);
    }
}

int StyleOfLayout(const TReport& layout) {
    const QChar last = layout.Name.back();
    return last.unicode() - u'A' + 1;
}

}  // namespace

QString PrintAttrText(const TCookItem& item, int code) {
    QString text;
    switch (code) {
    case 1:
        text = item.Group;
        break;
    case 2:
        text = item.Kind;
        break;
    case 3:
        text = item.Amount;
        break;
    case 4:
        text = item.Calorie + QStringLiteral("kcal");
        break;
    case 5:
        text = item.Price + QStringLiteral("円");
        break;
    case 6:
        text = item.WorkTime;
        break;
    case 7:
        text = item.Salt;
        break;
    default:
        break;
    }
    if (text == QLatin1String("kcal") || text == QStringLiteral("円"))
        return {};
    return text;
}

int MarginExcess(const TSettings& settings) { return settings.LeftMargin + settings.RightMargin - 20; }

QString PaneText(const QString& plainText) {
    if (plainText.isEmpty())
        return {};
    QString text = plainText;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return text + QLatin1String("\r\n");
}

QString PrintQuestion(const QString& paperSize) {
    return QStringLiteral("用紙サイズ : ") + paperSize + QStringLiteral("\r\n\r\n印刷してもよろしいですか？");
}

QString RecipeLayoutFor(const TSettings& settings) {
    const std::optional<TPaper> paper = PaperOfSetting(settings.PaperSize);
    return paper ? RecipeLayoutName(*paper, settings.PrintType) : QString();
}

void FillRecipeLayout(TReport& layout, const TSettings& settings, const TRecipePrintInput& input) {
    const int m = MarginExcess(settings);
    const int style = StyleOfLayout(layout);
    layout.LeftMargin = settings.LeftMargin;
    layout.RightMargin = settings.RightMargin;
    layout.TopMargin = settings.TopMargin;
    layout.BottomMargin = settings.BottomMargin;
    ApplyRules(layout, style, TWhen::Always, m);

    FillEdgeBand(layout, QStringLiteral("QRBand2"),
                 {settings.HeaderType, settings.LeftHeaderType, settings.RightHeaderType},
                 {QStringLiteral("QRLabel3"), QStringLiteral("QRLabel4"), QStringLiteral("QRLabel5")}, settings,
                 input.Item);
    FillEdgeBand(layout, QStringLiteral("PageBand1"),
                 {settings.FooterType, settings.LeftFooterType, settings.RightFooterType},
                 {QStringLiteral("QRLabel2"), QStringLiteral("QRLabel6"), QStringLiteral("QRLabel7")}, settings,
                 input.Item);

    TReportBox& title = layout.Box(QStringLiteral("QRLabel1"));
    title.Font.PointSize = settings.PrintFontSize + 7;
    for (const QString& name : {QStringLiteral("QRRichText1"), QStringLiteral("QRRichText2")}) {
        TReportBox& box = layout.Box(name);
        box.Font.PointSize = settings.PrintFontSize;
        box.Font.Family = PaneFontName(settings.UseSameWidthFont);
    }
    title.Text = input.Item.Name;
    layout.Box(QStringLiteral("QRRichText1")).Text = input.Foodstuff;
    layout.Box(QStringLiteral("QRRichText2")).Text =
        settings.PrintComment ? input.How + QStringLiteral("\r\n") + input.Comment : input.How;

    TReportBox& image = layout.Box(QStringLiteral("QRImage1"));
    if (settings.PrintPicture) {
        ApplyRules(layout, style, TWhen::PhotoOn, m);
        image.Visible = true;
        FitPictureToPrintImage(input.Photo, layout, image.Name);
    } else {
        ApplyRules(layout, style, TWhen::PhotoOff, m);
        image.Visible = false;
    }
}

QSize FitPictureSize(QSize picture, QSize box) {
    if (box.isEmpty())
        return {0, 0};  // margins that leave the box no room
    if (picture.isEmpty())
        return box;
    const double w = picture.width();
    const double h = picture.height();
    // Compare the ratios as products so the matching side is exact.
    if (double(box.width()) * h <= double(box.height()) * w)
        return {box.width(), int(std::floor(h * box.width() / w))};
    return {int(std::floor(w * box.height() / h)), box.height()};
}

void FitPictureToPrintImage(const QImage& source, TReport& layout, const QString& box) {
    TReportBox& image = layout.Box(box);
    const QSizeF pixels = layout.BoxPixelSize(box);
    const QSize boxSize(int(std::lround(pixels.width())), int(std::lround(pixels.height())));
    const QSize fitted = FitPictureSize(source.size(), boxSize);
    image.PictureSize = fitted;
    if (source.isNull() || fitted.isEmpty()) {
        image.Picture = QImage();
        return;
    }
    // Kept sharper than the screen size, enough for 300 dpi paper.
    const QSize print = fitted * (300.0 / DesignPixelsPerInch);
    image.Picture = source.width() > print.width() || source.height() > print.height()
                        ? source.scaled(print, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                        : source;
}
