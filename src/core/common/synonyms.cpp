#include "core/common/synonyms.h"

#include <initializer_list>

namespace {

struct TSynonymRow {
    const char16_t* Word;
    std::initializer_list<const char16_t*> Others;
};

// Each spelling with the others of its group, in the order the search tries
// them.
const TSynonymRow SynonymTable[] = {
    {u"たまご", {u"卵", u"玉子", u"タマゴ"}},
    {u"卵", {u"たまご", u"タマゴ", u"玉子"}},
    {u"タマゴ", {u"卵", u"玉子", u"たまご"}},
    {u"玉子", {u"たまご", u"タマゴ", u"卵"}},
    {u"しお", {u"塩", u"シオ"}},
    {u"塩", {u"しお", u"シオ"}},
    {u"シオ", {u"しお", u"塩"}},
    {u"こしょう", {u"胡椒", u"コショウ"}},
    {u"胡椒", {u"こしょう", u"コショウ"}},
    {u"コショウ", {u"こしょう", u"胡椒"}},
    {u"たまねぎ", {u"玉ねぎ", u"タマネギ", u"玉葱", u"玉ネギ"}},
    {u"玉ねぎ", {u"たまねぎ", u"タマネギ", u"玉葱", u"玉ネギ"}},
    {u"タマネギ", {u"玉ねぎ", u"たまねぎ", u"玉葱", u"玉ネギ"}},
    {u"玉葱", {u"玉ねぎ", u"タマネギ", u"たまねぎ", u"玉ネギ"}},
    {u"玉ネギ", {u"玉ねぎ", u"タマネギ", u"玉葱", u"たまねぎ"}},
    {u"にんじん", {u"人参", u"ニンジン"}},
    {u"ニンジン", {u"人参", u"にんじん"}},
    {u"人参", {u"ニンジン", u"にんじん"}},
    {u"じゃがいも", {u"ジャガイモ", u"じゃが芋"}},
    {u"ジャガイモ", {u"じゃがいも", u"じゃが芋"}},
    {u"じゃが芋", {u"じゃがいも", u"ジャガイモ"}},
    {u"えび", {u"海老", u"エビ"}},
    {u"エビ", {u"海老", u"えび"}},
    {u"海老", {u"えび", u"エビ"}},
    {u"だいこん", {u"大根", u"ダイコン"}},
    {u"大根", {u"だいこん", u"ダイコン"}},
    {u"ダイコン", {u"だいこん", u"大根"}},
    {u"きゅうり", {u"キュウリ"}},
    {u"キュウリ", {u"きゅうり"}},
    {u"ごはん", {u"ご飯", u"御飯", u"ゴハン"}},
    {u"ご飯", {u"ごはん", u"御飯", u"ゴハン"}},
    {u"御飯", {u"ご飯", u"ごはん", u"ゴハン"}},
    {u"ゴハン", {u"ご飯", u"御飯", u"ごはん"}},
    {u"とりにく", {u"鳥肉", u"鶏肉"}},
    {u"鶏肉", {u"とりにく", u"鳥肉"}},
    {u"鳥肉", {u"とりにく", u"鶏肉"}},
    {u"ゴボウ", {u"ごぼう", u"牛蒡"}},
    {u"ごぼう", {u"ゴボウ", u"牛蒡"}},
    {u"牛蒡", {u"ゴボウ", u"ごぼう"}},
};

}  // namespace

QStringList GetSynonyms(const QString& word) {
    for (const TSynonymRow& row : SynonymTable) {
        if (word == QStringView(row.Word)) {
            QStringList others;
            others.reserve(qsizetype(row.Others.size()));
            for (const char16_t* other : row.Others)
                others << QString::fromUtf16(other);
            return others;
        }
    }
    return {};
}

QStringList SynonymSpellings() {
    QStringList words;
    for (const TSynonymRow& row : SynonymTable)
        words << QString::fromUtf16(row.Word);
    return words;
}
