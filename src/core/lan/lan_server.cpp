#include "core/lan/lan_server.h"

#include <sys/ioctl.h>

#include <algorithm>
#include <vector>

#include <QElapsedTimer>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include "core/lan/lan_reply_stream.h"
#include "core/platform/saporia_error.h"
#include "core/recipes/recipe_book.h"

struct TLanServer::TConnection {
    QByteArray Pending;
    QElapsedTimer Idle;
    QElapsedTimer Asked;  // since the first byte of the request still being gathered
    QTimer* Settle = nullptr;
    QString Address;
    std::unique_ptr<TLanReplyStream> Reply;  // the reply going out, piece by piece
    bool Large = false;   // a recipe reply of more than one piece
    bool Sending = false; // Send is handing pieces on
    quint64 Waiting = 0;  // its turn in the queue for room under MaxUnsentBytes; 0: not waiting
};

namespace {

// The one peer Qt takes out of the listen queue while no place can be freed
// waits unanswered: its unread bytes are bounded from the start.
class TListener final : public QTcpServer {
public:
    using QTcpServer::QTcpServer;
    qint64 ReadLimit = 0;

protected:
    void incomingConnection(qintptr descriptor) override {
        auto* socket = new QTcpSocket(this);
        socket->setReadBufferSize(ReadLimit);
        socket->setSocketDescriptor(descriptor);
        addPendingConnection(socket);
    }
};

// Bytes the peer sent that are not read yet: it may have asked already.
bool HasUnread(QTcpSocket& socket) {
    int queued = 0;
    return socket.bytesAvailable() > 0 ||
           (ioctl(static_cast<int>(socket.socketDescriptor()), FIONREAD, &queued) == 0 && queued > 0);
}

}  // namespace

QString PeerAddressText(const QTcpSocket& socket) {
    const QHostAddress address = socket.peerAddress();
    bool isV4 = false;
    const quint32 v4 = address.toIPv4Address(&isV4);
    return isV4 ? QHostAddress(v4).toString() : address.toString();
}

TLanServer::TLanServer(const TRecipeBook& book, QObject* parent)
    : QObject(parent), Book(book), Listener(new TListener(this)), IdleCheck(new QTimer(this)) {
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
    // While no place can be freed new peers wait in the system's listen
    // queue, and only one more is taken out of it by Qt.
    Listener->setListenBacklogSize(std::max(1024, MaxConnections));
    Listener->setMaxPendingConnections(1);
    static_cast<TListener*>(Listener)->ReadLimit = MaxPendingBytes + 1;
    if (!Listener->listen(QHostAddress::Any, Port))
        throw TSaporiaError(Listener->errorString());
    Paused = false;
    IdleCheck->start(SweepMs());
}

// Often enough that each limit is kept to within a quarter of itself.
int TLanServer::SweepMs() const {
    return std::clamp(std::min({IdleTimeoutMs, RequestDeadlineMs, EvictIdleMs}) / 4, 10, 1000);
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
    while (Listener->hasPendingConnections()) {
        if (ConnectionCount() >= MaxConnections && !MakeRoom()) {
            // The listen queue holds new peers until a place can be freed;
            // the sweep tries again.
            Listener->pauseAccepting();
            Paused = true;
            return;
        }
        QTcpSocket* socket = Listener->nextPendingConnection();
        auto connection = std::make_unique<TConnection>();
        connection->Idle.start();
        connection->Address = PeerAddressText(*socket);
        connection->Settle = new QTimer(socket);
        connection->Settle->setSingleShot(true);
        connect(connection->Settle, &QTimer::timeout, this, [this, socket] { Answer(socket, true); });
        const QString address = connection->Address;
        Connections.emplace(socket, std::move(connection));
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { Read(socket); });
        connect(socket, &QTcpSocket::bytesWritten, this, [this, socket] { Written(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] { Gone(socket); });
        emit ClientConnected(address);
        if (socket->state() != QAbstractSocket::ConnectedState)
            Gone(socket);
        else if (socket->bytesAvailable() > 0)
            Read(socket);
    }
    if (Paused) {
        Listener->resumeAccepting();
        Paused = false;
    }
}

// A connection owes a reply from the moment its command is whole (a recipe
// name is still settling) until the reply is all handed to the system, which
// delivers it even if the connection is closed then.
bool TLanServer::Owes(QTcpSocket* socket, const TConnection& connection) const {
    return connection.Reply || socket->bytesToWrite() > 0 || connection.Pending.startsWith(ListRequest) ||
           connection.Pending.startsWith(ItemRequest);
}

