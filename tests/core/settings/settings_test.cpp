#include <gtest/gtest.h>

#include <QDir>
#include <QFont>
#include <QFontInfo>

#include "core/platform/ini_file.h"
#include "core/platform/saporia_error.h"
#include "core/platform/sjis.h"
#include "core/settings/colors.h"
#include "core/settings/fonts.h"
#include "core/settings/settings.h"
#include "support/temp_app_dir.h"

namespace {

// The file a first start writes at exit, every key with its default.
const QString DefaultFile = QStringLiteral(
    "[COOKELEMENT]\r\nGROUP=1-1,1-2,1-3,2-1,2-2,2-3,\r\n"
    "TYPE=肉料理,魚料理,丼物,カレー,パスタ,炒め飯,飲み物,スープ,サラダ,和食,洋食,中華,\r\n"
    "QUANTITY=1人前,2人前,3人前,4人前,5人前,\r\n\r\n[EMPHASIS]\r\nCOLOR=clBlue\r\nUSE=1\r\n"
    "TEXT=グラム,リットル,枚,個,カップ,大さじ,小さじ,\r\n\r\n[REPORT]\r\nLARGEICON=1\r\nGRIDLINE=0\r\nICONSORT=0\r\n"
    "\r\n[PRINT]\r\nTYPE=1\r\nFONTSIZE=9\r\nHEADERTYPE=0\r\nFOOTERTYPE=0\r\nLEFT_HEADERTYPE=0\r\nRIGHT_HEADERTYPE=0\r\n"
    "LEFT_FOOTERTYPE=0\r\nRIGHT_FOOTERTYPE=0\r\nLEFTMARGIN=10\r\nRIGHTMARGIN=10\r\nTOPMARGIN=10\r\nBOTTOMMARGIN=10\r\n"
    "PRINTCOMMENT=0\r\nPRINTPICTURE=1\r\nPAPERSIZE=A4\r\nCONTENTSTYPE=0\r\n\r\n[NUMBERCOLOR]\r\nUSE=1\r\n"
    "\r\n[BACKGROUND]\r\nFILENAME=\r\n\r\n[DIGITALCLOCK]\r\nUSE=0\r\n\r\n[SAMEWIDTHFONT]\r\nUSE=0\r\n"
    "\r\n[LINK]\r\nUSE_LINKFUNCTION=1\r\nUSE_THUMBNAIL=1\r\n\r\n[TITLE]\r\nNAME=Saporia\r\n"
    "\r\n[DRAWMEMO]\r\nHEIGHT=500\r\nWIDTH=500\r\n");

TSettings LoadFrom(const TTempAppDir& dir, const QString& text) {
    dir.WriteSjis("s.ini", text);
    return LoadSettingsFile(dir.Path("s.ini"));
}

}  // namespace

TEST(Settings, FirstStartWritesEveryKeyAndRestartsAreStable) {
    TTempAppDir dir;
    const QString path = dir.Path("s.ini");
    SaveSettingsFile(LoadSettingsFile(path), path);  // no file yet
    const QByteArray golden = dir.ReadBytes("s.ini");
    EXPECT_EQ(golden, ToSjis(DefaultFile));
    // Each restart reads an empty last item, which the next exit drops again.
    const TSettings second = LoadSettingsFile(path);
    EXPECT_EQ(second.CookGroups.size(), 7);
    SaveSettingsFile(second, path);
    EXPECT_EQ(dir.ReadBytes("s.ini"), golden);
}

