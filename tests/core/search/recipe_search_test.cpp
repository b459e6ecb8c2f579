#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "core/search/recipe_search.h"
#include "core/platform/file_io.h"
#include "support/temp_app_dir.h"

namespace {

// A data folder with recipes whose ingredient files are CP932 text.
struct TSearchFolder {
    explicit TSearchFolder(std::initializer_list<std::pair<const char*, const char*>> recipes) {
        for (const auto& [name, ingredients] : recipes)
            Add(QString::fromUtf8(name), ingredients);
    }

    QString DataRoot() const { return Dir.Path("Cook"); }

    void Add(const QString& name, const char* ingredients) {
        Items.emplace_back().Name = name;
        QDir().mkpath(DataRoot() + "/" + name);
        if (ingredients)
            Dir.WriteSjis("Cook/" + name + "/材料.txt", QString::fromUtf8(ingredients));
    }

    // Runs the refinement and gives the names left shown.
    QStringList Refine(const QString& keyword, TIngredientCache* cache) {
        RefineCookItems(Items, DataRoot(), keyword, cache);
        return Shown();
    }

    QStringList Shown() const {
        QStringList names;
        for (const TCookItem& item : Items)
            if (item.Visible)
                names.append(item.Name);
        return names;
    }

    TTempAppDir Dir;
    TCookItems Items;
};

}  // namespace

TEST(RefinementSearch, MatchesWordsAndSynonymsInCp932Files) {
    TSearchFolder f{{"卵焼き", "玉子 3個\r\n砂糖 大さじ1\r\n"}, {"野菜炒め", "キャベツ\r\n塩\r\n胡椒\r\n"},
                    {"塩むすび", "ご飯\r\n塩\r\n"}, {"空", ""}, {"材料なし", nullptr}};
    const QStringList all{"卵焼き", "野菜炒め", "塩むすび", "空", "材料なし"};
    // Keyword and the recipes it shows: a synonym (the file holds only 玉子), both words (塩 and 胡椒
    // stand for them), everything, nothing, the placeholder, and blanks, which match every file.
    const std::pair<const char*, QStringList> cases[] = {
        {"たまご", {"卵焼き"}}, {"しお こしょう", {"野菜炒め"}}, {"", all}, {"ぶどう", {}}, {"材料で絞り込み検索", all},
        {" ", {"卵焼き", "野菜炒め", "塩むすび", "空"}},
    };
    TIngredientCache cache;
    for (TIngredientCache* c : {static_cast<TIngredientCache*>(nullptr), &cache})
        for (const auto& [keyword, shown] : cases)
            EXPECT_EQ(f.Refine(QString::fromUtf8(keyword), c), shown) << keyword;
}

TEST(RefinementSearch, CacheNeverShowsAStaleResult) {
    TSearchFolder f{{"煮物", "大根\r\n"}, {"汁", "豆腐\r\n"}};
    TIngredientCache cache;
    EXPECT_EQ(f.Refine("大根", &cache), QStringList({"煮物"}));
    // Saved with new ingredients, same length.
    WriteSjisText(f.DataRoot() + "/煮物/材料.txt", "人参\r\n");
    EXPECT_EQ(f.Refine("人参", &cache), QStringList({"煮物"}));
    // Written in place (same inode) with the same length.
    {
        QFile file(f.DataRoot() + "/汁/材料.txt");
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.write(QByteArray("\x96\xa1\x91\x58\r\n"));  // 味噌
    }
    EXPECT_EQ(f.Refine("味噌", &cache), QStringList({"汁"}));
    // Renamed: the record follows the new folder.
    ASSERT_TRUE(QDir(f.DataRoot()).rename("煮物", "煮しめ"));
    f.Items[0].Name = "煮しめ";
    EXPECT_EQ(f.Refine("人参", &cache), QStringList({"煮しめ"}));
    // Ingredient file deleted: hidden under a keyword.
    ASSERT_TRUE(QFile::remove(f.DataRoot() + "/煮しめ/材料.txt"));
    EXPECT_TRUE(f.Refine("人参", &cache).isEmpty());
    // Recipe deleted and a new one made under the old name.
    ASSERT_TRUE(QDir(f.DataRoot() + "/汁").removeRecursively());
    f.Add("汁", "わかめ\r\n");
    f.Items.erase(f.Items.begin() + 1);
    EXPECT_EQ(f.Refine("わかめ", &cache), QStringList({"汁"}));
    EXPECT_TRUE(f.Refine("味噌", &cache).isEmpty());
}

TEST(StepSearch, HitsStepThroughShownRowsAndStopSafely) {
    // 茶碗蒸し has no ingredient file: skipped by the ingredient search, not an error.
    TSearchFolder f{{"卵かけご飯", "卵\r\nご飯\r\n"}, {"親子丼", "鶏肉\r\n玉子\r\n"}, {"茶碗蒸し", nullptr},
                    {"オムライス", "たまご\r\nケチャップ\r\n"}};
    const QList<int> rows{3, 1, 2, 0};  // shown rows in a sorted order
    // {rows, resume row, keyword, hit}; a resume row past the end is where a list that shrank under a running
    // search leaves it.
    const std::tuple<QList<int>, int, const char*, int> materials[] = {
        {rows, 0, "たまご", 0}, {rows, 1, "たまご", 1}, {rows, 2, "たまご", 3}, {rows, 4, "たまご", -1},
        {rows, 1, "たまご ケチャップ", -1}, {{1}, 3, "たまご", -1},
    };
    for (const auto& [shown, from, keyword, hit] : materials)
        EXPECT_EQ(FindMaterialHit(f.Items, shown, from, keyword, f.DataRoot()), hit) << keyword << " from " << from;
    // A row whose record is gone is passed over.
    const std::tuple<QList<int>, int, const char*, int> names[] = {
        {rows, 0, "丼", 1}, {rows, 2, "丼", -1}, {rows, 0, "卵 ご飯", 3}, {{1}, 3, "丼", -1}, {{7, 1}, 0, "丼", 1},
    };
    for (const auto& [shown, from, keyword, hit] : names)
        EXPECT_EQ(FindNameHit(f.Items, shown, from, keyword), hit) << keyword << " from " << from;
    EXPECT_EQ(FirstRowNamed(f.Items, rows, "茶碗蒸し"), 2);
    EXPECT_EQ(FirstRowNamed(f.Items, rows, "茶碗"), -1);
}