// Closes the connection that owes no reply and has been quiet longest, if
// it has been quiet a while: one just accepted may not have asked yet.
bool TLanServer::MakeRoom() {
    QTcpSocket* quietest = nullptr;
    qint64 longest = -1;
    for (const auto& [socket, connection] : Connections) {
        // Nanoseconds: peers that came in the same millisecond still have an order.
        const qint64 quiet = connection->Idle.nsecsElapsed();
        if (quiet >= EvictIdleMs * 1'000'000LL && quiet > longest && !Owes(socket, *connection) &&
            !HasUnread(*socket)) {
            quietest = socket;
            longest = quiet;
        }
    }
    if (!quietest)
        return false;
    Drop(quietest);
    return true;
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
    // One reply at a time per connection: a peer that never reads cannot
    // pile replies up.
    if (c->Reply || socket->bytesToWrite() > 0)
        return;
    // Bytes that came during a reply were waiting on us, not on the peer.
    if (!c->Asked.isValid())
        c->Asked.start();
    const TLanRequest request = ParseLanRequest(c->Pending);
    switch (request.Kind) {
    case TLanRequestKind::Incomplete:
        return;
    case TLanRequestKind::Unknown:
        c->Pending.clear();
        c->Asked.invalidate();
        return;
    case TLanRequestKind::List:
        c->Pending.clear();
        c->Asked.invalidate();
        Catalog.Update(Book.CookItems);
        c->Reply = std::make_unique<TLanReplyStream>(Catalog.ListReply());
        c->Large = false;
        break;
    case TLanRequestKind::Item: {
        // A name has no terminator: it is whole once the bytes stop coming.
        if (!settled) {
            c->Settle->start(SettleMs);
            return;
        }
        c->Pending.clear();
        c->Asked.invalidate();
        Catalog.Update(Book.CookItems);
        const qsizetype index = Catalog.Find(request.Name);
        c->Reply = std::make_unique<TLanReplyStream>(Book.DataRoot(), index < 0 ? nullptr : &Book.CookItems[index]);
        c->Large = c->Reply->SizeBound() > ChunkBytes;
        break;
    }
    }
    // A new reply goes behind those of its kind already waiting for room.
    const bool queued = std::any_of(Connections.begin(), Connections.end(), [c](const auto& entry) {
        return entry.second->Waiting && entry.second->Large == c->Large;
    });
    if (queued)
        c->Waiting = ++WaitTickets;
    else
        Send(socket);
}

// Hands the reply on a piece at a time, straight to the system while it
// takes each piece whole, so the socket never holds more than one.
void TLanServer::Send(QTcpSocket* socket) {
    TConnection* c = Find(socket);
    if (!c || c->Sending || c->Waiting)
        return;
    c->Sending = true;
    while (c->Reply && socket->bytesToWrite() == 0 && socket->state() == QAbstractSocket::ConnectedState) {
        if (c->Reply->AtEnd()) {
            c->Reply.reset();
            break;
        }
        if (!HasRoom(*c)) {
            c->Waiting = ++WaitTickets;
            break;
        }
        QByteArray piece;
        try {
            piece = c->Reply->Take(ChunkBytes);
        } catch (const TSaporiaError&) {
            // A file went unreadable half way: the reply cannot be finished.
            Drop(socket);
            return;
        } catch (const std::bad_alloc&) {
            Drop(socket);
            return;
        }
        socket->write(piece);
        socket->flush();
        // A failed write may have ended the connection.
        c = Find(socket);
        if (!c)
            return;
    }
    c->Sending = false;
    // A request that came while the reply went out.
    if (!c->Reply && !c->Pending.isEmpty() && socket->bytesToWrite() == 0)
        Answer(socket, !c->Settle->isActive());
}

void TLanServer::Written(QTcpSocket* socket) {
    TConnection* c = Find(socket);
    if (!c)
        return;
    c->Idle.restart();
    if (c->Sending)
        return;  // taken while Send hands on pieces
    // Room the system just took goes to those waiting first.
    ResumeWaiting();
    c = Find(socket);
    if (c && socket->bytesToWrite() == 0) {
        if (c->Reply)
            Send(socket);
        else if (!c->Pending.isEmpty())
            Answer(socket, !c->Settle->isActive());
    }
}

qint64 TLanServer::UnsentBytes() const {
    qint64 total = 0;
    for (const auto& entry : Connections)
        total += entry.first->bytesToWrite();
    return total;
}

int TLanServer::WaitingCount() const {
    return static_cast<int>(std::count_if(Connections.begin(), Connections.end(),
                                          [](const auto& entry) { return entry.second->Waiting != 0; }));
}

// Large replies leave room to small ones (lists, recipes without a large
// photo), at least a quarter of the cap and two pieces, so those never wait
// behind peers that take nothing.
bool TLanServer::HasRoom(const TConnection& connection) const {
    const qint64 reserve = connection.Large ? std::max(MaxUnsentBytes / 4, 2 * ChunkBytes) : 0;
    return UnsentBytes() < MaxUnsentBytes - reserve;
}

void TLanServer::ResumeWaiting() {
    std::vector<std::tuple<bool, quint64, QTcpSocket*>> waiting;
    for (const auto& [socket, connection] : Connections)
        if (connection->Waiting)
            waiting.emplace_back(connection->Large, connection->Waiting, socket);
    std::sort(waiting.begin(), waiting.end());
    for (const auto& [large, ticket, socket] : waiting) {
        TConnection* c = Find(socket);
        if (!c || c->Waiting != ticket)
            continue;
        if (!HasRoom(*c))
            continue;  // the next of the other kind may still fit
        c->Waiting = 0;
        // The time it waited was not its doing.
        c->Idle.restart();
        Send(socket);
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
    // A peer Qt took out of the listen queue while no place could be freed.
    if (Listener->isListening() && Listener->hasPendingConnections())
        QMetaObject::invokeMethod(this, &TLanServer::Accept, Qt::QueuedConnection);
    // Its unsent reply no longer counts.
    QTimer::singleShot(0, this, &TLanServer::ResumeWaiting);
}

void TLanServer::CloseIdle() {
    // The limits may have been changed while listening.
    IdleCheck->setInterval(SweepMs());
    std::vector<QTcpSocket*> idle;
    // A connection waiting for room is not idle by its own doing; one whose
    // reply the peer has not taken for the whole time-out is. A request
    // still coming in after the deadline is never going to be whole, however
    // steadily its bytes trickle.
    for (const auto& [socket, connection] : Connections)
        if ((!connection->Waiting && connection->Idle.elapsed() >= IdleTimeoutMs) ||
            (connection->Asked.isValid() && connection->Asked.elapsed() >= RequestDeadlineMs))
            idle.push_back(socket);
    for (QTcpSocket* socket : idle)
        Drop(socket);
    // Places may have grown quiet enough to make room.
    if (Paused)
        Accept();
}
