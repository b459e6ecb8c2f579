#include <gtest/gtest.h>

#include "core/platform/sjis.h"
#include "core/web/feed_parser.h"
#include "core/web/feed_time.h"

namespace {

QByteArray Rss10(const QByteArray& ns, const QByteArray& items) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\""
           " xmlns=\"" + ns + "\" xmlns:dc=\"http://purl.org/dc/elements/1.1/\">\n<channel><title>c</title>"
           "<item><title>nested</title></item></channel>\n" + items + "</rdf:RDF>";
}

QByteArray Rss2(const QByteArray& version, const QByteArray& items) {
    return "<?xml version=\"1.0\"?>\n<rss version=\"" + version + "\"><channel><title>c</title>\n" + items +
           "</channel><item><title>outside</title></item></rss>";
}

TEST(FeedParser, Forms) {
    const QByteArray ns = "http://purl.org/rss/1.0/";
    const QByteArray threeItems =
        "<item><dc:date>2026-01-01</dc:date><title>one</title><description>d1</description><link>l1</link></item>"
        "<item><title>two</title><description>d2</description></item>"
        "<item><link>l3</link><title>first</title><title>three</title></item>";
    const QByteArray twoItems =
        "<item><title>a</title><pubDate>Mon, 01 Jan 2026</pubDate><description><![CDATA[<b>x</b> & y]]>"
        "</description><link>http://a/</link><title>later</title></item>"
        "<item><dc:date>d</dc:date><title>b &amp; c</title></item>";
    struct TRow { const char* Name; QByteArray Feed; std::vector<TNewsItem> News; };
    const std::vector<TNewsItem> rss2News = {{"", "a", "<b>x</b> & y", "http://a/"}, {"d", "b & c", "", ""}};
    const TRow rows[] = {
        {"1.0", Rss10(ns, threeItems),
         {{"2026-01-01", "one", "d1", "l1"}, {"", "two", "d2", ""}, {"", "three", "", "l3"}}},
        {"1.0 without the final slash", Rss10("http://purl.org/rss/1.0", threeItems), {}},
        {"1.0 in other case", Rss10("HTTP://purl.org/RSS/1.0/", threeItems), {}},
        {"0.91", Rss2("0.91", twoItems), rss2News},
        {"2.0", Rss2("2.0", twoItems), rss2News},
        {"0.92", Rss2("0.92", twoItems), {}},
        {"atom", "<feed xmlns=\"http://www.w3.org/2005/Atom\"><entry><title>t</title></entry></feed>", {}},
        {"prefixed item", "<rss version=\"2.0\"><channel><x:item xmlns:x=\"u\"><title>t</title></x:item>"
                          "</channel></rss>", {}},
        {"both checks", "<rdf:RDF xmlns:rdf=\"r\" xmlns=\"http://purl.org/rss/1.0/\" version=\"2.0\">"
                        "<item><title>top</title></item><channel><item><title>chan</title></item></channel>"
                        "</rdf:RDF>", {{"", "top", "", ""}, {"", "chan", "", ""}}},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        const TFeedParseResult result = ParseFeed(row.Feed);
        EXPECT_TRUE(result.Ok) << result.Error.toStdString();
        EXPECT_EQ(result.News, row.News);
    }
}

TEST(FeedParser, Encodings) {
    const QString title = QStringLiteral("今日の献立～①");
    const QString feed = QStringLiteral("<rss version=\"2.0\"><channel><item><title>%1</title></item></channel></rss>")
                             .arg(title);
    const QString declared = QStringLiteral("<?xml version=\"1.0\" encoding=\"%1\"?>");
    for (const QByteArray& bytes : {ToSjis(declared.arg("Shift_JIS") + feed), (declared.arg("UTF-8") + feed).toUtf8(),
                                    "\xEF\xBB\xBF" + feed.toUtf8(), feed.toUtf8()}) {
        const TFeedParseResult result = ParseFeed(bytes);
        ASSERT_TRUE(result.Ok) << result.Error.toStdString();
        ASSERT_EQ(result.News.size(), 1u);
        EXPECT_EQ(result.News[0].title, title);
    }
}

TEST(FeedParser, MalformedIsAnError) {
    for (const QByteArray& bad : {QByteArray(), QByteArray("<html><body>Not found"), QByteArray("<rss version=\"2.0\">"),
                                 QByteArray("plain text"), QByteArray("<rss version=\"2.0\"><channel><item><title>a &"
                                                                      " b</title></item></channel></rss>")}) {
        const TFeedParseResult result = ParseFeed(bad);
        EXPECT_FALSE(result.Ok) << bad.toStdString();
        EXPECT_FALSE(result.Error.isEmpty());
        EXPECT_TRUE(result.News.empty());
    }
}

TEST(FeedTime, Staleness) {
    const QDateTime fetched(QDate(2026, 3, 4), QTime(9, 5, 7));
    const QString stored = FormatFeedTime(fetched);
    EXPECT_EQ(stored, QStringLiteral("2026/03/04 9:05:07"));
    struct TRow { QString LastUpdate; qint64 AgeMs; bool Due; };
    const QString zero = QStringLiteral("2026/03/04 09:05:07");  // a leading zero in the hour
    const TRow rows[] = {
        {stored, 300000, false}, {stored, 300672, false}, {stored, 300673, true}, {stored, 301000, true},
        {zero, 300000, false},   {zero, 301000, true},
        {QString(), 0, true},  // never fetched; unreadable is as never fetched
        {QStringLiteral("2026年3月4日"), 0, true}, {QStringLiteral("4.3.2026 9:05:07"), 0, true},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.LastUpdate.toStdString() + " +" + std::to_string(row.AgeMs));
        EXPECT_EQ(FeedDue(row.LastUpdate, fetched.addMSecs(row.AgeMs)), row.Due);
    }
    EXPECT_EQ(ParseFeedTime(QStringLiteral("2026/12/31 23:59:59")), QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59)));
}

}  // namespace
