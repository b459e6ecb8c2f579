#include "core/settings/window_layout.h"

#include <algorithm>
#include <type_traits>
#include <variant>

#include "core/platform/ini_file.h"

namespace {

// Far beyond any screen, and far from overflowing a sum of two of them.
constexpr int PositionLimit = 100000;
constexpr int SizeLimit = 100000;

struct TRange {
    int Min = 0;
    int Max = 0;
    bool OutsideIsNone = false;  // a choice: a value outside means "none"
};

constexpr TRange Position{-PositionLimit, PositionLimit};
constexpr TRange Size{0, SizeLimit};

using TLayoutField = std::variant<bool TWindowLayout::*, int TWindowLayout::*, std::optional<int> TWindowLayout::*,
                                  std::vector<TBarLayout> TWindowLayout::*>;

struct TLayoutKey {
    QString Section;
    QString Key;
    TLayoutField Field;
    TRange Range;
};

// The layout keys in the order the close writes them; reading walks the same list.
const std::vector<TLayoutKey>& LayoutKeys() {
    const QString form = QStringLiteral("FORM");
    static const std::vector<TLayoutKey> keys{
        {QStringLiteral("RECIPEINFORMATION"), QStringLiteral("WORDWRAP"), &TWindowLayout::WordWrap, {}},
        {form, QStringLiteral("WINDOWSTATE"), &TWindowLayout::WindowState, {1, 2, true}},
        {form, QStringLiteral("LEFT"), &TWindowLayout::Left, Position},
        {form, QStringLiteral("TOP"), &TWindowLayout::Top, Position},
        {form, QStringLiteral("WIDTH"), &TWindowLayout::Width, Size},
        {form, QStringLiteral("HEIGHT"), &TWindowLayout::Height, Size},
        {QStringLiteral("COOKPANEL"), QStringLiteral("WIDTH"), &TWindowLayout::CookPanelWidth, Size},
        {QStringLiteral("SUBPANEL"), QStringLiteral("HEIGHT"), &TWindowLayout::SubPanelHeight, Size},
        {QStringLiteral("PICTUREPANEL"), QStringLiteral("WIDTH"), &TWindowLayout::PicturePanelWidth, Size},
        {QStringLiteral("LIST"), QStringLiteral("VEIWSTYLE"), &TWindowLayout::ViewStyle, {0, 3, true}},
        {QStringLiteral("FONT"), QStringLiteral("SIZE"), &TWindowLayout::FontSize, {-2, 2, true}},
        {QString(), QString(), &TWindowLayout::Bars, {}},
        {QStringLiteral("MODE"), QStringLiteral("ONLYVIEW"), &TWindowLayout::OnlyView, {}},
    };
    return keys;
}

using TBarField = std::variant<std::optional<bool> TBarLayout::*, std::optional<int> TBarLayout::*,
                               std::optional<QString> TBarLayout::*>;

struct TBarKey {
    QString Key;
    TBarField Field;
    TRange Range;
};

const std::vector<TBarKey>& BarKeys() {
    static const std::vector<TBarKey> keys{
        {QStringLiteral("FLOATING"), &TBarLayout::Floating, {}},
        {QStringLiteral("WIDTH"), &TBarLayout::Width, Size},
        {QStringLiteral("HEIGHT"), &TBarLayout::Height, Size},
        {QStringLiteral("VISIBLE"), &TBarLayout::Visible, {}},
        {QStringLiteral("LEFT"), &TBarLayout::Left, Position},
        {QStringLiteral("TOP"), &TBarLayout::Top, Position},
        {QStringLiteral("DOCKSITENAME"), &TBarLayout::DockSiteName, {}},
    };
    return keys;
}

std::optional<int> InRange(int value, const TRange& range) {
    if (value >= range.Min && value <= range.Max)
        return value;
    if (range.OutsideIsNone)
        return std::nullopt;
    return std::clamp(value, range.Min, range.Max);
}

std::optional<int> ReadNumber(const TIniFile& ini, const QString& section, const QString& key) {
    if (!ini.ValueExists(section, key))
        return std::nullopt;
    return ParseIniInteger(ini.ReadString(section, key, QString()));
}

TBarLayout ReadBar(const TIniFile& ini, const QString& name) {
    TBarLayout bar;
    bar.Name = name;
    for (const TBarKey& k : BarKeys()) {
        std::visit(
            [&](auto field) {
                using T = typename std::remove_reference_t<decltype(bar.*field)>::value_type;
                if constexpr (std::is_same_v<T, QString>) {
                    if (ini.ValueExists(name, k.Key))
                        bar.*field = ini.ReadString(name, k.Key, QString());
                } else if (const std::optional<int> number = ReadNumber(ini, name, k.Key)) {
                    if constexpr (std::is_same_v<T, bool>)
                        bar.*field = *number != 0;
                    else
                        bar.*field = InRange(*number, k.Range);
                }
            },
            k.Field);
    }
    return bar;
}

void WriteBar(const TBarLayout& bar, TIniFile& ini) {
    for (const TBarKey& k : BarKeys()) {
        std::visit(
            [&](auto field) {
                const auto& value = bar.*field;
                if (!value)
                    return;
                using T = typename std::remove_cvref_t<decltype(value)>::value_type;
                if constexpr (std::is_same_v<T, bool>)
                    ini.WriteBool(bar.Name, k.Key, *value);
                else if constexpr (std::is_same_v<T, int>)
                    ini.WriteInteger(bar.Name, k.Key, *value);
                else
                    ini.WriteString(bar.Name, k.Key, *value);
            },
            k.Field);
    }
}

}  // namespace

