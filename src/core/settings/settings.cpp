#include "core/settings/settings.h"

#include <type_traits>
#include <variant>
#include <vector>

#include <QCoreApplication>
#include <QFileInfo>

#include "core/common/comma_text.h"
#include "core/platform/file_io.h"
#include "core/platform/ini_file.h"
#include "core/settings/fonts.h"

namespace {

const QString CookElement = QStringLiteral("COOKELEMENT");
const QString Emphasis = QStringLiteral("EMPHASIS");
const QString Report = QStringLiteral("REPORT");
const QString Print = QStringLiteral("PRINT");
const QString Link = QStringLiteral("LINK");
const QString DrawMemo = QStringLiteral("DRAWMEMO");
const QString Use = QStringLiteral("USE");

constexpr int MemoSizeMin = 1;
constexpr int MemoSizeMax = 4000;
constexpr int MemoSizeDefault = 500;

bool NeedsQuotes(const QString& item) {
    if (item.startsWith(QLatin1Char('"')))
        return true;
    for (const QChar c : item)
        if (c.unicode() <= 32 || c == u',')
            return true;
    return false;
}

QStringList ReadList(const TIniFile& ini, const QString& section, const QString& key,
                     const QStringList& def) {
    if (!ini.ValueExists(section, key))
        return def;
    return ReadSettingsList(ini.ReadString(section, key, QString()));
}

int ReadMemoSize(const TIniFile& ini, const QString& key) {
    const int size = ini.ReadInteger(DrawMemo, key, MemoSizeDefault);
    return size >= MemoSizeMin && size <= MemoSizeMax ? size : MemoSizeDefault;
}

}  // namespace

QString SettingsFilePathFor(const QString& executablePath) {
    const QFileInfo info(executablePath);
    return info.path() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral(".ini");
}

QString SettingsFilePath(const QString& appDir) {
    return appDir + QFileInfo(SettingsFilePathFor(QCoreApplication::applicationFilePath())).fileName();
}

QString WriteSettingsList(const QStringList& items) {
    QString out;
    for (const QString& item : items) {
        if (item.isEmpty())
            continue;
        if (NeedsQuotes(item)) {
            QString quoted = item;
            quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
            out += QLatin1Char('"') + quoted + QLatin1Char('"');
        } else {
            out += item;
        }
        out += QLatin1Char(',');
    }
    return out;
}

QStringList ReadSettingsList(const QString& value) { return SplitCommaText(value); }

namespace {

// Every key of the settings file but the memo size, in the order a new file
// gets them, with the field it holds; reading and writing walk the same list.
using TSettingsField = std::variant<int TSettings::*, bool TSettings::*, QString TSettings::*,
                                    QStringList TSettings::*, TColorValue TSettings::*>;

struct TSettingsKey {
    QString Section;
    QString Key;
    TSettingsField Field;
};

const std::vector<TSettingsKey>& SettingsKeys() {
    static const std::vector<TSettingsKey> keys{
        {CookElement, QStringLiteral("GROUP"), &TSettings::CookGroups},
        {CookElement, QStringLiteral("TYPE"), &TSettings::CookKinds},
        {CookElement, QStringLiteral("QUANTITY"), &TSettings::CookAmounts},
        {Emphasis, QStringLiteral("COLOR"), &TSettings::EmphasisColor},
        {Emphasis, Use, &TSettings::UseEmphasis},
        {Emphasis, QStringLiteral("TEXT"), &TSettings::EmphasisWords},
        {Report, QStringLiteral("LARGEICON"), &TSettings::LargeIcon},
        {Report, QStringLiteral("GRIDLINE"), &TSettings::GridLine},
        {Report, QStringLiteral("ICONSORT"), &TSettings::IconSort},
        {Print, QStringLiteral("TYPE"), &TSettings::PrintType},
        {QStringLiteral("NUMBERCOLOR"), Use, &TSettings::UseNumberColor},
        {QStringLiteral("BACKGROUND"), QStringLiteral("FILENAME"), &TSettings::BackgroundFileName},
        {QStringLiteral("DIGITALCLOCK"), Use, &TSettings::UseDigitalClock},
        {Print, QStringLiteral("FONTSIZE"), &TSettings::PrintFontSize},
        {Print, QStringLiteral("HEADERTYPE"), &TSettings::HeaderType},
        {Print, QStringLiteral("FOOTERTYPE"), &TSettings::FooterType},
        {Print, QStringLiteral("LEFT_HEADERTYPE"), &TSettings::LeftHeaderType},
        {Print, QStringLiteral("RIGHT_HEADERTYPE"), &TSettings::RightHeaderType},
        {Print, QStringLiteral("LEFT_FOOTERTYPE"), &TSettings::LeftFooterType},
        {Print, QStringLiteral("RIGHT_FOOTERTYPE"), &TSettings::RightFooterType},
        {Print, QStringLiteral("LEFTMARGIN"), &TSettings::LeftMargin},
        {Print, QStringLiteral("RIGHTMARGIN"), &TSettings::RightMargin},
        {Print, QStringLiteral("TOPMARGIN"), &TSettings::TopMargin},
        {Print, QStringLiteral("BOTTOMMARGIN"), &TSettings::BottomMargin},
        {Print, QStringLiteral("PRINTCOMMENT"), &TSettings::PrintComment},
        {Print, QStringLiteral("PRINTPICTURE"), &TSettings::PrintPicture},
        {Print, QStringLiteral("PAPERSIZE"), &TSettings::PaperSize},
        {Print, QStringLiteral("CONTENTSTYPE"), &TSettings::ContentsType},
        {QStringLiteral("SAMEWIDTHFONT"), Use, &TSettings::UseSameWidthFont},
        {Link, QStringLiteral("USE_LINKFUNCTION"), &TSettings::UseLinkFunction},
        {Link, QStringLiteral("USE_THUMBNAIL"), &TSettings::UseThumbnail},
        {QStringLiteral("TITLE"), QStringLiteral("NAME"), &TSettings::TitleName},
    };
    return keys;
}

}  // namespace

