#include "core/recipes/recipe_store.h"

#include <functional>

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "core/platform/collection_lock.h"
#include "core/platform/saporia_error.h"
#include "core/platform/sjis.h"
#include "core/recipes/icon_store.h"
#include "core/recipes/recipe_name.h"
#include "core/recipes/recipe_transaction.h"
#include "core/recipes/status_file.h"
#include "core/search/recipe_search.h"
#include "support/recipe_fixture.h"
#include "support/temp_app_dir.h"

namespace {

QByteArray Native(const QString& path) { return QFile::encodeName(path); }

const QByteArray Cp932Name = "\x83\x65\x83\x58\x83\x67";

// Enough ordinary recipes for several workers (whatever their number, the records, their order and the
// failures must be those of one thread), with the odd ones among them.
struct RecipeScan : ::testing::Test {
    TTempAppDir App;
    const TCollectionLock Owner{App.AppDir()};  // the scan finishes cut-off saves
    QString Root = DataRootOf(App.AppDir());
    TIconStore Icons;

    void MakeOddCollection() const {
        for (int i = 0; i < 300; ++i)
            MakeRecipe(Root, {.Name = QString("r%1").arg(i, 3, 10, QChar('0')),
                              .Foodstuff = i % 3 ? QString("じゃがいも\n牛肉") : QString("たまご"),
                              .StatusLines = QStringList{"Kind=主菜", QString("NiceValue=%1").arg(i % 6)},
                              .Photo = i % 2 == 0});
        const QString lower = MakeRecipe(Root, {.Name = "r050a", .Photo = true});
        WriteRaw(lower + "status.txt", RecipeFileBytes("KIND=副菜\nkind=not this"));
        MakeRecipe(Root, {.Name = "r100a", .StatusLines = QStringList{"Salt=1"}, .ExtraPhotos = {"写真.JPG"}});
        const QString dirStatus = MakeRecipe(Root, {.Name = "r150a", .Photo = true});
        QDir().mkpath(dirStatus + "Status.txt");  // passed over, the lowercase file counts
        WriteRaw(dirStatus + "status.txt", RecipeFileBytes("Amount=2"));
        const QString fifo = MakeRecipe(Root, {.Name = "r200a", .Photo = true});  // must not hang the start-up
        ASSERT_EQ(mkfifo(Native(fifo + "Status.txt").constData(), 0644), 0);
        const QString loop = MakeRecipe(Root, {.Name = "r250a", .Foodstuff = std::nullopt});
        ASSERT_EQ(symlink("Status.txt", Native(loop + "Status.txt").constData()), 0);
        const QString leftover = MakeRecipe(Root, {.Name = "r260a", .StatusLines = QStringList{"Kind=汁物"}});
        WriteRaw(leftover + RecipeTransactionPrefix + "0.new", "cut-off save");
        QDir().mkpath(Root + "/r270a/写真.jpg");  // a folder is no photo
        ASSERT_EQ(mkdir((Native(Root) + '/' + Cp932Name).constData(), 0755), 0);
        WriteRaw(Root + "/memo.txt", "not a recipe");
    }
    // Qt cannot spell the CP932 name to remove it with the temporary folder.
    void TearDown() override { rmdir((Native(Root) + '/' + Cp932Name).constData()); }
};

}  // namespace

TEST_F(RecipeScan, MissingDataFolderFailsAndAttributesAreKeptAsStored) {
    const TCookScan missing = SearchCookFld(App.Path("NoSuchFolder"), Icons);
    EXPECT_EQ(std::pair(missing.Items.size(), missing.Failures.size()), std::pair(qsizetype(0), qsizetype(1)));
    MakeRecipe(Root, {.Name = "肉じゃが",
                      .StatusLines = QStringList{"icon=5", "Kind=主菜", "Amount=4人分", "Calorie= 350 ", "Price=500",
                                                 "WorkTime=30分=半時間", "Group=和食", "Salt=2.5", "Date=2024/01/02",
                                                 "NiceValue=7", "DifficultValue=abc"},
                      .Photo = true});
    MakeRecipe(Root, {.Name = "attributes-free"});  // no Status.txt
    MakeRecipe(Root, {.Name = "Beta", .StatusLines = QStringList{"NiceValue="}, .ExtraPhotos = {"写真.JPG"}});
    // Sorted ignoring case; texts as stored, ratings not clamped.
    // Icon, Name, FolderName, Kind, Amount, PhotoMark, Date, Calorie, Price, WorkTime, Group, Salt, ratings, Visible.
    const TCookItems expected{
        {-1, "attributes-free", "attributes-free", "", "", "×", "", "", "", "", "", "", -1, -1, true},
        {-1, "Beta", "Beta", "", "", "○", "", "", "", "", "", "", -1, -1, true},
        {5, "肉じゃが", "肉じゃが", "主菜", "4人分", "○", "2024/01/02", " 350 ", "500", "30分=半時間", "和食", "2.5", 7, -1, true},
    };
    const TCookScan scan = SearchCookFld(Root, Icons);
    EXPECT_TRUE(scan.Failures.isEmpty());
    EXPECT_EQ(scan.Items, expected);
    EXPECT_EQ(ReadCookItem(Root, "肉じゃが", Icons), expected[2]);
}

