#include <benchmark/benchmark.h>

#include "core/recipes/column_table.h"
#include "core/recipes/cook_list_model.h"
#include "core/recipes/icon_store.h"
#include "core/recipes/recipe_store.h"
#include "support/recipe_fixture.h"

namespace {

// What the list shows first: the cells of a screenful of rows.
void TouchFirstRows(const TCookListModel& model) {
    const int rows = std::min(model.rowCount(), 60);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < model.columnCount(); ++c)
            benchmark::DoNotOptimize(model.data(model.index(r, c), Qt::DisplayRole));
}

// Start-up to the filled list: the scan of the data folder, then the refill.
void BM_MainListStartUp(benchmark::State& state) {
    const TRecipeCollection& c = SharedRecipeCollection(static_cast<int>(state.range(0)));
    TIconStore icons;
    for (auto _ : state) {
        TCookItems items = SearchCookFld(c.Root, icons).Items;
        TCookListModel model(&items, &icons);
        model.SetColumns(ShownCaptions(DefaultColumnTable()));
        model.SetRows(ListedRecords(items, QStringLiteral("すべてのグループを表示")));
        TouchFirstRows(model);
        benchmark::DoNotOptimize(model.rowCount());
    }
}
BENCHMARK(BM_MainListStartUp)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// One refill of the list from the records in memory.
void BM_MainListRefill(benchmark::State& state) {
    const TRecipeCollection& c = SharedRecipeCollection(static_cast<int>(state.range(0)));
    TIconStore icons;
    TCookItems items = SearchCookFld(c.Root, icons).Items;
    TCookListModel model(&items, &icons);
    model.SetColumns(ShownCaptions(DefaultColumnTable()));
    for (auto _ : state) {
        model.SetRows(ListedRecords(items, QStringLiteral("すべてのグループを表示")));
        TouchFirstRows(model);
    }
}
BENCHMARK(BM_MainListRefill)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// One header-click sort: by name (text) and by calorie (numbers).
void BM_MainListSort(benchmark::State& state) {
    const TRecipeCollection& c = SharedRecipeCollection(static_cast<int>(state.range(0)));
    TIconStore icons;
    TCookItems items = SearchCookFld(c.Root, icons).Items;
    TCookListModel model(&items, &icons);
    const QStringList columns{QStringLiteral("料理名"), QStringLiteral("カロリー")};
    model.SetColumns(columns);
    const QList<int> listed = ListedRecords(items, QStringLiteral("すべてのグループを表示"));
    model.SetRows(listed);
    const int column = static_cast<int>(state.range(1));
    bool ascending = false;
    for (auto _ : state) {
        QList<int> rows = model.Rows();
        SortCookRows(rows, items, columns, column, ascending, false);
        model.Reorder(rows);
        ascending = !ascending;
    }
}
BENCHMARK(BM_MainListSort)->Args({10000, 0})->Args({10000, 1})->Unit(benchmark::kMillisecond);

}  // namespace
