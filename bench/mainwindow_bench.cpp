#include <chrono>
#include <functional>

#include <benchmark/benchmark.h>

#include "figure_timing.h"

#include <QApplication>

#include "core/recipes/column_table.h"
#include "core/recipes/cook_list_model.h"
#include "core/recipes/icon_store.h"
#include "core/recipes/recipe_store.h"
#include "support/recipe_fixture.h"
#include "ui/mainwindow/cook_list_view.h"

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

double MillisecondsOf(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// The real list widget, shown, with the model and records of one collection.
struct TShownList {
    TIconStore Icons;
    TCookItems Items;
    TCookListModel Model{&Items, &Icons};
    TCookListView View;

    explicit TShownList(const QString& root) : Items(SearchCookFld(root, Icons).Items) {
        Model.SetColumns(ShownCaptions(DefaultColumnTable()));
        View.SetModel(&Model);
        View.resize(900, 600);
        View.show();
        Refill();
    }
    // What a refill does to the list: new rows, the selection put back, then
    // the event loop lays out and paints the view.
    void Refill() {
        Model.SetRows(ListedRecords(Items, QStringLiteral("すべてのグループを表示")));
        View.SelectRowUnguarded(Model.rowCount() / 2);
        Settle();
    }
    // The posted layout and the paint of what changed, as after any user action.
    void Settle() { QCoreApplication::processEvents(); }
};

// Each timed step runs beside the scan of the same collection, interleaved,
// so the ratio holds on a busy machine. Reports the step's time (manual), the
// scan's, their ratio and the first step's time as counters.
void TimeBesideScan(benchmark::State& state, const QString& root, const std::function<void()>& prepare,
                    const std::function<void()>& step) {
    const TIconStore icons;
    double scanTotal = 0;
    double stepTotal = 0;
    double first = -1;
    for (auto _ : state) {
        scanTotal += MillisecondsOf([&] { benchmark::DoNotOptimize(SearchCookFld(root, icons)); });
        prepare();
        const double ms = MillisecondsOf(step);
        if (first < 0)
            first = ms;
        stepTotal += ms;
        state.SetIterationTime(ms / 1000.0);
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["scan_ms"] = scanTotal / n;
    state.counters["step_ms"] = stepTotal / n;
    state.counters["first_ms"] = first;  // a style's first layout measures every name
    state.counters["ratio_%"] = 100.0 * stepTotal / scanTotal;
}

// A refill with the list widget shown in one view style (report, list, icon, small icon).
void BM_ListRefillInStyle(benchmark::State& state) {
    EnsureBenchApplication();
    const TRecipeCollection& c = SharedRecipeCollection(static_cast<int>(state.range(0)));
    TShownList list(c.Root);
    list.View.SetViewStyle(static_cast<TCookListView::TViewStyle>(state.range(1)));
    list.Settle();
    TimeBesideScan(state, c.Root, [] {}, [&] { list.Refill(); });
}
BENCHMARK(BM_ListRefillInStyle)
    ->ArgsProduct({{1000, 10000}, {0, 1, 2, 3}})
    ->ArgNames({"recipes", "style"})
    ->Iterations(6)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// Switching the filled list from the report view to another style, until it is painted.
void BM_ListStyleSwitch(benchmark::State& state) {
    EnsureBenchApplication();
    const TRecipeCollection& c = SharedRecipeCollection(static_cast<int>(state.range(0)));
    TShownList list(c.Root);
    const auto style = static_cast<TCookListView::TViewStyle>(state.range(1));
    TimeBesideScan(
        state, c.Root,
        [&] {
            list.View.SetViewStyle(TCookListView::vsReport);
            list.Settle();
        },
        [&] {
            list.View.SetViewStyle(style);
            list.Settle();
        });
}
BENCHMARK(BM_ListStyleSwitch)
    ->ArgsProduct({{1000, 10000}, {1, 2, 3}})
    ->ArgNames({"recipes", "style"})
    ->Iterations(6)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
