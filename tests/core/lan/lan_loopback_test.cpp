#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>

#include "core/platform/saporia_error.h"
#include "lan_served.h"
#include "support/lan_peers.h"
#include "support/recipe_fixture.h"

namespace {

QByteArray ListBytes() { return R"(LST:"a","b",)"; }

}  // namespace

TEST(LanLoopback, RequestsOnOneConnectionAndCutRequests) {
    TServed served;
    served.Server->SettleMs = 300;  // a slow test machine must not split a name
    const QByteArray item = R"(ITM:"egg)" "\r\n" R"(","boil ""soft""
","","c
")";
    const QByteArray itemReply = QByteArray(item).replace("\n", "\r\n").replace("\r\r\n", "\r\n");
    // {pieces sent with a pause between, the replies expected in all}
    const std::pair<std::vector<QByteArray>, QByteArray> cases[] = {
        {{"GET_COOK_LIST:", "GET_COOK_LIST:"}, ListBytes() + ListBytes()},
        {{"GET_COOK_LIST:", "GET_COOK_ITEM:a"}, ListBytes() + itemReply},
        {{"GET_CO", "OK_LI", "ST:"}, ListBytes()},
        {{"GET_COOK_IT", "EM:", "a"}, itemReply},
        {{"HELLO", "GET_COOK_LIST:"}, ListBytes()},
    };
    for (const auto& [pieces, replies] : cases) {
        const auto socket = Connect(served.Port());
        for (const QByteArray& piece : pieces) {
            socket->write(piece);
            socket->flush();
            QTest::qWait(5);
        }
        EXPECT_EQ(ReadReply(*socket, replies.size()), replies) << pieces.front().toStdString();
        EXPECT_EQ(ReadReply(*socket, 1, 100), "");  // nothing more
    }
}

TEST(LanLoopback, StopClosesClientsAndAPortInUseChangesNothing) {
    TServed served;
    const auto socket = Connect(served.Port());
    ASSERT_TRUE(QTest::qWaitFor([&] { return served.Server->ConnectionCount() == 1; }, 3000));

    TLanServer second(*served.Book);
    second.Port = served.Port();
    EXPECT_THROW(second.Start(), TSaporiaError);
    EXPECT_FALSE(second.IsListening());

    served.Server->Stop();
    EXPECT_TRUE(QTest::qWaitFor([&] { return socket->state() == QAbstractSocket::UnconnectedState; }, 3000));
    EXPECT_FALSE(served.Server->IsListening());
    EXPECT_EQ(served.Server->ConnectionCount(), 0);
}

TEST(LanLoopback, HostilePeersLeaveTheServerServing) {
    TServed served;
    TLanClient client;

    // {what the peer does, whether its connection is dropped}
    const std::vector<std::pair<QByteArray, bool>> peers = {
        {QByteArray(1024 * 1024, 'G'), true},
        {"GET_COOK_ITEM:" + QByteArray(8000, 'x'), true},
        {QByteArray("\0\xff\x01garbage", 10), false},
    };
    for (const auto& [bytes, dropped] : peers) {
        const auto socket = Connect(served.Port());
        socket->write(bytes);
        const bool closed = QTest::qWaitFor([&] { return socket->state() == QAbstractSocket::UnconnectedState; },
                                            dropped ? 2000 : 200);
        EXPECT_EQ(closed, dropped) << bytes.size();
        EXPECT_EQ(socket->readAll(), "");
        const TOutcome outcome = Ask(client, served.Port(), "GET_COOK_LIST:");
        ASSERT_TRUE(outcome.Reply);
        EXPECT_EQ(outcome.Reply->Fields, QStringList({"a", "b"}));
    }

    // 100 silent peers: the server holds no more than its cap, newcomers
    // take the places of quiet ones or wait in the listen queue; the idle
    // ones go, and the real client is served.
    served.Server->Stop();
    served.Server->IdleTimeoutMs = 1000;
    served.Server->MaxConnections = 40;
    served.Server->Start();
    std::vector<std::unique_ptr<QTcpSocket>> idle;
    for (int i = 0; i < 100; ++i)
        idle.push_back(Connect(served.Port()));
    EXPECT_TRUE(QTest::qWaitFor([&] { return served.Server->ConnectionCount() >= 40; }, 3000));
    int most = 0;
    QTimer sampler;
    QObject::connect(&sampler, &QTimer::timeout, [&] { most = std::max(most, served.Server->ConnectionCount()); });
    sampler.start(1);
    const TOutcome during = Ask(client, served.Port(), "GET_COOK_ITEM:a");
    ASSERT_TRUE(during.Reply);
    EXPECT_EQ(during.Reply->Fields.value(0), "egg\r\n");
    EXPECT_LE(most, 40);
    EXPECT_TRUE(QTest::qWaitFor([&] { return served.Server->ConnectionCount() == 0; }, 8000));
    EXPECT_TRUE(served.Server->IsListening());
}

