#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include <QFile>

#include "core/search/class_tree.h"
#include "core/recipes/cook_item.h"
#include "core/search/recipe_search.h"
#include "core/search/thumbnails.h"
#include "core/platform/file_io.h"
#include "core/platform/jpeg.h"
#include "support/recipe_fixture.h"

// Refinement search and thumbnail building on the generated collection of
// 10,000 recipes, each beside the cost it cannot beat: reading every
// ingredient file once, and decoding every photo at 1/8 scale. The
// collection's photos are camera-sized (1024 x 768), the pictures the scaled
// decoding is for.

namespace {

struct TCollection {
    QString DataRoot;
    TCookItems Items;
    QStringList IngredientPaths;
    QStringList PhotoPaths;
};

const TCollection& Collection() {
    static const std::unique_ptr<TCollection> collection = [] {
        auto c = std::make_unique<TCollection>();
        const TRecipeCollection& recipes = SharedRecipeCollection(10000);
        c->DataRoot = recipes.Root;
        for (const QString& name : recipes.Names) {
            TCookItem item;
            item.Name = name;
            const QString folder = c->DataRoot + u'/' + name + u'/';
            item.PhotoMark = QFile::exists(folder + QStringLiteral("写真.jpg")) ? PhotoMarkPresent : PhotoMarkAbsent;
            if (item.PhotoMark == PhotoMarkPresent)
                c->PhotoPaths.append(folder + QStringLiteral("写真.jpg"));
            c->IngredientPaths.append(folder + QStringLiteral("材料.txt"));
            c->Items.append(item);
        }
        return c;
    }();
    return *collection;
}

void BM_AnchorReadEveryIngredientFile(benchmark::State& state) {
    const TCollection& c = Collection();
    for (auto _ : state) {
        std::vector<QByteArray> texts;
        texts.reserve(static_cast<size_t>(c.IngredientPaths.size()));
        for (const QString& path : c.IngredientPaths)
            texts.push_back(ReadFileBytes(path));
        benchmark::DoNotOptimize(texts.data());
    }
    state.counters["recipes"] = static_cast<double>(c.IngredientPaths.size());
}
BENCHMARK(BM_AnchorReadEveryIngredientFile)->Unit(benchmark::kMillisecond);

// The search the user runs again and again: the texts are cached and only
// checked for changes.
void BM_RefinementSearch(benchmark::State& state) {
    const TCollection& c = Collection();
    TCookItems items = c.Items;
    TIngredientCache cache;
    RefineCookItems(items, c.DataRoot, QStringLiteral("じゃがいも 牛肉"), &cache);
    const int workers = static_cast<int>(state.range(0));
    for (auto _ : state) {
        RefineCookItems(items, c.DataRoot, QStringLiteral("じゃがいも 牛肉"), &cache, workers);
        benchmark::DoNotOptimize(items.data());
    }
}
// The argument is the number of reading threads (0: one per core).
BENCHMARK(BM_RefinementSearch)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The first search of a run: every file read and decoded.
void BM_RefinementSearchFirstRun(benchmark::State& state) {
    const TCollection& c = Collection();
    TCookItems items = c.Items;
    const int workers = static_cast<int>(state.range(0));
    for (auto _ : state) {
        TIngredientCache cache;
        RefineCookItems(items, c.DataRoot, QStringLiteral("じゃがいも 牛肉"), &cache, workers);
        benchmark::DoNotOptimize(items.data());
    }
}
BENCHMARK(BM_RefinementSearchFirstRun)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A word found nowhere, through its synonyms: the slowest match.
void BM_RefinementSearchNoHit(benchmark::State& state) {
    const TCollection& c = Collection();
    TCookItems items = c.Items;
    TIngredientCache cache;
    RefineCookItems(items, c.DataRoot, QString(), &cache);
    for (auto _ : state) {
        RefineCookItems(items, c.DataRoot, QStringLiteral("たまご こしょう"), &cache);
        benchmark::DoNotOptimize(items.data());
    }
}
BENCHMARK(BM_RefinementSearchNoHit)->Unit(benchmark::kMillisecond);

void BM_AnchorDecodeEveryPhotoAtOneEighth(benchmark::State& state) {
    const TCollection& c = Collection();
    for (auto _ : state) {
        std::vector<QImage> images;
        images.reserve(static_cast<size_t>(c.PhotoPaths.size()));
        for (const QString& path : c.PhotoPaths)
            images.push_back(DecodeJpegScaled(ReadFileBytes(path), QSize(1, 1)));  // 1/8 always covers 1 x 1
        benchmark::DoNotOptimize(images.data());
    }
    state.counters["photos"] = static_cast<double>(c.PhotoPaths.size());
}
BENCHMARK(BM_AnchorDecodeEveryPhotoAtOneEighth)->Unit(benchmark::kMillisecond);

void BM_BuildThumbnails(benchmark::State& state) {
    const TCollection& c = Collection();
    for (auto _ : state) {
        const std::vector<TThumbnail> thumbnails = BuildThumbnailList(c.Items, AllGroupsText, c.DataRoot);
        benchmark::DoNotOptimize(thumbnails.data());
    }
}
BENCHMARK(BM_BuildThumbnails)->Unit(benchmark::kMillisecond);

void BM_BuildClassTree(benchmark::State& state) {
    const TCollection& c = Collection();
    QList<int> rows;
    for (int i = 0; i < c.Items.size(); ++i)
        rows.push_back(i);
    TCookItems items = c.Items;
    for (int i = 0; i < items.size(); ++i) {
        items[i].Group = QStringLiteral("グループ%1").arg(i % 7);
        items[i].Calorie = QString::number(i % 1200);
    }
    for (auto _ : state) {
        const TClassTree tree = BuildClassTreeData(items, rows);
        benchmark::DoNotOptimize(&tree);
    }
}
BENCHMARK(BM_BuildClassTree)->Unit(benchmark::kMillisecond);

}  // namespace

namespace {

// The places of the thumbnail strip for a refill, every picture cached.
void BM_PlanThumbnailsCached(benchmark::State& state) {
    const TCollection& c = Collection();
    TThumbnailCache cache;
    for (const TThumbnailSlot& slot : PlanThumbnails(c.Items, AllGroupsText, c.DataRoot, cache))
        CachedThumbnailImage(cache, slot.Path);
    for (auto _ : state)
        benchmark::DoNotOptimize(PlanThumbnails(c.Items, AllGroupsText, c.DataRoot, cache));
    state.counters["photos"] = static_cast<double>(c.PhotoPaths.size());
}
BENCHMARK(BM_PlanThumbnailsCached)->Unit(benchmark::kMillisecond);

}  // namespace
