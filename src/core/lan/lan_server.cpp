#include "core/lan/lan_server.h"

#include <algorithm>
#include <vector>

#include <QElapsedTimer>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include "core/platform/saporia_error.h"
#include "core/recipes/recipe_book.h"

struct TLanServer::TConnection {
    QByteArray Pending;
    QElapsedTimer Idle;
    QTimer* Settle = nullptr;
    QString Address;
    quint64 Waiting = 0;  // its turn in the queue for room under MaxUnsentBytes; 0: not waiting
};

QString PeerAddressText(const QTcpSocket& socket) {
    const QHostAddress address = socket.peerAddress();
    bool isV4 = false;
    const quint32 v4 = address.toIPv4Address(&isV4);
    return isV4 ? QHostAddress(v4).toString() : address.toString();
}

TLanServer::TLanServer(const TRecipeBook& book, QObject* parent)
    : QObject(parent), Book(book), Listener(new QTcpServer(this)), IdleCheck(new QTimer(this)) {
    connect(Listener, &QTcpServer::newConnection, this, &TLanServer::Accept);
    connect(IdleCheck, &QTimer::timeout, this, &TLanServer::CloseIdle);
}

TLanServer::~TLanServer() {
    // The sockets are children: they go with this object, silently.
    for (auto& [socket, connection] : Connections)
        socket->disconnect(this);
}

void TLanServer::Start() {
    if (Listener->isListening())
        return;
    if (!Listener->listen(QHostAddress::Any, Port))
        throw TSaporiaError(Listener->errorString());
    IdleCheck->start(std::clamp(IdleTimeoutMs / 4, 10, 1000));
}

void TLanServer::Stop() {
    Listener->close();
    IdleCheck->stop();
    std::vector<QTcpSocket*> sockets;
    for (const auto& entry : Connections)
        sockets.push_back(entry.first);
    for (QTcpSocket* socket : sockets)
        Drop(socket);
}

bool TLanServer::IsListening() const { return Listener->isListening(); }

quint16 TLanServer::ListeningPort() const { return Listener->serverPort(); }

TLanServer::TConnection* TLanServer::Find(QTcpSocket* socket) {
    const auto it = Connections.find(socket);
    return it == Connections.end() ? nullptr : it->second.get();
}

void TLanServer::Accept() {
    while (QTcpSocket* socket = Listener->nextPendingConnection()) {
        // A crowd of silent peers must not lock out a real client: the one
        // that has been quiet longest makes room.
        while (!Connections.empty() && ConnectionCount() >= MaxConnections) {
            const auto oldest = std::max_element(Connections.begin(), Connections.end(), [](const auto& a, const auto& b) {
                return a.second->Idle.elapsed() < b.second->Idle.elapsed();
            });
            Drop(oldest->first);
        }
        auto connection = std::make_unique<TConnection>();
        connection->Idle.start();
        connection->Address = PeerAddressText(*socket);
        connection->Settle = new QTimer(socket);
        connection->Settle->setSingleShot(true);
        connect(connection->Settle, &QTimer::timeout, this, [this, socket] { Answer(socket, true); });
        socket->setReadBufferSize(MaxPendingBytes + 1);
        const QString address = connection->Address;
        Connections.emplace(socket, std::move(connection));
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { Read(socket); });
        connect(socket, &QTcpSocket::bytesWritten, this, [this, socket] {
            if (TConnection* c = Find(socket)) {
                c->Idle.restart();
                // A request held back while the last reply went out.
                if (socket->bytesToWrite() == 0 && !c->Pending.isEmpty())
                    Answer(socket, !c->Settle->isActive());
                ResumeWaiting();
            }
        });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] { Gone(socket); });
        emit ClientConnected(address);
        if (socket->state() != QAbstractSocket::ConnectedState)
            Gone(socket);
        else if (socket->bytesAvailable() > 0)
            Read(socket);
    }
}

void TLanServer::Read(QTcpSocket* socket) {
    TConnection* c = Find(socket);
    if (!c)
        return;
    c->Idle.restart();
    c->Pending += socket->readAll();
    if (c->Pending.size() > MaxPendingBytes) {
        Drop(socket);
        return;
    }
    Answer(socket, false);
}

void TLanServer::Answer(QTcpSocket* socket, bool settled) {
    TConnection* c = Find(socket);
    if (!c || c->Pending.isEmpty())
        return;
    // One reply in flight per connection: a peer that never reads cannot
    // pile replies up in memory.
    if (socket->bytesToWrite() > 0)
        return;
    const TLanRequest request = ParseLanRequest(c->Pending);
    switch (request.Kind) {
    case TLanRequestKind::Incomplete:
        return;
    case TLanRequestKind::Unknown:
        c->Pending.clear();
        return;
    case TLanRequestKind::List:
        if (!HasRoom())
            return Wait(socket);
        c->Pending.clear();
        Catalog.Update(Book.CookItems);
        socket->write(Catalog.ListReply());
        return;
    case TLanRequestKind::Item: {
        // A name has no terminator: it is whole once the bytes stop coming.
        if (!settled) {
            c->Settle->start(SettleMs);
            return;
        }
        if (!HasRoom())
            return Wait(socket);
        c->Pending.clear();
        Catalog.Update(Book.CookItems);
        const qsizetype index = Catalog.Find(request.Name);
        socket->write(BuildItemReply(Book.DataRoot(), index < 0 ? nullptr : &Book.CookItems[index]));
        return;
    }
    }
}

qint64 TLanServer::UnsentBytes() const {
    qint64 total = 0;
    for (const auto& entry : Connections)
        total += entry.first->bytesToWrite();
    return total;
}

// Peers that ask for large photos and never read would otherwise hold every
// reply in memory: a reply starts only while the unsent total is under the
// cap, so at most one reply runs past it; the others wait their turn.
bool TLanServer::HasRoom() const { return UnsentBytes() < MaxUnsentBytes; }

void TLanServer::Wait(QTcpSocket* socket) {
    TConnection* c = Find(socket);
    if (c && !c->Waiting)
        c->Waiting = ++WaitTickets;
}

void TLanServer::ResumeWaiting() {
    std::vector<std::pair<quint64, QTcpSocket*>> waiting;
    for (const auto& [socket, connection] : Connections)
        if (connection->Waiting)
            waiting.emplace_back(connection->Waiting, socket);
    // First come, first served; stop as soon as the room is used up.
    std::sort(waiting.begin(), waiting.end());
    for (const auto& entry : waiting) {
        if (!HasRoom())
            return;
        if (TConnection* c = Find(entry.second)) {
            c->Waiting = 0;
            Answer(entry.second, true);
        }
    }
}

void TLanServer::Drop(QTcpSocket* socket) {
    if (!Find(socket))
        return;
    socket->abort();
    // abort() reports the disconnect only for a connected socket.
    Gone(socket);
}

void TLanServer::Gone(QTcpSocket* socket) {
    const auto it = Connections.find(socket);
    if (it == Connections.end())
        return;
    const QString address = it->second->Address;
    Connections.erase(it);
    socket->disconnect(this);
    socket->deleteLater();
    emit ClientDisconnected(address);
    // Its unsent reply no longer counts.
    QTimer::singleShot(0, this, &TLanServer::ResumeWaiting);
}

void TLanServer::CloseIdle() {
    std::vector<QTcpSocket*> idle;
    // A peer waiting for room is not idle by its own doing.
    for (const auto& [socket, connection] : Connections)
        if (!connection->Waiting && connection->Idle.elapsed() >= IdleTimeoutMs)
            idle.push_back(socket);
    for (QTcpSocket* socket : idle)
        Drop(socket);
}
