// Load on the recipe server over loopback: many clients at once, each
// fetching the list and ten recipes, every reply checked byte for byte; and
// peers that ask for a 10 MB photo and never read, beside a client asking
// for the list; and a full house of silent or trickling peers, beside a
// client asking for the list.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
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

// The best of five list requests with no other peer about: the anchor.
double QuietListMs(quint16 port, const QByteArray& list) {
    double best = 1e9;
    for (int i = 0; i < 5; ++i)
        best = std::min(best, ListMs(port, list));
    return best;
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
            const double anchor = QuietListMs(port, list);
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

// Peers that hold connections without asking anything whole: silent ones
// never send, trickling ones send one byte of "GET_COOK_LIST:" every 5 s.
// A peer the server closes connects again at once, so the crowd stays.
class TPeerCrowd {
public:
    TPeerCrowd(quint16 port, int count, bool trickle) : Trickle(trickle), Peers(count) {
        Address.sin_family = AF_INET;
        Address.sin_port = htons(port);
        Address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        const auto now = Clock::now();
        for (int i = 0; i < count; ++i) {
            // Spread over the 5 s so bytes come steadily.
            Peers[i].Next = now + std::chrono::milliseconds(5000LL * i / count);
            Open(Peers[i]);
        }
    }
    ~TPeerCrowd() {
        for (const TPeer& p : Peers)
            if (p.Fd >= 0)
                close(p.Fd);
    }
    TPeerCrowd(const TPeerCrowd&) = delete;
    TPeerCrowd& operator=(const TPeerCrowd&) = delete;

    // Reads and drops what came, sends the bytes that are due, connects
    // again where the server closed; returns at once.
    void Step() {
        const auto now = Clock::now();
        char sink[4096];
        for (TPeer& p : Peers) {
            pollfd fd{p.Fd, POLLIN, 0};
            if (poll(&fd, 1, 0) > 0 && (fd.revents & (POLLIN | POLLHUP | POLLERR))) {
                const ssize_t n = recv(p.Fd, sink, sizeof(sink), MSG_DONTWAIT);
                if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR)) {
                    Reopen(p);
                    continue;
                }
            }
            if (Trickle && now >= p.Next) {
                p.Next = now + std::chrono::seconds(5);
                const char byte = ListRequest[p.Sent % ListRequest.size()];
                if (send(p.Fd, &byte, 1, MSG_NOSIGNAL | MSG_DONTWAIT) == 1)
                    ++p.Sent;
                else if (errno != EAGAIN && errno != EINTR)
                    Reopen(p);
            }
        }
    }
    int Reconnects = 0;

private:
    using Clock = std::chrono::steady_clock;
    struct TPeer {
        int Fd = -1;
        int Sent = 0;
        Clock::time_point Next;
    };
    void Open(TPeer& p) {
        p.Fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        (void)connect(p.Fd, reinterpret_cast<const sockaddr*>(&Address), sizeof(Address));
        p.Sent = 0;
    }
    void Reopen(TPeer& p) {
        close(p.Fd);
        Open(p);
        ++Reconnects;
    }
    bool Trickle;
    sockaddr_in Address{};
    std::vector<TPeer> Peers;
};

// Milliseconds until a client got the whole list while the crowd holds on,
// trying again whenever the server closes it or 10 s pass (the program's
// client gives up then); `limitMs` when it never did.
struct TCrowdedWait {
    double Ms = 0;
    double Tries = 0;
};
TCrowdedWait CrowdedListMs(quint16 port, const QByteArray& list, TPeerCrowd& crowd, int limitMs) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    const auto limit = start + std::chrono::milliseconds(limitMs);
    TCrowdedWait wait;
    while (Clock::now() < limit) {
        ++wait.Tries;
        const int fd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        (void)connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address));
        const auto giveUp = std::min(limit, Clock::now() + std::chrono::seconds(10));
        qsizetype sent = 0;
        QByteArray got;
        bool ended = false;
        char buffer[1 << 16];
        while (!ended && Clock::now() < giveUp) {
            crowd.Step();
            pollfd p{fd, static_cast<short>(POLLIN | (sent < ListRequest.size() ? POLLOUT : 0)), 0};
            if (poll(&p, 1, 20) <= 0)
                continue;
            if ((p.revents & POLLOUT) && sent < ListRequest.size()) {
                const ssize_t n = send(fd, ListRequest.constData() + sent, ListRequest.size() - sent, MSG_NOSIGNAL);
                if (n > 0)
                    sent += n;
            }
            if (p.revents & (POLLIN | POLLHUP | POLLERR)) {
                const ssize_t n = recv(fd, buffer, sizeof(buffer), 0);
                if (n > 0)
                    got.append(buffer, n);
                ended = got.size() >= list.size() || n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR);
            }
        }
        close(fd);
        if (got == list) {
            wait.Ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            return wait;
        }
    }
    wait.Ms = limitMs;
    return wait;
}

// A full house of peers that ask nothing whole (0: silent, 1: trickling),
// 256 (the server's places) or more, and a client asking for the list. The
// anchor is the same list request with no crowd about, in the same run.
void BM_LanCrowdedPeers(benchmark::State& state) {
    EnsureBenchApplication();
    const bool trickle = state.range(0) == 1;
    const int peers = static_cast<int>(state.range(1));
    constexpr int LimitMs = 120'000;
    QTemporaryDir dir;
    const QString root = dir.path() + "/Cook";
    for (int i = 0; i < 50; ++i)
        MakeRecipe(root, {.Name = QStringLiteral("r%1").arg(i)});
    TRecipeBook book(dir.path() + QLatin1Char('/'));
    book.SearchCookFld();
    const QByteArray list = BuildListReply(book.CookItems);
    TLanServer server(book);
    server.Port = 0;
    server.Start();
    double anchorMs = 0, waitMs = 0, tries = 0, reconnects = 0;
    for (auto _ : state) {
        const TChildRun run = RunChild(server, [&] {
            const quint16 port = server.ListeningPort();
            const double anchor = QuietListMs(port, list);
            TPeerCrowd crowd(port, peers, trickle);
            // Let the crowd take every place and the trickle get going.
            const auto settled = std::chrono::steady_clock::now() + std::chrono::seconds(6);
            while (std::chrono::steady_clock::now() < settled) {
                crowd.Step();
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
            const TCrowdedWait wait = CrowdedListMs(port, list, crowd, LimitMs);
            return std::vector<double>{anchor, wait.Ms, wait.Tries, static_cast<double>(crowd.Reconnects)};
        });
        anchorMs = std::max(anchorMs, run.Figures.value(0, 1e9));
        waitMs = std::max(waitMs, run.Figures.value(1, LimitMs));
        tries = std::max(tries, run.Figures.value(2, 0));
        reconnects = std::max(reconnects, run.Figures.value(3, 0));
    }
    server.Stop();
    state.counters["list_ms_anchor"] = anchorMs;
    state.counters["client_wait_ms"] = waitMs;
    state.counters["client_tries"] = tries;
    state.counters["peer_reconnects"] = reconnects;
    if (waitMs >= LimitMs)
        state.SkipWithError("the client was never served");
}
BENCHMARK(BM_LanCrowdedPeers)
    ->ArgNames({"trickle", "peers"})
    ->Args({0, 256})
    ->Args({0, 300})
    ->Args({1, 256})
    ->Args({1, 300})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);

}  // namespace
