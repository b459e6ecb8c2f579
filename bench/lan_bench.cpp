// Load on the recipe server over loopback: many clients at once, each
// fetching the list and ten recipes, every reply checked byte for byte; and
// peers that ask for a 10 MB photo and never read, beside a client asking
// for the list.
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

#include <benchmark/benchmark.h>

#include "figure_timing.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QHash>
#include <QList>
#include <QTemporaryDir>
#include <QTimer>

#include "core/lan/lan_protocol.h"
#include "core/lan/lan_server.h"
#include "core/platform/sjis.h"
#include "core/recipes/recipe_book.h"
#include "support/lan_peers.h"
#include "support/recipe_fixture.h"

namespace {

constexpr double MiB = 1024.0 * 1024.0;

// A figure of /proc/self/status in MiB ("VmHWM", "VmRSS").
double StatusMiB(const char* key) {
    QFile file("/proc/self/status");
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : file.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(qstrlen(key) + 1).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}

// Runs `work` in a child process (plain sockets, no event loop) while the
// server answers here; samples this process's resident memory meanwhile.
// The child hands back its figures through a pipe.
struct TChildRun {
    QList<double> Figures;  // as the child gave them
    double PeakRssMiB = 0;
    qint64 PeakUnsent = 0;
};
TChildRun RunChild(const TLanServer& server, const std::function<std::vector<double>()>& work) {
    TChildRun run;
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        return run;
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        close(pipeFds[0]);
        const std::vector<double> figures = work();
        (void)!write(pipeFds[1], figures.data(), figures.size() * sizeof(double));
        _exit(0);
    }
    close(pipeFds[1]);
    QEventLoop loop;
    QTimer poller;
    QObject::connect(&poller, &QTimer::timeout, [&] {
        run.PeakRssMiB = std::max(run.PeakRssMiB, StatusMiB("VmRSS:"));
        run.PeakUnsent = std::max(run.PeakUnsent, server.UnsentBytes());
        if (waitpid(child, nullptr, WNOHANG) == child)
            loop.quit();
    });
    poller.start(5);
    loop.exec();
    double value = 0;
    while (read(pipeFds[0], &value, sizeof(value)) == sizeof(value))
        run.Figures.push_back(value);
    close(pipeFds[0]);
    return run;
}

