#include "core/platform/web_page.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>
#include <QTcpServer>

#include "core/platform/saporia_error.h"
#include "support/loopback_http_server.h"

namespace {

QString GetError(const QUrl& url, const TWebGetOptions& options = {}) {
    try {
        WebGet(url, options);
    } catch (const TSaporiaError& e) {
        return e.message();
    }
    return {};
}

}  // namespace

TEST(WebPage, GetFollowsRedirectsAndReportsEveryFailure) {
    TLoopbackHttpServer server;
    server.Route("/page", TLoopbackRoute::Page("<p>ok</p>", "text/html; charset=UTF-8"));
    server.Route("/moved", TLoopbackRoute::Redirect("/page"));
    server.Route("/loop", TLoopbackRoute::Redirect("/loop"));
    server.Route("/silent", TLoopbackRoute::Silent());
    server.Route("/big", TLoopbackRoute::Page(QByteArray(5000, 'x'), "text/plain"));

    const TWebReply page = WebGet(server.Url("/moved"));
    EXPECT_EQ(page.Body, "<p>ok</p>");
    EXPECT_EQ(page.FinalUrl, server.Url("/page"));
    EXPECT_EQ(page.ContentType, "text/html; charset=UTF-8");

    QTcpServer closed;
    closed.listen(QHostAddress::LocalHost, 0);
    const QUrl refused(QStringLiteral("http://127.0.0.1:%1/").arg(closed.serverPort()));
    closed.close();

    struct Row {
        const char* name;
        QUrl url;
        TWebGetOptions options;
        const char* errorPart;
    };
    const std::vector<Row> rows = {
        {"404", server.Url("/none"), {}, "404"},
        {"redirect loop", server.Url("/loop"), {}, "転送が多すぎます"},
        {"silent server", server.Url("/silent"), {.TimeoutMs = 300}, "応答がありません"},
        {"oversized body", server.Url("/big"), {.MaxBytes = 1000}, "大きすぎます"},
        {"not http", QUrl(QStringLiteral("ftp://127.0.0.1/x")), {}, "http"},
        {"file url", QUrl(QStringLiteral("file:///etc/passwd")), {}, "http"},
        {"refused", refused, {}, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QString error = GetError(row.url, row.options);
        EXPECT_FALSE(error.isEmpty());
        EXPECT_TRUE(error.contains(QString::fromUtf8(row.errorPart))) << error.toStdString();
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
    struct Row {
        const char* name;
        QByteArray body;
        QByteArray contentType;
    };
    const std::vector<Row> rows = {
        {"header sjis", sjis, "text/html; charset=Shift_JIS"},
        {"header utf-8 quoted", utf8, "text/html; charset=\"utf-8\""},
        {"header euc", euc, "text/html;charset=EUC-JP"},
        {"meta http-equiv", "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=euc-jp\">" + euc, "text/html"},
        {"meta charset", "<meta charset=\"UTF-8\">" + utf8, ""},
        {"bom", "\xEF\xBB\xBF" + utf8, ""},
        {"nothing named", sjis, ""},
        {"unknown name", sjis, "text/html; charset=x-unknown"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_TRUE(DecodePage(row.body, row.contentType).endsWith(QStringLiteral("カレー")))
            << DecodePage(row.body, row.contentType).toStdString();
    }
    EXPECT_EQ(DecodePage("\xA5\xAB\xFF", "charset=euc-jp"), QStringLiteral("カ\uFFFD"));
}
