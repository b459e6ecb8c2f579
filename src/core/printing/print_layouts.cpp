#include "core/printing/print_layouts.h"

#include <array>

#include "core/platform/saporia_error.h"
#include "core/settings/fonts.h"

namespace {

struct TGeometry {
    double Left, Top, Width, Height;
};

// One recipe layout as designed, mm relative to its band.
struct TRecipeDesign {
    TPaper Paper;
    int Style;  // 1-4: A-D
    double DetailHeight;
    double ChildHeight;  // 0: no child band (style D)
    TGeometry Image;
    TGeometry Ingredients;
    TGeometry Method;  // in the child band, or in the detail band for style D
};

constexpr std::array<TRecipeDesign, 16> RecipeDesigns{{
    {TPaper::A4, 1, 83.34, 42.33, {107.95, 4.23, 76.46, 76.46}, {4.23, 4.23, 101.90, 74.35}, {4.23, 2.12, 180.18, 36.25}},
    {TPaper::A5, 1, 83.34, 42.33, {80.43, 4.23, 44.71, 44.71}, {4.23, 4.23, 72.20, 74.35}, {4.23, 2.12, 119.06, 36.25}},
    {TPaper::B5, 1, 68.53, 42.33, {97.37, 4.23, 61.65, 61.65}, {4.23, 4.23, 89.16, 61.65}, {4.23, 2.12, 154.78, 36.25}},
    {TPaper::Postcard, 1, 34.66, 42.33, {50.80, 4.23, 28.05, 27.78}, {2.12, 4.23, 44.71, 27.78}, {2.12, 2.12, 76.46, 36.25}},
    {TPaper::A4, 2, 83.34, 44.45, {4.23, 4.23, 74.35, 74.35}, {84.67, 4.23, 101.86, 74.35}, {4.23, 2.12, 180.18, 40.48}},
    {TPaper::A5, 2, 83.34, 44.45, {4.23, 4.23, 44.71, 44.71}, {50.80, 4.23, 73.82, 74.35}, {4.23, 2.12, 120.39, 40.48}},
    {TPaper::B5, 2, 70.64, 44.45, {4.23, 4.23, 61.65, 61.65}, {69.85, 4.23, 89.16, 61.65}, {4.23, 2.12, 154.78, 40.48}},
    {TPaper::Postcard, 2, 36.78, 44.45, {4.23, 4.23, 27.78, 27.78}, {33.87, 4.23, 44.71, 27.78}, {4.23, 2.12, 74.35, 40.48}},
    {TPaper::A4, 3, 102.39, 38.10, {67.73, 4.23, 55.30, 55.30}, {4.23, 63.50, 180.18, 36.25}, {4.23, 2.12, 180.18, 32.01}},
    {TPaper::A5, 3, 102.39, 38.10, {40.22, 4.23, 44.71, 44.71}, {4.23, 50.80, 120.65, 48.95}, {4.23, 2.12, 120.65, 32.01}},
    {TPaper::B5, 3, 93.93, 38.10, {57.15, 4.23, 48.95, 48.95}, {4.23, 55.03, 152.66, 36.25}, {4.23, 2.12, 152.66, 32.01}},
    {TPaper::Postcard, 3, 49.48, 29.63, {27.52, 2.12, 23.55, 23.55}, {2.12, 27.52, 76.46, 19.31}, {2.12, 2.12, 76.46, 25.66}},
    {TPaper::A4, 4, 102.39, 0, {4.23, 4.23, 55.30, 55.30}, {4.23, 63.50, 55.30, 36.25}, {65.62, 4.23, 120.90, 95.51}},
    {TPaper::A5, 4, 102.39, 0, {4.23, 4.23, 55.30, 55.30}, {4.23, 63.50, 55.30, 36.25}, {63.50, 4.23, 61.65, 95.51}},
    {TPaper::B5, 4, 102.39, 0, {4.23, 4.23, 55.30, 55.30}, {4.23, 63.50, 55.30, 36.25}, {63.50, 4.23, 95.51, 95.51}},
    {TPaper::Postcard, 4, 72.76, 0, {2.12, 4.23, 27.78, 27.78}, {2.12, 33.87, 27.78, 36.25}, {31.75, 4.23, 46.83, 65.88}},
}};

struct TListDesign {
    TPaper Paper;
    double DetailHeight;
    TGeometry Text;
};

constexpr std::array<TListDesign, 4> ListDesigns{{
    {TPaper::A4, 32.54, {2.12, 2.12, 186.53, 27.78}},
    {TPaper::A5, 32.54, {2.12, 2.12, 123.03, 27.78}},
    {TPaper::B5, 30.43, {2.12, 2.12, 156.90, 26.46}},
    {TPaper::Postcard, 26.19, {2.12, 2.12, 76.46, 21.43}},
}};

constexpr double HeaderHeight = 6.35;  // 24 design pixels
constexpr double TitleHeight = 10.58;  // 40 design pixels
constexpr double LabelTop = 1.06;

QString PaperPart(TPaper paper) {
    switch (paper) {
    case TPaper::A4:
        return QStringLiteral("A4");
    case TPaper::A5:
        return QStringLiteral("A5");
    case TPaper::B5:
        return QStringLiteral("B5");
    case TPaper::Postcard:
        return QStringLiteral("Letter");
    }
    return {};
}

TReportBox Label(const QString& name, TBoxAlign align, double top, double size, bool bold = false) {
    TReportBox box;
    box.Name = name;
    box.Kind = TBoxKind::Label;
    box.Top = top;
    box.Align = align;
    box.Font = {ProportionalGothic, size, bold};
    box.Text = name;  // the design caption
    return box;
}

TReportBox Box(const QString& name, TBoxKind kind, const TGeometry& g) {
    TReportBox box;
    box.Name = name;
    box.Kind = kind;
    box.Left = g.Left;
    box.Top = g.Top;
    box.Width = g.Width;
    box.Height = g.Height;
    box.Font = {ProportionalGothic, 9, false};
    return box;
}

TReport RecipeLayout(const QString& name, const TRecipeDesign& d) {
    TReport report;
    report.Name = name;
    report.Paper = d.Paper;
    report.Bands.push_back({QStringLiteral("QRBand2"), TBandKind::PageHeader, HeaderHeight,
                            {Label(QStringLiteral("QRLabel4"), TBoxAlign::Left, LabelTop, 9),
                             Label(QStringLiteral("QRLabel3"), TBoxAlign::Center, LabelTop, 9),
                             Label(QStringLiteral("QRLabel5"), TBoxAlign::Right, LabelTop, 9)}});
    report.Bands.push_back({QStringLiteral("QRBand1"), TBandKind::Title, TitleHeight,
                            {Label(QStringLiteral("QRLabel1"), TBoxAlign::Center, 2.12, 16, true)}});
    TReportBand detail{QStringLiteral("DetailBand1"), TBandKind::Detail, d.DetailHeight, {}};
    detail.Boxes.push_back(Box(QStringLiteral("QRRichText1"), TBoxKind::RichText, d.Ingredients));
    detail.Boxes.push_back(Box(QStringLiteral("QRImage1"), TBoxKind::Image, d.Image));
    TReportBox method = Box(QStringLiteral("QRRichText2"), TBoxKind::RichText, d.Method);
    if (d.ChildHeight > 0) {
        report.Bands.push_back(detail);
        report.Bands.push_back({QStringLiteral("ChildBand1"), TBandKind::Child, d.ChildHeight, {method}});
    } else {
        detail.Boxes.push_back(method);
        report.Bands.push_back(detail);
    }
    report.Bands.push_back({QStringLiteral("PageBand1"), TBandKind::PageFooter, HeaderHeight,
                            {Label(QStringLiteral("QRLabel6"), TBoxAlign::Left, LabelTop, 9),
                             Label(QStringLiteral("QRLabel2"), TBoxAlign::Center, LabelTop, 9),
                             Label(QStringLiteral("QRLabel7"), TBoxAlign::Right, LabelTop, 9)}});
    return report;
}

TReport ListLayout(const QString& name, const TListDesign& d) {
    TReport report;
    report.Name = name;
    report.Paper = d.Paper;
    TReportBox heading = Label(QStringLiteral("QRLabel3"), TBoxAlign::Center, LabelTop, 14, true);
    heading.Text = QStringLiteral("レシピ一覧");
    report.Bands.push_back({QStringLiteral("QRBand2"), TBandKind::PageHeader, HeaderHeight, {heading}});
    report.Bands.push_back({QStringLiteral("DetailBand1"), TBandKind::Detail, d.DetailHeight,
                            {Box(QStringLiteral("QRRichText1"), TBoxKind::RichText, d.Text)}});
    return report;
}

}  // namespace