TEST(Settings, EveryFieldSurvivesARoundTrip) {
    TTempAppDir dir;
    const TSettings s{
        .CookGroups = {"朝食", "夕食"}, .CookKinds = {"和 食", "a,b", "\"quoted\"", "in\"side", "  lead", "タブ\tあり", "全角　空白"},
        .CookAmounts = {}, .LargeIcon = false, .GridLine = true, .PrintType = 4, .UseNumberColor = false,
        .UseEmphasis = false, .EmphasisWords = {"塩"}, .EmphasisColor = 0x123456, .BackgroundFileName = "木目",
        .UseDigitalClock = true, .PrintFontSize = 18, .IconSort = true, .LeftMargin = 5, .RightMargin = 6,
        .TopMargin = 7, .BottomMargin = 30, .PrintComment = true, .PrintPicture = false, .PaperSize = "ハガキ",
        .ContentsType = 3, .HeaderType = 1, .FooterType = 2, .LeftHeaderType = 3, .RightHeaderType = 4,
        .LeftFooterType = 5, .RightFooterType = 7, .UseSameWidthFont = true, .UseLinkFunction = false,
        .UseThumbnail = false, .TitleName = QStringLiteral("わが家のレシピ"), .DrawMemoHeight = 1500, .DrawMemoWidth = 50};
    SaveSettingsFile(s, dir.Path("s.ini"));
    TSettings back = LoadSettingsFile(dir.Path("s.ini"));
    // Items with blanks, commas and quotes come back whole; the final comma
    // adds its empty item.
    for (QStringList* list : {&back.CookGroups, &back.CookKinds, &back.EmphasisWords}) {
        ASSERT_EQ(list->last(), QString());
        list->removeLast();
    }
    EXPECT_EQ(back, s);
    const TIniFile ini(dir.Path("s.ini"));
    EXPECT_EQ(ini.ReadString("COOKELEMENT", "TYPE", ""),
              QStringLiteral("\"和 食\",\"a,b\",\"\"\"quoted\"\"\",in\"side,\"  lead\",\"タブ\tあり\",全角　空白,"));
    EXPECT_EQ(ini.ReadString("COOKELEMENT", "QUANTITY", "x"), QString());

    // Old files wrote items unquoted: they still read, split at blanks.
    EXPECT_EQ(ReadSettingsList(QStringLiteral("和 食,洋食,")), (QStringList{"和", "食", "洋食", ""}));
    EXPECT_EQ(WriteSettingsList({"", "a", ""}), QStringLiteral("a,"));
}

TEST(Settings, ColoursReadByNameOrNumberAndWriteByName) {
    TTempAppDir dir;
    // Names ignore case; numbers are $00BBGGRR; a system colour keeps its name.
    const std::pair<const char*, TColorValue> reads[] = {
        {"$00F0CAA6", ColorSkyBlue}, {"CLBLUE", ColorBlue}, {"255", 0x0000FFu}, {"clBtnFace", 0xFF00000Fu}};
    for (const auto& [text, value] : reads)
        EXPECT_EQ(LoadFrom(dir, QStringLiteral("[EMPHASIS]\r\nCOLOR=%1\r\n").arg(text)).EmphasisColor, value) << text;
    const std::pair<TColorValue, const char*> writes[] = {
        {ColorSkyBlue, "clSkyBlue"}, {0xFF00000Fu, "clBtnFace"}, {0x00ABCDEF, "$00ABCDEF"}};
    for (const auto& [value, text] : writes)
        EXPECT_TRUE(ColorToText(value) == text && ColorFromText(QString::fromLatin1(text)) == value) << text;
    // $BBGGRR: blue in the high byte.
    EXPECT_EQ(ColorFromBgr(0xF0CAA6), QColor(0xA6, 0xCA, 0xF0));
    EXPECT_EQ(BgrFromColor(QColor(0x12, 0x34, 0x56)), 0x563412u);
    EXPECT_EQ(ColorFromBgr(ColorNone).alpha(), 0);
}

TEST(Settings, BadValuesFallBackAndLaterKeysAreStillRead) {
    TTempAppDir dir;
    const TSettings s = LoadFrom(dir,
                                 "[EMPHASIS]\r\nCOLOR=greenish\r\nUSE=0\r\nTEXT=塩\r\n"
                                 "[REPORT]\r\nLARGEICON=yes\r\nGRIDLINE=2\r\nICONSORT=0x1\r\n"
                                 "[PRINT]\r\nTYPE=abc\r\nFONTSIZE=$0C\r\nLEFTMARGIN=99999999999\r\n"
                                 "TOPMARGIN= 12 \r\nPAPERSIZE=Letter\r\n"
                                 "[DRAWMEMO]\r\nHEIGHT=0\r\nWIDTH=4001\r\n");
    // Every other field keeps its default; a paper size is kept as read.
    TSettings expected;
    expected.UseEmphasis = false, expected.EmphasisWords = {"塩"}, expected.GridLine = true, expected.IconSort = true;
    expected.PrintFontSize = 12, expected.TopMargin = 12, expected.PaperSize = QStringLiteral("Letter");
    EXPECT_EQ(s, expected);
    EXPECT_EQ(LoadFrom(dir, "[DRAWMEMO]\r\nHEIGHT=4000\r\n").DrawMemoHeight, 4000);  // the bound itself
}