namespace {

// The largest UnsentBytes seen while the loop runs.
struct TUnsentWatch {
    qint64 Most = 0;
    QTimer Sampler;
    explicit TUnsentWatch(const TLanServer& server) {
        QObject::connect(&Sampler, &QTimer::timeout, [this, &server] { Most = std::max(Most, server.UnsentBytes()); });
        Sampler.start(1);
    }
};

// A server with the photo and a tight cap, and peers asking for the photo
// that never read.
struct TCrowded {
    QByteArray Photo = PhotoBytes(10'000'000);
    TServed Served{[this](const QString& root) {
        MakeRecipe(root, {.Name = "big"});
        WriteRaw(root + "/big/写真.jpg", Photo);
    }};
    std::vector<std::unique_ptr<TSilentPeer>> Hogs;

    TCrowded() {
        Served.Server->MaxUnsentBytes = 64 << 10;
        Served.Server->ChunkBytes = 16 << 10;
    }
    // Adds peers until replies wait for room: how much a stalled peer leaves
    // with the server depends on the system's buffers.
    void Crowd() {
        while (Served.Server->WaitingCount() == 0 && Hogs.size() < 96) {
            for (int i = 0; i < 4; ++i) {
                Hogs.push_back(std::make_unique<TSilentPeer>(Served.Port(), "GET_COOK_ITEM:big"));
                EXPECT_TRUE(Hogs.back()->Connected());
            }
            (void)QTest::qWaitFor([&] { return Served.Server->WaitingCount() > 0; }, 1000);
        }
        EXPECT_GT(Served.Server->WaitingCount(), 0);
    }
};

}  // namespace

TEST(LanLoopback, TenMegabytePhotoArrivesWhole) {
    TCrowded crowded;
    TLanServer& server = *crowded.Served.Server;
    TUnsentWatch unsent(server);
    TLanClient client;
    const TOutcome outcome = Ask(client, crowded.Served.Port(), "GET_COOK_ITEM:big");
    ASSERT_TRUE(outcome.Reply);
    ASSERT_EQ(outcome.Reply->Fields.size(), 4);
    EXPECT_EQ(QByteArray::fromBase64(outcome.Reply->Fields[2].toLatin1()), crowded.Photo);

    // Peers that ask for the photo and never read: the unsent bytes stay
    // within the server's bound, and a list or a recipe without a photo is
    // answered while large replies wait.
    crowded.Crowd();
    // {request, first field expected}
    const std::pair<QByteArray, QString> small[] = {{"GET_COOK_LIST:", "a"}, {"GET_COOK_ITEM:a", "egg\r\n"}};
    for (const auto& [request, field] : small) {
        const TOutcome answer = Ask(client, crowded.Served.Port(), request);
        ASSERT_TRUE(answer.Reply) << request.toStdString();
        EXPECT_EQ(answer.Reply->Fields.value(0), field);
    }
    EXPECT_GT(server.WaitingCount(), 0);
    EXPECT_GT(unsent.Most, 0);
    EXPECT_LE(unsent.Most, server.UnsentBound());
}

