#include "core/recipes/recipe_folder_ops.h"

#include <unistd.h>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "core/platform/file_io.h"
#include "core/platform/saporia_error.h"
#include "core/recipes/recipe_name.h"
#include "support/dialog_fixture.h"
#include "support/recipe_fixture.h"
#include "support/temp_app_dir.h"

namespace {

TEST(RecipeName, RefusesEveryNameThatCouldLeaveTheDataFolderOrBreakTheFile) {
    const QStringList bad = {
        QString(), "   ", ".", "..", "../x", "a/b", "a\\b", "a:b", "a*b", "a?b", "a\"b", "a<b", "a>b", "a|b", "\t",
        "a\x7f", "寿司🍣",
        QString(86, QChar(0x3042)),  // 172 bytes in CP932 but 258 in UTF-8
        QString(256, QLatin1Char('a')),
    };
    for (const QString& name : bad)
        EXPECT_THROW(CheckRecipeName(name), TSaporiaError) << qPrintable(name);
    EXPECT_TRUE(RecipeNameProblem("寿司🍣").contains("🍣"));
    EXPECT_TRUE(RecipeNameProblem("a:b").contains("「:」"));
    const QStringList good = {"肉じゃが", "　　",  // full-width blanks survive Trim
                              ".hidden", "a..b", "～波ダッシュ～", QString(85, QChar(0x3042)), QString(255, 'a')};
    for (const QString& name : good)
        EXPECT_EQ(RecipeNameProblem(name), QString()) << qPrintable(name);
}

TEST(RecipeName, FolderPathStaysADirectChildOfTheDataFolder) {
    const QString root = "/data/Cook";
    EXPECT_EQ(RecipeFolderPath(root + "/", "　　"), root + "/　　/");
    for (const char* name : {"../x", "a/b", "..", "a\tb"})
        EXPECT_THROW(RecipeFolderPath(root, name), TSaporiaError) << name;
    const std::pair<const char*, bool> rows[] = {
        {"/a/", true}, {"/a/b", false}, {"/../a", false}, {"/.", false}, {"", false}, {"x/a", false}};
    for (const auto& [path, child] : rows)
        EXPECT_EQ(IsDirectChildOf(root, root + path), child) << path;
}

class RecipeFolderOps : public ::testing::Test {
protected:
    bool Rename(const QString& from, const QString& to) const {
        TCookItem item = NamedItem(from);
        return RenameRecipeFolder(Root, item, to);
    }
    void Delete(const QString& name) const { DeleteRecipeFolder(Root, NamedItem(name)); }
    QStringList Entries(const QString& relative = "Cook") const {
        const auto filter = QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System;  // dangling links too
        return QDir(App.Path(relative)).entryList(filter, QDir::Name);
    }