std::vector<TBarLayout> TWindowLayout::DefaultBars() {
    std::vector<TBarLayout> bars;
    for (const char* name : {"ToolBar1", "ToolBar2", "ToolBar3", "ToolBar4", "PanelHint", "PanelClock", "PanelAuthor"}) {
        TBarLayout bar;
        bar.Name = QString::fromLatin1(name);
        bars.push_back(bar);
    }
    return bars;
}

TWindowLayout LoadWindowLayout(const TIniFile& ini) {
    const TWindowLayout d;  // the defaults
    TWindowLayout layout;
    for (const TLayoutKey& k : LayoutKeys()) {
        std::visit(
            [&](auto field) {
                using T = std::remove_reference_t<decltype(layout.*field)>;
                if constexpr (std::is_same_v<T, bool>) {
                    layout.*field = ini.ReadBool(k.Section, k.Key, d.*field);
                } else if constexpr (std::is_same_v<T, int>) {
                    layout.*field = *InRange(ini.ReadInteger(k.Section, k.Key, d.*field), k.Range);
                } else if constexpr (std::is_same_v<T, std::optional<int>>) {
                    layout.*field = InRange(ini.ReadInteger(k.Section, k.Key, *(d.*field)), k.Range);
                } else {
                    for (TBarLayout& bar : layout.*field)
                        bar = ReadBar(ini, bar.Name);
                }
            },
            k.Field);
    }
    return layout;
}

void SaveWindowLayout(const TWindowLayout& layout, TIniFile& ini) {
    for (const TLayoutKey& k : LayoutKeys()) {
        std::visit(
            [&](auto field) {
                const auto& value = layout.*field;
                using T = std::remove_cvref_t<decltype(value)>;
                if constexpr (std::is_same_v<T, bool>) {
                    ini.WriteBool(k.Section, k.Key, value);
                } else if constexpr (std::is_same_v<T, int>) {
                    ini.WriteInteger(k.Section, k.Key, value);
                } else if constexpr (std::is_same_v<T, std::optional<int>>) {
                    if (value)
                        ini.WriteInteger(k.Section, k.Key, *value);
                } else {
                    for (const TBarLayout& bar : value)
                        WriteBar(bar, ini);
                }
            },
            k.Field);
    }
}
