#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>

#include <QTcpSocket>
#include <QTest>

#include "core/lan/lan_client.h"
#include "core/lan/lan_server.h"
#include "core/recipes/recipe_book.h"
#include "support/recipe_fixture.h"
#include "support/temp_app_dir.h"

// Servers and peers of the loopback tests.

inline const QString Host = QStringLiteral("127.0.0.1");

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
inline std::unique_ptr<QTcpSocket> Connect(quint16 port) {
    auto socket = std::make_unique<QTcpSocket>();
    socket->connectToHost(Host, port);
    // The server accepts on this thread: let its loop run while waiting.
    EXPECT_TRUE(QTest::qWaitFor([&] { return socket->state() == QAbstractSocket::ConnectedState; }, 3000));
    return socket;
}

// Reads until `expected` bytes came (or a moment passed).
inline QByteArray ReadReply(QTcpSocket& socket, qsizetype expected, int timeoutMs = 3000) {
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
inline TOutcome Ask(TLanClient& client, quint16 port, const QByteArray& request) {
    TOutcome outcome;
    QObject context;
    QObject::connect(&client, &TLanClient::ReplyReceived, &context, [&](const TLanReply& r) { outcome.Reply = r; });
    QObject::connect(&client, &TLanClient::Failed, &context, [&](TLanFailure f) { outcome.Failure = f; });
    EXPECT_TRUE(client.Request(Host, port, request));
    EXPECT_TRUE(QTest::qWaitFor([&] { return outcome.Reply || outcome.Failure; }, 15000));
    EXPECT_FALSE(client.Busy());
    return outcome;
}

// A photo of `bytes` bytes that compresses to nothing of use.
inline QByteArray PhotoBytes(qsizetype bytes) {
    QByteArray photo(bytes, Qt::Uninitialized);
    for (qsizetype i = 0; i < photo.size(); ++i)
        photo[i] = static_cast<char>((i * 7919) >> 3);
    return photo;
}
