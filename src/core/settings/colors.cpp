#include "core/settings/colors.h"

#include <array>

#include <QGuiApplication>
#include <QPalette>

#include "core/platform/ini_file.h"

namespace {

struct TNamedColor {
    const char* Name;
    TColorValue Value;
};

constexpr TColorValue System(int index) { return ColorSystemFlag | static_cast<TColorValue>(index); }

// Writing takes the first name with the value.
constexpr std::array<TNamedColor, 52> NamedColors{{
    {"clBlack", 0x000000},     {"clMaroon", 0x000080},     {"clGreen", 0x008000},
    {"clOlive", 0x008080},     {"clNavy", 0x800000},       {"clPurple", 0x800080},
    {"clTeal", 0x808000},      {"clGray", 0x808080},       {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},       {"clLime", 0x00FF00},       {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},      {"clFuchsia", 0xFF00FF},    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},     {"clMoneyGreen", 0xC0DCC0}, {"clSkyBlue", 0xF0CAA6},
    {"clCream", 0xF0FBFF},     {"clMedGray", 0xA4A0A0},
    {"clActiveBorder", System(10)},           {"clActiveCaption", System(2)},
    {"clAppWorkSpace", System(12)},           {"clBackground", System(1)},
    {"clBtnFace", System(15)},                {"clBtnHighlight", System(20)},
    {"clBtnShadow", System(16)},              {"clBtnText", System(18)},
    {"clCaptionText", System(9)},             {"clDefault", ColorDefault},
    {"clGradientActiveCaption", System(27)},  {"clGradientInactiveCaption", System(28)},
    {"clGrayText", System(17)},               {"clHighlight", System(13)},
    {"clHighlightText", System(14)},          {"clHotLight", System(26)},
    {"clInactiveBorder", System(11)},         {"clInactiveCaption", System(3)},
    {"clInactiveCaptionText", System(19)},    {"clInfoBk", System(24)},
    {"clInfoText", System(23)},               {"clMenu", System(4)},
    {"clMenuBar", System(30)},                {"clMenuHighlight", System(29)},
    {"clMenuText", System(7)},                {"clNone", ColorNone},
    {"clScrollBar", System(0)},               {"cl3DDkShadow", System(21)},
    {"cl3DLight", System(22)},                {"clWindow", System(5)},
    {"clWindowFrame", System(6)},             {"clWindowText", System(8)},
}};

QColor SystemColor(int index) {
    const QPalette palette = QGuiApplication::palette();
    switch (index) {
    case 5:  // window (edit background)
        return palette.color(QPalette::Base);
    case 7: case 8: case 9: case 19:  // menu, window and caption texts
        return palette.color(QPalette::Text);
    case 13: case 29:
        return palette.color(QPalette::Highlight);
    case 14:
        return palette.color(QPalette::HighlightedText);
    case 16:
        return palette.color(QPalette::Mid);
    case 17:
        return palette.color(QPalette::Disabled, QPalette::Text);
    case 18:
        return palette.color(QPalette::ButtonText);
    case 20:
        return palette.color(QPalette::Light);
    case 21: case 6:
        return palette.color(QPalette::Shadow);
    case 22:
        return palette.color(QPalette::Midlight);
    case 23:
        return palette.color(QPalette::ToolTipText);
    case 24:
        return palette.color(QPalette::ToolTipBase);
    case 26:
        return palette.color(QPalette::Link);
    case 2: case 27:
        return palette.color(QPalette::Active, QPalette::Highlight);
    case 3: case 28:
        return palette.color(QPalette::Inactive, QPalette::Highlight);
    case 12: case 1:
        return palette.color(QPalette::Dark);
    default:  // button face, menu, bars, borders
        return palette.color(QPalette::Button);
    }
}

}  // namespace

QColor ColorFromBgr(TColorValue value) {
    if (value == ColorNone)
        return QColor(Qt::transparent);
    if (value == ColorDefault)
        return QGuiApplication::palette().color(QPalette::Text);
    if ((value & 0xFF000000) == ColorSystemFlag)
        return SystemColor(static_cast<int>(value & 0xFF));
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

TColorValue BgrFromColor(const QColor& color) {
    const QColor rgb = color.toRgb();
    return RgbValue(rgb.red(), rgb.green(), rgb.blue());
}

QString ColorToText(TColorValue value) {
    for (const TNamedColor& named : NamedColors)
        if (named.Value == value)
            return QLatin1String(named.Name);
    return QStringLiteral("$%1").arg(value, 8, 16, QLatin1Char('0')).toUpper();
}

std::optional<TColorValue> ColorFromText(const QString& text) {
    const QString& name = text;  // values come trimmed from the file
    for (const TNamedColor& named : NamedColors)
        if (name.compare(QLatin1String(named.Name), Qt::CaseInsensitive) == 0)
            return named.Value;
    if (const std::optional<int> number = ParseIniInteger(text))
        return static_cast<TColorValue>(*number);
    return std::nullopt;
}
