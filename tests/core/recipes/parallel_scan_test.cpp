#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "core/platform/saporia_error.h"
#include "core/platform/sjis.h"
#include "core/recipes/icon_store.h"
#include "core/recipes/recipe_name.h"
#include "core/recipes/recipe_store.h"
#include "core/recipes/recipe_transaction.h"
#include "core/recipes/status_file.h"
#include "core/search/recipe_search.h"
#include "support/recipe_fixture.h"
#include "support/temp_app_dir.h"

// The folders are read on worker threads; whatever the number of threads, the
// records, their order and the failures must be those of one thread.

namespace {

const QStringList Keys = {"Kind", "Amount", "Salt", "Icon", "NiceValue"};

QByteArray Native(const QString& path) { return QFile::encodeName(path); }

const QByteArray Cp932Name = "\x83\x65\x83\x58\x83\x67";

// Qt cannot spell the CP932 name to remove it with the temporary folder.
struct TOddCollection final {
    explicit TOddCollection(QString root) : Root(std::move(root)) {}
    ~TOddCollection() { rmdir((Native(Root) + '/' + Cp932Name).constData()); }
    QString Root;
};

// Enough ordinary recipes for several workers, with the odd ones among them.
void MakeOddCollection(const QString& root) {
    for (int i = 0; i < 300; ++i)
        MakeRecipe(root, {.Name = QString("r%1").arg(i, 3, 10, QChar('0')),
                          .Foodstuff = i % 3 ? QString("じゃがいも\n牛肉") : QString("たまご"),
                          .StatusLines = QStringList{"Kind=主菜", QString("NiceValue=%1").arg(i % 6)},
                          .Photo = i % 2 == 0});
    const QString lower = MakeRecipe(root, {.Name = "r050a", .Photo = true});
    WriteRaw(lower + "status.txt", RecipeFileBytes("KIND=副菜\nkind=not this"));
    MakeRecipe(root, {.Name = "r100a", .StatusLines = QStringList{"Salt=1"}, .ExtraPhotos = {"写真.JPG"}});
    const QString dirStatus = MakeRecipe(root, {.Name = "r150a", .Photo = true});
    QDir().mkpath(dirStatus + "Status.txt");  // passed over, the lowercase file counts
    WriteRaw(dirStatus + "status.txt", RecipeFileBytes("Amount=2"));
    const QString fifo = MakeRecipe(root, {.Name = "r200a", .Photo = true});
    ASSERT_EQ(mkfifo(Native(fifo + "Status.txt").constData(), 0644), 0);
    const QString loop = MakeRecipe(root, {.Name = "r250a", .Foodstuff = std::nullopt});
    ASSERT_EQ(symlink("Status.txt", Native(loop + "Status.txt").constData()), 0);
    const QString leftover = MakeRecipe(root, {.Name = "r260a", .StatusLines = QStringList{"Kind=汁物"}});
    WriteRaw(leftover + RecipeTransactionPrefix + "0.new", "cut-off save");
    QDir().mkpath(root + "/r270a/写真.jpg");  // a folder is no photo
    ASSERT_EQ(mkdir((Native(root) + '/' + Cp932Name).constData(), 0755), 0);
}

}  // namespace

TEST(ParallelScan, AnyNumberOfWorkersGivesTheOneThreadResult) {
    TTempAppDir app;
    const QString root = DataRootOf(app.AppDir());
    const TOddCollection odd(root);
    MakeOddCollection(root);
    const TIconStore icons;
    // The hook removes a listed folder before it is read, and puts it back after.
    const auto scan = [&](int workers) {
        MakeRecipe(root, {.Name = "r299b", .StatusLines = QStringList{"Kind=x"}});
        TCookScan result = SearchCookFld(root, icons, {workers, [&] { QDir(root + "/r299b").removeRecursively(); }});
        return result;
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
    EXPECT_EQ(one.Failures, (QStringList{"r200a: Status.txt を読み込めません", "r250a: Status.txt を読み込めません",
                                         "r299b: フォルダを開けません"}));
    EXPECT_FALSE(QFile::exists(root + "/r260a/" + RecipeTransactionPrefix + "0.new"));
    for (const int workers : {2, 3, 8}) {
        const TCookScan many = scan(workers);
        EXPECT_EQ(many.Items, one.Items) << workers;
        EXPECT_EQ(many.Failures, one.Failures) << workers;
    }
}

TEST(ParallelScan, RefinementGivesTheOneThreadFlagsCacheAndFailure) {
    TTempAppDir app;
    const QString root = DataRootOf(app.AppDir());
    const TOddCollection odd(root);
    MakeOddCollection(root);
    const TIconStore icons;
    const TCookItems all = SearchCookFld(root, icons).Items;
    const auto refine = [&](int workers, TIngredientCache* cache, QString* failure) {
        TCookItems items = all;
        try {
            RefineCookItems(items, root, "じゃがいも", cache, workers);
        } catch (const TSaporiaError& e) {
            *failure = e.message();
        }
        return items;
    };
    for (const bool cached : {false, true}) {
        TIngredientCache oneCache, manyCache;
        QString oneFailure, manyFailure;
        const TCookItems one = refine(1, cached ? &oneCache : nullptr, &oneFailure);
        const TCookItems many = refine(8, cached ? &manyCache : nullptr, &manyFailure);
        EXPECT_EQ(many, one);
        EXPECT_EQ(manyCache.Size(), oneCache.Size());
        EXPECT_EQ(manyFailure, oneFailure);
        EXPECT_TRUE(oneFailure.isEmpty());
    }
    // A file that cannot be opened fails the search and leaves the flags; the
    // cache keeps what was read before it, as on one thread.
    ASSERT_EQ(symlink("材料.txt", Native(root + "/r250a/材料.txt").constData()), 0);
    TIngredientCache oneCache, manyCache;
    QString oneFailure, manyFailure;
    EXPECT_EQ(refine(1, &oneCache, &oneFailure), all);
    EXPECT_EQ(refine(8, &manyCache, &manyFailure), all);
    EXPECT_FALSE(oneFailure.isEmpty());
    EXPECT_EQ(manyFailure, oneFailure);
    EXPECT_EQ(manyCache.Size(), oneCache.Size());
}

TEST(ParallelScan, AttributeBytesParseAsTheTextLines) {
    const QByteArray kanjiBeforeBreak = "Kind=\x83\r\nAmount=\x83\x5c\x83\r";
    const QList<QByteArray> files = {
        "", "Kind=a\r\nkind=b\r\n", "Kind\r\nKIND=x=y", "Amount=1\rSalt=2\nIcon=3\r\n\r\nNiceValue=4",
        "\r\n\n\rKind=\r\n", kanjiBeforeBreak, ToSjis("Kind=主菜\r\nAmount=４人分"), "K\x83=1\r\nSalt= 2 ",
        QByteArray("Kind=a\0b\r\nSalt\0=1", 18),
    };
    for (const QByteArray& bytes : files)
        EXPECT_EQ(StatusValuesFromBytes(bytes, Keys), TStatusFile::FromBytes(bytes).Values(Keys))
            << bytes.toHex().constData();
}