TEST(LanLoopback, QueuedClientOlderThanTheIdleTimeoutGetsItsReply) {
    TCrowded crowded;
    TLanServer& server = *crowded.Served.Server;
    crowded.Crowd();
    TLanClient client;
    client.TimeoutMs = 60000;
    std::optional<TLanReply> reply;
    QObject::connect(&client, &TLanClient::ReplyReceived, [&](const TLanReply& r) { reply = r; });
    const int waiting = server.WaitingCount();
    ASSERT_TRUE(client.Request(Host, crowded.Served.Port(), "GET_COOK_ITEM:big"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.WaitingCount() > waiting; }, 3000));
    // Queued longer than the time-out; then the stalled peers go and its
    // turn comes.
    server.IdleTimeoutMs = 1000;
    QTest::qWait(1500);
    ASSERT_TRUE(QTest::qWaitFor([&] { return reply.has_value() || !client.Busy(); }, 60000));
    ASSERT_TRUE(reply);
    EXPECT_EQ(QByteArray::fromBase64(reply->Fields.value(2).toLatin1()), crowded.Photo);
}

TEST(LanLoopback, ClientsPastTheConnectionCapAllGetTheirReplies) {
    TServed served([](const QString& root) {
        for (int i = 0; i < 8; ++i)
            MakeRecipe(root, {.Name = QStringLiteral("r%1").arg(i), .Comment = QString(i * 300, 'c'), .Photo = i % 2 == 0});
    });
    served.Server->MaxConnections = 6;
    const TRecipeBook& book = *served.Book;
    // 30 clients, each asking for the list and three recipes.
    std::vector<std::vector<TLanExchange>> clients(30);
    for (size_t i = 0; i < clients.size(); ++i) {
        clients[i].push_back({ListRequest, BuildListReply(book.CookItems)});
        for (size_t k = 0; k < 3; ++k) {
            const TCookItem& item = book.CookItems[static_cast<qsizetype>((i + k * 3) % book.CookItems.size())];
            clients[i].push_back({ItemRequest + item.Name.toUtf8(), BuildItemReply(book.DataRoot(), &item)});
        }
    }
    int most = 0;
    QTimer sampler;
    QObject::connect(&sampler, &QTimer::timeout, [&] { most = std::max(most, served.Server->ConnectionCount()); });
    sampler.start(1);
    std::atomic<int> arrived = -1;
    std::thread run([&] { arrived = RunLanClients(served.Port(), clients, 60000); });
    EXPECT_TRUE(QTest::qWaitFor([&] { return arrived >= 0; }, 70000));
    run.join();
    EXPECT_EQ(arrived, 120);
    EXPECT_LE(most, 6);
}

TEST(LanClient, EveryOutcomeEndsTheRequest) {
    // Peers that misbehave: {reply written on connect, close after it, failure}
    QTcpServer peer;
    ASSERT_TRUE(peer.listen(QHostAddress::LocalHost, 0));
    QByteArray script;
    bool closeAfter = false;
    QObject::connect(&peer, &QTcpServer::newConnection, [&] {
        QTcpSocket* socket = peer.nextPendingConnection();
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [&, socket] {
            socket->readAll();
            socket->write(script);
            if (closeAfter)
                socket->disconnectFromHost();
        });
    });
    const std::tuple<QByteArray, bool, TLanFailure> cases[] = {
        {"", true, TLanFailure::ReplyBroken},               // closed without a reply
        {R"(ITM:"a","b")", true, TLanFailure::ReplyBroken},  // closed half way
        {QByteArray(5000, 'L').prepend("LST:\""), false, TLanFailure::ReplyBroken},  // over the cap
    };
    TLanClient client;
    client.TimeoutMs = 400;
    client.MaxReplyBytes = 4096;
    for (const auto& [bytes, close, failure] : cases) {
        script = bytes;
        closeAfter = close;
        const TOutcome outcome = Ask(client, peer.serverPort(), "GET_COOK_LIST:");
        EXPECT_FALSE(outcome.Reply) << bytes.toStdString();
        EXPECT_EQ(outcome.Failure, failure) << bytes.toStdString();
    }
    // A reply closed by the server right after it is whole is still taken.
    script = R"(LST:"x",)";
    closeAfter = true;
    EXPECT_EQ(Ask(client, peer.serverPort(), "GET_COOK_LIST:").Reply->Fields, QStringList{"x"});
}
