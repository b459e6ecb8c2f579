#pragma once

#include <chrono>
#include <functional>
#include <vector>

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QStringList>
#include <QTimer>

// Helpers of the figure benchmarks: each figure is timed beside an honest
// anchor in the same process, alternating, so a busy machine slows both.

// Collection sizes of the figures: 1,000 and 10,000 recipes, and 50,000 when
// SAPORIA_BENCH_50K=1 is set (the collection takes about 4 GB of disk).
std::vector<int64_t> FigureSizes();

// Paths as the system takes them, built once before timing.
std::vector<QByteArray> NativePaths(const QStringList& paths);

// The floor of reading files: open, read, close with plain system calls.
qint64 ReadEveryFile(const std::vector<QByteArray>& paths);
// The same on `threads` threads taking the next file in turn (0: as many as
// the program's reading uses, one per core).
qint64 ReadEveryFileOnThreads(const std::vector<QByteArray>& paths, int threads = 0);
// The number of threads the program reads with.
int ProgramReadThreads();

// The floor of thumbnails: each photo read with system calls and decoded by
// libjpeg itself at 1/8 scale, on one thread.
qint64 DecodeEveryPhotoAtOneEighth(const std::vector<QByteArray>& paths);

double MillisecondsOf(const std::function<void()>& work);

// Times `measured` and `anchor` alternately once per iteration (`prepare`
// runs untimed before each). The iteration time is the measured one; the
// counters give the anchor, the ratio and the target ratio (0: none). With
// `oneThreadAnchor`, its time and ratio are given beside (anchor_1t_ms,
// ratio_1t). Every run after the first finds the files in the page cache.
void TimeAgainstAnchor(benchmark::State& state, const std::function<void()>& anchor,
                       const std::function<void()>& measured, double targetRatio,
                       const std::function<void()>& prepare = {},
                       const std::function<void()>& oneThreadAnchor = {});

// The widget benchmarks need an application; without a display, the offscreen one.
void EnsureBenchApplication();

// The longest the event loop went without running a timer (a zero timer by
// default; with an interval, the gap less the interval: the timer's
// lateness); with SAPORIA_BENCH_TRACE set, every gap over 50 ms is printed.
class THeartbeat final {
public:
    explicit THeartbeat(int intervalMs = 0);
    void Start();
    double Stop();

private:
    QTimer Timer;
    std::chrono::steady_clock::time_point Last = std::chrono::steady_clock::now();
    double MaxGap = 0;
};
