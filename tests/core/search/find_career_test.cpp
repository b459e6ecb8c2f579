#include <gtest/gtest.h>

#include <QFile>

#include "core/search/find_career.h"
#include "support/temp_app_dir.h"

TEST(FindCareer, NewestFirstRepeatedWordMovesUpAndOldestFallsOut) {
    QStringList history;
    AddFindCareer(history, "たまご");
    AddFindCareer(history, "塩");
    AddFindCareer(history, "たまご");
    EXPECT_EQ(history, QStringList({"たまご", "塩"}));
    // The empty keyword and the placeholder are kept like any other word.
    AddFindCareer(history, "");
    AddFindCareer(history, "材料で絞り込み検索");
    EXPECT_EQ(history, QStringList({"材料で絞り込み検索", "", "たまご", "塩"}));

    history.clear();
    for (int i = 1; i <= 21; ++i)
        AddFindCareer(history, QString("word%1").arg(i));
    ASSERT_EQ(history.size(), 20);
    EXPECT_EQ(history.first(), "word21");
    EXPECT_EQ(history.last(), "word2");  // word1, the oldest, is gone
    // Repeating a word already at the limit keeps the rest.
    AddFindCareer(history, "word2");
    EXPECT_EQ(history.size(), 20);
    EXPECT_EQ(history.first(), "word2");
    EXPECT_EQ(history.last(), "word3");
}

TEST(FindCareer, FileIsCp932CrLfAndRoundTrips) {
    TTempAppDir dir;
    const QString path = dir.Path("FindCareer.dat");
    EXPECT_TRUE(LoadFindCareer(path).isEmpty());  // no file yet

    const QStringList history{"しお　こしょう", "", "～玉子"};
    SaveFindCareer(path, history);
    // "～" is 0x8160 in CP932; every line ends CR LF, the empty one too.
    EXPECT_EQ(dir.ReadBytes("FindCareer.dat"),
              QByteArray("\x82\xb5\x82\xa8\x81\x40\x82\xb1\x82\xb5\x82\xe5\x82\xa4\r\n\r\n\x81\x60\x8b\xca\x8e\x71\r\n"));
    EXPECT_EQ(LoadFindCareer(path), history);

    // An empty history still replaces the file.
    SaveFindCareer(path, {});
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_TRUE(dir.ReadBytes("FindCareer.dat").isEmpty());
    EXPECT_TRUE(LoadFindCareer(path).isEmpty());
}

TEST(FindCareer, BadEntriesNeverCostTheRestOfTheHistory) {
    TTempAppDir dir;
    const QString path = dir.Path("FindCareer.dat");
    // A pasted character CP932 cannot hold drops only that entry.
    SaveFindCareer(path, {"鮨", QString::fromUtf8("\xF0\x9F\x8D\xA3"), "卵"});
    EXPECT_EQ(LoadFindCareer(path), QStringList({"鮨", "卵"}));

    // A hand-edited file longer than the limit reads as its first entries.
    QByteArray many;
    for (int i = 0; i < 25; ++i)
        many += "w" + QByteArray::number(i) + "\n";
    dir.WriteBytes("FindCareer.dat", many);
    const QStringList loaded = LoadFindCareer(path);
    ASSERT_EQ(loaded.size(), 20);
    EXPECT_EQ(loaded.first(), "w0");
}
