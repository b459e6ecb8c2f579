#include <gtest/gtest.h>

#include <QSignalSpy>

#include "core/platform/ini_file.h"
#include "core/platform/sjis.h"
#include "core/settings/settings_store.h"
#include "support/temp_app_dir.h"

namespace {

void WriteLayoutTo(const TWindowLayout& layout, const QString& path) {
    TIniFile ini(path);
    SaveWindowLayout(layout, ini);
    ini.UpdateFile();
}

// A normal window with one docked and one floating bar; the other bars have nothing set, so they write nothing.
TWindowLayout SampleLayout() {
    TWindowLayout layout{.WordWrap = true, .WindowState = 1, .Left = 10, .Top = 20, .Width = 640, .Height = 480,
                         .CookPanelWidth = 300, .SubPanelHeight = 200, .PicturePanelWidth = 150, .ViewStyle = 2,
                         .FontSize = -1, .OnlyView = true};
    layout.Bars[0] = {"ToolBar1", false, 100, 26, true, 0, 0, QStringLiteral("ControlBar1")};
    layout.Bars[5] = {"PanelClock", true, 60, 60, false, 300, -40, std::nullopt};
    return layout;
}

const QString SampleFile = QStringLiteral(
    "[RECIPEINFORMATION]\r\nWORDWRAP=1\r\n\r\n[FORM]\r\nWINDOWSTATE=1\r\nLEFT=10\r\nTOP=20\r\nWIDTH=640\r\n"
    "HEIGHT=480\r\n\r\n[COOKPANEL]\r\nWIDTH=300\r\n\r\n[SUBPANEL]\r\nHEIGHT=200\r\n\r\n[PICTUREPANEL]\r\nWIDTH=150\r\n"
    "\r\n[LIST]\r\nVEIWSTYLE=2\r\n\r\n[FONT]\r\nSIZE=-1\r\n\r\n[ToolBar1]\r\nFLOATING=0\r\nWIDTH=100\r\nHEIGHT=26\r\n"
    "VISIBLE=1\r\nLEFT=0\r\nTOP=0\r\nDOCKSITENAME=ControlBar1\r\n\r\n[PanelClock]\r\nFLOATING=1\r\nWIDTH=60\r\n"
    "HEIGHT=60\r\nVISIBLE=0\r\nLEFT=300\r\nTOP=-40\r\n\r\n[MODE]\r\nONLYVIEW=1\r\n");

}  // namespace

TEST(WindowLayout, FileBytesRoundTripAndPartialWrites) {
    TTempAppDir dir;
    const QString path = dir.Path("s.ini");
    WriteLayoutTo(SampleLayout(), path);
    EXPECT_EQ(dir.ReadBytes("s.ini"), ToSjis(SampleFile));
    EXPECT_EQ(LoadWindowLayout(TIniFile(path)), SampleLayout());

    // Maximised: only the state, the normal bounds stay; a floating bar keeps its old dock site; a choice
    // with nothing chosen keeps the file's value.
    TWindowLayout maximised = SampleLayout();
    maximised.WindowState = 2;
    maximised.Left = maximised.Top = maximised.Width = maximised.Height = std::nullopt;
    maximised.Bars[0].Floating = true;
    maximised.Bars[0].DockSiteName.reset();
    maximised.ViewStyle.reset();
    WriteLayoutTo(maximised, path);
    const TWindowLayout back = LoadWindowLayout(TIniFile(path));
    EXPECT_EQ(std::tuple(back.WindowState, back.Left, back.Bars[0].DockSiteName, back.ViewStyle),
              std::tuple(2, 10, QStringLiteral("ControlBar1"), 2));
    // Minimised: no FORM key at all.
    maximised.WindowState.reset();
    WriteLayoutTo(maximised, path);
    EXPECT_EQ(LoadWindowLayout(TIniFile(path)).WindowState, 2);
}

TEST(WindowLayout, EveryValueIsBroughtIntoRangeWhenRead) {
    TTempAppDir dir;
    using TEdit = void (*)(TWindowLayout&);
    const std::pair<const char*, TEdit> cases[] = {
        {"[FORM]\r\nLEFT=2147483647\r\nTOP=-2147483648\r\nWIDTH=2147483647\r\nHEIGHT=-5\r\n",
         [](TWindowLayout& l) { l.Left = 100000, l.Top = -100000, l.Width = 100000, l.Height = 0; }},
        {"[FORM]\r\nWIDTH=wide\r\nWINDOWSTATE=3\r\n", [](TWindowLayout& l) { l.WindowState.reset(); }},
        {"[COOKPANEL]\r\nWIDTH=$7FFFFFFF\r\n[SUBPANEL]\r\nHEIGHT=-1\r\n",
         [](TWindowLayout& l) { l.CookPanelWidth = 100000, l.SubPanelHeight = 0; }},
        {"[LIST]\r\nVEIWSTYLE=4\r\n[FONT]\r\nSIZE=-3\r\n",
         [](TWindowLayout& l) { l.ViewStyle.reset(), l.FontSize.reset(); }},
        {"[ToolBar1]\r\nLEFT=-2147483648\r\nHEIGHT=2147483647\r\nWIDTH=tall\r\nFLOATING=2\r\n",
         [](TWindowLayout& l) { l.Bars[0].Left = -100000, l.Bars[0].Height = 100000, l.Bars[0].Floating = true; }},
        {"[PanelClock]\r\nFLOATING=yes\r\nVISIBLE=0\r\n", [](TWindowLayout& l) { l.Bars[5].Visible = false; }},
    };
    for (const auto& [file, edit] : cases) {
        TWindowLayout expected;
        edit(expected);
        dir.WriteBytes("s.ini", file);
        EXPECT_EQ(LoadWindowLayout(TIniFile(dir.Path("s.ini"))), expected) << file;
    }
}

TEST(SettingsStore, WritesBackOnlyWhatThisRunReadAndKeepsTheOtherHalf) {
    TTempAppDir dir;
    const QString path = dir.Path("s.ini");
    {
        TSettingsStore unread(path);
        unread.SetSettings(TSettings());
        unread.WriteSettings();
        unread.WriteLayout();
    }
    EXPECT_FALSE(QFileInfo::exists(path));

    TSettingsStore store(path);
    QSignalSpy changed(&store, &TSettingsStore::SettingsChanged);
    store.LoadSettings();
    store.LoadLayout();
    TSettings settings = store.Settings();
    settings.TitleName = QStringLiteral("わが家");
    store.SetSettings(settings);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_FALSE(QFileInfo::exists(path));  // nothing written while running
    store.SetLayout(SampleLayout());
    // The close writes the layout, the end of the program the options.
    store.WriteLayout();
    store.WriteSettings();
    EXPECT_TRUE(dir.ReadBytes("s.ini").startsWith(ToSjis(SampleFile)));

    TSettingsStore next(path);
    next.LoadSettings();
    next.LoadLayout();
    EXPECT_EQ(std::pair(next.Settings().TitleName, next.Layout()), std::pair(QStringLiteral("わが家"), SampleLayout()));
}