TEST(Settings, SavingKeepsOtherSectionsAndFailsWhole) {
    TTempAppDir dir;
    dir.WriteBytes("s.ini", "[FORM]\r\nLEFT=10\r\nWINDOWSTATE=1\r\n[ToolBar1]\nDOCKSITENAME=ControlBar2\n"
                            "[PRINT]\r\nTYPE=2\r\nUNKNOWN=\x82\xA0\r\n");
    TSettings s = LoadSettingsFile(dir.Path("s.ini"));
    SaveSettingsFile(s, dir.Path("s.ini"));
    const QByteArray saved = dir.ReadBytes("s.ini");
    EXPECT_TRUE(saved.startsWith("[FORM]\r\nLEFT=10\r\nWINDOWSTATE=1\r\n[ToolBar1]\nDOCKSITENAME=ControlBar2\n"
                                 "[PRINT]\r\nTYPE=2\r\nUNKNOWN=\x82\xA0\r\nFONTSIZE=9\r\n"));
    // A title CP932 cannot hold: nothing is written, the old file stays.
    s.TitleName = QString::fromUtf8("\xF0\x9F\x8D\xB3");
    EXPECT_THROW(SaveSettingsFile(s, dir.Path("s.ini")), TSaporiaError);
    EXPECT_EQ(dir.ReadBytes("s.ini"), saved);
    // A folder standing where the file goes reads as the defaults.
    QDir().mkpath(dir.Path("d.ini"));
    EXPECT_EQ(LoadSettingsFile(dir.Path("d.ini")), TSettings());
    EXPECT_THROW(SaveSettingsFile(TSettings(), dir.Path("d.ini")), TSaporiaError);
}

TEST(Settings, ApplyEntriesAndFileNames) {
    TTempAppDir dir;
    for (const char* file : {"background/Wood.BMP", "background/ami.bmp", "background/note.txt", "secret.bmp"})
        dir.WriteBytes(file, "BM");
    EXPECT_EQ(BackgroundNames(dir.AppDir()), (QStringList{"ami", "Wood"}));
    EXPECT_EQ(BackgroundBitmapPath(dir.AppDir(), "wood"), dir.Path("background/Wood.BMP"));
    for (const char* name : {"none", "../secret", "", "note"})
        EXPECT_EQ(BackgroundBitmapPath(dir.AppDir(), name), QString()) << name;

    TSettings s{.BackgroundFileName = "none", .UseSameWidthFont = true, .TitleName = QStringLiteral("わが家"),
                .DrawMemoHeight = 200, .DrawMemoWidth = 300};
    // Caption and memo size apply whether or not the background exists.
    TSettingsApply apply = SettingsToApply(s, dir.AppDir());
    EXPECT_EQ(std::tuple(apply.BackgroundPath, apply.Caption, apply.MemoSize, apply.PaneFontName),
              std::tuple(QString(), QStringLiteral("わが家"), QSize(300, 200), QStringLiteral("ＭＳ ゴシック")));
    s.BackgroundFileName = "AMI", s.UseSameWidthFont = false;
    apply = SettingsToApply(s, dir.AppDir());
    EXPECT_EQ(std::pair(apply.BackgroundPath, apply.PaneFontName),
              std::pair(dir.Path("background/ami.bmp"), QStringLiteral("ＭＳ Ｐゴシック")));
    // The documented font names draw with installed Japanese fonts.
    InstallFontSubstitutions();
    const QString fixed = QFontInfo(QFont(FixedPitchGothic)).family(),
                  proportional = QFontInfo(QFont(ProportionalGothic)).family();
    EXPECT_TRUE(fixed.startsWith("IPA") && proportional.startsWith("IPA") && fixed != proportional)
        << fixed.toStdString();
}
