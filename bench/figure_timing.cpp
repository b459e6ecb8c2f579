#include "figure_timing.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include <jpeglib.h>

#include <QApplication>
#include <QFile>
#include <QThread>

#include "core/platform/allocator_arenas.h"

std::vector<int64_t> FigureSizes() {
    if (qEnvironmentVariableIntValue("SAPORIA_BENCH_50K") == 1)
        return {1000, 10000, 50000};
    return {1000, 10000};
}

std::vector<QByteArray> NativePaths(const QStringList& paths) {
    std::vector<QByteArray> native;
    native.reserve(static_cast<size_t>(paths.size()));
    for (const QString& path : paths)
        native.push_back(QFile::encodeName(path));
    return native;
}

namespace {

bool ReadWhole(const QByteArray& path, std::vector<unsigned char>& bytes) {
    bytes.clear();
    const int fd = ::open(path.constData(), O_RDONLY);
    if (fd < 0)
        return false;
    unsigned char buffer[65536];
    for (ssize_t n; (n = ::read(fd, buffer, sizeof(buffer))) > 0;)
        bytes.insert(bytes.end(), buffer, buffer + n);
    ::close(fd);
    return true;
}

struct TJumpError {
    jpeg_error_mgr Manager;
    std::jmp_buf Jump;
};

void JumpOnError(j_common_ptr info) { std::longjmp(reinterpret_cast<TJumpError*>(info->err)->Jump, 1); }

qint64 DecodeEighth(const std::vector<unsigned char>& bytes, std::vector<unsigned char>& pixels) {
    jpeg_decompress_struct info{};
    TJumpError error{};
    info.err = jpeg_std_error(&error.Manager);
    error.Manager.error_exit = JumpOnError;
    if (setjmp(error.Jump)) {
        jpeg_destroy_decompress(&info);
        return 0;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    info.scale_num = 1;
    info.scale_denom = 8;
    info.out_color_space = JCS_EXT_BGRX;
    jpeg_start_decompress(&info);
    const size_t stride = size_t(info.output_width) * 4;
    pixels.resize(stride * info.output_height);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = pixels.data() + stride * info.output_scanline;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return static_cast<qint64>(pixels.size());
}

}  // namespace

qint64 ReadEveryFile(const std::vector<QByteArray>& paths) {
    qint64 total = 0;
    char buffer[65536];
    for (const QByteArray& path : paths) {
        const int fd = ::open(path.constData(), O_RDONLY);
        for (ssize_t n; fd >= 0 && (n = ::read(fd, buffer, sizeof(buffer))) > 0;)
            total += n;
        if (fd >= 0)
            ::close(fd);
    }
    return total;
}

int ProgramReadThreads() { return QThread::idealThreadCount(); }

qint64 ReadEveryFileOnThreads(const std::vector<QByteArray>& paths, int threads) {
    if (threads <= 0)
        threads = ProgramReadThreads();
    std::atomic<size_t> next = 0;
    std::atomic<qint64> total = 0;
    std::vector<std::thread> readers;
    for (int t = 0; t < threads; ++t)
        readers.emplace_back([&] {
            char buffer[65536];
            qint64 mine = 0;
            for (size_t i; (i = next.fetch_add(1)) < paths.size();) {
                const int fd = ::open(paths[i].constData(), O_RDONLY);
                for (ssize_t n; fd >= 0 && (n = ::read(fd, buffer, sizeof(buffer))) > 0;)
                    mine += n;
                if (fd >= 0)
                    ::close(fd);
            }
            total += mine;
        });
    for (std::thread& reader : readers)
        reader.join();
    return total;
}

qint64 DecodeEveryPhotoAtOneEighth(const std::vector<QByteArray>& paths) {
    qint64 total = 0;
    std::vector<unsigned char> bytes;
    std::vector<unsigned char> pixels;
    for (const QByteArray& path : paths)
        if (ReadWhole(path, bytes))
            total += DecodeEighth(bytes, pixels);
    return total;
}

double MillisecondsOf(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

void TimeAgainstAnchor(benchmark::State& state, const std::function<void()>& anchor,
                       const std::function<void()>& measured, double targetRatio,
                       const std::function<void()>& prepare, const std::function<void()>& oneThreadAnchor) {
    double oneThreadTotal = 0;
    double anchorTotal = 0;
    double measuredTotal = 0;
    double first = -1;
    bool anchorFirst = true;
    for (auto _ : state) {
        double ms = 0;
        auto runMeasured = [&] {
            if (prepare)
                prepare();
            ms = MillisecondsOf(measured);
        };
        // The order alternates, so neither side always finds the caches warm.
        if (anchorFirst) {
            anchorTotal += MillisecondsOf(anchor);
            runMeasured();
        } else {
            runMeasured();
            anchorTotal += MillisecondsOf(anchor);
        }
        anchorFirst = !anchorFirst;
        if (oneThreadAnchor)
            oneThreadTotal += MillisecondsOf(oneThreadAnchor);
        if (first < 0)
            first = ms;
        measuredTotal += ms;
        state.SetIterationTime(ms / 1000.0);
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["anchor_ms"] = anchorTotal / n;
    state.counters["ratio"] = measuredTotal / anchorTotal;
    state.counters["first_ms"] = first;
    if (targetRatio > 0)
        state.counters["target"] = targetRatio;
    if (oneThreadAnchor) {
        state.counters["anchor_1t_ms"] = oneThreadTotal / n;
        state.counters["ratio_1t"] = measuredTotal / oneThreadTotal;
    }
}

void EnsureBenchApplication() {
    if (qApp)
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    LimitAllocatorArenas();  // as the program does
    static int argc = 1;
    static char name[] = "saporia_bench";
    static char* argv[] = {name, nullptr};
    // Never destroyed: windows and devices made during the run outlive any
    // static destruction order we could choose.
    new QApplication(argc, argv);
}

THeartbeat::THeartbeat(int intervalMs) {
    Timer.setInterval(intervalMs);
    Timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&Timer, &QTimer::timeout, [this, intervalMs] {
        const std::chrono::steady_clock::time_point now = std::chrono::steady_clock::now();
        const double gap = std::chrono::duration<double, std::milli>(now - Last).count() - intervalMs;
        if (gap > 50 && qEnvironmentVariableIsSet("SAPORIA_BENCH_TRACE"))
            fprintf(stderr, "  gap %.1f ms\n", gap);
        MaxGap = std::max(MaxGap, gap);
        Last = now;
    });
}

void THeartbeat::Start() {
    MaxGap = 0;
    Last = std::chrono::steady_clock::now();
    Timer.start();
    QCoreApplication::processEvents();
}

double THeartbeat::Stop() {
    QCoreApplication::processEvents();
    Timer.stop();
    return MaxGap;
}
