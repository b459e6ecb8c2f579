#include "support/lan_peers.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

namespace {

sockaddr_in Loopback(quint16 port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

struct TClient {
    int Fd = -1;
    size_t Step = 0;
    qsizetype Sent = 0;
    QByteArray Got;
};

}  // namespace

TSilentPeer::TSilentPeer(quint16 port, const QByteArray& request, int receiveBuffer) {
    Fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    // Set before connecting: the window offered to the server follows it.
    setsockopt(Fd, SOL_SOCKET, SO_RCVBUF, &receiveBuffer, sizeof(receiveBuffer));
    const sockaddr_in address = Loopback(port);
    if (connect(Fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0 ||
        send(Fd, request.constData(), request.size(), MSG_NOSIGNAL) != request.size()) {
        close(Fd);
        Fd = -1;
    }
}

TSilentPeer::~TSilentPeer() {
    if (Fd >= 0)
        close(Fd);
}

qsizetype TSilentPeer::Unread() const {
    int unread = 0;
    return Fd >= 0 && ioctl(Fd, FIONREAD, &unread) == 0 ? unread : 0;
}

QByteArray TSilentPeer::Take() {
    QByteArray bytes;
    char buffer[1 << 16];
    while (Fd >= 0 && !IsEnded) {
        const ssize_t n = recv(Fd, buffer, sizeof(buffer), MSG_DONTWAIT);
        if (n > 0)
            bytes.append(buffer, n);
        else if (n == 0 || (errno != EAGAIN && errno != EINTR))
            IsEnded = true;
        else
            break;
    }
    return bytes;
}

int RunLanClients(quint16 port, const std::vector<std::vector<TLanExchange>>& scripts, int timeoutMs) {
    const sockaddr_in address = Loopback(port);
    std::vector<TClient> clients(scripts.size());
    auto open = [&](TClient& c) {
        c.Got.clear();
        c.Sent = 0;
        c.Fd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        (void)connect(c.Fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address));
    };
    int arrived = 0;
    size_t running = 0;
    for (size_t i = 0; i < clients.size(); ++i)
        if (!scripts[i].empty()) {
            open(clients[i]);
            ++running;
        }
    // A reply is whole when its size is reached; the server keeps the
    // connection open, so the client closes it and goes on.
    auto next = [&](size_t i, bool ok) {
        TClient& c = clients[i];
        close(c.Fd);
        c.Fd = -1;
        arrived += ok ? 1 : 0;
        if (++c.Step < scripts[i].size())
            open(c);
        else
            --running;
    };
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    std::vector<pollfd> fds(clients.size());
    std::vector<char> buffer(1 << 16);
    while (running > 0 && std::chrono::steady_clock::now() < deadline) {
        for (size_t i = 0; i < clients.size(); ++i) {
            const TClient& c = clients[i];
            const bool sending = c.Fd >= 0 && c.Sent < scripts[i][c.Step].Request.size();
            fds[i] = {c.Fd, static_cast<short>(POLLIN | (sending ? POLLOUT : 0)), 0};
        }
        if (poll(fds.data(), fds.size(), 100) <= 0)
            continue;
        for (size_t i = 0; i < clients.size(); ++i) {
            TClient& c = clients[i];
            if (c.Fd < 0 || fds[i].revents == 0)
                continue;
            const TLanExchange& exchange = scripts[i][c.Step];
            if ((fds[i].revents & POLLOUT) && c.Sent < exchange.Request.size()) {
                const ssize_t n = send(c.Fd, exchange.Request.constData() + c.Sent,
                                       static_cast<size_t>(exchange.Request.size() - c.Sent), MSG_NOSIGNAL);
                if (n > 0)
                    c.Sent += n;
            }
            if (fds[i].revents & (POLLIN | POLLHUP | POLLERR)) {
                const ssize_t n = recv(c.Fd, buffer.data(), buffer.size(), 0);
                if (n > 0)
                    c.Got.append(buffer.data(), n);
                if (c.Got.size() >= exchange.Expected.size())
                    next(i, c.Got == exchange.Expected);
                else if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR))
                    next(i, false);
            }
        }
    }
    for (TClient& c : clients)
        if (c.Fd >= 0)
            close(c.Fd);
    return arrived;
}
