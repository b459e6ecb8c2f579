#include "core/platform/web_page.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTcpServer>
#include <QTest>

#include "core/platform/saporia_error.h"
#include "support/loopback_http_server.h"

TEST(WebPage, GetFollowsRedirectsAndReportsEveryFailure) {
    TLoopbackHttpServer server;
    server.Route("/page", TLoopbackRoute::Page("<p>ok</p>", "text/html; charset=UTF-8"));
    server.Route("/moved", TLoopbackRoute::Redirect("/page"));
    server.Route("/loop", TLoopbackRoute::Redirect("/loop"));
    server.Route("/silent", TLoopbackRoute::Silent());
    server.Route("/big", TLoopbackRoute::Page(QByteArray(5000, 'x'), "text/plain"));
    const TWebReply page = WebGet(server.Url("/moved"));
    EXPECT_EQ(std::tuple(page.Body, page.FinalUrl, page.ContentType),
              std::tuple(QByteArray("<p>ok</p>"), server.Url("/page"), QByteArray("text/html; charset=UTF-8")));

    QTcpServer closed;
    closed.listen(QHostAddress::LocalHost, 0);
    const QUrl refused(QStringLiteral("http://127.0.0.1:%1/").arg(closed.serverPort()));
    closed.close();
    // {url, options, part of the error}
    const std::tuple<QUrl, TWebGetOptions, const char*> rows[] = {
        {server.Url("/none"), {}, "404"}, {server.Url("/loop"), {}, "転送が多すぎます"},
        {server.Url("/silent"), {.TimeoutMs = 300}, "応答がありません"},
        {server.Url("/big"), {.MaxBytes = 1000}, "大きすぎます"}, {QUrl("ftp://127.0.0.1/x"), {}, "http"},
        {QUrl("file:///etc/passwd"), {}, "http"}, {refused, {}, ""},
    };
    for (const auto& [url, options, errorPart] : rows) {
        SCOPED_TRACE(url.toString().toStdString());
        QString error;
        try {
            WebGet(url, options);
        } catch (const TSaporiaError& e) {
            error = e.message();
        }
        EXPECT_TRUE(!error.isEmpty() && error.contains(QString::fromUtf8(errorPart))) << error.toStdString();
    }
}

TEST(WebPage, FinishedComesOnceAfterStartAndAfterAbort) {
    TLoopbackHttpServer server;
    server.Route("/silent", TLoopbackRoute::Silent());
    TWebGet get;
    QSignalSpy spy(&get, &TWebGet::Finished);
    get.Start(QUrl(QStringLiteral("gopher://x/")));
    EXPECT_EQ(spy.count(), 0);  // never inside Start
    EXPECT_TRUE(spy.wait(2000));
    get.Start(server.Url("/silent"));
    EXPECT_TRUE(get.Running());
    get.Abort();
    EXPECT_FALSE(get.Running());
    QTest::qWait(50);
    ASSERT_EQ(spy.count(), 2);
    EXPECT_FALSE(spy.at(1).at(0).toBool());
}

TEST(WebPage, DecodesByHeaderThenMetaThenCp932) {
    const QByteArray sjis("\x83\x4A\x83\x8C\x81\x5B");  // カレー
    const QByteArray euc("\xA5\xAB\xA5\xEC\xA1\xBC");
    const QByteArray utf8("\xE3\x82\xAB\xE3\x83\xAC\xE3\x83\xBC");
    // {body, Content-Type}
    const std::pair<QByteArray, QByteArray> rows[] = {
        {sjis, "text/html; charset=Shift_JIS"}, {utf8, "text/html; charset=\"utf-8\""},
        {euc, "text/html;charset=EUC-JP"},
        {"<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=euc-jp\">" + euc, "text/html"},
        {"<meta charset=\"UTF-8\">" + utf8, ""}, {"\xEF\xBB\xBF" + utf8, ""}, {sjis, ""},
        {sjis, "text/html; charset=x-unknown"},
    };
    for (const auto& [body, contentType] : rows)
        EXPECT_TRUE(DecodePage(body, contentType).endsWith(QStringLiteral("カレー"))) << contentType.toStdString();
    EXPECT_EQ(DecodePage("\xA5\xAB\xFF", "charset=euc-jp"), QStringLiteral("カ\uFFFD"));
}