void BM_LanServerLoad(benchmark::State& state) {
    EnsureBenchApplication();
    const int clients = static_cast<int>(state.range(0));
    const int recipes = static_cast<int>(state.range(1));
    const TRecipeCollection& c = SharedRecipeCollection(1000);
    TRecipeBook book(c.Dir.path() + QLatin1Char('/'));
    book.SearchCookFld();
    TLanServer server(book);
    server.Port = 0;
    server.Start();
    // What each reply must be, read from the saved files before the run.
    const QByteArray list = BuildListReply(book.CookItems);
    const qsizetype count = book.CookItems.size();
    QHash<qsizetype, QByteArray> items;
    std::vector<std::vector<TLanExchange>> scripts(clients);
    for (int i = 0; i < clients; ++i) {
        scripts[i].push_back({ListRequest, list});
        for (int step = 1; step <= recipes; ++step) {
            const qsizetype index = (i * recipes + step * 7) % count;
            if (!items.contains(index))
                items.insert(index, BuildItemReply(book.DataRoot(), &book.CookItems[index]));
            scripts[i].push_back({ItemRequest + ToSjis(book.CookItems[index].Name), items.value(index)});
        }
    }
    items.clear();
    const int total = clients * (recipes + 1);
    int worst = total;
    double peakRss = 0;
    for (auto _ : state) {
        const TChildRun run = RunChild(server, [&] {
            return std::vector<double>{static_cast<double>(RunLanClients(server.ListeningPort(), scripts, 120'000))};
        });
        worst = std::min(worst, static_cast<int>(run.Figures.value(0, 0)));
        peakRss = std::max(peakRss, run.PeakRssMiB);
    }
    server.Stop();
    state.counters["arrived_worst"] = worst;
    state.counters["replies"] = total;
    state.counters["peak_rss_MiB"] = peakRss;
    state.counters["replies_per_s"] = benchmark::Counter(total, benchmark::Counter::kIsIterationInvariantRate);
    if (worst < total)
        state.SkipWithError("replies missing or wrong");
}
BENCHMARK(BM_LanServerLoad)->Args({200, 10})->Args({400, 10})->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// Milliseconds until a whole list reply came over a fresh connection.
double ListMs(quint16 port, const QByteArray& list) {
    const auto start = std::chrono::steady_clock::now();
    const int arrived = RunLanClients(port, {{{ListRequest, list}}}, 30'000);
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    return arrived == 1 ? took.count() : 1e9;
}

// The anchor is the same list request with no silent peer about, in the
// same run.
void BM_LanSilentPeers(benchmark::State& state) {
    EnsureBenchApplication();
    const int peers = static_cast<int>(state.range(0));
    QTemporaryDir dir;
    const QString root = dir.path() + "/Cook";
    for (int i = 0; i < 50; ++i)
        MakeRecipe(root, {.Name = QStringLiteral("r%1").arg(i)});
    QByteArray photo(10'000'000, Qt::Uninitialized);
    for (qsizetype i = 0; i < photo.size(); ++i)
        photo[i] = static_cast<char>((i * 7919) >> 3);
    MakeRecipe(root, {.Name = "big"});
    WriteRaw(root + "/big/写真.jpg", photo);
    TRecipeBook book(dir.path() + QLatin1Char('/'));
    book.SearchCookFld();
    const QByteArray list = BuildListReply(book.CookItems);
    const QByteArray bigReply = BuildItemReply(book.DataRoot(), book.CookItems, "big");
    photo.clear();
    photo.squeeze();
    TLanServer server(book);
    server.Port = 0;
    server.Start();
    const double rssBefore = StatusMiB("VmRSS:");
    double anchorMs = 0, worstMs = 0, peakRss = 0, photoOk = 1;
    qint64 peakUnsent = 0;
    for (auto _ : state) {
        const TChildRun run = RunChild(server, [&] {
            const quint16 port = server.ListeningPort();
            double anchor = 1e9;
            for (int i = 0; i < 5; ++i)
                anchor = std::min(anchor, ListMs(port, list));
            std::vector<std::unique_ptr<TSilentPeer>> silent;
            for (int i = 0; i < peers; ++i)
                silent.push_back(std::make_unique<TSilentPeer>(port, ItemRequest + "big"));
            // Let the server fill every socket it can.
            std::this_thread::sleep_for(std::chrono::seconds(1));
            double worst = 0;
            for (int i = 0; i < 10; ++i)
                worst = std::max(worst, ListMs(port, list));
            // A client that reads gets the whole photo meanwhile.
            const double whole = RunLanClients(port, {{{ItemRequest + "big", bigReply}}}, 60'000);
            return std::vector<double>{anchor, worst, whole};
        });
        anchorMs = std::max(anchorMs, run.Figures.value(0, 1e9));
        worstMs = std::max(worstMs, run.Figures.value(1, 1e9));
        photoOk = std::min(photoOk, run.Figures.value(2, 0));
        peakRss = std::max(peakRss, run.PeakRssMiB);
        peakUnsent = std::max(peakUnsent, run.PeakUnsent);
    }
    server.Stop();
    state.counters["list_ms_anchor"] = anchorMs;
    state.counters["list_ms_worst"] = worstMs;
    state.counters["photo_whole"] = photoOk;
    state.counters["rss_before_MiB"] = rssBefore;
    state.counters["peak_rss_MiB"] = peakRss;
    state.counters["limit_MiB"] = static_cast<double>(server.MaxUnsentBytes) / MiB + 64;
    state.counters["unsent_peak_MiB"] = static_cast<double>(peakUnsent) / MiB;
    state.counters["hwm_MiB"] = StatusMiB("VmHWM:");
    if (worstMs > 1000 || photoOk < 1)
        state.SkipWithError("list late or photo broken");
}
BENCHMARK(BM_LanSilentPeers)->Arg(60)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace
