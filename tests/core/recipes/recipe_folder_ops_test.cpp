#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <unistd.h>

#include "core/recipes/recipe_folder_ops.h"
#include "core/platform/file_io.h"
#include "core/platform/jpeg.h"
#include "core/platform/saporia_error.h"
#include "support/dialog_fixture.h"
#include "support/temp_app_dir.h"

namespace {

QStringList Entries(const QString& dir) {
    return QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name);
}

}  // namespace

TEST(RecipeFolderOps, CreatingFromTheWizardWritesTextsStatusAndPhoto) {
    TTempAppDir app;
    const QString root = app.Path("Cook");
    TWizardRecipe wizard;
    wizard.Foodstuff = QStringLiteral("豚肉 200g\n玉ねぎ 1個");
    wizard.How = QStringLiteral("炒める");
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::red);
    wizard.PhotoJpeg = EncodeJpeg(picture);
    wizard.Attributes = FullAttributes();

    const TCookItem item = CreateRecipe(root, QStringLiteral("生姜焼き"), &wizard, "2026/12/06", TwoUserIcons());
    EXPECT_EQ(ReadSjisLines(app.Path("Cook/生姜焼き/材料.txt")), QStringList({QStringLiteral("豚肉 200g"), QStringLiteral("玉ねぎ 1個")}));
    EXPECT_TRUE(app.ReadBytes("Cook/生姜焼き/方法.txt").endsWith("\r\n"));
    EXPECT_EQ(ReadSjisLines(app.Path("Cook/生姜焼き/Status.txt")),
              QStringList({"Icon=34", QStringLiteral("Kind=主菜"), QStringLiteral("Amount=2人分"), "Calorie=450",
                           "Price=800", QStringLiteral("WorkTime=30分"), "Date=2026/12/06", QStringLiteral("Group=和食"),
                           "Salt=2.5", "NiceValue=4", "DifficultValue=2", "ImageFileName=rice.bmp"}));
    EXPECT_EQ(app.ReadBytes("Cook/生姜焼き/写真.jpg"), wizard.PhotoJpeg);
    EXPECT_EQ(item.Name, QStringLiteral("生姜焼き"));
    EXPECT_EQ(item.Icon, 34);
    EXPECT_EQ(item.NiceValue, 4);
    EXPECT_EQ(item.PhotoMark, PhotoMarkPresent);
    EXPECT_EQ(item.Date, "2026/12/06");
}

TEST(RecipeFolderOps, UntouchedWizardAndPlainDialogWriteTheirFewLines) {
    TTempAppDir app;
    const QString root = app.Path("Cook");
    TWizardRecipe wizard;
    wizard.Attributes.Group = QStringLiteral("和食");
    const TCookItem fromWizard = CreateRecipe(root, "A", &wizard, "2026/12/06", {});
    EXPECT_EQ(app.ReadBytes("Cook/A/Status.txt"),
              QByteArray("Icon=-1\r\nDate=2026/12/06\r\nGroup=\x98\x61\x90\x48\r\nNiceValue=0\r\nDifficultValue=0\r\n"));
    EXPECT_EQ(fromWizard.NiceValue, 0);
    EXPECT_EQ(fromWizard.PhotoMark, PhotoMarkAbsent);
    EXPECT_FALSE(QFileInfo::exists(app.Path("Cook/A/写真.jpg")));
    EXPECT_TRUE(app.ReadBytes("Cook/A/材料.txt").isEmpty());

    const TCookItem plain = CreateRecipe(root, "B", nullptr, "2026/12/06", {});
    EXPECT_EQ(Entries(app.Path("Cook/B")), QStringList({"Status.txt", "方法.txt", "材料.txt"}));
    EXPECT_EQ(app.ReadBytes("Cook/B/Status.txt"), QByteArray("Date=2026/12/06\r\n"));
    EXPECT_TRUE(app.ReadBytes("Cook/B/材料.txt").isEmpty());
    EXPECT_TRUE(app.ReadBytes("Cook/B/方法.txt").isEmpty());
    EXPECT_EQ(plain.Icon, -1);
    EXPECT_EQ(plain.NiceValue, -1);
    EXPECT_EQ(plain.DifficultValue, -1);
}

