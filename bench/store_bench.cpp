#include <fcntl.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include <QFile>

#include "core/recipes/icon_store.h"
#include "core/recipes/recipe_store.h"
#include "core/platform/file_io.h"
#include "support/recipe_fixture.h"

namespace {

// The floor for a scan: read each attribute file once, by a known path.
void BM_ReadEveryStatusFile(benchmark::State& state) {
    const TRecipeCollection& c = SharedRecipeCollection(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        qsizetype bytes = 0;
        for (const QString& name : c.Names)
            bytes += ReadFileBytes(c.Root + QLatin1Char('/') + name + QStringLiteral("/Status.txt")).size();
        benchmark::DoNotOptimize(bytes);
    }
    state.SetItemsProcessed(state.iterations() * c.Names.size());
}
BENCHMARK(BM_ReadEveryStatusFile)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// A stricter floor: plain system calls, each file opened relative to the data folder.
void BM_ReadEveryStatusFileRaw(benchmark::State& state) {
    const TRecipeCollection& c = SharedRecipeCollection(static_cast<int>(state.range(0)));
    std::vector<QByteArray> paths;
    for (const QString& name : c.Names)
        paths.push_back(QFile::encodeName(name + QStringLiteral("/Status.txt")));
    const int root = open(QFile::encodeName(c.Root).constData(), O_RDONLY | O_DIRECTORY);
    char buffer[4096];
    for (auto _ : state) {
        qint64 bytes = 0;
        for (const QByteArray& path : paths) {
            const int fd = openat(root, path.constData(), O_RDONLY);
            for (ssize_t n; fd >= 0 && (n = read(fd, buffer, sizeof(buffer))) > 0;)
                bytes += n;
            close(fd);
        }
        benchmark::DoNotOptimize(bytes);
    }
    close(root);
    state.SetItemsProcessed(state.iterations() * c.Names.size());
}
BENCHMARK(BM_ReadEveryStatusFileRaw)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// The second argument is the number of reading threads (0: one per core).
void BM_SearchCookFld(benchmark::State& state) {
    const TRecipeCollection& c = SharedRecipeCollection(static_cast<int>(state.range(0)));
    const TIconStore icons;
    const TScanOptions options{static_cast<int>(state.range(1))};
    for (auto _ : state) {
        TCookScan scan = SearchCookFld(c.Root, icons, options);
        if (scan.Items.size() != c.Names.size())
            state.SkipWithError("scan lost recipes");
        benchmark::DoNotOptimize(scan);
    }
    state.SetItemsProcessed(state.iterations() * c.Names.size());
}
BENCHMARK(BM_SearchCookFld)->ArgsProduct({{1000, 10000}, {0, 1}})->Unit(benchmark::kMillisecond);

}  // namespace