TEST_F(RecipeScan, AnyNumberOfWorkersGivesTheOneThreadResult) {
    MakeOddCollection();
    // The hook removes a listed folder before it is read, and puts it back after.
    const auto scan = [&](int workers) {
        MakeRecipe(Root, {.Name = "r299b", .StatusLines = QStringList{"Kind=x"}});
        return SearchCookFld(Root, Icons, {workers, [&] { QDir(Root + "/r299b").removeRecursively(); }});
    };
    const TCookScan one = scan(1);
    ASSERT_EQ(one.Items.size(), 309);
    const auto named = [&](const QString& name) {
        for (const TCookItem& item : one.Items)
            if (item.Name == name)
                return item;
        ADD_FAILURE() << name.toStdString();
        return TCookItem();
    };
    EXPECT_EQ(named("r050a").Kind, "副菜");
    EXPECT_EQ(named("r150a").Amount, "2");
    EXPECT_EQ(named("r270a").PhotoMark, PhotoMarkAbsent);
    EXPECT_EQ(named(FromSjis(Cp932Name)).FolderName, Cp932Name);
    // An unreadable attribute file leaves the defaults, not the previous folder's values; the scan goes on.
    EXPECT_EQ(named("r200a"), (TCookItem{-1, "r200a", "r200a", "", "", "○", "", "", "", "", "", "", -1, -1, true}));
    EXPECT_EQ(named("r201").NiceValue, 3);
    EXPECT_THROW(ReadCookItem(Root, "r200a", Icons), TSaporiaError);
    EXPECT_EQ(one.Failures, (QStringList{"r200a: Status.txt を読み込めません", "r250a: Status.txt を読み込めません",
                                         "r299b: フォルダを開けません"}));
    EXPECT_FALSE(QFile::exists(Root + "/r260a/" + RecipeTransactionPrefix + "0.new"));
    for (const int workers : {2, 3, 8}) {
        const TCookScan many = scan(workers);
        EXPECT_EQ(many.Items, one.Items) << workers;
        EXPECT_EQ(many.Failures, one.Failures) << workers;
    }
}

TEST_F(RecipeScan, RefinementGivesTheOneThreadFlagsCacheAndFailure) {
    MakeOddCollection();
    const TCookItems all = SearchCookFld(Root, Icons).Items;
    // Flags, cache size and failure of a refinement on one and on eight threads.
    const auto refine = [&](TIngredientCache* oneCache, TIngredientCache* manyCache) {
        TCookItems one = all, many = all;
        const QString failure = ErrorOf([&] { RefineCookItems(one, Root, "じゃがいも", oneCache, 1); });
        EXPECT_EQ(ErrorOf([&] { RefineCookItems(many, Root, "じゃがいも", manyCache, 8); }), failure);
        EXPECT_EQ(many, one);
        if (oneCache) {
            EXPECT_EQ(manyCache->Size(), oneCache->Size());
        }
        return std::pair(one, failure);
    };
    TIngredientCache oneCache, manyCache;
    EXPECT_TRUE(refine(nullptr, nullptr).second.isEmpty());
    EXPECT_TRUE(refine(&oneCache, &manyCache).second.isEmpty());
    // A file that cannot be opened fails the search and leaves the flags; the
    // cache keeps what was read before it, as on one thread.
    ASSERT_EQ(symlink("材料.txt", Native(Root + "/r250a/材料.txt").constData()), 0);
    TIngredientCache oneAfter, manyAfter;
    const auto [items, failure] = refine(&oneAfter, &manyAfter);
    EXPECT_EQ(items, all);
    EXPECT_FALSE(failure.isEmpty());
}

TEST(ParallelScan, AttributeBytesParseAsTheTextLines) {
    const QList<QByteArray> files = {
        "", "Kind=a\r\nkind=b\r\n", "Kind\r\nKIND=x=y", "Amount=1\rSalt=2\nIcon=3\r\n\r\nNiceValue=4",
        "\r\n\n\rKind=\r\n", "Kind=\x83\r\nAmount=\x83\x5c\x83\r",  // lead bytes before a break
        ToSjis("Kind=主菜\r\nAmount=４人分"), "K\x83=1\r\nSalt= 2 ", QByteArray("Kind=a\0b\r\nSalt\0=1", 18),
    };
    const QStringList keys = {"Kind", "Amount", "Salt", "Icon", "NiceValue"};
    for (const QByteArray& bytes : files)
        EXPECT_EQ(StatusValuesFromBytes(bytes, keys), TStatusFile::FromBytes(bytes).Values(keys))
            << bytes.toHex().constData();
}

// Only a data folder that is there and cannot be opened is reported here; a
// missing one is created at start, a plain file fails that creation.
TEST(DataFolder, OneThatIsThereButCannotBeOpenedIsNamed) {
    const struct {
        const char* Case;
        std::function<void(const QByteArray&)> Make;
        bool Reported;
    } cases[] = {
        {"link to itself", [](const QByteArray& root) { ASSERT_EQ(symlink("Cook", root.constData()), 0); }, true},
        {"folder", [](const QByteArray& root) { ASSERT_EQ(mkdir(root.constData(), 0755), 0); }, false},
        {"link to a folder", [](const QByteArray& root) {
             ASSERT_EQ(mkdir((root + "Real").constData(), 0755), 0);
             ASSERT_EQ(symlink("CookReal", root.constData()), 0);
         }, false},
        {"missing", [](const QByteArray&) {}, false},
        {"dangling link", [](const QByteArray& root) { ASSERT_EQ(symlink("Gone", root.constData()), 0); }, false},
        {"plain file", [](const QByteArray& root) { WriteRaw(QFile::decodeName(root), "x"); }, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Case);
        TTempAppDir app;
        const QString root = DataRootOf(app.AppDir());
        c.Make(Native(root));
        const QString failure = DataFolderOpenFailure(root);
        EXPECT_EQ(!failure.isEmpty(), c.Reported) << failure.toStdString();
        if (c.Reported) {
            EXPECT_TRUE(failure.startsWith(QStringLiteral("データフォルダ %1 を開けません").arg(root)));
        }
    }
}