std::optional<TPaper> PaperOfSetting(const QString& paperSize) {
    if (paperSize == QLatin1String("A4"))
        return TPaper::A4;
    if (paperSize == QLatin1String("A5"))
        return TPaper::A5;
    if (paperSize == QLatin1String("B5"))
        return TPaper::B5;
    if (paperSize == QStringLiteral("ハガキ"))
        return TPaper::Postcard;
    return std::nullopt;
}

QString RecipeLayoutName(TPaper paper, int style) {
    if (style < 1 || style > 4)
        return {};
    return QStringLiteral("TPrintForm") + PaperPart(paper) + QChar(u'A' + style - 1);
}

QString ListLayoutName(TPaper paper) {
    // The A5 list's class is spelled "Receipt".
    if (paper == TPaper::A5)
        return QStringLiteral("TPrintFormA5ReceiptList");
    return QStringLiteral("TPrintForm") + PaperPart(paper) + QStringLiteral("RecipeList");
}

QStringList PrintLayoutNames() {
    return {QStringLiteral("TPrintFormA4A"),          QStringLiteral("TPrintFormA4C"),
            QStringLiteral("TPrintFormA4B"),          QStringLiteral("TPrintFormA4D"),
            QStringLiteral("TPrintFormB5A"),          QStringLiteral("TPrintFormB5B"),
            QStringLiteral("TPrintFormB5C"),          QStringLiteral("TPrintFormB5D"),
            QStringLiteral("TPrintFormLetterD"),      QStringLiteral("TPrintFormLetterC"),
            QStringLiteral("TPrintFormLetterB"),      QStringLiteral("TPrintFormLetterA"),
            QStringLiteral("TPrintFormA4RecipeList"), QStringLiteral("TPrintFormLetterRecipeList"),
            QStringLiteral("TPrintFormB5RecipeList"), QStringLiteral("TPrintFormA5A"),
            QStringLiteral("TPrintFormA5C"),          QStringLiteral("TPrintFormA5D"),
            QStringLiteral("TPrintFormA5ReceiptList"), QStringLiteral("TPrintFormA5B")};
}

TReport MakePrintLayout(const QString& className) {
    for (const TRecipeDesign& d : RecipeDesigns)
        if (RecipeLayoutName(d.Paper, d.Style) == className)
            return RecipeLayout(className, d);
    for (const TListDesign& d : ListDesigns)
        if (ListLayoutName(d.Paper) == className)
            return ListLayout(className, d);
    throw TSaporiaError(QStringLiteral("印刷レイアウトがありません: ") + className);
}

TReport& TPrintLayouts::Create(const QString& className) {
    if (TReport* existing = Find(className))
        return *existing;
    Layouts.push_back(std::make_unique<TReport>(MakePrintLayout(className)));
    return *Layouts.back();
}

TReport* TPrintLayouts::Find(const QString& className) {
    for (const auto& layout : Layouts)
        if (layout->Name == className)
            return layout.get();
    return nullptr;
}

std::unique_ptr<TPrintLayouts> TPrintLayouts::CreateAll() {
    auto layouts = std::make_unique<TPrintLayouts>();
    for (const QString& name : PrintLayoutNames())
        layouts->Create(name);
    return layouts;
}
