#include <gtest/gtest.h>

#include <sys/ioctl.h>

#include <chrono>
#include <memory>
#include <set>
#include <vector>

#include <QTimer>

#include "core/lan/lan_protocol.h"
#include "lan_served.h"
#include "support/lan_peers.h"

namespace {

// A peer on this thread's loop: sends `first`, then one byte of `trickle`
// after another, over and over, every 10 ms while it stays connected.
struct TTrickler {
    std::unique_ptr<QTcpSocket> Socket;
    QTimer Timer;
    qsizetype Sent = 0;
    QByteArray Got;

    TTrickler(quint16 port, const QByteArray& first, const QByteArray& trickle) : Socket(Connect(port)) {
        Socket->write(first);
        QObject::connect(Socket.get(), &QTcpSocket::readyRead, Socket.get(), [this] { Got += Socket->readAll(); });
        if (trickle.isEmpty())
            return;
        QObject::connect(&Timer, &QTimer::timeout, Socket.get(), [this, trickle] {
            if (Socket->state() == QAbstractSocket::ConnectedState)
                Socket->write(trickle.mid(Sent++ % trickle.size(), 1));
        });
        Timer.start(10);
    }
    bool Closed() const { return Socket->state() == QAbstractSocket::UnconnectedState; }
};

// A server that also holds a recipe with a 10 MB photo, and that reply.
struct TPhotoServed {
    TServed Served{[](const QString& root) {
        MakeRecipe(root, {.Name = "big"});
        WriteRaw(root + "/big/写真.jpg", PhotoBytes(10'000'000));
    }};
    QByteArray PhotoReply = BuildItemReply(Served.Book->DataRoot(), Served.Book->CookItems, "big");
    TLanServer& Server = *Served.Server;

    TPhotoServed() {
        Server.MaxConnections = 3;
        Server.EvictIdleMs = 0;  // a place is free to take as soon as nothing is owed on it
        Server.IdleTimeoutMs = 10 * 60 * 1000;
    }
    // Reads the peers' replies, all at once, until each is whole or closed.
    std::vector<QByteArray> Drain(const std::vector<TSilentPeer*>& peers) const {
        std::vector<QByteArray> got(peers.size());
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                bool done = true;
                for (size_t i = 0; i < peers.size(); ++i) {
                    got[i] += peers[i]->Take();
                    done = done && (got[i].size() >= PhotoReply.size() || peers[i]->Ended());
                }
                return done;
            },
            120'000));
        return got;
    }
};

// Waits, without running this thread's loop, until the system at the other
// end has taken every byte written on `socket`.
bool TakenByTheOtherEnd(const QTcpSocket& socket) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    int unacknowledged = 1;
    while (std::chrono::steady_clock::now() < until)
        if (ioctl(static_cast<int>(socket.socketDescriptor()), TIOCOUTQ, &unacknowledged) == 0 && unacknowledged == 0)
            return true;
    return false;
}

// The largest ConnectionCount seen while the loop runs.
struct TCountWatch {
    int Most = 0;
    QTimer Sampler;
    explicit TCountWatch(const TLanServer& server) {
        QObject::connect(&Sampler, &QTimer::timeout, [this, &server] { Most = std::max(Most, server.ConnectionCount()); });
        Sampler.start(1);
    }
};

}  // namespace

