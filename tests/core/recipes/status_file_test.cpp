#include "core/recipes/status_file.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <QDir>

#include "core/platform/saporia_error.h"
#include "core/platform/sjis.h"
#include "core/recipes/recipe_attributes.h"
#include "support/dialog_fixture.h"
#include "support/recipe_fixture.h"
#include "support/temp_app_dir.h"

TEST(StatusFile, LookupIgnoresCaseTakesFirstMatchAndKeepsValuesAsStored) {
    const TStatusFile status = TStatusFile::FromBytes(ToSjis(QStringLiteral(
        "メモ書きの行\r\nicon=5\nKIND=主菜\rWorkTime=a=b=c\r\nKind=副菜\r\n Price=100\r\nSalt= 1.5 \r\n"
        "NiceValue=\r\nDifficultValue=abc\r\nCalorie=7")));
    // The first of two lines wins, the value runs from the first "=", " Price" is another key, nothing is
    // trimmed, an empty value is unset, the last line needs no CR LF, a line without "=" has no key.
    const struct {
        QString Key, Value;
        int Int;
    } rows[] = {
        {StatusKey::Icon, "5", 5},      {StatusKey::Kind, "主菜", -1},  {StatusKey::WorkTime, "a=b=c", -1},
        {StatusKey::Price, "", -1},     {StatusKey::Salt, " 1.5 ", -1}, {StatusKey::NiceValue, "", -1},
        {StatusKey::Calorie, "7", 7},   {StatusKey::DifficultValue, "abc", -1}, {"メモ書きの行", "", -1},
    };
    for (const auto& row : rows)
        EXPECT_EQ(std::pair(status.Value(row.Key), status.IntValue(row.Key)), std::pair(row.Value, row.Int))
            << qPrintable(row.Key);
}

TEST(StatusFile, SetKeepsOtherLinesInPlaceAndWritesExactCp932CrLf) {
    TStatusFile status(QStringList{"手書きの注記", "kind=和", "Custom=残す", "Icon=3", "Kind=二つ目"});
    status.SetValue(StatusKey::Kind, "洋食");                   // first match, spelled as the writer does
    status.SetValue(StatusKey::Icon, QString());                // empty value removes the line
    status.SetValue(StatusKey::Group, "行1\r\n行2\nGroup2=x");  // no injected lines
    status.SetValue(StatusKey::NiceValue, 4);
    status.SetValue(StatusKey::Salt, QString());                // removing a missing key changes nothing
    EXPECT_EQ(status.ToBytes(), QByteArray("\x8e\xe8\x8f\x91\x82\xab\x82\xcc\x92\x8d\x8b\x4c\r\n"
                                           "Kind=\x97\x6d\x90\x48\r\n"
                                           "Custom=\x8e\x63\x82\xb7\r\n"
                                           "Kind=\x93\xf1\x82\xc2\x96\xda\r\n"
                                           "Group=\x8d\x73" "1  \x8d\x73" "2 Group2=x\r\n"
                                           "NiceValue=4\r\n"));

    // Refused before anything is written, naming the place in the typed value: a character CP932 cannot
    // hold, a private-use character posing as a raw CR or LF, a kept raw byte an edit put before a trail byte.
    const std::pair<QString, int> refused[] = {
        {"寿司🍣", 3},
        {QStringLiteral("2") + QChar(0xF70D) + QChar(0xF70A) + QStringLiteral("Icon=5"), 2},
        {FromSjis(QByteArray("\x82")) + QStringLiteral("a"), 1},
    };
    for (const auto& [value, position] : refused) {
        TStatusFile bad(QStringList{"Kind=和食"});
        bad.SetValue(StatusKey::Amount, value);
        const QString error = ErrorOf([&] { bad.ToBytes(); });
        EXPECT_TRUE(error.contains(QStringLiteral("(%1文字目)").arg(position))) << qPrintable(error);
    }
}

