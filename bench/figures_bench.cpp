#include <benchmark/benchmark.h>

#include <QFile>

#include "core/recipes/icon_store.h"
#include "core/recipes/recipe_store.h"
#include "core/search/recipe_search.h"
#include "figure_timing.h"
#include "support/recipe_fixture.h"

// The figures of the large-collection table that need no window: the scan
// and the searches, each beside plain reads of the files they must read, on
// as many threads as the program reads with (the one-thread read beside it).
// The page cache is warm: every run reads the same files again. Run them all
// with --benchmark_filter=Figure.

namespace {

struct TFiles {
    std::vector<QByteArray> Status;
    std::vector<QByteArray> Ingredients;
};

const TFiles& FilesOf(const TRecipeCollection& c) {
    static std::map<const TRecipeCollection*, TFiles> files;
    TFiles& f = files[&c];
    if (f.Status.empty()) {
        QStringList status;
        QStringList ingredients;
        for (const QString& name : c.Names) {
            status << c.Root + u'/' + name + QStringLiteral("/Status.txt");
            ingredients << c.Root + u'/' + name + QStringLiteral("/材料.txt");
        }
        f.Status = NativePaths(status);
        f.Ingredients = NativePaths(ingredients);
    }
    return f;
}

void Label(benchmark::State& state) {
    state.SetLabel(QStringLiteral("warm cache, anchor on %1 threads").arg(ProgramReadThreads()).toStdString());
}

// Plain reads of `paths` on the program's threads, and on one beside them.
std::function<void()> Anchor(const std::vector<QByteArray>& paths) {
    return [&paths] { benchmark::DoNotOptimize(ReadEveryFileOnThreads(paths)); };
}
std::function<void()> OneThreadAnchor(const std::vector<QByteArray>& paths) {
    return [&paths] { benchmark::DoNotOptimize(ReadEveryFile(paths)); };
}

void BM_FigureScan(benchmark::State& state) {
    const TRecipeCollection& c = SharedRecipeCollection(static_cast<int>(state.range(0)));
    const TFiles& files = FilesOf(c);
    const TIconStore icons;
    TimeAgainstAnchor(
        state, Anchor(files.Status),
        [&] {
            const TCookScan scan = SearchCookFld(c.Root, icons);
            if (scan.Items.size() != c.Names.size())
                state.SkipWithError("scan lost recipes");
        },
        1.5, {}, OneThreadAnchor(files.Status));
    Label(state);
}

// The ingredient search for a word found nowhere: every file is read.
void BM_FigureMaterialSearch(benchmark::State& state) {
    const TRecipeCollection& c = SharedRecipeCollection(static_cast<int>(state.range(0)));
    const TFiles& files = FilesOf(c);
    const TIconStore icons;
    const TCookItems items = SearchCookFld(c.Root, icons).Items;
    QList<int> rows;
    for (int i = 0; i < items.size(); ++i)
        rows.append(i);
    TIngredientCache cache;
    TimeAgainstAnchor(
        state, Anchor(files.Ingredients),
        [&] {
            cache.Clear();
            if (FindMaterialHit(items, rows, 0, QStringLiteral("見つからない"), c.Root, &cache) != -1)
                state.SkipWithError("a hit for a word found nowhere");
        },
        1.5, {}, OneThreadAnchor(files.Ingredients));
    Label(state);
}

// The first search of a run reads every ingredient file.
void BM_FigureRefineFirst(benchmark::State& state) {
    const TRecipeCollection& c = SharedRecipeCollection(static_cast<int>(state.range(0)));
    const TFiles& files = FilesOf(c);
    const TIconStore icons;
    TCookItems items = SearchCookFld(c.Root, icons).Items;
    TimeAgainstAnchor(
        state, Anchor(files.Ingredients),
        [&] {
            TIngredientCache cache;
            RefineCookItems(items, c.Root, QStringLiteral("じゃがいも 牛肉"), &cache);
        },
        1.2, {}, OneThreadAnchor(files.Ingredients));
    Label(state);
}

// Searches after the first look each file over for changes.
void BM_FigureRefineRepeated(benchmark::State& state) {
    const TRecipeCollection& c = SharedRecipeCollection(static_cast<int>(state.range(0)));
    const TFiles& files = FilesOf(c);
    const TIconStore icons;
    TCookItems items = SearchCookFld(c.Root, icons).Items;
    TIngredientCache cache;
    RefineCookItems(items, c.Root, QStringLiteral("玉ねぎ"), &cache);
    TimeAgainstAnchor(
        state, Anchor(files.Ingredients),
        [&] { RefineCookItems(items, c.Root, QStringLiteral("じゃがいも 牛肉"), &cache); }, 1.0, {},
        OneThreadAnchor(files.Ingredients));
    Label(state);
}

const bool Registered = [] {
    for (const int64_t n : FigureSizes()) {
        for (auto [name, fn] : {std::pair{"BM_FigureScan", &BM_FigureScan},
                                std::pair{"BM_FigureMaterialSearch", &BM_FigureMaterialSearch},
                                std::pair{"BM_FigureRefineFirst", &BM_FigureRefineFirst},
                                std::pair{"BM_FigureRefineRepeated", &BM_FigureRefineRepeated}})
            benchmark::RegisterBenchmark(name, fn)
                ->Arg(n)
                ->ArgName("recipes")
                ->UseManualTime()
                ->Iterations(n >= 50000 ? 5 : 20)
                ->Unit(benchmark::kMillisecond);
    }
    return true;
}();

}  // namespace
