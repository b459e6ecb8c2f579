#include <gtest/gtest.h>

#include <QTreeWidget>

#include "core/web/feed_time.h"
#include "web_fixture.h"

// Editing the site on show: the right side takes the new title and address
// at once, the stored news stay and nothing is fetched.
TEST(WebTreeEditor, EditedRssSiteIsShownAgainWithItsNews) {
    TWebWindows w;
    const QDateTime now(QDate(2026, 4, 1), QTime(12, 0, 0));
    w.Rss->SetClock([now] { return now; });
    w.Rss->show();
    auto site = std::make_unique<TWebNode>(TWebNodeKind::Site, QStringLiteral("old"),
                                           QStringLiteral("http://127.0.0.1:9/old"));
    site->LastUpdate = FormatFeedTime(now);
    site->News.push_back({QStringLiteral("2026/04/01"), QStringLiteral("kept"), QString(), QString()});
    TWebNode* node = w.Rss->Store().Top().Append(std::move(site));
    w.Rss->Tree()->Refresh(nullptr);
    w.Rss->Tree()->SelectNode(node);
    ASSERT_EQ(w.Rss->ShownSite(), node);

    w.NextEntry(QStringLiteral("新しい名前"), QStringLiteral("http://example.com/rss"));
    TWebWindows::Click(w.Rss.get(), "BitBtn2");
    EXPECT_EQ(node->Title, QStringLiteral("新しい名前"));
    EXPECT_EQ(TWebWindows::In<QLineEdit>(w.Rss.get(), "Edit1")->text(), QStringLiteral("新しい名前"));
    EXPECT_EQ(TWebWindows::In<QLineEdit>(w.Rss.get(), "Edit2")->text(), QStringLiteral("http://example.com/rss"));
    auto* news = TWebWindows::In<QTreeWidget>(w.Rss.get(), "RSSListView");
    ASSERT_EQ(news->topLevelItemCount(), 1);
    EXPECT_EQ(news->topLevelItem(0)->text(1), QStringLiteral("kept"));
    EXPECT_FALSE(w.Rss->Fetching());
}
