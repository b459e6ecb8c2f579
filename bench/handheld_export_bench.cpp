#include <atomic>
#include <thread>

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/exchange/handheld_export.h"
#include "core/recipes/recipe_folder.h"
#include "figure_timing.h"
#include "support/recipe_fixture.h"
#include "ui/widgets/off_thread_work.h"

// The handheld list export of a whole generated collection, as the window
// runs it: off the window's thread on the program's threads, against the
// same export on one thread on the window's thread (as it ran before), and
// how long the window went without answering either way.

namespace {

QList<THandheldRow> RowsOf(const TRecipeCollection& c) {
    QList<THandheldRow> rows;
    for (const QString& name : c.Names)
        rows.append({name, QStringLiteral("主菜"), QStringLiteral("2人分"), c.Root + u'/' + name + u'/'});
    return rows;
}

// Every file the export reads: the three texts and the photo, where there is one.
std::vector<QByteArray> ReadPaths(const QList<THandheldRow>& rows) {
    QStringList paths;
    for (const THandheldRow& row : rows) {
        for (const QString& name : {HowFileName, FoodstuffFileName, CommentFileName, PhotoFileName})
            if (QFile::exists(row.Folder + name))
                paths << row.Folder + name;
    }
    return NativePaths(paths);
}

// The floor of writing the export's files as the program writes a file: a
// temporary, its bytes, fdatasync, rename; on `threads` threads taking the
// next file in turn.
void WriteEveryFileOnThreads(const QString& folder, const std::vector<std::pair<QByteArray, QByteArray>>& files,
                             int threads) {
    const QByteArray base = QFile::encodeName(folder) + '/';
    std::atomic<size_t> next = 0;
    std::vector<std::thread> writers;
    for (int t = 0; t < threads; ++t)
        writers.emplace_back([&] {
            for (size_t i; (i = next.fetch_add(1)) < files.size();) {
                const QByteArray path = base + files[i].first;
                const QByteArray temporary = path + ".tmp";
                const int fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
                if (fd < 0)
                    continue;
                benchmark::DoNotOptimize(::write(fd, files[i].second.constData(), files[i].second.size()));
                ::fdatasync(fd);
                ::close(fd);
                ::rename(temporary.constData(), path.constData());
            }
        });
    for (std::thread& writer : writers)
        writer.join();
}

std::vector<std::pair<QByteArray, QByteArray>> FilesOf(const QString& folder) {
    std::vector<std::pair<QByteArray, QByteArray>> files;
    for (const QString& name : QDir(folder).entryList(QDir::Files))
        files.emplace_back(QFile::encodeName(name), ReadRaw(folder + u'/' + name));
    return files;
}

// Warm (every run after the first finds the recipes in the page cache). The
// time is the export off the window's thread; block_max_ms the longest the
// window's timer ran late then, block_before_ms the same for the export on
// the window's thread on one thread (before_ms). Anchor: plain reads of the
// same files plus plain atomic writes of the same output, on the same number
// of threads (anchor_1t_ms: on one).
void BM_FigureHandheldExport(benchmark::State& state) {
    EnsureBenchApplication();
    const TRecipeCollection& c = SharedRecipeCollection(static_cast<int>(state.range(0)));
    const QList<THandheldRow> rows = RowsOf(c);
    const std::vector<QByteArray> reads = ReadPaths(rows);
    const int threads = ProgramReadThreads();
    std::vector<std::pair<QByteArray, QByteArray>> output;
    {
        QTemporaryDir first;
        ExportHandheld(first.path(), rows);
        output = FilesOf(first.path());
    }
    THeartbeat heartbeat(5);
    double total = 0, before = 0, anchor = 0, anchorOne = 0, block = 0, blockBefore = 0;
    int lastProgress = 0;
    for (auto _ : state) {
        // Each part starts with nothing left for the disk to write: removing
        // the last export's files must not be charged to the next.
        {
            QTemporaryDir out;
            ::sync();
            anchor += MillisecondsOf([&] {
                benchmark::DoNotOptimize(ReadEveryFileOnThreads(reads, threads));
                WriteEveryFileOnThreads(out.path(), output, threads);
            });
        }
        {
            QTemporaryDir out;
            ::sync();
            anchorOne += MillisecondsOf([&] {
                benchmark::DoNotOptimize(ReadEveryFile(reads));
                WriteEveryFileOnThreads(out.path(), output, 1);
            });
        }
        {
            QTemporaryDir out;
            ::sync();
            heartbeat.Start();
            before += MillisecondsOf([&] { ExportHandheld(out.path(), rows, {}, 1); });
            blockBefore = std::max(blockBefore, heartbeat.Stop());
        }
        {
            QTemporaryDir out;
            std::atomic<int> written = 0;
            ::sync();
            heartbeat.Start();
            const double ms = MillisecondsOf([&] {
                RunOffWindowThread([&] { ExportHandheld(out.path(), rows, [&](int row) { written = row; }); });
            });
            block = std::max(block, heartbeat.Stop());
            lastProgress = written;
            total += ms;
            state.SetIterationTime(ms / 1000.0);
        }
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["files_read"] = static_cast<double>(reads.size());
    state.counters["files_written"] = static_cast<double>(output.size());
    state.counters["last_progress"] = lastProgress;
    state.counters["threads"] = threads;
    state.counters["block_max_ms"] = block;
    state.counters["block_before_ms"] = blockBefore;
    state.counters["before_ms"] = before / n;
    state.counters["anchor_ms"] = anchor / n;
    state.counters["anchor_1t_ms"] = anchorOne / n;
    state.counters["ratio"] = total / anchor;
    state.counters["ratio_before"] = before / anchorOne;
}

const bool Registered = [] {
    for (const int64_t n : FigureSizes())
        benchmark::RegisterBenchmark("BM_FigureHandheldExport", &BM_FigureHandheldExport)
            ->Arg(n)
            ->ArgName("recipes")
            ->UseManualTime()
            ->Iterations(3)
            ->Unit(benchmark::kMillisecond);
    return true;
}();

}  // namespace
