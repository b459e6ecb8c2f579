#include <fcntl.h>
#include <malloc.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include <map>

#include <QDir>
#include <QScrollArea>
#include <QScrollBar>

#include "shown_window.h"

// The thumbnail pane's figures on the real window: every picture decoded
// against libjpeg on the loader's threads (the one-thread figure beside it),
// warm or cold; the memory the open pane adds; and how long the window stops
// answering while the pane opens, scrolls, refills and changes style.

namespace {

// Drops the photos' pages from the page cache, for the cold figures.
void EvictPages(const std::vector<QByteArray>& paths) {
    for (const QByteArray& path : paths) {
        const int fd = ::open(path.constData(), O_RDONLY);
        if (fd < 0)
            continue;
        posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
        ::close(fd);
    }
}

// A collection of `count` recipes whose files are hard links to those of the
// 10,000-recipe one (recipe i shows recipe i mod 10,000): the same recipes
// and photos, a third with one, without 4 GB more of disk. The memory and
// the blocks do not depend on the photos' bytes being distinct.
const TRecipeCollection& LinkedCollection(int count) {
    if (count <= 10000)
        return SharedRecipeCollection(count);
    static std::map<int, std::unique_ptr<TRecipeCollection>> made;
    std::unique_ptr<TRecipeCollection>& slot = made[count];
    if (!slot) {
        const TRecipeCollection& base = SharedRecipeCollection(10000);
        slot = std::make_unique<TRecipeCollection>();
        slot->Root = slot->Dir.path() + QStringLiteral("/Cook");
        QDir().mkpath(slot->Root);
        for (int i = 1; i <= count; ++i) {
            const QString name = QStringLiteral("レシピ%1").arg(i, 5, 10, QLatin1Char('0'));
            const QString from = base.Root + u'/' + base.Names[(i - 1) % base.Names.size()] + u'/';
            const QString to = slot->Root + u'/' + name + u'/';
            QDir().mkdir(to);
            for (const QString& file : QDir(from).entryList(QDir::Files))
                if (::link(QFile::encodeName(from + file).constData(), QFile::encodeName(to + file).constData()) != 0)
                    qFatal("cannot link %s", qPrintable(to + file));
            slot->Names.append(name);
        }
    }
    return *slot;
}

double ResidentMiB() {
    QFile file(QStringLiteral("/proc/self/statm"));
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    return file.readAll().split(' ').value(1).toDouble() * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

double HeapMiB() { return double(mallinfo2().uordblks) / (1024.0 * 1024.0); }

// Opening the pane until every photo is decoded (the strip's count final),
// against libjpeg decoding every photo at 1/8 on the loader's threads at its
// priority, and on one thread; the three alternate in one run. Arg cold: 1
// drops the photos' pages before each of them.
void BM_FigureThumbnailsAllShown(benchmark::State& state) {
    EnsureBenchApplication();
    const TRecipeCollection& c = SharedRecipeCollection(static_cast<int>(state.range(0)));
    const bool cold = state.range(1) != 0;
    const std::vector<QByteArray> photos = PhotoPaths(c);
    const int threads = TThumbnailLoader::DefaultThreads();
    TShownWindow w(c);
    double anchorTotal = 0, oneTotal = 0, allTotal = 0;
    int turn = 0;
    for (auto _ : state) {
        auto anchor = [&] {
            if (cold)
                EvictPages(photos);
            anchorTotal += MillisecondsOf([&] { benchmark::DoNotOptimize(DecodeEveryPhotoOnThreads(photos, threads)); });
        };
        auto measured = [&] {
            w.SetPane(false);
            w.Strip->Cache().Clear();
            if (cold)
                EvictPages(photos);
            const double ms = MillisecondsOf([&] {
                w.Trigger("S1");
                WaitUntil([&] { return !w.Strip->Loading(); });
            });
            allTotal += ms;
            state.SetIterationTime(ms / 1000.0);
        };
        if (turn++ % 2 == 0) {
            anchor();
            measured();
        } else {
            measured();
            anchor();
        }
        if (cold)
            EvictPages(photos);
        oneTotal += MillisecondsOf([&] { benchmark::DoNotOptimize(DecodeEveryPhotoAtOneEighth(photos)); });
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["photos"] = static_cast<double>(photos.size());
    state.counters["shown"] = w.Strip->ThumbnailCount();
    state.counters["threads"] = threads;
    state.counters["warm"] = cold ? 0 : 1;
    state.counters["all_ms"] = allTotal / n;
    state.counters["anchor_ms"] = anchorTotal / n;
    state.counters["anchor_1t_ms"] = oneTotal / n;
    state.counters["ratio"] = allTotal / anchorTotal;
    state.counters["ratio_1t"] = allTotal / oneTotal;
    state.counters["target"] = 1.2;
}

// The memory the pane adds: the window shown with the pane closed, then open
// with every photo decoded and the strip scrolled through from top to end
// (pictures past the cache's budget decoded again as they come into view).
// Resident memory and the heap in use; target 40 MB at 50,000 recipes. Past
// 10,000 recipes, on a linked collection.
void BM_FigureThumbnailMemory(benchmark::State& state) {
    EnsureBenchApplication();
    const TRecipeCollection& c = LinkedCollection(static_cast<int>(state.range(0)));
    TShownWindow w(c);
    auto* scroll = w.Form->findChild<QScrollArea*>(QStringLiteral("ScrollBox1"));
    double closedRss = 0, closedHeap = 0, openRss = 0, openHeap = 0, trimmedRss = 0, againRss = 0, againHeap = 0;
    for (auto _ : state) {
        w.SetPane(false);
        w.Strip->Cache().Clear();
        malloc_trim(0);
        closedRss = ResidentMiB();
        closedHeap = HeapMiB();
        const TClock::time_point start = TClock::now();
        w.SetPane(true);
        QScrollBar* bar = scroll->verticalScrollBar();
        for (int step = 0; step <= 20; ++step) {
            bar->setValue(bar->maximum() * step / 20);
            WaitUntil([&] { return w.Strip->ViewFilled(); });
        }
        state.SetIterationTime(Since(start) / 1000.0);
        openRss = ResidentMiB();
        openHeap = HeapMiB();
        malloc_trim(0);
        trimmedRss = ResidentMiB();
        w.SetPane(false);
        malloc_trim(0);
        againRss = ResidentMiB();
        againHeap = HeapMiB();
    }
    state.counters["shown"] = static_cast<double>(PhotoPaths(c).size());
    state.counters["budget_MiB"] = double(TThumbnailCache::DefaultBudget) / (1024.0 * 1024.0);
    state.counters["closed_rss_MiB"] = closedRss;
    state.counters["open_rss_MiB"] = openRss;
    state.counters["added_rss_MiB"] = openRss - closedRss;
    state.counters["added_heap_MiB"] = openHeap - closedHeap;
    state.counters["added_rss_trimmed_MiB"] = trimmedRss - closedRss;
    state.counters["closed_again_rss_MiB"] = againRss - closedRss;
    state.counters["closed_again_heap_MiB"] = againHeap - closedHeap;
    state.counters["target_MiB"] = 40;
}

// The longest the window did not answer (a 5 ms timer's lateness) while the
// pane opens on an empty cache and its pictures load, while it is scrolled a
// page at a time and in jumps, on refills with it open, and on style switches
// with it open. Target 100 ms each. Past 10,000 recipes, on a linked collection.
void BM_FigureThumbnailPaneBlocks(benchmark::State& state) {
    EnsureBenchApplication();
    const TRecipeCollection& c = LinkedCollection(static_cast<int>(state.range(0)));
    TShownWindow w(c);
    auto* scroll = w.Form->findChild<QScrollArea*>(QStringLiteral("ScrollBox1"));
    THeartbeat heartbeat(5);
    double openBlock = 0, scrollBlock = 0, refillBlock = 0, styleBlock = 0, fillMax = 0;
    for (auto _ : state) {
        w.SetPane(false);
        w.Strip->Cache().Clear();
        const TClock::time_point start = TClock::now();
        heartbeat.Start();
        w.Trigger("S1");
        WaitUntil([&] { return !w.Strip->Loading(); });
        openBlock = std::max(openBlock, heartbeat.Stop());

        QScrollBar* bar = scroll->verticalScrollBar();
        heartbeat.Start();
        auto scrollTo = [&](int value) {
            bar->setValue(value);
            const TClock::time_point moved = TClock::now();
            WaitUntil([&] { return w.Strip->ViewFilled(); });
            fillMax = std::max(fillMax, Since(moved));
        };
        for (int page = 0; page < 30; ++page)
            scrollTo(bar->value() + bar->pageStep());
        for (int jump = 1; jump <= 10; ++jump)
            scrollTo(bar->maximum() * ((jump * 7) % 11) / 10);
        scrollBlock = std::max(scrollBlock, heartbeat.Stop());

        heartbeat.Start();
        for (int i = 0; i < 3; ++i) {
            w.Form->IndicateList(-1);
            Pump(20);
        }
        refillBlock = std::max(refillBlock, heartbeat.Stop());

        heartbeat.Start();
        for (const char* style : {"tbtnList", "tbtnIcon", "tbtnSmallIcon", "tbtnReport"}) {
            w.Trigger(style);
            Pump(20);
        }
        styleBlock = std::max(styleBlock, heartbeat.Stop());
        state.SetIterationTime(Since(start) / 1000.0);
    }
    state.counters["open_block_ms"] = openBlock;
    state.counters["scroll_block_ms"] = scrollBlock;
    state.counters["scroll_fill_ms"] = fillMax;
    state.counters["refill_block_ms"] = refillBlock;
    state.counters["style_block_ms"] = styleBlock;
    state.counters["target_ms"] = 100;
}

const bool Registered = [] {
    for (const int64_t n : FigureSizes()) {
        if (n >= 10000)
            for (const int64_t cold : {0, 1})
                benchmark::RegisterBenchmark("BM_FigureThumbnailsAllShown", BM_FigureThumbnailsAllShown)
                    ->Args({n, cold})->ArgNames({"recipes", "cold"})->UseManualTime()->Iterations(3)
                    ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("BM_FigureThumbnailMemory", BM_FigureThumbnailMemory)
            ->Arg(n)->ArgName("recipes")->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("BM_FigureThumbnailPaneBlocks", BM_FigureThumbnailPaneBlocks)
            ->Arg(n)->ArgName("recipes")->UseManualTime()->Iterations(n >= 50000 ? 1 : 2)
            ->Unit(benchmark::kMillisecond);
    }
    return true;
}();

}  // namespace
