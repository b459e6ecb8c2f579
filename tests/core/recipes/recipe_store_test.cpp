#include "core/recipes/recipe_store.h"

#include <algorithm>
#include <functional>
#include <tuple>

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "core/platform/collection_lock.h"
#include "core/platform/file_io.h"
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

TEST_F(RecipeScan, EveryFolderShapeReadsAsItsListingSays) {
    // {folder, what is in it besides Status.txt "Kind=旧" and 写真.jpg, kind and photo mark read}.
    const auto cutOff = [&](const QString& dir, int steps, bool removalFirst) {
        TRecipeTransaction save(dir);
        if (removalFirst)
            save.Remove("写真.jpg");
        save.Put("Status.txt", RecipeFileBytes("Kind=新"));
        save.StopBeforeStep(steps);
        save.Commit();
    };
    const std::tuple<const char*, std::function<void(const QString&)>, const char*, bool> shapes[] = {
        {"usual", [](const QString&) {}, "旧", true},
        {"no photo", [](const QString& d) { QFile::remove(d + "写真.jpg"); }, "旧", false},
        {"photo upper", [](const QString& d) { QFile::rename(d + "写真.jpg", d + "写真.JPG"); }, "旧", true},
        {"status lower", [](const QString& d) { QFile::rename(d + "Status.txt", d + "status.txt"); }, "旧", true},
        {"both spellings", [](const QString& d) { WriteRaw(d + "STATUS.TXT", RecipeFileBytes("Kind=別")); }, "旧", true},
        {"no status", [](const QString& d) { QFile::remove(d + "Status.txt"); }, "", true},
        {"empty folder", [](const QString& d) { QDir(d).removeRecursively(), QDir().mkpath(d); }, "", false},
        {"photo is a folder", [](const QString& d) { QFile::remove(d + "写真.jpg"), QDir().mkpath(d + "写真.jpg"); },
         "旧", false},
        {"journal in place", [&](const QString& d) { cutOff(d, 2, false); }, "新", true},
        {"journal after removal", [&](const QString& d) { cutOff(d, 2, true); }, "新", false},
        {"temporary only", [&](const QString& d) { cutOff(d, 1, false); }, "旧", true},
        {"second temporary only", [&](const QString& d) { cutOff(d, 1, true); }, "旧", true},
        {"journal not renamed", [](const QString& d) { WriteRaw(d + RecipeTransactionPrefix + "journal.new", "x"); },
         "旧", true},
    };
    for (const auto& [name, shape, kind, photo] : shapes) {
        const QString dir = MakeRecipe(Root, {.Name = name, .StatusLines = QStringList{"Kind=旧"}, .Photo = true});
        shape(dir);
    }
    const TCookScan scan = SearchCookFld(Root, Icons);
    EXPECT_TRUE(scan.Failures.isEmpty()) << scan.Failures.join('\n').toStdString();
    for (const auto& [name, shape, kind, photo] : shapes) {
        const auto item = std::find_if(scan.Items.begin(), scan.Items.end(),
                                       [&](const TCookItem& i) { return i.Name == name; });
        ASSERT_NE(item, scan.Items.end()) << name;
        EXPECT_EQ(item->Kind, kind) << name;
        EXPECT_EQ(item->PhotoMark, photo ? PhotoMarkPresent : PhotoMarkAbsent) << name;
        // A cut-off save is finished or undone by the scan: nothing of it is left.
        const QStringList left = QDir(Root + "/" + name).entryList({RecipeTransactionPrefix + "*"}, QDir::Hidden | QDir::Files);
        EXPECT_TRUE(left.isEmpty()) << name << ": " << left.join(' ').toStdString();
    }
}