    TTempAppDir App;
    QString Root = App.Path("Cook");
};

TEST_F(RecipeFolderOps, CreatingWritesTextsStatusAndPhoto) {
    TWizardRecipe wizard{"豚肉 200g\n玉ねぎ 1個", "炒める", SmallJpeg(), FullAttributes()};
    const TCookItem item = CreateRecipe(Root, "生姜焼き", &wizard, "2026/12/06", TwoUserIcons());
    EXPECT_EQ(App.ReadBytes("Cook/生姜焼き/材料.txt"), RecipeFileBytes(wizard.Foodstuff));
    EXPECT_EQ(App.ReadBytes("Cook/生姜焼き/方法.txt"), RecipeFileBytes(wizard.How));
    EXPECT_EQ(ReadSjisLines(App.Path("Cook/生姜焼き/Status.txt")),
              QStringList({"Icon=34", "Kind=主菜", "Amount=2人分", "Calorie=450", "Price=800", "WorkTime=30分",
                           "Date=2026/12/06", "Group=和食", "Salt=2.5", "NiceValue=4", "DifficultValue=2",
                           "ImageFileName=rice.bmp"}));
    EXPECT_EQ(App.ReadBytes("Cook/生姜焼き/写真.jpg"), wizard.PhotoJpeg);
    EXPECT_EQ(std::tuple(item.Name, item.Icon, item.NiceValue, item.PhotoMark, item.Date),
              std::tuple(QString("生姜焼き"), 34, 4, PhotoMarkPresent, QString("2026/12/06")));

    // An untouched wizard and the plain dialog write their few lines.
    wizard = TWizardRecipe();
    wizard.Attributes.Group = "和食";
    EXPECT_EQ(CreateRecipe(Root, "A", &wizard, "2026/12/06", {}).PhotoMark, PhotoMarkAbsent);
    EXPECT_EQ(App.ReadBytes("Cook/A/Status.txt"),
              QByteArray("Icon=-1\r\nDate=2026/12/06\r\nGroup=\x98\x61\x90\x48\r\nNiceValue=0\r\nDifficultValue=0\r\n"));
    const TCookItem plain = CreateRecipe(Root, "B", nullptr, "2026/12/06", {});
    for (const char* name : {"Cook/A", "Cook/B"})
        EXPECT_EQ(Entries(name), QStringList({"Status.txt", "方法.txt", "材料.txt"})) << name;
    EXPECT_EQ(App.ReadBytes("Cook/B/Status.txt") + App.ReadBytes("Cook/B/材料.txt"), "Date=2026/12/06\r\n");
    EXPECT_EQ(std::tuple(plain.Icon, plain.NiceValue, plain.DifficultValue), std::tuple(-1, -1, -1));
}

TEST_F(RecipeFolderOps, RefusedNamesAndFailedCreationsLeaveNothingBehind) {
    QDir().mkpath(Root + "/Existing");
    EXPECT_EQ(NewRecipeNameProblem(Root, "Existing"), RecipeNameExistsMessage);
    for (const char* bad : {"", "../x", "Existing"})
        EXPECT_THROW(CreateRecipe(Root, bad, nullptr, "2026/12/06", {}), TSaporiaError) << bad;
    // A text CP932 cannot hold refuses the recipe before its folder exists.
    TWizardRecipe wizard;
    wizard.How = "絵文字 \U0001F600";
    EXPECT_THROW(CreateRecipe(Root, "Emoji", &wizard, "2026/12/06", {}), TSaporiaError);
    // A data folder that refuses the new folder: reported, nothing left.
    if (::geteuid() != 0) {
        wizard.How = "ok";
        wizard.PhotoJpeg = QByteArray(10, 'x');
        QFile::setPermissions(Root, QFile::ReadOwner | QFile::ExeOwner);
        EXPECT_THROW(CreateRecipe(Root, "New", &wizard, "2026/12/06", {}), TSaporiaError);
        QFile::setPermissions(Root, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    EXPECT_EQ(Entries(), QStringList({"Existing"}));
    EXPECT_EQ(Entries("."), QStringList({"Cook"}));
}

TEST_F(RecipeFolderOps, DeleteRemovesTheWholeRecipeAndNothingOutside) {
    App.WriteBytes("Cook/Curry/LinkPic/deeper/note.txt", "n");
    App.WriteBytes("Cook/what?/材料.txt", "made by another tool");
    App.WriteBytes("Cook/Other/材料.txt", "keep");
    App.WriteBytes("Elsewhere/sub/precious.txt", "keep");
    // Links inside the recipe and a recipe that is itself a link point outside "Cook".
    ASSERT_TRUE(QFile::link(App.Path("Elsewhere"), App.Path("Cook/Curry/LinkPic/outside")));
    ASSERT_TRUE(QFile::link(App.Path("Elsewhere/sub/precious.txt"), App.Path("Cook/Curry/file-link")));
    ASSERT_TRUE(QFile::link(App.Path("Elsewhere"), App.Path("Cook/Linked")));
    for (const char* name : {"Curry", "Linked", "what?"})
        Delete(name);
    // Names that would reach outside the data folder, or the data folder itself.
    for (const char* bad : {"", "..", ".", "../Elsewhere", "Other/../.."})
        EXPECT_THROW(Delete(bad), TSaporiaError) << bad;
    const QString missing = ErrorOf([&] { Delete("Missing"); });
    EXPECT_TRUE(missing.startsWith("ファイルの削除に失敗しました. FILENAME=") && missing.contains("Missing"));
    EXPECT_EQ(Entries(), QStringList({"Other"}));
    EXPECT_EQ(Entries("Elsewhere/sub"), QStringList({"precious.txt"}));
}

// Folders another tool made may hold characters a new name may not; the new name is still checked.
TEST_F(RecipeFolderOps, RenameMovesTheFolderAndRefusesWithoutTouchingDisk) {
    App.WriteBytes("Cook/Curry/LinkPic/ginger.jpg", "jpeg");
    App.WriteBytes("Cook/a:b/LinkPic/p.jpg", "jpeg");
    App.WriteBytes("Cook/Stew/材料.txt", "stew");
    for (const char* same : {"", "   ", "Curry"})
        EXPECT_FALSE(Rename("Curry", same)) << same;
    const std::pair<const char*, const char*> refused[] = {
        {"Curry", ".."}, {"Curry", "../x"}, {"Curry", "a?b"}, {"Curry", "Stew"}, {"Gone", "New"},
        {"Stew/..", "New"}, {"./Stew", "New"}, {"..", "New"}};
    for (const auto& [from, to] : refused)
        EXPECT_THROW(Rename(from, to), TSaporiaError) << from << " -> " << to;
    EXPECT_EQ(App.ReadBytes("Cook/Stew/材料.txt"), "stew");
    EXPECT_TRUE(Rename("Curry", " カレー "));
    EXPECT_TRUE(Rename("a:b", "ab"));
    EXPECT_EQ(Entries(), QStringList({"Stew", "ab", "カレー"}));
    EXPECT_EQ(App.ReadBytes("Cook/カレー/LinkPic/ginger.jpg") + App.ReadBytes("Cook/ab/LinkPic/p.jpg"), "jpegjpeg");
    EXPECT_EQ(Entries("."), QStringList({"Cook"}));
}

}  // namespace
