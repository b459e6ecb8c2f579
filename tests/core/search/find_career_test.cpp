#include <gtest/gtest.h>

#include <QFile>

#include "core/search/find_career.h"
#include "support/temp_app_dir.h"

TEST(FindCareer, NewestFirstRepeatedWordMovesUpAndOldestFallsOut) {
    QStringList history;
    // The empty keyword and the placeholder are kept like any other word.
    for (const char* word : {"たまご", "塩", "たまご", "", "材料で絞り込み検索"})
        AddFindCareer(history, word);
    EXPECT_EQ(history, QStringList({"材料で絞り込み検索", "", "たまご", "塩"}));

    history.clear();
    for (int i = 1; i <= 21; ++i)
        AddFindCareer(history, QString("word%1").arg(i));
    AddFindCareer(history, "word2");  // repeating a word already at the limit keeps the rest
    EXPECT_EQ(std::pair(history.size(), history.last()), std::pair(qsizetype(20), QString("word3")));
}

TEST(FindCareer, FileRoundTripsAndKeepsWhatItCannotShow) {
    TTempAppDir dir;
    const QString path = dir.Path("FindCareer.dat");
    EXPECT_TRUE(LoadFindCareer(path).isEmpty());  // no file yet
    const QStringList history{"しお　こしょう", "", "～玉子"};
    SaveFindCareer(path, history);  // "～" is 0x8160 in CP932; every line ends CR LF, the empty one too
    EXPECT_EQ(dir.ReadBytes("FindCareer.dat"), QByteArray("\x82\xb5\x82\xa8\x81\x40\x82\xb1\x82\xb5\x82\xe5\x82\xa4"
                                                          "\r\n\r\n\x81\x60\x8b\xca\x8e\x71\r\n"));
    EXPECT_EQ(LoadFindCareer(path), history);
    SaveFindCareer(path, {});  // an empty history still replaces the file
    EXPECT_TRUE(QFile::exists(path) && dir.ReadBytes("FindCareer.dat").isEmpty());
    // A pasted character CP932 cannot hold drops only that entry.
    SaveFindCareer(path, {"鮨", QString::fromUtf8("\xF0\x9F\x8D\xA3"), "卵"});
    EXPECT_EQ(LoadFindCareer(path), QStringList({"鮨", "卵"}));
    // A longer hand-edited file is written back whole: only a search run trims the history.
    QByteArray many;
    for (int i = 0; i < 25; ++i)
        many += "w" + QByteArray::number(i) + "\r\n";
    dir.WriteBytes("FindCareer.dat", many);
    SaveFindCareer(path, LoadFindCareer(path));
    EXPECT_EQ(dir.ReadBytes("FindCareer.dat"), many);
}
