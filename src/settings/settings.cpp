#include "settings/settings.h"

#include <QCoreApplication>
#include <QFileInfo>

#include "common/comma_text.h"
#include "platform/file_io.h"
#include "platform/ini_file.h"
#include "settings/fonts.h"

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

TSettings LoadSettings(const TIniFile& ini) {
    const TSettings d;  // the defaults
    TSettings s;
    s.CookGroups = ReadList(ini, CookElement, QStringLiteral("GROUP"), d.CookGroups);
    s.CookKinds = ReadList(ini, CookElement, QStringLiteral("TYPE"), d.CookKinds);
    s.CookAmounts = ReadList(ini, CookElement, QStringLiteral("QUANTITY"), d.CookAmounts);
    s.EmphasisColor = ColorFromText(ini.ReadString(Emphasis, QStringLiteral("COLOR"), QString()))
                          .value_or(d.EmphasisColor);
    s.UseEmphasis = ini.ReadBool(Emphasis, Use, d.UseEmphasis);
    s.EmphasisWords = ReadList(ini, Emphasis, QStringLiteral("TEXT"), d.EmphasisWords);
    s.LargeIcon = ini.ReadBool(Report, QStringLiteral("LARGEICON"), d.LargeIcon);
    s.GridLine = ini.ReadBool(Report, QStringLiteral("GRIDLINE"), d.GridLine);
    s.IconSort = ini.ReadBool(Report, QStringLiteral("ICONSORT"), d.IconSort);
    s.PrintType = ini.ReadInteger(Print, QStringLiteral("TYPE"), d.PrintType);
    s.UseNumberColor = ini.ReadBool(QStringLiteral("NUMBERCOLOR"), Use, d.UseNumberColor);
    s.BackgroundFileName =
        ini.ReadString(QStringLiteral("BACKGROUND"), QStringLiteral("FILENAME"), d.BackgroundFileName);
    s.UseDigitalClock = ini.ReadBool(QStringLiteral("DIGITALCLOCK"), Use, d.UseDigitalClock);
    s.PrintFontSize = ini.ReadInteger(Print, QStringLiteral("FONTSIZE"), d.PrintFontSize);
    s.HeaderType = ini.ReadInteger(Print, QStringLiteral("HEADERTYPE"), d.HeaderType);
    s.FooterType = ini.ReadInteger(Print, QStringLiteral("FOOTERTYPE"), d.FooterType);
    s.LeftHeaderType = ini.ReadInteger(Print, QStringLiteral("LEFT_HEADERTYPE"), d.LeftHeaderType);
    s.RightHeaderType = ini.ReadInteger(Print, QStringLiteral("RIGHT_HEADERTYPE"), d.RightHeaderType);
    s.LeftFooterType = ini.ReadInteger(Print, QStringLiteral("LEFT_FOOTERTYPE"), d.LeftFooterType);
    s.RightFooterType = ini.ReadInteger(Print, QStringLiteral("RIGHT_FOOTERTYPE"), d.RightFooterType);
    s.LeftMargin = ini.ReadInteger(Print, QStringLiteral("LEFTMARGIN"), d.LeftMargin);
    s.RightMargin = ini.ReadInteger(Print, QStringLiteral("RIGHTMARGIN"), d.RightMargin);
    s.TopMargin = ini.ReadInteger(Print, QStringLiteral("TOPMARGIN"), d.TopMargin);
    s.BottomMargin = ini.ReadInteger(Print, QStringLiteral("BOTTOMMARGIN"), d.BottomMargin);
    s.PrintComment = ini.ReadBool(Print, QStringLiteral("PRINTCOMMENT"), d.PrintComment);
    s.PrintPicture = ini.ReadBool(Print, QStringLiteral("PRINTPICTURE"), d.PrintPicture);
    s.PaperSize = ini.ReadString(Print, QStringLiteral("PAPERSIZE"), d.PaperSize);
    s.ContentsType = ini.ReadInteger(Print, QStringLiteral("CONTENTSTYPE"), d.ContentsType);
    s.UseSameWidthFont = ini.ReadBool(QStringLiteral("SAMEWIDTHFONT"), Use, d.UseSameWidthFont);
    s.UseLinkFunction = ini.ReadBool(Link, QStringLiteral("USE_LINKFUNCTION"), d.UseLinkFunction);
    s.UseThumbnail = ini.ReadBool(Link, QStringLiteral("USE_THUMBNAIL"), d.UseThumbnail);
    s.TitleName = ini.ReadString(QStringLiteral("TITLE"), QStringLiteral("NAME"), d.TitleName);
    s.DrawMemoHeight = ReadMemoSize(ini, QStringLiteral("HEIGHT"));
    s.DrawMemoWidth = ReadMemoSize(ini, QStringLiteral("WIDTH"));
    return s;
}

