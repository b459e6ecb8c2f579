#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <fcntl.h>
#include <sys/stat.h>

#include <QFile>

#include "core/platform/file_io.h"
#include "core/platform/saporia_error.h"
#include "core/platform/sjis.h"
#include "core/recipes/icon_store.h"
#include "core/recipes/link_pictures.h"
#include "core/recipes/open_recipe.h"
#include "core/recipes/recipe_folder_ops.h"
#include "core/recipes/recipe_store.h"
#include "core/search/class_tree.h"
#include "core/search/recipe_search.h"
#include "core/search/thumbnails.h"
#include "support/recipe_fixture.h"
#include "support/temp_app_dir.h"

namespace {

// Folder names as they come from other systems: the first two show alike when
// bad bytes are replaced, the last two are one name in CP932 and in UTF-8.
struct TRawFolder {
    QByteArray Bytes;
    QString Shown;  // empty: any text that encodes back to the bytes
    QString Foodstuff;
    int PhotoWidth;
};

const TRawFolder Folders[] = {
    {"bad\xff\xfe\xe5\x90\x8d", {}, QStringLiteral("甲"), 20},
    {"bad\xef\xbf\xbd\xef\xbf\xbd\xe5\x90\x8d", QStringLiteral("bad\uFFFD\uFFFD名"), QStringLiteral("乙"), 24},
    {"\x93\xf7\x82\xb6\x82\xe1\x82\xaa", QStringLiteral("肉じゃが"), QStringLiteral("丙"), 28},
    {"\xe8\x82\x89\xe3\x81\x98\xe3\x82\x83\xe3\x81\x8c", QStringLiteral("肉じゃが"), QStringLiteral("丁"), 32},
};

void WriteAt(const QByteArray& path, const QByteArray& bytes) {
    std::ofstream(path.toStdString(), std::ios::binary).write(bytes.constData(), bytes.size());
}

QByteArray ReadAt(const QByteArray& path) {
    QByteArray bytes;
    return ReadRegularFileAt(AT_FDCWD, path.constData(), bytes) ? bytes : QByteArray("<missing>");
}

bool Exists(const QByteArray& path) {
    struct stat st {};
    return ::lstat(path.constData(), &st) == 0;
}

struct FolderNameBytes : ::testing::Test {
    TTempAppDir Dir;
    QString Root = Dir.AppDir() + QStringLiteral("Cook");
    QByteArray RootBytes = QFile::encodeName(Root);
    TIconStore Icons;
    TCookScan Scan;

    void SetUp() override {
        ASSERT_EQ(::mkdir(RootBytes.constData(), 0755), 0);
        for (const TRawFolder& folder : Folders) {
            ASSERT_EQ(::mkdir(Native(folder).constData(), 0755), 0);
            const auto write = [&](const QString& file, const QByteArray& bytes) {
                WriteAt(Native(folder) + "/" + QFile::encodeName(file), bytes);
            };
            write(FoodstuffFileName, RecipeFileBytes(folder.Foodstuff));
            write(HowFileName, QByteArray());
            write(PhotoFileName, SmallJpeg(folder.PhotoWidth, 16));
        }
        Scan = SearchCookFld(Root, Icons);
        ASSERT_TRUE(Scan.Failures.isEmpty());
        ASSERT_EQ(Scan.Items.size(), std::size(Folders));
    }
    // Qt cannot remove what it cannot name.
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(RootBytes.toStdString(), ignored);
    }
    QByteArray Native(const TRawFolder& folder) const { return RootBytes + "/" + folder.Bytes; }
    QByteArray Foodstuff(const TRawFolder& folder) const {
        return ReadAt(Native(folder) + "/" + QFile::encodeName(FoodstuffFileName));
    }
    TCookItem Record(const TRawFolder& folder) const {
        for (const TCookItem& item : Scan.Items)
            if (item.FolderName == folder.Bytes)
                return item;
        ADD_FAILURE() << "no record for " << folder.Bytes.toHex().toStdString();
        return {};
    }
};

}  // namespace

