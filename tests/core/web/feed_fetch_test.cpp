#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>
#include <QTcpServer>

#include "core/web/feed_fetch.h"
#include "support/loopback_http_server.h"

namespace {

const QByteArray Feed =
    "<?xml version=\"1.0\"?><rss version=\"2.0\"><channel><item><title>fresh</title><link>http://x/</link>"
    "</item></channel></rss>";

const QDateTime Now(QDate(2026, 5, 6), QTime(7, 8, 9));

struct TSiteTree {
    std::unique_ptr<TWebNode> Top = std::make_unique<TWebNode>(TWebNodeKind::Folder, QStringLiteral("RSS"));
    TWebNode* Site = Top->Append(std::make_unique<TWebNode>(TWebNodeKind::Site, QStringLiteral("s")));
    TSiteTree() {
        Site->LastUpdate = QStringLiteral("2026/01/01 1:00:00");
        Site->News = {{QString(), QStringLiteral("old"), QString(), QString()}};
    }
};

TEST(FeedFetch, GoodAndFailedLoads) {
    TLoopbackHttpServer server;
    server.Route("/feed", TLoopbackRoute::Page(Feed, "application/rss+xml"));
    server.Route("/moved", TLoopbackRoute::Redirect("/feed"));
    server.Route("/silent", TLoopbackRoute::Silent());
    server.Route("/big", TLoopbackRoute::Page(QByteArray(4096, 'x'), "text/xml"));
    server.Route("/html", TLoopbackRoute::Page("<html><body><p>oops</body></html>", "text/html"));
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost, 0));
    const QString refused = QStringLiteral("http://127.0.0.1:%1/feed").arg(closed.serverPort());
    closed.close();

    const std::pair<QString, bool> rows[] = {
        {server.Url("/feed").toString(), true},   {server.Url("/moved").toString(), true},
        {server.Url("/none").toString(), false},  {refused, false},
        {server.Url("/silent").toString(), false}, {server.Url("/big").toString(), false},  // too slow, too big
        {server.Url("/html").toString(), false},  {QStringLiteral("file:///etc/passwd"), false},
    };
    for (const auto& [url, ok] : rows) {
        SCOPED_TRACE(url.toStdString());
        TSiteTree tree;
        tree.Site->URL = url;
        TFeedFetch fetch(*tree.Top);
        fetch.SetClock([] { return Now; });
        fetch.SetOptions({.TimeoutMs = 500, .MaxBytes = 1024, .MaxRedirects = 5});
        QSignalSpy finished(&fetch, &TFeedFetch::Finished);
        ASSERT_TRUE(fetch.Start(*tree.Site));
        ASSERT_TRUE(finished.wait(10000));
        EXPECT_EQ(finished.first().at(1).toBool(), ok);
        EXPECT_EQ(finished.first().at(2).toString().isEmpty(), ok);  // a failure says why
        // A failure keeps what the site had.
        ASSERT_EQ(tree.Site->News.size(), 1u);
        EXPECT_EQ(tree.Site->News[0].title + u'|' + tree.Site->LastUpdate,
                  ok ? QStringLiteral("fresh|2026/05/06 7:08:09") : QStringLiteral("old|2026/01/01 1:00:00"));
    }
}

TEST(FeedFetch, SiteGoneOrFetchAborted) {
    TLoopbackHttpServer server;
    server.Route("/feed", TLoopbackRoute::Page(Feed, "text/xml"));
    server.Route("/silent", TLoopbackRoute::Silent());

    // A site deleted while its feed loads is left alone.
    TSiteTree tree;
    tree.Site->URL = server.Url("/feed").toString();
    const TWebNode* other = tree.Top->Append(std::make_unique<TWebNode>(TWebNodeKind::Site, QStringLiteral("o")));
    TFeedFetch fetch(*tree.Top);
    QSignalSpy finished(&fetch, &TFeedFetch::Finished);
    ASSERT_TRUE(fetch.Start(*tree.Site));
    EXPECT_FALSE(fetch.Start(*tree.Site));  // one fetch per site at a time
    tree.Site->Remove();
    ASSERT_TRUE(finished.wait(10000));
    EXPECT_TRUE(finished.first().at(1).toBool());
    EXPECT_TRUE(other->News.empty());

    // Quitting during a fetch changes nothing and reports nothing.
    TSiteTree second;
    second.Site->URL = server.Url("/silent").toString();
    {
        TFeedFetch quitting(*second.Top);
        QSignalSpy ended(&quitting, &TFeedFetch::Finished);
        ASSERT_TRUE(quitting.Start(*second.Site));
        QTest::qWait(100);
        EXPECT_TRUE(quitting.Running(second.Site->Id()));
        quitting.AbortAll();
        QTest::qWait(100);
        EXPECT_TRUE(ended.isEmpty());
    }
    EXPECT_EQ(second.Site->News[0].title + u'|' + second.Site->LastUpdate, QStringLiteral("old|2026/01/01 1:00:00"));
}

}  // namespace
