#pragma once

#include <vector>

#include <QByteArray>

// Peers of the recipe server on plain sockets, outside Qt's event loop, so
// they do exactly what they are told: a silent peer never reads a byte, and
// a crowd of clients can run on another thread or in another process.

// Connects to the loopback port with a small receive buffer and sends
// `request`; nothing is read from it unless Take is called. Closed with the
// object.
class TSilentPeer final {
public:
    TSilentPeer(quint16 port, const QByteArray& request, int receiveBuffer = 4096);
    ~TSilentPeer();
    TSilentPeer(const TSilentPeer&) = delete;
    TSilentPeer& operator=(const TSilentPeer&) = delete;
    bool Connected() const { return Fd >= 0; }
    // Bytes that came and wait unread: the server has begun its reply.
    qsizetype Unread() const;
    // Reads what came so far without waiting; Ended once the server closed.
    QByteArray Take();
    bool Ended() const { return IsEnded; }

private:
    int Fd = -1;
    bool IsEnded = false;
};

struct TLanExchange {
    QByteArray Request;
    QByteArray Expected;  // the reply, byte for byte
};

// Every client runs its exchanges in order, one connection each, all clients
// at once. Returns how many replies arrived byte for byte within `timeoutMs`.
int RunLanClients(quint16 port, const std::vector<std::vector<TLanExchange>>& clients, int timeoutMs);