// Showing, opening, saving, linking, the ingredient search and the thumbnails each use the record's own folder.
TEST_F(FolderNameBytes, EachRecordIsReadAndWrittenInItsOwnFolder) {
    EXPECT_NE(Record(Folders[0]).Name, Record(Folders[1]).Name);
    const QByteArray picture = SmallJpeg(8, 8);
    WriteRaw(Dir.Path("pic.jpg"), picture);
    for (const TRawFolder& folder : Folders) {
        SCOPED_TRACE(folder.Bytes.toHex().toStdString());
        const TCookItem item = Record(folder);
        if (folder.Shown.isEmpty()) {
            EXPECT_EQ(ToSjis(item.Name), folder.Bytes);  // nothing lost in the shown text
        } else {
            EXPECT_EQ(item.Name, folder.Shown);
        }
        RefineCookItems(Scan.Items, Root, folder.Foodstuff, nullptr);
        for (const TCookItem& other : Scan.Items)
            EXPECT_EQ(other.Visible, other.FolderName == folder.Bytes) << other.FolderName.toHex().toStdString();
        TOpenRecipe recipe(Root);
        EXPECT_TRUE(recipe.Load(item, QSize(8, 8))) << recipe.Content().LoadError.toStdString();
        EXPECT_EQ(recipe.Content().Foodstuff, folder.Foodstuff);
        recipe.Save({folder.Foodstuff + QStringLiteral("済"), QString(), QString()});
        EXPECT_EQ(Foodstuff(folder), RecipeFileBytes(folder.Foodstuff + QStringLiteral("済")));
        LinkPictureFromFile(recipe.Path(), QStringLiteral("鍋"), Dir.Path("pic.jpg"));
        EXPECT_EQ(ReadAt(Native(folder) + "/LinkPic/" + QStringLiteral("鍋.jpg").toUtf8()), picture);
        EXPECT_EQ(LinkedPictures(recipe.Path()).size(), 1);
    }
    RefineCookItems(Scan.Items, Root, QString(), nullptr);
    const std::vector<TThumbnail> thumbnails = BuildThumbnailList(Scan.Items, AllGroupsText, Root);
    ASSERT_EQ(thumbnails.size(), std::size(Folders));
    for (const TThumbnail& thumbnail : thumbnails)
        for (const TRawFolder& folder : Folders)
            if (folder.Bytes == Scan.Items[thumbnail.Record].FolderName) {
                EXPECT_EQ(thumbnail.Image.width(), folder.PhotoWidth) << folder.Bytes.toHex().toStdString();
            }
}

// Deleting the name with bad bytes spares the one that shows alike; renaming the CP932 name to its own text
// is refused while the UTF-8 folder of that text is there, and makes it UTF-8 once it is not.
TEST_F(FolderNameBytes, DeleteAndRenameTouchOnlyTheirOwnFolder) {
    DeleteRecipeFolder(Root, Record(Folders[0]));
    EXPECT_FALSE(Exists(Native(Folders[0])));
    for (const TRawFolder& other : {Folders[1], Folders[2], Folders[3]})
        EXPECT_EQ(Foodstuff(other), RecipeFileBytes(other.Foodstuff)) << other.Bytes.toHex().toStdString();

    TCookItem windows = Record(Folders[2]);
    TCookItem utf8 = Record(Folders[3]);
    EXPECT_FALSE(RenameRecipeFolder(Root, utf8, QStringLiteral("肉じゃが")));  // already so named
    EXPECT_EQ(ErrorOf([&] { RenameRecipeFolder(Root, windows, QStringLiteral("肉じゃが")); }), RecipeNameExistsMessage);
    EXPECT_EQ(Foodstuff(Folders[3]), RecipeFileBytes(Folders[3].Foodstuff));
    DeleteRecipeFolder(Root, utf8);
    EXPECT_TRUE(RenameRecipeFolder(Root, windows, QStringLiteral("肉じゃが")));
    EXPECT_EQ(std::pair(windows.Name, windows.FolderName), std::pair(QStringLiteral("肉じゃが"), Folders[3].Bytes));
    EXPECT_FALSE(Exists(Native(Folders[2])));
    EXPECT_EQ(Foodstuff(Folders[3]), RecipeFileBytes(Folders[2].Foodstuff));
}
