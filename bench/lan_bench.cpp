// Load on the recipe server: many clients at once, each fetching the list
// and ten recipes over loopback, every reply checked byte for byte.
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <vector>

#include <benchmark/benchmark.h>

#include "figure_timing.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QTimer>

#include "core/lan/lan_protocol.h"
#include "core/lan/lan_server.h"
#include "core/platform/sjis.h"
#include "core/recipes/recipe_book.h"
#include "support/recipe_fixture.h"

namespace {

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

struct TPeer {
    int Fd = -1;
    int Step = 0;  // 0: the list, 1-10: recipes
    QByteArray Request;
    QByteArray Expected;
    QByteArray Got;
    qsizetype Sent = 0;
};

// Runs in a child process, without Qt's event loop: plain sockets and poll.
// Returns the number of replies that were missing or wrong.
int RunClients(quint16 port, const TRecipeBook& book, int clients, int recipesEach) {
    const QByteArray list = BuildListReply(book.CookItems);
    const int count = static_cast<int>(book.CookItems.size());
    // What each recipe's reply must be, read once from the saved files.
    QHash<int, QByteArray> expected;
    auto expectedItem = [&](int index) {
        if (!expected.contains(index))
            expected.insert(index, BuildItemReply(book.DataRoot(), &book.CookItems[index]));
        return expected.value(index);
    };
    std::vector<TPeer> peers(clients);
    int failures = 0;
    int done = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);

    auto begin = [&](int i) {
        TPeer& p = peers[i];
        if (p.Step == 0) {
            p.Request = ListRequest;
            p.Expected = list;
        } else {
            const int index = (i * recipesEach + p.Step * 7) % count;
            p.Request = ItemRequest + ToSjis(book.CookItems[index].Name);
            p.Expected = expectedItem(index);
        }
        p.Got.clear();
        p.Sent = 0;
        p.Fd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
        connect(p.Fd, reinterpret_cast<sockaddr*>(&address), sizeof(address));
    };
    auto finish = [&](int i, bool ok) {
        TPeer& p = peers[i];
        close(p.Fd);
        p.Fd = -1;
        if (!ok)
            ++failures;
        if (++p.Step > recipesEach)
            ++done;
        else
            begin(i);
    };
    for (int i = 0; i < clients; ++i)
        begin(i);

    std::vector<pollfd> fds(clients);
    char buffer[65536];
    while (done < clients && std::chrono::steady_clock::now() < deadline) {
        for (int i = 0; i < clients; ++i)
            fds[i] = {peers[i].Fd, static_cast<short>(POLLIN | (peers[i].Sent < peers[i].Request.size() ? POLLOUT : 0)), 0};
        if (poll(fds.data(), fds.size(), 1000) <= 0)
            continue;
        for (int i = 0; i < clients; ++i) {
            TPeer& p = peers[i];
            if (p.Fd < 0 || fds[i].revents == 0)
                continue;
            if ((fds[i].revents & POLLOUT) && p.Sent < p.Request.size()) {
                const ssize_t n = send(p.Fd, p.Request.constData() + p.Sent, p.Request.size() - p.Sent, MSG_NOSIGNAL);
                if (n > 0)
                    p.Sent += n;
            }
            if (fds[i].revents & (POLLIN | POLLHUP | POLLERR)) {
                const ssize_t n = recv(p.Fd, buffer, sizeof(buffer), 0);
                if (n > 0)
                    p.Got.append(buffer, n);
                if (p.Got.size() >= p.Expected.size())
                    finish(i, p.Got == p.Expected);
                else if (n == 0 || (n < 0 && errno != EAGAIN))
                    finish(i, false);
            }
        }
    }
    for (const TPeer& p : peers)
        failures += p.Step <= recipesEach ? recipesEach + 1 - p.Step : 0;
    return failures;
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
    const double rssBefore = StatusMiB("VmRSS:");
    int failures = 0;
    for (auto _ : state) {
        std::fflush(nullptr);
        const pid_t child = fork();
        if (child == 0)
            _exit(std::min(RunClients(server.ListeningPort(), book, clients, recipes), 255));
        int status = 0;
        QEventLoop loop;
        QTimer poller;
        QObject::connect(&poller, &QTimer::timeout, [&] {
            if (waitpid(child, &status, WNOHANG) == child)
                loop.quit();
        });
        poller.start(5);
        loop.exec();
        failures += WIFEXITED(status) ? WEXITSTATUS(status) : 1000;
    }
    server.Stop();
    state.counters["failures"] = failures;
    state.counters["rss_before_MiB"] = rssBefore;
    state.counters["peak_MiB"] = StatusMiB("VmHWM:");
    state.counters["replies"] = benchmark::Counter(static_cast<double>(clients) * (recipes + 1),
                                                   benchmark::Counter::kIsIterationInvariantRate);
    if (failures > 0)
        state.SkipWithError("replies missing or wrong");
}
BENCHMARK(BM_LanServerLoad)->Args({200, 10})->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace
