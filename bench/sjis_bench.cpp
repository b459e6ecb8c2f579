#include <benchmark/benchmark.h>

#include "core/platform/sjis.h"

namespace {

QString JapaneseText(qsizetype bytes) {
    const QString line = QStringLiteral("玉ねぎ１個をみじん切りにし、バター大さじ１で炒める。塩、こしょうで味を調える。\r\n");
    // Encode the line once: encoding the growing text on every round made the
    // set-up quadratic.
    const qsizetype lineBytes = ToSjis(line).size();
    return line.repeated((bytes + lineBytes - 1) / lineBytes);
}

void BM_SjisDecode1MB(benchmark::State& state) {
    const QByteArray bytes = ToSjis(JapaneseText(1 << 20));
    for (auto _ : state)
        benchmark::DoNotOptimize(FromSjis(bytes));
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_SjisDecode1MB);

void BM_SjisEncode1MB(benchmark::State& state) {
    const QString text = JapaneseText(1 << 20);
    for (auto _ : state)
        benchmark::DoNotOptimize(ToSjis(text));
    state.SetBytesProcessed(state.iterations() * text.size() * 2);
}
BENCHMARK(BM_SjisEncode1MB);

}  // namespace
