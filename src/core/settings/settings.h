#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

#include "core/settings/colors.h"

class TIniFile;

// The user's settings: the option keys of the settings file. The settings
// store holds the program's one copy; every window reads it from there.
struct TSettings {
    QStringList CookGroups{"1-1", "1-2", "1-3", "2-1", "2-2", "2-3"};
    QStringList CookKinds{"肉料理", "魚料理", "丼物", "カレー", "パスタ", "炒め飯",
                          "飲み物", "スープ", "サラダ", "和食", "洋食", "中華"};
    QStringList CookAmounts{"1人前", "2人前", "3人前", "4人前", "5人前"};
    bool LargeIcon = true;
    bool GridLine = false;
    int PrintType = 1;  // print style 1-4
    bool UseNumberColor = true;
    bool UseEmphasis = true;
    QStringList EmphasisWords{"グラム", "リットル", "枚", "個", "カップ", "大さじ", "小さじ"};
    TColorValue EmphasisColor = ColorBlue;
    QString BackgroundFileName;  // base name of a bitmap in "background"
    bool UseDigitalClock = false;
    int PrintFontSize = 9;  // points
    bool IconSort = false;
    int LeftMargin = 10;  // millimetres
    int RightMargin = 10;
    int TopMargin = 10;
    int BottomMargin = 10;
    bool PrintComment = false;
    bool PrintPicture = true;
    QString PaperSize = QStringLiteral("A4");  // "A4", "A5", "B5", "ハガキ"
    int ContentsType = 0;  // grouping of the printed index, 0-3
    // Print attribute codes 0-7: none, group, kind, amount, calorie, price,
    // cooking time, salt.
    int HeaderType = 0;
    int FooterType = 0;
    int LeftHeaderType = 0;
    int RightHeaderType = 0;
    int LeftFooterType = 0;
    int RightFooterType = 0;
    bool UseSameWidthFont = false;
    bool UseLinkFunction = true;
    bool UseThumbnail = true;
    QString TitleName = QStringLiteral("Saporia");
    int DrawMemoHeight = 500;  // pixels
    int DrawMemoWidth = 500;

    bool operator==(const TSettings&) const = default;
};

// The settings file: beside the executable, named like it with ".ini" in
// place of its extension ("saporia" gives "saporia.ini").
QString SettingsFilePath(const QString& appDir);
QString SettingsFilePathFor(const QString& executablePath);

// Reads every option key; a missing key or a value that cannot be read gives
// that field's default, and the other keys are still read. A memo size
// outside 1-4000 pixels becomes 500.
TSettings LoadSettings(const TIniFile& ini);
// Writes every option key in the file's order; the caller calls
// ini.UpdateFile() afterwards.
void SaveSettings(const TSettings& settings, TIniFile& ini);

// Whole-file convenience: LoadSettingsFile never fails (a missing or
// unreadable file gives the defaults); SaveSettingsFile writes the file
// atomically or throws TSaporiaError "<path> に書き込めません".
TSettings LoadSettingsFile(const QString& path);
void SaveSettingsFile(const TSettings& settings, const QString& path);

// Throws TSaporiaError naming the first value the settings file cannot store
// (a character CP932 cannot hold), so it is refused while the user can fix it
// rather than failing the write at exit.
void CheckSettingsStorable(const TSettings& settings);

// A list as the file holds it: each non-empty item followed by ","; an item
// that would not read back as itself (one holding a comma or a blank, or
// starting with a double quote) is written in double quotes, inner quotes
// doubled. ReadSettingsList reads it back by the comma-text rule, which
// gives one empty item after the final comma.
QString WriteSettingsList(const QStringList& items);
QStringList ReadSettingsList(const QString& value);

// What the settings change in other windows, worked out without touching a
// window; the window owners apply it at start-up and after the options
// window's OK.
struct TSettingsApply {
    // The background bitmap for the bars and BackImg; empty when it does not
    // exist, and then they keep what they have.
    QString BackgroundPath;
    QString Caption;       // the main window's caption
    QSize MemoSize;        // the memo canvas (width by height)
    QString PaneFontName;  // memFoodstuff, MemoHow, RichEditComment
    bool LargeRowIcons = true;  // ImageList32 for the list rows, else ImageList16
    bool GridLines = false;
};
TSettingsApply SettingsToApply(const TSettings& settings, const QString& appDir);

// The bitmap "background/<name>.bmp" in appDir (names matched ignoring case),
// or empty when there is none or the name is not a plain file name.
QString BackgroundBitmapPath(const QString& appDir, const QString& name);
// The names (without ".bmp") of the bitmaps in "background", sorted ignoring
// case.
QStringList BackgroundNames(const QString& appDir);