void SaveSettings(const TSettings& s, TIniFile& ini) {
    ini.WriteString(CookElement, QStringLiteral("GROUP"), WriteSettingsList(s.CookGroups));
    ini.WriteString(CookElement, QStringLiteral("TYPE"), WriteSettingsList(s.CookKinds));
    ini.WriteString(CookElement, QStringLiteral("QUANTITY"), WriteSettingsList(s.CookAmounts));
    ini.WriteString(Emphasis, QStringLiteral("COLOR"), ColorToText(s.EmphasisColor));
    ini.WriteBool(Emphasis, Use, s.UseEmphasis);
    ini.WriteString(Emphasis, QStringLiteral("TEXT"), WriteSettingsList(s.EmphasisWords));
    ini.WriteBool(Report, QStringLiteral("LARGEICON"), s.LargeIcon);
    ini.WriteBool(Report, QStringLiteral("GRIDLINE"), s.GridLine);
    ini.WriteBool(Report, QStringLiteral("ICONSORT"), s.IconSort);
    ini.WriteInteger(Print, QStringLiteral("TYPE"), s.PrintType);
    ini.WriteBool(QStringLiteral("NUMBERCOLOR"), Use, s.UseNumberColor);
    ini.WriteString(QStringLiteral("BACKGROUND"), QStringLiteral("FILENAME"), s.BackgroundFileName);
    ini.WriteBool(QStringLiteral("DIGITALCLOCK"), Use, s.UseDigitalClock);
    ini.WriteInteger(Print, QStringLiteral("FONTSIZE"), s.PrintFontSize);
    ini.WriteInteger(Print, QStringLiteral("HEADERTYPE"), s.HeaderType);
    ini.WriteInteger(Print, QStringLiteral("FOOTERTYPE"), s.FooterType);
    ini.WriteInteger(Print, QStringLiteral("LEFT_HEADERTYPE"), s.LeftHeaderType);
    ini.WriteInteger(Print, QStringLiteral("RIGHT_HEADERTYPE"), s.RightHeaderType);
    ini.WriteInteger(Print, QStringLiteral("LEFT_FOOTERTYPE"), s.LeftFooterType);
    ini.WriteInteger(Print, QStringLiteral("RIGHT_FOOTERTYPE"), s.RightFooterType);
    ini.WriteInteger(Print, QStringLiteral("LEFTMARGIN"), s.LeftMargin);
    ini.WriteInteger(Print, QStringLiteral("RIGHTMARGIN"), s.RightMargin);
    ini.WriteInteger(Print, QStringLiteral("TOPMARGIN"), s.TopMargin);
    ini.WriteInteger(Print, QStringLiteral("BOTTOMMARGIN"), s.BottomMargin);
    ini.WriteBool(Print, QStringLiteral("PRINTCOMMENT"), s.PrintComment);
    ini.WriteBool(Print, QStringLiteral("PRINTPICTURE"), s.PrintPicture);
    ini.WriteString(Print, QStringLiteral("PAPERSIZE"), s.PaperSize);
    ini.WriteInteger(Print, QStringLiteral("CONTENTSTYPE"), s.ContentsType);
    ini.WriteBool(QStringLiteral("SAMEWIDTHFONT"), Use, s.UseSameWidthFont);
    ini.WriteBool(Link, QStringLiteral("USE_LINKFUNCTION"), s.UseLinkFunction);
    ini.WriteBool(Link, QStringLiteral("USE_THUMBNAIL"), s.UseThumbnail);
    ini.WriteString(QStringLiteral("TITLE"), QStringLiteral("NAME"), s.TitleName);
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
    apply.KindChoices = settings.CookKinds;
    apply.AmountChoices = settings.CookAmounts;
    apply.GroupChoices = settings.CookGroups;
    apply.LargeRowIcons = settings.LargeIcon;
    apply.GridLines = settings.GridLine;
    return apply;
}
