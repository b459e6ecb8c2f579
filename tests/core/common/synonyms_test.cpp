#include <gtest/gtest.h>

#include "core/common/helpers.h"
#include "core/platform/sjis.h"
#include "support/temp_app_dir.h"

TEST(Synonyms, EverySpellingGivesTheOthersOfItsGroup) {
    for (const QString& word : SynonymSpellings()) {
        SCOPED_TRACE(word.toStdString());
        const QStringList others = GetSynonyms(word);
        EXPECT_FALSE(others.isEmpty() || others.contains(word) || QStringList(others).removeDuplicates() > 0);
        // The group is symmetric: each other spelling leads back to the same group.
        QStringList group = others + QStringList{word};
        group.sort();
        for (const QString& other : others) {
            QStringList back = GetSynonyms(other) + QStringList{other};
            back.sort();
            EXPECT_EQ(back, group) << other.toStdString();
        }
        EXPECT_EQ(FromSjis(ToSjis(word)), word);  // storable in CP932
    }
    // Rows keep their order; whole words only, and half-width katakana is a spelling the table does not hold.
    const std::pair<QString, QStringList> cases[] = {
        {QStringLiteral("タマネギ"),
         {QStringLiteral("玉ねぎ"), QStringLiteral("たまねぎ"), QStringLiteral("玉葱"), QStringLiteral("玉ネギ")}},
        {Sjis("\x97\x91"), {QStringLiteral("たまご"), QStringLiteral("タマゴ"), QStringLiteral("玉子")}},  // 卵
        {QStringLiteral("卵 "), {}}, {QStringLiteral("生卵"), {}}, {"", {}}, {QStringLiteral("ﾀﾏｺﾞ"), {}},
    };
    for (const auto& [word, others] : cases)
        EXPECT_EQ(GetSynonyms(word), others) << word.toStdString();
}