TSettings LoadSettings(const TIniFile& ini) {
    const TSettings d;  // the defaults
    TSettings s;
    for (const TSettingsKey& k : SettingsKeys()) {
        std::visit(
            [&](auto field) {
                using T = std::remove_reference_t<decltype(s.*field)>;
                if constexpr (std::is_same_v<T, int>)
                    s.*field = ini.ReadInteger(k.Section, k.Key, d.*field);
                else if constexpr (std::is_same_v<T, bool>)
                    s.*field = ini.ReadBool(k.Section, k.Key, d.*field);
                else if constexpr (std::is_same_v<T, QString>)
                    s.*field = ini.ReadString(k.Section, k.Key, d.*field);
                else if constexpr (std::is_same_v<T, QStringList>)
                    s.*field = ReadList(ini, k.Section, k.Key, d.*field);
                else
                    s.*field = ColorFromText(ini.ReadString(k.Section, k.Key, QString())).value_or(d.*field);
            },
            k.Field);
    }
    s.DrawMemoHeight = ReadMemoSize(ini, QStringLiteral("HEIGHT"));
    s.DrawMemoWidth = ReadMemoSize(ini, QStringLiteral("WIDTH"));
    return s;
}

void SaveSettings(const TSettings& s, TIniFile& ini) {
    for (const TSettingsKey& k : SettingsKeys()) {
        std::visit(
            [&](auto field) {
                using T = std::remove_cvref_t<decltype(s.*field)>;
                if constexpr (std::is_same_v<T, int>)
                    ini.WriteInteger(k.Section, k.Key, s.*field);
                else if constexpr (std::is_same_v<T, bool>)
                    ini.WriteBool(k.Section, k.Key, s.*field);
                else if constexpr (std::is_same_v<T, QString>)
                    ini.WriteString(k.Section, k.Key, s.*field);
                else if constexpr (std::is_same_v<T, QStringList>)
                    ini.WriteString(k.Section, k.Key, WriteSettingsList(s.*field));
                else
                    ini.WriteString(k.Section, k.Key, ColorToText(s.*field));
            },
            k.Field);
    }
    ini.WriteInteger(DrawMemo, QStringLiteral("HEIGHT"), s.DrawMemoHeight);
    ini.WriteInteger(DrawMemo, QStringLiteral("WIDTH"), s.DrawMemoWidth);
}

TSettings LoadSettingsFile(const QString& path) { return LoadSettings(TIniFile(path)); }

void SaveSettingsFile(const TSettings& settings, const QString& path) {
    TIniFile ini(path);
    SaveSettings(settings, ini);
    ini.UpdateFile();
}

void CheckSettingsStorable(const TSettings& settings) {
    TIniFile probe{QString()};  // in memory only: never written
    SaveSettings(settings, probe);
}

QString BackgroundBitmapPath(const QString& appDir, const QString& name) {
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) ||
        name == QLatin1String(".") || name == QLatin1String(".."))
        return QString();
    const QString folder = appDir + ExistingNameIgnoringCase(appDir, QStringLiteral("background"));
    const QString path =
        folder + QLatin1Char('/') + ExistingNameIgnoringCase(folder, name + QStringLiteral(".bmp"));
    return QFileInfo(path).isFile() ? path : QString();
}

QStringList BackgroundNames(const QString& appDir) {
    const QString folder = appDir + ExistingNameIgnoringCase(appDir, QStringLiteral("background"));
    QStringList names;
    for (const QString& entry : SortedEntries(folder, {QStringLiteral("*.bmp")}, false))
        names << QFileInfo(entry).completeBaseName();
    return names;
}

TSettingsApply SettingsToApply(const TSettings& settings, const QString& appDir) {
    TSettingsApply apply;
    apply.BackgroundPath = BackgroundBitmapPath(appDir, settings.BackgroundFileName);
    apply.Caption = settings.TitleName;
    apply.MemoSize = QSize(settings.DrawMemoWidth, settings.DrawMemoHeight);
    apply.PaneFontName = PaneFontName(settings.UseSameWidthFont);
    apply.LargeRowIcons = settings.LargeIcon;
    apply.GridLines = settings.GridLine;
    return apply;
}