TEST(StatusFile, FolderFileIsFoundInItsOwnLetterCaseAndAnUnreadableOneFails) {
    TTempAppDir app;
    const QString folder = app.Path("Cook/煮物");
    QDir().mkpath(folder);
    bool exists = true;
    EXPECT_TRUE(TStatusFile::LoadFromFolder(folder, &exists).IsEmpty());
    EXPECT_FALSE(exists);

    WriteRaw(folder + "/status.txt", ToSjis("Kind=煮物\r\n"));
    TStatusFile status = TStatusFile::LoadFromFolder(folder, &exists);
    EXPECT_TRUE(exists);
    status.SetValue(StatusKey::Date, "2024/05/01");
    status.SaveToFolder(folder);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{"status.txt"});
    EXPECT_EQ(ReadRaw(folder + "/status.txt"), QByteArray("Kind=\x8e\xcf\x95\xa8\r\nDate=2024/05/01\r\n"));

    // There but unreadable (a dangling link, a FIFO that must not hang): an error, not an empty file.
    QDir().mkpath(app.Path("Cook/link"));
    QFile::link(app.Path("Cook/link/nowhere"), app.Path("Cook/link/Status.txt"));
    QDir().mkpath(app.Path("Cook/fifo"));
    ASSERT_EQ(mkfifo(QFile::encodeName(app.Path("Cook/fifo/Status.txt")).constData(), 0600), 0);
    for (const char* bad : {"Cook/link", "Cook/fifo"})
        EXPECT_THROW(TStatusFile::LoadFromFolder(app.Path(bad)), TSaporiaError) << bad;
}

TEST(RecipeAttributes, SavingKeepsUnknownLinesOrderAndDate) {
    TStatusFile status(QStringList{"Icon=3", "Kind=old", "Date=2020/01/02", "Memo=keep me", "Group=G",
                                   "NiceValue=1", "DifficultValue=1"});
    TRecipeAttributes a;
    a.IconHint = "5";
    a.Kind = "new";
    a.Calorie = "120";
    a.Group = "G2";
    a.DifficultValue = 3;
    ApplyAttributes(status, a, "2026/12/06", TwoUserIcons());
    EXPECT_EQ(status.Lines(), QStringList({"Icon=5", "Kind=new", "Date=2020/01/02", "Memo=keep me", "Group=G2",
                                           "NiceValue=0", "DifficultValue=3", "Calorie=120"}));

    // Without a file: the keys in their order, the date added, empty ones left out.
    TStatusFile fresh;
    a.IconHint = "33";
    ApplyAttributes(fresh, a, "2026/12/06", TwoUserIcons());
    EXPECT_EQ(fresh.Lines(), QStringList({"Icon=33", "Kind=new", "Calorie=120", "Group=G2", "NiceValue=0",
                                          "DifficultValue=3", "Date=2026/12/06", "ImageFileName=fish.bmp"}));
    // A built-in icon drops the user icon's file name; the first date stays.
    a.IconHint = "7";
    ApplyAttributes(fresh, a, "2030/01/01", TwoUserIcons());
    EXPECT_FALSE(fresh.Contains("ImageFileName"));
    EXPECT_EQ(fresh.Value("Date"), "2026/12/06");
}

TEST(RecipeAttributes, IconResolvesThroughTheUserIconFileName) {
    const std::pair<QStringList, const char*> rows[] = {
        {{"Icon=40", "ImageFileName=rice.BMP"}, "34"},  // moved since: the file name decides
        {{"Icon=35", "ImageFileName=deleted.bmp"}, "-1"},
        {{"icon=5"}, "5"},
        {{"Icon=abc"}, "-1"},
    };
    const TIconNames icons = TwoUserIcons();
    for (const auto& [lines, hint] : rows)
        EXPECT_EQ(AttributesFromStatus(TStatusFile(lines), icons).IconHint, hint) << qPrintable(lines.join(' '));

    // The record takes the attributes but keeps its name, date and photo mark.
    TCookItem item = NamedItem("N");
    item.PhotoMark = PhotoMarkPresent;
    item.Date = "D";
    ApplyAttributesToItem(item, AttributesFromStatus(TStatusFile({"Icon=34", "NiceValue=7", "Kind=K"}), icons));
    EXPECT_EQ(item, (TCookItem{34, "N", "", "K", "", PhotoMarkPresent, "D", "", "", "", "", "", 7, -1, true}));
}
