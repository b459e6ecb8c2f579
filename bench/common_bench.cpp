#include <benchmark/benchmark.h>

#include <QRandomGenerator>
#include <QStringList>

#include "core/common/base64.h"
#include "core/common/keywords.h"

namespace {

QByteArray RandomBytes(qsizetype size) {
    QRandomGenerator random(42);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& b : bytes)
        b = char(random.bounded(256));
    return bytes;
}

void BM_Base64Encode1MB(benchmark::State& state) {
    const QByteArray bytes = RandomBytes(1 << 20);
    for (auto _ : state)
        benchmark::DoNotOptimize(Base64EncodeBuffer(bytes));
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_Base64Encode1MB);

void BM_Base64Decode1MB(benchmark::State& state) {
    const QByteArray text = Base64EncodeBuffer(RandomBytes(1 << 20));
    QByteArray out;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Base64DecodeBuffer(text, out));
        benchmark::DoNotOptimize(out);
    }
    state.SetBytesProcessed(state.iterations() * text.size());
}
BENCHMARK(BM_Base64Decode1MB);

// Ingredient texts like those of a large collection: a dozen lines each,
// drawn from common ingredients and amounts.
QStringList IngredientTexts(int count) {
    const QStringList ingredients = {
        QStringLiteral("玉ねぎ"),   QStringLiteral("人参"),     QStringLiteral("じゃがいも"), QStringLiteral("豚肉"),
        QStringLiteral("鶏肉"),     QStringLiteral("卵"),       QStringLiteral("しょうゆ"),   QStringLiteral("みりん"),
        QStringLiteral("砂糖"),     QStringLiteral("塩"),       QStringLiteral("こしょう"),   QStringLiteral("大根"),
        QStringLiteral("キャベツ"), QStringLiteral("ピーマン"), QStringLiteral("ごぼう"),     QStringLiteral("豆腐"),
        QStringLiteral("味噌"),     QStringLiteral("えび"),     QStringLiteral("きゅうり"),   QStringLiteral("ご飯"),
    };
    const QStringList amounts = {QStringLiteral("１個"), QStringLiteral("大さじ２"), QStringLiteral("少々"),
                                 QStringLiteral("200g"), QStringLiteral("1/2本")};
    QRandomGenerator random(7);
    QStringList texts;
    texts.reserve(count);
    for (int i = 0; i < count; ++i) {
        QString text;
        for (int line = 0; line < 12; ++line) {
            text += ingredients[int(random.bounded(qsizetype(ingredients.size())))] + QStringLiteral("　") +
                    amounts[int(random.bounded(qsizetype(amounts.size())))] + QStringLiteral("\r\n");
        }
        texts << text;
    }
    return texts;
}

// The refinement search: one search over every recipe's ingredient text.
void BM_MatchKeywords10000(benchmark::State& state) {
    const QStringList texts = IngredientTexts(10000);
    const QString search = QStringLiteral("たまねぎ　にんじん 卵");
    for (auto _ : state) {
        int hits = 0;
        for (const QString& text : texts)
            hits += MatchKeywords(text, search) ? 1 : 0;
        benchmark::DoNotOptimize(hits);
    }
    state.SetItemsProcessed(state.iterations() * texts.size());
}
BENCHMARK(BM_MatchKeywords10000)->Unit(benchmark::kMillisecond);

void BM_KeywordMatcher10000(benchmark::State& state) {
    const QStringList texts = IngredientTexts(10000);
    const TKeywordMatcher matcher(QStringLiteral("たまねぎ　にんじん 卵"));
    for (auto _ : state) {
        int hits = 0;
        for (const QString& text : texts)
            hits += matcher.Matches(text) ? 1 : 0;
        benchmark::DoNotOptimize(hits);
    }
    state.SetItemsProcessed(state.iterations() * texts.size());
}
BENCHMARK(BM_KeywordMatcher10000)->Unit(benchmark::kMillisecond);

}  // namespace
