#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>

#include "core/lan/access_log.h"
#include "core/lan/lan_reply_reader.h"
#include "core/lan/server_list.h"
#include "core/platform/saporia_error.h"
#include "core/platform/sjis.h"
#include "support/temp_app_dir.h"

namespace {

// Feeds the bytes in pieces of `step` and returns the state and the bytes taken.
std::pair<TLanReplyState, QByteArray> FeedInPieces(const QByteArray& bytes, qsizetype step) {
    TLanReplyReader reader;
    for (qsizetype i = 0; i < bytes.size(); i += step)
        reader.Feed(bytes.mid(i, step));
    return {reader.State(), reader.Bytes()};
}

}  // namespace

TEST(LanReplyReader, SameResultHoweverTheReplyIsCut) {
    using S = TLanReplyState;
    // {bytes, state at the end, bytes of the reply}
    const std::tuple<QByteArray, S, QByteArray> cases[] = {
        {"ERR:", S::Complete, "ERR:"},
        {"ERR:junk", S::Complete, "ERR:"},
        {"ER", S::NeedMore, "ER"},
        {"LST:", S::MaybeComplete, "LST:"},
        {R"(LST:"a","b",)", S::MaybeComplete, R"(LST:"a","b",)"},
        {R"(LST:"a","b)", S::NeedMore, R"(LST:"a","b)"},
        {R"(LST:"a""","b",)", S::MaybeComplete, R"(LST:"a""","b",)"},
        {R"(LST:"a,")", S::NeedMore, R"(LST:"a,")"},
        {R"(ITM:"","","","")", S::MaybeComplete, R"(ITM:"","","","")"},
        {R"(ITM:"","","","")" "X", S::Complete, R"(ITM:"","","","")"},
        // A comment ending in a quote: the doubled quote is part of the text.
        {R"(ITM:"a","b,""c""","QUJD","x""")", S::MaybeComplete, R"(ITM:"a","b,""c""","QUJD","x""")"},
        {R"(ITM:"a","b","QUJD","x"")", S::NeedMore, R"(ITM:"a","b","QUJD","x"")"},
        {R"(ITM:"a","b","c")", S::NeedMore, R"(ITM:"a","b","c")"},
        {"ITM:\"l1\r\nl2\",\"\",\"\",\"\"", S::MaybeComplete, "ITM:\"l1\r\nl2\",\"\",\"\",\"\""},
        {"XYZ:", S::MaybeComplete, "XYZ:"},
    };
    for (const auto& [bytes, state, reply] : cases) {
        for (const qsizetype step : {qsizetype(1), qsizetype(3), bytes.size()}) {
            const auto [gotState, gotBytes] = FeedInPieces(bytes, step);
            EXPECT_EQ(gotState, state) << bytes.toStdString() << " step " << step;
            EXPECT_EQ(gotBytes, reply) << bytes.toStdString() << " step " << step;
        }
    }
}

TEST(ServerList, RoundTripKeepsEveryEntry) {
    TTempAppDir app;
    const QString path = ServerListPath(app.AppDir());
    const TServerEntries cases[] = {
        {},
        {{"home", "192.168.0.2"}},
        {{"a, b", "host name"}, {"say \"hi\"", "\"q\""}, {"  ", " x "}, {QStringLiteral("台所のＰＣ"), "kitchen"}},
        {{"a,", ","}, {"\"", "\"\""}},
    };
    for (const TServerEntries& entries : cases) {
        WriteServerList(path, entries);
        EXPECT_EQ(ReadServerList(path), entries) << entries.size();
    }
}

TEST(ServerList, FileLayoutAndOddLines) {
    TTempAppDir app;
    const QString path = ServerListPath(app.AppDir());
    WriteServerList(path, {{QStringLiteral("台所"), "1.2.3.4"}, {"a\"b", "c"}});
    EXPECT_EQ(app.ReadBytes("ServerList.dat"), "\"" + ToSjis(QStringLiteral("台所")) + "\",\"1.2.3.4\"\r\n\"a\"\"b\",\"c\"\r\n");

    // {file bytes, entries}: one field keeps an empty address, a blank line is no entry.
    const std::pair<QByteArray, TServerEntries> reads[] = {
        {"\"only\"\r\n\"n\",\"a\"\r\n", {{"only", ""}, {"n", "a"}}},
        {"\r\n\"n\",\"a\",\"extra\"\n", {{"n", "a"}}},
        {"plain,1.2.3.4", {{"plain", "1.2.3.4"}}},
        {"", {}},
    };
    for (const auto& [bytes, entries] : reads) {
        app.WriteBytes("ServerList.dat", bytes);
        EXPECT_EQ(ReadServerList(path), entries) << bytes.toStdString();
    }
    EXPECT_TRUE(ReadServerList(app.Path("none.dat")).isEmpty());
    // A link leading nowhere cannot be read, so the list is never written through it.
    ASSERT_TRUE(QFile::link(app.Path("gone/ServerList.dat"), app.Path("link.dat")));
    EXPECT_THROW(ReadServerList(app.Path("link.dat")), TSaporiaError);
}

TEST(AccessLog, LinesArePaddedNotCut) {
    const QDateTime time(QDate(2026, 3, 4), QTime(5, 6, 7));
    const QString longName(30, 'h');
    const std::tuple<bool, QString, QString, QString> cases[] = {
        {true, "192.168.0.10", "kitchen",
         QStringLiteral("接続 2026/03/04 5:06:07       192.168.0.10   kitchen                  ")},
        {false, "127.0.0.1", longName,
         QStringLiteral("切断 2026/03/04 5:06:07       127.0.0.1      ") + longName},
    };
    for (const auto& [connect, address, host, line] : cases)
        EXPECT_EQ(AccessLogLine(connect, time, address, host), line);
}
