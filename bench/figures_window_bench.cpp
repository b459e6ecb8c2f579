#include <chrono>
#include <memory>

#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include "core/recipes/open_recipe.h"
#include "core/recipes/recipe_book.h"
#include "core/recipes/recipe_name.h"
#include "core/recipes/recipe_store.h"
#include "figure_timing.h"
#include "support/recipe_fixture.h"
#include "ui/app/program_main.h"
#include "ui/app/windows.h"
#include "ui/mainwindow/main_form.h"
#include "shown_window.h"
#include "ui/mainwindow/thumbnail_strip.h"

// The figures of the large-collection table that need the main window: the
// thumbnail pane, refills in every view style and start-up, each with the
// real window on a generated collection and its anchor in the same run.

namespace {

// Opening the pane with nothing decoded yet: until the pictures in view are
// painted (target 150 ms), until all are, and the longest the window did not
// answer (a 5 ms timer's lateness; target 100 ms). The window's thread sleeps
// between events, as the program's does. Anchor: libjpeg decoding every photo
// at 1/8 on as many threads as the loader at its priority, warm (the
// one-thread figure beside it); the two alternate. The ratio is the whole
// strip's time to it.
void BM_FigureThumbnailPaneOpen(benchmark::State& state) {
    EnsureBenchApplication();
    const TRecipeCollection& c = SharedRecipeCollection(static_cast<int>(state.range(0)));
    const std::vector<QByteArray> photos = PhotoPaths(c);
    const int threads = TThumbnailLoader::DefaultThreads();
    TShownWindow w(c);
    THeartbeat heartbeat(5);
    double anchorTotal = 0, anchorOneTotal = 0, firstTotal = 0, allTotal = 0, blockMax = 0, triggerTotal = 0;
    bool anchorFirst = true;
    for (auto _ : state) {
        auto anchor = [&] {
            anchorTotal += MillisecondsOf([&] { benchmark::DoNotOptimize(DecodeEveryPhotoOnThreads(photos, threads)); });
        };
        if (anchorFirst)
            anchor();
        w.SetPane(false);
        w.Strip->Cache().Clear();
        heartbeat.Start();
        const TClock::time_point start = TClock::now();
        w.Trigger("S1");
        triggerTotal += Since(start);
        double first = -1;
        WaitUntil([&] {
            if (first < 0 && w.Strip->ViewFilled())
                first = Since(start);
            return first >= 0 && !w.Strip->Loading();
        });
        const double all = Since(start);
        blockMax = std::max(blockMax, heartbeat.Stop());
        if (!anchorFirst)
            anchor();
        anchorFirst = !anchorFirst;
        anchorOneTotal += MillisecondsOf([&] { benchmark::DoNotOptimize(DecodeEveryPhotoAtOneEighth(photos)); });
        firstTotal += first;
        allTotal += all;
        state.SetIterationTime(all / 1000.0);
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["photos"] = static_cast<double>(photos.size());
    state.counters["open_call_ms"] = triggerTotal / n;
    state.counters["first_screen_ms"] = firstTotal / n;
    state.counters["all_ms"] = allTotal / n;
    state.counters["block_max_ms"] = blockMax;
    state.counters["anchor_ms"] = anchorTotal / n;
    state.counters["anchor_1t_ms"] = anchorOneTotal / n;
    state.counters["threads"] = threads;
    state.counters["ratio"] = allTotal / anchorTotal;
    state.counters["ratio_1t"] = allTotal / anchorOneTotal;
    state.SetLabel(QStringLiteral("warm cache, anchor on %1 threads").arg(threads).toStdString());
}

// A refill with the pane open and its pictures decoded, against the same
// refill with the pane closed (target 2x).
void BM_FigureRefillPaneOpen(benchmark::State& state) {
    EnsureBenchApplication();
    const TRecipeCollection& c = SharedRecipeCollection(static_cast<int>(state.range(0)));
    TShownWindow w(c);
    double closedTotal = 0, openTotal = 0;
    for (auto _ : state) {
        w.SetPane(false);
        closedTotal += MillisecondsOf([&] { w.Refill(); });
        w.SetPane(true);
        const double ms = MillisecondsOf([&] { w.Refill(); });
        openTotal += ms;
        state.SetIterationTime(ms / 1000.0);
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["anchor_ms"] = closedTotal / n;
    state.counters["ratio"] = openTotal / closedTotal;
    state.counters["target"] = 2;
    state.SetLabel("warm cache, anchor: the same refill with the pane closed");
}

// The scan anchor is the program's own scan, on its own threads.
void ScanLabel(benchmark::State& state) {
    state.SetLabel(QStringLiteral("warm cache, anchor: the scan on %1 threads").arg(ProgramReadThreads()).toStdString());
}

const char* const StyleActions[] = {"tbtnReport", "tbtnList", "tbtnIcon", "tbtnSmallIcon"};

// A refill in one view style, against the scan of the same collection (target 10%).
void BM_FigureRefillInStyle(benchmark::State& state) {
    EnsureBenchApplication();
    const TRecipeCollection& c = SharedRecipeCollection(static_cast<int>(state.range(0)));
    TShownWindow w(c);
    w.Trigger(StyleActions[state.range(1)]);
    w.Settle();
    const TIconStore icons;
    TimeAgainstAnchor(
        state, [&] { benchmark::DoNotOptimize(SearchCookFld(c.Root, icons)); }, [&] { w.Refill(); }, 0.10);
    ScanLabel(state);
}

// Switching the filled list from the report view to a style until painted;
// first_ms is the first, cold switch (target 10% of the scan).
void BM_FigureStyleSwitch(benchmark::State& state) {
    EnsureBenchApplication();
    const TRecipeCollection& c = SharedRecipeCollection(static_cast<int>(state.range(0)));
    TShownWindow w(c);
    const TIconStore icons;
    TimeAgainstAnchor(
        state, [&] { benchmark::DoNotOptimize(SearchCookFld(c.Root, icons)); },
        [&] {
            w.Trigger(StyleActions[state.range(1)]);
            w.Settle();
        },
        0.10,
        [&] {
            w.Trigger("tbtnReport");
            w.Settle();
        });
    ScanLabel(state);
}

// The program from its start to the filled, shown window (the first turn of
// its event loop), against the same start on an empty collection.
double StartProgram(const QString& appDir) {
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    const bool quitOnLast = app->quitOnLastWindowClosed();
    QTemporaryDir sockets;
    double ms = 0;
    const TClock::time_point start = TClock::now();
    RunProgram(*app, appDir, sockets.filePath(QStringLiteral("instance")), [&](TMainForm& form) {
        QCoreApplication::processEvents();
        ms = Since(start);
        form.close();
    });
    app->setQuitOnLastWindowClosed(quitOnLast);
    return ms;
}

void BM_FigureStartUp(benchmark::State& state) {
    EnsureBenchApplication();
    const TRecipeCollection& c = SharedRecipeCollection(static_cast<int>(state.range(0)));
    QTemporaryDir empty;
    QDir().mkpath(empty.path() + QStringLiteral("/Cook"));
    double emptyTotal = 0, fullTotal = 0;
    for (auto _ : state) {
        emptyTotal += StartProgram(empty.path() + u'/');
        const double ms = StartProgram(c.Dir.path() + u'/');
        fullTotal += ms;
        state.SetIterationTime(ms / 1000.0);
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["anchor_ms"] = emptyTotal / n;  // the empty collection
    state.counters["ratio"] = fullTotal / emptyTotal;
    state.counters["target_ms"] = state.range(0) >= 50000 ? 600 : 300;
    state.SetLabel("warm cache, in this process; anchor: the same start on an empty collection");
}

// A user with a large collection while the pictures load: opens the pane,
// scrolls it, searches, switches every view style, searches again. Reports
// the longest the window did not answer over the whole session, and how long
// a scrolled-to screen took to fill. The window's thread sleeps between
// events, as the program's does; a 5 ms timer's lateness is the block. With SAPORIA_BENCH_PNG set to a folder,
// grabs the window there at three moments.
void BM_FigureBusyWindow(benchmark::State& state) {
    EnsureBenchApplication();
    const TRecipeCollection& c = SharedRecipeCollection(static_cast<int>(state.range(0)));
    TShownWindow w(c);
    const QString pngDir = qEnvironmentVariable("SAPORIA_BENCH_PNG");
    THeartbeat heartbeat(5);
    double gapMax = 0, scrollFill = 0, session = 0;
    const bool trace = qEnvironmentVariableIsSet("SAPORIA_BENCH_TRACE");
    auto step = [&](const char* what, const std::function<void()>& action) {
        const TClock::time_point begin = TClock::now();
        action();
        if (trace)
            fprintf(stderr, "%s: %.1f ms\n", what, Since(begin));
    };
    // Grabs are not the window's own work: the heartbeat restarts after them.
    auto grab = [&](const char* name) {
        if (pngDir.isEmpty())
            return;
        gapMax = std::max(gapMax, heartbeat.Stop());
        w.Form->grab().save(pngDir + u'/' + QLatin1String(name) + QStringLiteral(".png"));
        heartbeat.Start();
    };
    auto* scroll = w.Form->findChild<QScrollArea*>(QStringLiteral("ScrollBox1"));
    auto* refineBox = w.Form->findChild<QComboBox*>(QStringLiteral("cbSearchRefinement"));
    auto* refineButton = w.Form->findChild<QPushButton*>(QStringLiteral("btnSearchRefinement"));
    for (auto _ : state) {
        w.SetPane(false);
        w.Strip->Cache().Clear();
        heartbeat.Start();
        const TClock::time_point start = TClock::now();
        step("open pane", [&] { w.Trigger("S1"); });
        Pump(40);
        grab("1-pane-opening");
        scroll->verticalScrollBar()->setValue(scroll->verticalScrollBar()->maximum() / 2);
        const TClock::time_point scrolled = TClock::now();
        WaitUntil([&] { return w.Strip->ViewFilled(); });
        scrollFill = std::max(scrollFill, Since(scrolled));
        grab("2-scrolled-middle");
        refineBox->setEditText(QStringLiteral("じゃがいも"));
        step("refine", [&] { refineButton->click(); });
        Pump(20);
        for (const char* style : {"tbtnList", "tbtnIcon", "tbtnSmallIcon", "tbtnReport"}) {
            step(style, [&] { w.Trigger(style); });
            Pump(20);
            if (QLatin1String(style) == QLatin1String("tbtnList"))
                grab("3-list-style-loading");
        }
        refineBox->setEditText(QString());
        step("refine all", [&] { refineButton->click(); });
        WaitUntil([&] { return !w.Strip->Loading(); });
        grab("4-all-loaded");
        session = Since(start);
        gapMax = std::max(gapMax, heartbeat.Stop());
        state.SetIterationTime(session / 1000.0);
    }
    state.counters["block_max_ms"] = gapMax;
    state.counters["target_ms"] = 100;
    state.counters["scroll_fill_ms"] = scrollFill;
}

const bool Registered = [] {
    for (const int64_t n : FigureSizes()) {
        const int64_t runs = n >= 50000 ? 3 : 8;
        benchmark::RegisterBenchmark("BM_FigureThumbnailPaneOpen", BM_FigureThumbnailPaneOpen)
            ->Arg(n)->ArgName("recipes")->UseManualTime()->Iterations(n >= 50000 ? 2 : 4)->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("BM_FigureRefillPaneOpen", BM_FigureRefillPaneOpen)
            ->Arg(n)->ArgName("recipes")->UseManualTime()->Iterations(runs)->Unit(benchmark::kMillisecond);
        for (int64_t style = 0; style < 4; ++style)
            benchmark::RegisterBenchmark("BM_FigureRefillInStyle", BM_FigureRefillInStyle)
                ->Args({n, style})->ArgNames({"recipes", "style"})->UseManualTime()->Iterations(runs)
                ->Unit(benchmark::kMillisecond);
        for (int64_t style = 1; style < 4; ++style)
            benchmark::RegisterBenchmark("BM_FigureStyleSwitch", BM_FigureStyleSwitch)
                ->Args({n, style})->ArgNames({"recipes", "style"})->UseManualTime()->Iterations(runs)
                ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("BM_FigureBusyWindow", BM_FigureBusyWindow)
            ->Arg(n)->ArgName("recipes")->UseManualTime()->Iterations(n >= 50000 ? 1 : 2)->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("BM_FigureStartUp", BM_FigureStartUp)
            ->Arg(n)->ArgName("recipes")->UseManualTime()->Iterations(runs)->Unit(benchmark::kMillisecond);
    }
    return true;
}();

}  // namespace
