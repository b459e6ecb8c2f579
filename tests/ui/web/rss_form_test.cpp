#include <gtest/gtest.h>

#include <QLabel>
#include <QSignalSpy>
#include <QPlainTextEdit>
#include <QTreeWidget>

#include "core/web/feed_time.h"
#include "ui/widgets/lazy_text_pane.h"
#include "support/loopback_http_server.h"
#include "web_fixture.h"

namespace {

const std::initializer_list<const char*> Buttons = {"BitBtn1", "BitBtn3", "BitBtn2", "BitBtn4", "BitBtn5"};

QByteArray Feed(const QByteArray& title) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><rss version=\"2.0\"><channel><item><title>" + title +
           "</title><description>one&lt;BR /&gt;two &lt;b&gt;bold&lt;/b&gt;</description><link>http://news/1</link>"
           "</item><item><title>second</title></item></channel></rss>";
}

struct TReader : TWebWindows {
    TLoopbackHttpServer Server;
    QDateTime Now = QDateTime(QDate(2026, 4, 1), QTime(12, 0, 0));

    TReader() {
        Server.Route("/feed", TLoopbackRoute::Page(Feed("first"), "application/rss+xml"));
        Server.Route("/silent", TLoopbackRoute::Silent());
        Prepare();
    }
    void Prepare() {
        Rss->SetClock([this] { return Now; });
        Rss->SetFetchOptions({.TimeoutMs = 500, .MaxBytes = 1 << 20, .MaxRedirects = 5});
        Rss->show();
    }
    TWebNode& Top() { return Rss->Store().Top(); }
    TWebNode* AddSite(TWebNode& parent, const QString& title, const QByteArray& path) {
        TWebNode* site =
            parent.Append(std::make_unique<TWebNode>(TWebNodeKind::Site, title, Server.Url(path).toString()));
        Rss->Tree()->Refresh(nullptr);
        return site;
    }
    // Selects the node and waits for the fetch it starts, if any.
    void Select(TWebNode* node) {
        Rss->Tree()->SelectNode(node);
        WaitForFetch();
    }
    void WaitForFetch() {
        if (Rss->Fetching()) {
            QSignalSpy done(Rss.get(), &TRSSForm::FeedFinished);
            EXPECT_TRUE(done.wait(10000));
        }
    }
    QTreeWidget* List() { return In<QTreeWidget>(Rss.get(), "RSSListView"); }
    QString Rows() {
        QStringList rows;
        for (int i = 0; i < List()->topLevelItemCount(); ++i)
            rows << List()->topLevelItem(i)->text(1);
        return rows.join(u',');
    }
    QString Text(const char* label) { return In<QLabel>(Rss.get(), label)->text(); }
};

TEST(RSSForm, ButtonsFollowTheSelection) {
    TReader r;
    TWebNode* folder = r.Top().Append(std::make_unique<TWebNode>(TWebNodeKind::Folder, QStringLiteral("F")));
    TWebNode* rssNamed = r.Top().Append(std::make_unique<TWebNode>(TWebNodeKind::Folder, QStringLiteral("RSS")));
    TWebNode* site = folder->Append(std::make_unique<TWebNode>(TWebNodeKind::Site, QStringLiteral("s")));
    site->LastUpdate = FormatFeedTime(r.Now);
    r.Rss->Tree()->Refresh(nullptr);
    // A user folder named "RSS" gets the top's buttons but can be dragged.
    const std::pair<TWebNode*, const char*> rows[] = {
        {&r.Top(), "11000"}, {folder, "11110"}, {rssNamed, "11000"}, {site, "00111"}, {nullptr, "00000"}};
    for (const auto& [node, enabled] : rows) {
        r.Select(node);
        EXPECT_EQ(TWebWindows::Enabled(r.Rss.get(), Buttons), QLatin1String(enabled)) << (node ? "" : "none");
    }
    r.Select(rssNamed);
    EXPECT_TRUE(r.Rss->Tree()->DropOn(site));
    EXPECT_EQ(folder->IndexOf(rssNamed), 0);
    EXPECT_EQ(r.Server.Requests("/feed"), 0);  // a fresh site is not fetched on selection
}

