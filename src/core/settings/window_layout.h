#pragma once

#include <optional>
#include <vector>

#include <QString>

class TIniFile;

// Where one dockable bar stood. A value the file does not hold stays empty:
// the bar keeps what it has. An empty value is not written, so the file
// keeps what it held (a floating bar leaves its old DOCKSITENAME).
struct TBarLayout {
    QString Name;  // the bar's object name, also its section
    std::optional<bool> Floating;
    std::optional<int> Width;
    std::optional<int> Height;
    std::optional<bool> Visible;
    std::optional<int> Left;
    std::optional<int> Top;
    std::optional<QString> DockSiteName;

    bool operator==(const TBarLayout&) const = default;
};

// The main window's layout keys of the settings file. Every number is
// brought into a sane range when read, so no arithmetic on it overflows.
// Empty optionals are not written: a minimised window writes no FORM key, a
// maximised one only its state.
struct TWindowLayout {
    bool WordWrap = false;
    std::optional<int> WindowState = 2;  // 1 normal, 2 maximised; other values: none
    std::optional<int> Left = 0;
    std::optional<int> Top = 0;
    std::optional<int> Width = 800;
    std::optional<int> Height = 600;
    int CookPanelWidth = 361;
    int SubPanelHeight = 225;
    int PicturePanelWidth = 178;
    std::optional<int> ViewStyle = 0;  // 0 report, 1 list, 2 icons, 3 small icons
    std::optional<int> FontSize = 0;   // -2 to 2
    std::vector<TBarLayout> Bars = DefaultBars();
    bool OnlyView = false;

    // The seven dockable bars, in the order of their sections, with nothing set.
    static std::vector<TBarLayout> DefaultBars();

    bool operator==(const TWindowLayout&) const = default;
};

// Reads the layout keys; a missing key or one that is not a number gives the
// default, a number out of range is clamped (or, for the choices, empty).
TWindowLayout LoadWindowLayout(const TIniFile& ini);
// Writes the layout keys in the file's order; the caller calls
// ini.UpdateFile() afterwards.
void SaveWindowLayout(const TWindowLayout& layout, TIniFile& ini);