TEST(RecipeFolderOps, RefusedNamesAndFailedCreationsLeaveNothingBehind) {
    TTempAppDir app;
    const QString root = app.Path("Cook");
    QDir().mkpath(root + "/Existing");
    app.WriteBytes("outside.txt", "keep");
    for (const QString& bad : {QString(), QStringLiteral(".."), QStringLiteral("."), QStringLiteral("../x"),
                               QStringLiteral("a/b"), QStringLiteral("a:b"), QStringLiteral("Existing")}) {
        EXPECT_FALSE(NewRecipeNameProblem(root, bad).isEmpty()) << bad.toStdString();
        EXPECT_THROW(CreateRecipe(root, bad, nullptr, "2026/12/06", {}), TSaporiaError) << bad.toStdString();
    }
    EXPECT_EQ(NewRecipeNameProblem(root, "Existing"), RecipeNameExistsMessage);
    EXPECT_EQ(NewRecipeNameProblem(root, ""), RecipeNameEmptyMessage);
    EXPECT_EQ(Entries(root), QStringList({"Existing"}));
    EXPECT_EQ(Entries(app.AppDir()), QStringList({"Cook", "outside.txt"}));

    // A text CP932 cannot hold refuses the recipe before its folder exists.
    TWizardRecipe wizard;
    wizard.How = QStringLiteral("絵文字 \U0001F600");
    EXPECT_THROW(CreateRecipe(root, "Emoji", &wizard, "2026/12/06", {}), TSaporiaError);
    EXPECT_FALSE(QFileInfo::exists(root + "/Emoji"));

    // A data folder that refuses the new folder reports it and leaves nothing.
    if (::geteuid() != 0) {
        wizard.How = "ok";
        wizard.PhotoJpeg = QByteArray(10, 'x');
        QDir().mkpath(root + "/Blocked");
        QFile::setPermissions(root, QFile::ReadOwner | QFile::ExeOwner);
        EXPECT_THROW(CreateRecipe(root, "New", &wizard, "2026/12/06", {}), TSaporiaError);
        QFile::setPermissions(root, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        EXPECT_FALSE(QFileInfo::exists(root + "/New"));
    }
}

TEST(RecipeFolderOps, DeleteRemovesTheWholeRecipeAndNothingOutside) {
    TTempAppDir app;
    const QString root = app.Path("Cook");
    app.WriteBytes("Cook/Curry/材料.txt", "x\r\n");
    app.WriteBytes("Cook/Curry/LinkPic/ginger.jpg", "jpeg");
    app.WriteBytes("Cook/Curry/LinkPic/deeper/note.txt", "n");
    app.WriteBytes("Cook/Other/材料.txt", "keep");
    app.WriteBytes("Elsewhere/precious.txt", "keep");
    app.WriteBytes("Elsewhere/sub/also.txt", "keep");
    // Links inside the recipe and a recipe that is itself a link point outside "Cook".
    ASSERT_TRUE(QFile::link(app.Path("Elsewhere"), app.Path("Cook/Curry/LinkPic/outside")));
    ASSERT_TRUE(QFile::link(app.Path("Elsewhere/precious.txt"), app.Path("Cook/Curry/file-link")));
    ASSERT_TRUE(QFile::link(app.Path("Elsewhere"), app.Path("Cook/Linked")));

    DeleteRecipeFolder(root, "Curry");
    EXPECT_FALSE(QFileInfo::exists(app.Path("Cook/Curry")));
    DeleteRecipeFolder(root, "Linked");
    EXPECT_FALSE(QFileInfo(app.Path("Cook/Linked")).isSymLink());
    EXPECT_EQ(Entries(root), QStringList({"Other"}));
    EXPECT_EQ(app.ReadBytes("Elsewhere/precious.txt"), "keep");
    EXPECT_EQ(app.ReadBytes("Elsewhere/sub/also.txt"), "keep");

    // Names that would reach outside the data folder, or the data folder itself.
    for (const QString& bad : {QString(), QStringLiteral(".."), QStringLiteral("."), QStringLiteral("../Elsewhere"),
                               QStringLiteral("Other/../..")})
        EXPECT_THROW(DeleteRecipeFolder(root, bad), TSaporiaError) << bad.toStdString();
    try {
        DeleteRecipeFolder(root, "Missing");
        FAIL();
    } catch (const TSaporiaError& e) {
        EXPECT_TRUE(e.message().startsWith("ファイルの削除に失敗しました. FILENAME="));
        EXPECT_TRUE(e.message().contains("Missing"));
    }
    EXPECT_EQ(Entries(root), QStringList({"Other"}));
    EXPECT_EQ(Entries(app.Path("Elsewhere")), QStringList({"precious.txt", "sub"}));
}

TEST(RecipeFolderOps, RenameMovesTheFolderAndRefusesWithoutTouchingDisk) {
    TTempAppDir app;
    const QString root = app.Path("Cook");
    app.WriteBytes("Cook/Curry/材料.txt", "x");
    app.WriteBytes("Cook/Curry/LinkPic/ginger.jpg", "jpeg");
    app.WriteBytes("Cook/Stew/材料.txt", "stew");

    EXPECT_FALSE(RenameRecipeFolder(root, "Curry", ""));
    EXPECT_FALSE(RenameRecipeFolder(root, "Curry", "   "));
    EXPECT_FALSE(RenameRecipeFolder(root, "Curry", "Curry"));
    for (const QString& bad : {QStringLiteral(".."), QStringLiteral("../x"), QStringLiteral("a/b"),
                               QStringLiteral("a?b"), QStringLiteral("Stew")})
        EXPECT_THROW(RenameRecipeFolder(root, "Curry", bad), TSaporiaError) << bad.toStdString();
    EXPECT_EQ(Entries(root), QStringList({"Curry", "Stew"}));
    EXPECT_EQ(app.ReadBytes("Cook/Stew/材料.txt"), "stew");

    EXPECT_TRUE(RenameRecipeFolder(root, "Curry", QStringLiteral(" カレー ")));
    EXPECT_EQ(Entries(root), QStringList({"Stew", QStringLiteral("カレー")}));
    EXPECT_EQ(app.ReadBytes("Cook/カレー/LinkPic/ginger.jpg"), "jpeg");
    EXPECT_THROW(RenameRecipeFolder(root, "Gone", "New"), TSaporiaError);
}

TEST(RecipeFolderOps, RecipesMadeElsewhereWithOddNamesCanBeRenamedAndDeleted) {
    TTempAppDir app;
    const QString root = app.Path("Cook");
    // Folders another tool made, with characters a new name may not hold.
    app.WriteBytes("Cook/what?/材料.txt", "x");
    app.WriteBytes("Cook/a:b/LinkPic/p.jpg", "jpeg");
    app.WriteBytes("Cook/Keep/材料.txt", "keep");

    EXPECT_TRUE(RenameRecipeFolder(root, "a:b", "ab"));
    EXPECT_EQ(app.ReadBytes("Cook/ab/LinkPic/p.jpg"), "jpeg");
    // The new name still passes the one check.
    EXPECT_THROW(RenameRecipeFolder(root, "what?", "why?"), TSaporiaError);
    DeleteRecipeFolder(root, "what?");
    EXPECT_EQ(Entries(root), QStringList({"Keep", "ab"}));
    for (const QString& bad : {QStringLiteral("Keep/.."), QStringLiteral("./Keep"), QStringLiteral("..")})
        EXPECT_THROW(RenameRecipeFolder(root, bad, "New"), TSaporiaError) << bad.toStdString();
    EXPECT_EQ(Entries(root), QStringList({"Keep", "ab"}));
    EXPECT_EQ(Entries(app.AppDir()), QStringList({"Cook"}));
}
