#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include "core/lan/lan_client.h"
#include "core/lan/lan_server.h"
#include "core/platform/saporia_error.h"
#include "core/recipes/recipe_book.h"
#include "support/recipe_fixture.h"
#include "support/temp_app_dir.h"

namespace {

const QString Host = QStringLiteral("127.0.0.1");

// A server on a free loopback port over a small collection.
struct TServed {
    TTempAppDir App;
    std::unique_ptr<TRecipeBook> Book;
    std::unique_ptr<TLanServer> Server;

    explicit TServed(const std::function<void(const QString&)>& fill = {}) {
        const QString root = App.AppDir() + "Cook";
        MakeRecipe(root, {.Name = "a", .Foodstuff = "egg", .How = "boil \"soft\"", .Comment = "c"});
        MakeRecipe(root, {.Name = "b", .Photo = true});
        if (fill)
            fill(root);
        WriteRaw(App.AppDir() + "x/材料.txt", "SECRET");
        Book = std::make_unique<TRecipeBook>(App.AppDir());
        Book->SearchCookFld();
        Server = std::make_unique<TLanServer>(*Book);
        Server->Port = 0;
        Server->Start();
    }
    quint16 Port() const { return Server->ListeningPort(); }
};

// A raw peer.
std::unique_ptr<QTcpSocket> Connect(quint16 port) {
    auto socket = std::make_unique<QTcpSocket>();
    socket->connectToHost(Host, port);
    // The server accepts on this thread: let its loop run while waiting.
    EXPECT_TRUE(QTest::qWaitFor([&] { return socket->state() == QAbstractSocket::ConnectedState; }, 3000));
    return socket;
}

// Reads until `expected` bytes came (or a moment passed).
QByteArray ReadReply(QTcpSocket& socket, qsizetype expected, int timeoutMs = 3000) {
    QByteArray bytes;
    (void)QTest::qWaitFor(
        [&] {
            bytes += socket.readAll();
            return bytes.size() >= expected;
        },
        timeoutMs);
    return bytes;
}

// One request through the client; the reply, or the failure.
struct TOutcome {
    std::optional<TLanReply> Reply;
    std::optional<TLanFailure> Failure;
};
TOutcome Ask(TLanClient& client, quint16 port, const QByteArray& request) {
    TOutcome outcome;
    QObject context;
    QObject::connect(&client, &TLanClient::ReplyReceived, &context, [&](const TLanReply& r) { outcome.Reply = r; });
    QObject::connect(&client, &TLanClient::Failed, &context, [&](TLanFailure f) { outcome.Failure = f; });
    EXPECT_TRUE(client.Request(Host, port, request));
    EXPECT_TRUE(QTest::qWaitFor([&] { return outcome.Reply || outcome.Failure; }, 15000));
    EXPECT_FALSE(client.Busy());
    return outcome;
}

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

    // 100 silent peers: past the cap the quietest go, and all go when idle.
    served.Server->Stop();
    served.Server->IdleTimeoutMs = 1000;
    served.Server->MaxConnections = 40;
    served.Server->Start();
    std::vector<std::unique_ptr<QTcpSocket>> idle;
    for (int i = 0; i < 100; ++i)
        idle.push_back(Connect(served.Port()));
    EXPECT_TRUE(QTest::qWaitFor([&] { return served.Server->ConnectionCount() >= 40; }, 3000));
    EXPECT_LE(served.Server->ConnectionCount(), 40);
    const TOutcome during = Ask(client, served.Port(), "GET_COOK_ITEM:a");
    ASSERT_TRUE(during.Reply);
    EXPECT_EQ(during.Reply->Fields.value(0), "egg\r\n");
    EXPECT_TRUE(QTest::qWaitFor([&] { return served.Server->ConnectionCount() == 0; }, 5000));
    EXPECT_TRUE(served.Server->IsListening());
}

TEST(LanLoopback, TenMegabytePhotoArrivesWhole) {
    QByteArray photo(10'000'000, Qt::Uninitialized);
    for (qsizetype i = 0; i < photo.size(); ++i)
        photo[i] = static_cast<char>((i * 7919) >> 3);
    TServed served([&](const QString& root) {
        MakeRecipe(root, {.Name = "big"});
        WriteRaw(root + "/big/写真.jpg", photo);
    });
    served.Server->MaxUnsentBytes = 4 << 20;
    served.Server->IdleTimeoutMs = 1500;
    TLanClient client;
    const TOutcome outcome = Ask(client, served.Port(), "GET_COOK_ITEM:big");
    ASSERT_TRUE(outcome.Reply);
    ASSERT_EQ(outcome.Reply->Fields.size(), 4);
    EXPECT_EQ(QByteArray::fromBase64(outcome.Reply->Fields[2].toLatin1()), photo);

    // Peers that ask for the photo and never read: one reply is held, the
    // others wait instead of piling up; a real client is served once the
    // silent peers are dropped.
    std::vector<std::unique_ptr<QTcpSocket>> hogs;
    for (int i = 0; i < 2; ++i) {
        hogs.push_back(Connect(served.Port()));
        hogs.back()->write("GET_COOK_ITEM:big");
    }
    QTest::qWait(300);
    EXPECT_LE(served.Server->UnsentBytes(), 14'000'000);
    const TOutcome late = Ask(client, served.Port(), "GET_COOK_ITEM:a");
    ASSERT_TRUE(late.Reply);
    EXPECT_TRUE(late.Reply->Fields.value(0).startsWith(QStringLiteral("egg")));
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
