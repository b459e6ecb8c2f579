#pragma once

#include <memory>
#include <unordered_map>

#include <QByteArray>
#include <QObject>
#include <QString>

#include "core/lan/lan_catalog.h"
#include "core/lan/lan_protocol.h"

class QTcpServer;
class QTcpSocket;
class QTimer;
class TRecipeBook;

// The recipe server: answers list and recipe requests from the recipe book's
// records and the saved recipe folders, read-only. Requests cut over several
// reads are put together but must arrive whole soon after their first byte;
// replies go out a piece at a time as the peer takes them, so peers that
// never read hold little memory. When every place is taken a newcomer is
// still let in: the quiet connection that owes no reply goes. A connection
// that owes a reply is never closed to make room.
class TLanServer final : public QObject {
    Q_OBJECT
public:
    explicit TLanServer(const TRecipeBook& book, QObject* parent = nullptr);
    ~TLanServer() override;

    quint16 Port = LanPort;          // where Start listens; 0 takes a free port
    int IdleTimeoutMs = 60 * 1000;   // a connection without traffic this long is closed, unless its reply waits for room
    int RequestDeadlineMs = 3000;    // a request must be whole this long after its first byte (the client waits 10 s)
    int EvictIdleMs = 1000;          // at the cap, a connection owing no reply and quiet this long makes room
    qsizetype MaxPendingBytes = 4096;  // unanswered request bytes a connection may hold
    int MaxConnections = 256;        // at this, a newcomer takes the place of a quiet connection, or waits in the listen queue
    int SettleMs = 50;               // a recipe name is taken once no byte came this long
    qint64 MaxUnsentBytes = 256LL << 20;  // unsent reply bytes of all peers; past it replies wait
    qint64 ChunkBytes = 256LL << 10;  // the most a connection hands its socket at once

    // Listens on every address. Throws TSaporiaError with the system's
    // message (port in use, no network); nothing changes then.
    void Start();
    // Stops listening and closes every connection.
    void Stop();
    bool IsListening() const;
    quint16 ListeningPort() const;
    int ConnectionCount() const { return static_cast<int>(Connections.size()); }
    // Reply bytes handed to the sockets but not yet taken by the system.
    qint64 UnsentBytes() const;
    // What UnsentBytes never passes: a piece starts only under the cap.
    qint64 UnsentBound() const { return MaxUnsentBytes + ChunkBytes; }
    // Connections whose reply waits for room under the cap.
    int WaitingCount() const;

signals:
    void ClientConnected(const QString& address);
    void ClientDisconnected(const QString& address);

private:
    struct TConnection;

    void Accept();
    void Read(QTcpSocket* socket);
    void Answer(QTcpSocket* socket, bool settled);
    void Send(QTcpSocket* socket);
    void Written(QTcpSocket* socket);
    bool HasRoom(const TConnection& connection) const;
    void ResumeWaiting();
    void Drop(QTcpSocket* socket);
    void Gone(QTcpSocket* socket);
    void CloseIdle();
    bool Owes(QTcpSocket* socket, const TConnection& connection) const;
    bool MakeRoom();
    int SweepMs() const;
    TConnection* Find(QTcpSocket* socket);

    const TRecipeBook& Book;
    quint64 WaitTickets = 0;
    bool Paused = false;  // every place owes a reply or was busy just now: newcomers wait
    QTcpServer* Listener = nullptr;
    QTimer* IdleCheck = nullptr;
    std::unordered_map<QTcpSocket*, std::unique_ptr<TConnection>> Connections;
    TLanCatalog Catalog;
};

// The peer's address in dotted form (an IPv4 address mapped into IPv6 too).
QString PeerAddressText(const QTcpSocket& socket);
