#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

#include <QDir>

#include "core/platform/ini_file.h"
#include "core/platform/saporia_error.h"
#include "core/platform/sjis.h"
#include "support/temp_app_dir.h"

namespace {

// Lowers the file size limit of this process for a scope, so a write fails even for root.
class TFileSizeLimit final {
public:
    explicit TFileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &Old);
        rlimit lowered = Old;
        lowered.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~TFileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &Old);
        std::signal(SIGXFSZ, OldHandler);
    }

private:
    rlimit Old{};
    void (*OldHandler)(int) = std::signal(SIGXFSZ, SIG_IGN);
};

}  // namespace

TEST(IniFile, ReadsSectionsAndKeysIgnoringCaseFirstMatchWins) {
    TTempAppDir dir;
    dir.WriteBytes("a.ini",
                   "[Print]\r\nType = 3 \r\nTYPE=4\r\nEmpty=\r\n; comment=5\r\n[print]\r\nFontSize=12\r\n"
                   "[TITLE]\nNAME=\x83\x8C\x83\x56\x83\x73\n"  // レシピ, LF only
                   "[Hex]\rA=$1F\rB=0x10\rC=0XfF\rD=-7\rE=1.5\rG=$FFFFFFFF\rH=99999999999");
    const TIniFile ini(dir.Path("a.ini"));
    EXPECT_EQ(ini.ReadString("print", "EMPTY", "x"), QString());
    EXPECT_EQ(ini.ReadString("PRINT", "; comment", "none"), QStringLiteral("none"));
    EXPECT_EQ(ini.ReadString("title", "name", ""), QStringLiteral("レシピ"));
    // {section, key, value}; the default is 42. Only the first section of a name is read.
    const std::tuple<const char*, const char*, int> numbers[] = {
        {"PRINT", "type", 3}, {"PRINT", "FONTSIZE", 42}, {"HEX", "A", 31}, {"HEX", "B", 16}, {"HEX", "C", 255},
        {"HEX", "D", -7}, {"HEX", "E", 42}, {"HEX", "G", -1}, {"HEX", "H", 42},
    };
    for (const auto& [section, key, value] : numbers)
        EXPECT_EQ(ini.ReadInteger(section, key, 42), value) << section << "/" << key;
    EXPECT_TRUE(ini.ReadBool("HEX", "E", true));  // not an integer: default
    EXPECT_FALSE(ini.Modified());
}

TEST(IniFile, WritesKeepForeignLinesByteForByte) {
    TTempAppDir dir;
    // LF and CR line ends, bytes that are not valid CP932 and a NEC/IBM duplicate that must not be
    // re-encoded, no line end at the very end.
    const QByteArray head = "; top comment\n[ToolBar1]\nLEFT=11\n\n[Odd]\rRAW=\x80\xFF\xFA\x5C\r";
    dir.WriteBytes("a.ini", head + "[PRINT]\r\nTYPE=2\r\n\r\n[FORM]\r\nWIDTH=800");
    QString longList;
    for (int i = 0; i < 1500; ++i)
        longList += QStringLiteral("材料%1,").arg(i);
    TIniFile ini(dir.Path("a.ini"));
    ini.WriteInteger("PRINT", "TYPE", 3);        // replaced in place
    ini.WriteInteger("print", "FONTSIZE", 12);   // added after TYPE, before the blank line
    ini.WriteBool("FORM", "MAX", true);          // added after the unterminated last line
    ini.WriteString("TITLE", "NAME", longList);  // new section at the end, longer than 2047 bytes
    ini.UpdateFile();
    EXPECT_EQ(dir.ReadBytes("a.ini"), head + "[PRINT]\r\nTYPE=3\r\nFONTSIZE=12\r\n\r\n[FORM]\r\nWIDTH=800\r\nMAX=1\r\n"
                                             "\r\n[TITLE]\r\nNAME=" + ToSjis(longList) + "\r\n");
    // Writing the same values again changes nothing.
    TIniFile again(dir.Path("a.ini"));
    again.WriteInteger("PRINT", "TYPE", 3);
    again.WriteString("title", "name", longList);
    EXPECT_FALSE(again.Modified());
    EXPECT_EQ(again.ReadString("TITLE", "NAME", ""), longList);
    EXPECT_EQ(again.ReadString("ODD", "RAW", ""), FromSjis(QByteArray("\x80\xFF\xFA\x5C")));
    // What was read is written back, even bytes CP932 would write otherwise: 0xEE40 comes back
    // as 0xFB5C, which would join the kept 0xEE before it.
    dir.WriteBytes("b.ini", "[TITLE]\r\nNAME=\xEE\xEE\x40\r\n");
    TIniFile odd(dir.Path("b.ini"));
    odd.WriteString("TITLE", "NAME", odd.ReadString("TITLE", "NAME", ""));
    odd.WriteString("TITLE", "OTHER", "x");
    odd.UpdateFile();
    EXPECT_EQ(dir.ReadBytes("b.ini"), QByteArray("[TITLE]\r\nNAME=\xEE\xEE\x40\r\nOTHER=x\r\n"));
}

TEST(IniFile, BadValuesAreRefusedWithoutChangingAnything) {
    TTempAppDir dir;
    dir.WriteBytes("a.ini", "[A]\r\nK=old\r\n");
    TIniFile ini(dir.Path("a.ini"));
    // {section, key, value}: a line break would let a value forge other keys; an emoji has no CP932 code.
    const std::tuple<QString, QString, QString> cases[] = {
        {"A", "K", "x\r\n[FORM]\r\nWIDTH=1"}, {"A", "K", QString::fromUtf8("\xF0\x9F\x98\x80")}, {"A", "K=J", "x"},
        {"A]", "K", "x"}, {"", "K", "x"},
    };
    for (const auto& [section, key, value] : cases)
        EXPECT_THROW(ini.WriteString(section, key, value), TSaporiaError) << (section + "/" + key).toStdString();
    EXPECT_FALSE(ini.Modified());
    EXPECT_EQ(ini.ReadString("A", "K", ""), QStringLiteral("old"));
}

TEST(IniFile, FailedWriteLeavesOldFileWholeAndReportsThePath) {
    TTempAppDir dir;
    QDir().mkpath(dir.Path("dir.ini"));
    TIniFile onFolder(dir.Path("dir.ini"));
    onFolder.WriteString("A", "K", "v");
    try {
        onFolder.UpdateFile();
        FAIL() << "no error";
    } catch (const TSaporiaError& e) {
        EXPECT_EQ(e.message(), dir.Path("dir.ini") + QStringLiteral(" に書き込めません"));
    }
    // The disk refuses the new bytes: the old file stays whole and no temporary file is left beside it.
    dir.WriteBytes("b/a.ini", "[A]\r\nK=old\r\n");
    TIniFile ini(dir.Path("b/a.ini"));
    ini.WriteString("A", "K", QString(4096, QLatin1Char('x')));
    {
        TFileSizeLimit limit(1024);
        EXPECT_THROW(ini.UpdateFile(), TSaporiaError);
    }
    EXPECT_EQ(dir.ReadBytes("b/a.ini"), QByteArray("[A]\r\nK=old\r\n"));
    EXPECT_EQ(QDir(dir.Path("b")).entryList(QDir::Files | QDir::Hidden), QStringList{"a.ini"});
    ini.UpdateFile();  // the changes stayed pending and land once the disk takes them
    EXPECT_EQ(TIniFile(dir.Path("b/a.ini")).ReadString("A", "K", "").size(), 4096);
}