// An attribute file past its cap is reported and left unread, whether the
// folder is read by its files' usual names or by its listing.
TEST_F(RecipeScan, OversizedAttributeFileIsReportedWithOrWithoutPhoto) {
    const QByteArray big = RecipeFileBytes("Kind=大") + QByteArray(MaxStatusFileBytes, ' ');
    const struct {
        const char* Name;
        bool Photo;
        const char* StatusName;
    } rows[] = {{"photo", true, "Status.txt"}, {"no photo", false, "Status.txt"}, {"photo, lower", true, "status.txt"}};
    for (const auto& row : rows) {
        const QString dir = MakeRecipe(Root, {.Name = row.Name, .StatusLines = std::nullopt, .Photo = row.Photo});
        WriteRaw(dir + row.StatusName, big);
    }
    const TCookScan scan = SearchCookFld(Root, Icons);
    ASSERT_EQ(scan.Items.size(), std::size(rows));
    ASSERT_EQ(scan.Failures.size(), std::size(rows));
    for (const TCookItem& item : scan.Items) {
        SCOPED_TRACE(item.Name.toStdString());
        EXPECT_TRUE(item.Kind.isEmpty());
        EXPECT_TRUE(scan.Failures.contains(TooLargeMessage(item.Name + ": " + StatusFileName, MaxStatusFileBytes)))
            << scan.Failures.join('\n').toStdString();
    }
}

TEST_F(RecipeScan, MaterialSearchGivesTheOneThreadHitCacheAndFailure) {
    MakeOddCollection();
    const TCookItems all = SearchCookFld(Root, Icons).Items;
    QList<int> rows;  // the shown rows, last record first
    for (int i = int(all.size()) - 1; i >= 0; --i)
        rows.append(i);
    const auto rowOf = [&](const QString& name) {
        for (int row = 0; row < rows.size(); ++row)
            if (all[rows[row]].Name == name)
                return row;
        return -1;
    };
    ASSERT_EQ(symlink("材料.txt", Native(Root + "/r250a/材料.txt").constData()), 0);  // cannot be read
    // {keyword, resume row}: hits before, at and past the failing file, and none.
    const std::pair<const char*, int> searches[] = {
        {"たまご", 0}, {"たまご", rowOf("r250a") + 1}, {"じゃがいも 牛肉", 1}, {"見つからない", rowOf("r250a") + 1},
        {"見つからない", 0}, {"たまご", rowOf("r003")}, {"たまご", int(rows.size())},
    };
    for (const auto& [keyword, from] : searches) {
        TIngredientCache oneCache, manyCache;
        int oneHit = -2, manyHit = -2;
        const QString oneFailure = ErrorOf([&] { oneHit = FindMaterialHit(all, rows, from, keyword, Root, &oneCache, 1); });
        const QString manyFailure =
            ErrorOf([&] { manyHit = FindMaterialHit(all, rows, from, keyword, Root, &manyCache, 8); });
        EXPECT_EQ(manyHit, oneHit) << keyword << " from " << from;
        EXPECT_EQ(manyFailure, oneFailure) << keyword << " from " << from;
        EXPECT_EQ(manyCache.Size(), oneCache.Size()) << keyword << " from " << from;
    }
    // The failing file stops a search that has to read it, and only such a one.
    int hit = -2;
    EXPECT_FALSE(ErrorOf([&] { hit = FindMaterialHit(all, rows, 0, "見つからない", Root, nullptr, 8); }).isEmpty());
    EXPECT_TRUE(ErrorOf([&] { hit = FindMaterialHit(all, rows, rowOf("r250a") + 1, "見つからない", Root, nullptr, 8); })
                    .isEmpty());
    EXPECT_EQ(hit, -1);
    // A hit far from the start, past the first batch of rows read together.
    ASSERT_TRUE(QFile::remove(Root + "/r250a/材料.txt"));
    WriteRaw(Root + "/r010/材料.txt", ToSjis("ほうれん草"));
    TIngredientCache oneCache, manyCache;
    EXPECT_EQ(FindMaterialHit(all, rows, 0, "ほうれん草", Root, &manyCache, 8), rowOf("r010"));
    EXPECT_EQ(FindMaterialHit(all, rows, 0, "ほうれん草", Root, &oneCache, 1), rowOf("r010"));
    EXPECT_EQ(manyCache.Size(), oneCache.Size());
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