TEST(RSSForm, FetchesWhenDueAndKeepsNewsOnFailure) {
    TReader r;
    TWebNode* site = r.AddSite(r.Top(), QStringLiteral("site"), "/feed");
    r.Select(site);  // never fetched: fetched now
    EXPECT_EQ(r.Server.Requests("/feed"), 1);
    EXPECT_EQ(r.Rows(), QStringLiteral("first,second"));
    EXPECT_EQ(r.Text("Label4") + r.Text("Label7"), QStringLiteral("(2)2026/04/01 12:00:00"));
    EXPECT_TRUE(r.Answers.Texts().isEmpty());

    // The news row shows its title and its text, markup as plain text.
    r.List()->setCurrentItem(r.List()->topLevelItem(0));
    EXPECT_EQ(r.Text("PanelTitle"), QStringLiteral("first"));
    EXPECT_EQ(TWebWindows::In<QPlainTextEdit>(r.Rss.get(), "RichEdit1")->toPlainText(),
              QStringLiteral("one\ntwo <b>bold</b>"));

    // Due after 300 s; Update fetches at once; failures keep the news and the last update, and say why.
    struct TStep { const char* Path; qint64 AddSeconds; bool Update; int Requests; };
    const TStep steps[] = {{"/feed", 300, false, 1}, {"/feed", 301, false, 2}, {"/feed", 0, true, 3},
                           {"/missing", 0, true, 3}, {"/silent", 0, true, 3}};
    for (const TStep& step : steps) {
        SCOPED_TRACE(std::string(step.Path) + " +" + std::to_string(step.AddSeconds));
        r.Answers.ClearLog();
        site->URL = r.Server.Url(step.Path).toString();
        const QString before = site->LastUpdate;
        r.Now = ParseFeedTime(before).addSecs(step.AddSeconds);
        if (step.Update)
            TWebWindows::Click(r.Rss.get(), "BitBtn5");
        else
            r.Select(&r.Top()), r.Rss->Tree()->SelectNode(site);
        r.WaitForFetch();
        const bool failed = QByteArray(step.Path) != "/feed";
        EXPECT_EQ(r.Server.Requests("/feed"), step.Requests);
        EXPECT_EQ(r.Rows(), QStringLiteral("first,second"));
        EXPECT_EQ(r.Answers.Texts().size(), failed ? 1 : 0);
        EXPECT_EQ(r.Answers.Texts().join(u'|').left(20), failed ? QStringLiteral("RSS Load Error. Msg=") : QString());
        EXPECT_TRUE(!failed || site->LastUpdate == before) << site->LastUpdate.toStdString();
    }
}

// A long description: the row holds its first lines, the pane the whole text.
TEST(RSSForm, LongDescriptionWholeInThePaneOnly) {
    TReader r;
    QStringList lines;
    QStringList shown;
    for (int i = 0; i < 6000; ++i) {
        lines << QStringLiteral("行%1 &lt;BR /&gt;text").arg(i);
        shown << QStringLiteral("行%1 \ntext").arg(i);
    }
    r.Server.Route("/long", TLoopbackRoute::Page("<?xml version=\"1.0\" encoding=\"UTF-8\"?><rss version=\"2.0\">"
                                                 "<channel><item><title>long</title><description>" +
                                                     lines.join(u'\n').toUtf8() + "</description></item></channel></rss>",
                                                 "application/rss+xml"));
    r.Select(r.AddSite(r.Top(), QStringLiteral("long"), "/long"));
    ASSERT_EQ(r.List()->topLevelItemCount(), 1);
    EXPECT_EQ(r.List()->topLevelItem(0)->text(2), QStringLiteral("行0 <BR />text\n行1 <BR />text\n行2 <BR />text…"));
    r.List()->setCurrentItem(r.List()->topLevelItem(0));
    auto* pane = TWebWindows::In<TLazyTextPane>(r.Rss.get(), "RichEdit1");
    QTRY_VERIFY_WITH_TIMEOUT(!pane->Filling(), 10000);
    EXPECT_EQ(pane->toPlainText(), shown.join(u'\n'));
    // Deselected: the pane empties and a fill still running stops.
    r.List()->clearSelection();
    EXPECT_TRUE(pane->toPlainText().isEmpty() && !pane->Filling());
}

TEST(RSSForm, SiteDeletedWhileItsFeedLoads) {
    TReader r;
    TWebNode* site = r.AddSite(r.Top(), QStringLiteral("gone"), "/feed");
    TWebNode* other = r.AddSite(r.Top(), QStringLiteral("other"), "/feed");
    other->LastUpdate = QStringLiteral("2026/04/01 12:00:00");
    r.Rss->Tree()->SelectNode(site);
    ASSERT_TRUE(r.Rss->Fetching());
    r.Answers.Answer(TMsgResult::Yes);
    TWebWindows::Click(r.Rss.get(), "BitBtn4");
    r.WaitForFetch();
    EXPECT_EQ(r.Top().ChildCount(), 1);
    EXPECT_TRUE(other->News.empty());
    EXPECT_EQ(r.Rss->ShownSite(), nullptr);
}

// A folder and a feed in it, added in the window, are there after a restart with their news.
TEST(RSSForm, NewUserRoundTrip) {
    TReader r;
    r.NextFolderName(QStringLiteral("料理ニュース"));
    r.Select(&r.Top());
    TWebWindows::Click(r.Rss.get(), "BitBtn1");
    ASSERT_EQ(r.Top().ChildCount(), 1);
    r.NextEntry(QStringLiteral("今日の献立"), r.Server.Url("/feed").toString());
    r.Select(r.Top().Child(0));
    TWebWindows::Click(r.Rss.get(), "BitBtn3");
    ASSERT_EQ(r.Top().Child(0)->ChildCount(), 1);
    r.Select(r.Top().Child(0)->Child(0));
    EXPECT_EQ(r.Rows(), QStringLiteral("first,second"));

    r.Restart();
    r.Prepare();
    ASSERT_EQ(r.Top().ChildCount(), 1);
    ASSERT_EQ(r.Top().Child(0)->ChildCount(), 1);
    EXPECT_EQ(r.Top().Child(0)->Title + r.Top().Child(0)->Child(0)->Title, QStringLiteral("料理ニュース今日の献立"));
    r.Now = r.Now.addSecs(60);  // not due: the stored news show
    r.Select(r.Top().Child(0)->Child(0));
    EXPECT_EQ(r.Server.Requests("/feed"), 1);
    EXPECT_EQ(r.Rows(), QStringLiteral("first,second"));
    EXPECT_TRUE(r.Answers.Texts().isEmpty()) << r.Answers.Texts().join(u'\n').toStdString();
}

}  // namespace
