#include <gtest/gtest.h>

#include "core/common/helpers.h"
#include "core/platform/sjis.h"
#include "support/temp_app_dir.h"

TEST(Synonyms, EverySpellingGivesTheOthersOfItsGroup) {
    const QStringList spellings = SynonymSpellings();
    EXPECT_EQ(spellings.size(), 39);
    for (const QString& word : spellings) {
        const QStringList others = GetSynonyms(word);
        EXPECT_FALSE(others.isEmpty()) << word.toStdString();
        EXPECT_FALSE(others.contains(word)) << word.toStdString();
        EXPECT_EQ(QStringList(others).removeDuplicates(), 0);
        // The group is symmetric: each other spelling leads back to the word
        // and to the same group.
        for (const QString& other : others) {
            const QStringList back = GetSynonyms(other);
            EXPECT_TRUE(back.contains(word)) << other.toStdString() << " -> " << word.toStdString();
            QStringList groupA = others + QStringList{word};
            QStringList groupB = back + QStringList{other};
            groupA.sort();
            groupB.sort();
            EXPECT_EQ(groupA, groupB) << word.toStdString();
        }
        // Every spelling can be stored in CP932.
        EXPECT_EQ(FromSjis(ToSjis(word)), word);
    }
}

TEST(Synonyms, OrderOfTheRowsAndExactWords) {
    EXPECT_EQ(GetSynonyms(QStringLiteral("卵")),
              (QStringList{QStringLiteral("たまご"), QStringLiteral("タマゴ"), QStringLiteral("玉子")}));
    EXPECT_EQ(GetSynonyms(QStringLiteral("タマネギ")),
              (QStringList{QStringLiteral("玉ねぎ"), QStringLiteral("たまねぎ"), QStringLiteral("玉葱"),
                           QStringLiteral("玉ネギ")}));
    EXPECT_EQ(GetSynonyms(QStringLiteral("人参")), (QStringList{QStringLiteral("ニンジン"), QStringLiteral("にんじん")}));
    EXPECT_EQ(GetSynonyms(QStringLiteral("牛蒡")), (QStringList{QStringLiteral("ゴボウ"), QStringLiteral("ごぼう")}));
    // Built from the stored bytes: 卵 is 97 91.
    EXPECT_EQ(GetSynonyms(Sjis("\x97\x91")).size(), 3);
    EXPECT_TRUE(GetSynonyms(QStringLiteral("ピーマン")).isEmpty());
    EXPECT_TRUE(GetSynonyms(QStringLiteral("卵 ")).isEmpty());
    EXPECT_TRUE(GetSynonyms(QStringLiteral("生卵")).isEmpty());
    EXPECT_TRUE(GetSynonyms("").isEmpty());
    // Half-width katakana is another spelling the table does not hold.
    EXPECT_TRUE(GetSynonyms(QStringLiteral("ﾀﾏｺﾞ")).isEmpty());
}