TEST(LanLoopback, RequestsNotWholeByTheDeadlineAreClosedAndTheirPlacesServeOthers) {
    TServed served;
    TLanServer& server = *served.Server;
    server.MaxConnections = 3;
    server.RequestDeadlineMs = 50;
    server.EvictIdleMs = 60'000;  // only the deadline frees a place
    server.SettleMs = 60'000;     // a name never counts as ended
    // {bytes sent at once, bytes trickled after them}, one peer for each place
    const std::pair<QByteArray, QByteArray> slow[] = {
        {"GET_COOK_LI", ""},     // half a command, then nothing
        {"", ListRequest},       // a command a byte at a time
        {ItemRequest + "a", "x"},  // a name that never ends
    };
    std::vector<std::unique_ptr<TTrickler>> peers;
    for (const auto& [first, trickle] : slow)
        peers.push_back(std::make_unique<TTrickler>(served.Port(), first, trickle));

    // A client sending its request whole gets a place and its reply.
    TLanClient client;
    const TOutcome outcome = Ask(client, served.Port(), ListRequest);
    ASSERT_TRUE(outcome.Reply);
    EXPECT_EQ(outcome.Reply->Fields, QStringList({"a", "b"}));
    for (size_t i = 0; i < peers.size(); ++i)
        EXPECT_TRUE(QTest::qWaitFor([&] { return peers[i]->Closed(); }, 10'000)) << i;
    EXPECT_EQ(peers[0]->Got, "");
    EXPECT_EQ(peers[2]->Got, "");
}

TEST(LanLoopback, ANewcomerTakesThePlaceOfTheQuietestPeerOwedNothing) {
    TPhotoServed photo;
    TLanServer& server = photo.Server;
    const quint16 port = photo.Served.Port();
    const QByteArray list = BuildListReply(photo.Served.Book->CookItems);
    auto placesTaken = [&](int count) {
        return QTest::qWaitFor([&] { return server.ConnectionCount() == count; }, 10'000);
    };
    // A peer owed a photo that it does not take yet: never displaced.
    TSilentPeer owed(port, ItemRequest + "big");
    ASSERT_TRUE(QTest::qWaitFor([&] { return owed.Unread() > 0; }, 10'000));
    std::vector<std::unique_ptr<QTcpSocket>> quiet;
    quiet.push_back(Connect(port));
    ASSERT_TRUE(placesTaken(2));
    quiet.push_back(Connect(port));
    ASSERT_TRUE(placesTaken(3));
    // The older peer asks for the list and has it: it is now the less quiet.
    quiet[0]->write(ListRequest);
    ASSERT_EQ(ReadReply(*quiet[0], list.size()), list);

    // {the quiet peer each newcomer displaces}; a new quiet peer fills the
    // place again after each.
    const size_t displaced[] = {1, 0, 2};
    std::set<size_t> gone;
    for (const size_t victim : displaced) {
        TLanClient client;
        const TOutcome outcome = Ask(client, port, ListRequest);
        ASSERT_TRUE(outcome.Reply) << victim;
        EXPECT_TRUE(QTest::qWaitFor([&] { return quiet[victim]->state() == QAbstractSocket::UnconnectedState; }, 10'000))
            << victim;
        gone.insert(victim);
        for (size_t i = 0; i < quiet.size(); ++i) {
            if (!gone.contains(i)) {
                EXPECT_EQ(quiet[i]->state(), QAbstractSocket::ConnectedState) << victim << " " << i;
            }
        }
        ASSERT_TRUE(placesTaken(2));
        quiet.push_back(Connect(port));
        ASSERT_TRUE(placesTaken(3));
    }
    const QByteArray got = photo.Drain({&owed}).front();
    EXPECT_TRUE(got == photo.PhotoReply) << got.size();
}

TEST(LanLoopback, WhenEveryPlaceIsOwedAReplyNewcomersWaitAndEveryReplyArrives) {
    TPhotoServed photo;
    const quint16 port = photo.Served.Port();
    TCountWatch count(photo.Server);
    std::vector<std::unique_ptr<TSilentPeer>> owed;
    for (int i = 0; i < photo.Server.MaxConnections; ++i)
        owed.push_back(std::make_unique<TSilentPeer>(port, ItemRequest + "big"));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return std::all_of(owed.begin(), owed.end(), [](const auto& p) { return p->Unread() > 0; }); },
        10'000));

    TLanClient client;
    client.TimeoutMs = 60'000;
    std::optional<TLanReply> reply;
    bool failed = false;
    QObject::connect(&client, &TLanClient::ReplyReceived, [&](const TLanReply& r) { reply = r; });
    QObject::connect(&client, &TLanClient::Failed, [&] { failed = true; });
    bool connected = false;
    QObject::connect(&client, &TLanClient::Connected, [&] { connected = true; });
    ASSERT_TRUE(client.Request(Host, port, ListRequest));
    ASSERT_TRUE(QTest::qWaitFor([&] { return connected; }, 10'000));
    EXPECT_FALSE(reply);

    // Every owed reply arrives whole; then the newcomer has its place.
    std::vector<TSilentPeer*> peers;
    for (const auto& p : owed)
        peers.push_back(p.get());
    const std::vector<QByteArray> got = photo.Drain(peers);
    for (size_t i = 0; i < got.size(); ++i)
        EXPECT_TRUE(got[i] == photo.PhotoReply) << i << ": " << got[i].size();
    ASSERT_TRUE(QTest::qWaitFor([&] { return reply || failed; }, 70'000));
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->Fields, QStringList({"a", "b", "big"}));
    EXPECT_LE(count.Most, photo.Server.MaxConnections);
}

TEST(LanLoopback, APeerWhoseRequestIsNotReadYetKeepsItsPlace) {
    TServed served;
    TLanServer& server = *served.Server;
    server.MaxConnections = 3;
    server.EvictIdleMs = 0;
    std::vector<std::unique_ptr<QTcpSocket>> peers;
    for (int i = 1; i <= 3; ++i) {
        peers.push_back(Connect(served.Port()));
        ASSERT_TRUE(QTest::qWaitFor([&] { return server.ConnectionCount() == i; }, 10'000));
    }
    // The quietest peer asks, and a newcomer arrives, before the server has
    // run again: the newcomer takes the next quietest place.
    peers[0]->write(ListRequest);
    peers[0]->flush();
    ASSERT_TRUE(TakenByTheOtherEnd(*peers[0]));
    TSilentPeer newcomer(served.Port(), "");
    ASSERT_TRUE(newcomer.Connected());
    const QByteArray list = BuildListReply(served.Book->CookItems);
    EXPECT_EQ(ReadReply(*peers[0], list.size()), list);
    EXPECT_TRUE(QTest::qWaitFor([&] { return peers[1]->state() == QAbstractSocket::UnconnectedState; }, 10'000));
    EXPECT_EQ(peers[0]->state(), QAbstractSocket::ConnectedState);
    EXPECT_EQ(peers[2]->state(), QAbstractSocket::ConnectedState);
}
