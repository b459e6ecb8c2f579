#include <gtest/gtest.h>

#include <QLabel>
#include <QSignalSpy>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeWidget>

#include "core/web/feed_time.h"
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
    const struct {
        TWebNode* Node;
        const char* Enabled;
    } rows[] = {{&r.Top(), "11000"}, {folder, "11110"}, {rssNamed, "11000"}, {site, "00111"}, {nullptr, "00000"}};
    for (const auto& row : rows) {
        r.Select(row.Node);
        EXPECT_EQ(TWebWindows::Enabled(r.Rss.get(), Buttons), QLatin1String(row.Enabled))
            << (row.Node ? row.Node->Title.toStdString() : "none");
        if (!row.Node || row.Node->IsFolder()) {
            EXPECT_EQ(r.Text("Label4") + r.Text("Label7"), QStringLiteral("(-)----/--/-- --:--:--"));
        }
    }
    // The top folder stays open; the drag of the top is refused, a user "RSS" folder moves.
    r.Rss->Tree()->collapseItem(r.Rss->Tree()->ItemOf(&r.Top()));
    EXPECT_TRUE(r.Rss->Tree()->ItemOf(&r.Top())->isExpanded());
    r.Select(&r.Top());
    EXPECT_FALSE(r.Rss->Tree()->DropOn(folder));
    r.Select(rssNamed);
    EXPECT_TRUE(r.Rss->Tree()->DropOn(site));
    EXPECT_EQ(folder->IndexOf(rssNamed), 0);
    EXPECT_EQ(r.Server.Requests("/feed"), 0);
}

TEST(RSSForm, FetchesWhenDueAndKeepsNewsOnFailure) {
    TReader r;
    TWebNode* site = r.AddSite(r.Top(), QStringLiteral("site"), "/feed");
    r.Select(site);  // never fetched: fetched now
    EXPECT_EQ(r.Server.Requests("/feed"), 1);
    EXPECT_EQ(r.Rows(), QStringLiteral("first,second"));
    EXPECT_EQ(r.Text("Label4"), QStringLiteral("(2)"));
    EXPECT_EQ(r.Text("Label7"), QStringLiteral("2026/04/01 12:00:00"));
    EXPECT_TRUE(r.Answers.Texts().isEmpty());

    // The news row shows its title and its text, markup as plain text.
    auto* hint = TWebWindows::In<QLabel>(r.Rss.get(), "Label6");
    EXPECT_FALSE(TWebWindows::In<QToolButton>(r.Rss.get(), "SpeedButton2")->isEnabled());
    r.List()->setCurrentItem(r.List()->topLevelItem(0));
    EXPECT_TRUE(TWebWindows::In<QToolButton>(r.Rss.get(), "SpeedButton2")->isEnabled());
    EXPECT_FALSE(hint->isHidden());
    EXPECT_EQ(r.Text("PanelTitle"), QStringLiteral("first"));
    EXPECT_EQ(TWebWindows::In<QTextEdit>(r.Rss.get(), "RichEdit1")->toPlainText(),
              QStringLiteral("one\ntwo <b>bold</b>"));

    struct TStep {
        const char* Name;
        qint64 AddSeconds;
        const char* Then;  // "select" or "update"
        int Requests;
    };
    const TStep steps[] = {
        {"300 s later", 300, "select", 1},
        {"301 s later", 301, "select", 2},
        {"update at once", 0, "update", 3},
    };
    for (const TStep& step : steps) {
        SCOPED_TRACE(step.Name);
        const QDateTime stamp = ParseFeedTime(site->LastUpdate);
        r.Now = stamp.addSecs(step.AddSeconds);
        if (QLatin1String(step.Then) == u"select") {
            r.Select(&r.Top());
            r.Select(site);
        } else {
            TWebWindows::Click(r.Rss.get(), "BitBtn5");
            r.WaitForFetch();
        }
        EXPECT_EQ(r.Server.Requests("/feed"), step.Requests);
        EXPECT_EQ(r.Rows(), QStringLiteral("first,second"));
    }

    // Failures keep the news and the last update, and say why.
    const QString before = site->LastUpdate;
    for (const QByteArray& path : {QByteArray("/missing"), QByteArray("/silent")}) {
        SCOPED_TRACE(path.toStdString());
        r.Answers.ClearLog();
        site->URL = r.Server.Url(path).toString();
        TWebWindows::Click(r.Rss.get(), "BitBtn5");
        r.WaitForFetch();
        ASSERT_EQ(r.Answers.Texts().size(), 1);
        EXPECT_TRUE(r.Answers.Texts().first().startsWith(QStringLiteral("RSS Load Error. Msg=")));
        EXPECT_EQ(r.Rows(), QStringLiteral("first,second"));
        EXPECT_EQ(site->LastUpdate, before);
    }
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

TEST(RSSForm, NewUserRoundTrip) {
    TReader r;
    // A folder, a feed in it, its news; then two bookmarks in a folder.
    r.Select(&r.Top());
    r.NextFolderName(QStringLiteral("料理ニュース"));
    TWebWindows::Click(r.Rss.get(), "BitBtn1");
    TWebNode* folder = ChildNamed(r.Top(), QStringLiteral("料理ニュース"));
    ASSERT_NE(folder, nullptr);
    r.Select(folder);
    r.NextEntry(QStringLiteral("今日の献立"), r.Server.Url("/feed").toString());
    TWebWindows::Click(r.Rss.get(), "BitBtn3");
    ASSERT_EQ(folder->ChildCount(), 1);
    r.Select(folder->Child(0));
    EXPECT_EQ(r.Rows(), QStringLiteral("first,second"));

    r.BookMarks->show();
    TWebNode& marks = r.BookMarks->Store().Top();
    r.BookMarks->Tree()->SelectNode(&marks);
    r.NextFolderName(QStringLiteral("レシピ"));
    TWebWindows::Click(r.BookMarks.get(), "BitBtn1");
    TWebNode* recipes = ChildNamed(marks, QStringLiteral("レシピ"));
    ASSERT_NE(recipes, nullptr);
    for (const char* name : {"一つ目", "二つ目"}) {
        r.BookMarks->Tree()->SelectNode(recipes);
        r.NextEntry(QString::fromUtf8(name), QStringLiteral("http://example.com/") + QString::fromUtf8(name));
        TWebWindows::Click(r.BookMarks.get(), "BitBtn3");
    }
    r.BookMarks->hide();

    r.Restart();
    r.Prepare();
    TWebNode* folderAgain = ChildNamed(r.Rss->Store().Top(), QStringLiteral("料理ニュース"));
    ASSERT_NE(folderAgain, nullptr);
    ASSERT_EQ(folderAgain->ChildCount(), 1);
    r.Now = r.Now.addSecs(60);  // not due: the stored news show
    r.Select(folderAgain->Child(0));
    EXPECT_EQ(r.Server.Requests("/feed"), 1);
    EXPECT_EQ(r.Rows(), QStringLiteral("first,second"));
    TWebNode* recipesAgain = ChildNamed(r.BookMarks->Store().Top(), QStringLiteral("レシピ"));
    ASSERT_NE(recipesAgain, nullptr);
    ASSERT_EQ(recipesAgain->ChildCount(), 2);
    EXPECT_EQ(recipesAgain->Child(1)->URL, QStringLiteral("http://example.com/二つ目"));
    EXPECT_TRUE(r.Answers.Texts().isEmpty()) << r.Answers.Texts().join(u'\n').toStdString();
}

}  // namespace
