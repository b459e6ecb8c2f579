#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "core/platform/saporia_error.h"
#include "core/platform/sjis.h"
#include "core/web/tree_store.h"
#include "support/small_disk.h"
#include "support/temp_app_dir.h"

namespace {

// A compact description of a tree, to compare trees in one line.
QString Describe(const TWebNode& node) {
    QString text = QStringLiteral("%1[%2|%3|%4").arg(int(node.Kind)).arg(node.Title, node.URL, node.LastUpdate);
    for (const TNewsItem& n : node.News)
        text += QStringLiteral("{%1|%2|%3|%4}").arg(n.lastupdate, n.title, n.description, n.link);
    for (const auto& child : node.Children())
        text += Describe(*child);
    return text + u']';
}

std::unique_ptr<TWebNode> RoundTrip(const TWebNode& top, TStoreKind kind) {
    return StoreFromBytes(StoreToBytes(top, kind), kind);
}

TWebNode* Site(TWebNode& parent, const QString& title, const QString& url, const QString& last,
               std::vector<TNewsItem> news = {}) {
    TWebNode* site = parent.Append(std::make_unique<TWebNode>(TWebNodeKind::Site, title, url));
    site->LastUpdate = last;
    site->News = std::move(news);
    return site;
}

TEST(TreeStore, RoundTripsEveryText) {
    const QString awkward[] = {
        QStringLiteral("a & b"),     QStringLiteral("say \"hi\""), QStringLiteral("x < y > z"), QStringLiteral("tab\there"),
        QStringLiteral("l1\r\nl2"), QStringLiteral("lone\nfeed"),  QStringLiteral("cr\ronly"),  QStringLiteral("'apos' &amp;"),
        QStringLiteral("①～"),       QStringLiteral("emoji 😀"),
    };
    for (const QString& text : awkward) {
        SCOPED_TRACE(text.toStdString());
        auto rss = DefaultStoreTree(TStoreKind::Rss);
        TWebNode* folder = rss->Append(std::make_unique<TWebNode>(TWebNodeKind::Folder, text));
        folder->Append(std::make_unique<TWebNode>(TWebNodeKind::Folder, QStringLiteral("empty")));
        Site(*folder, text, QStringLiteral("http://h/?a=1&b=") + text, QStringLiteral("2026/01/02 3:04:05"),
             {{text, text, text, text}, {QString(), QStringLiteral("t"), QString(), QStringLiteral("l")}});
        Site(*rss, QStringLiteral("never"), QStringLiteral("http://n/"), QString());
        EXPECT_EQ(Describe(*RoundTrip(*rss, TStoreKind::Rss)), Describe(*rss));

        auto bookmarks = DefaultStoreTree(TStoreKind::Bookmark);
        TWebNode* sub = bookmarks->Append(std::make_unique<TWebNode>(TWebNodeKind::Folder, text));
        sub->Append(std::make_unique<TWebNode>(TWebNodeKind::Bookmark, text, text));
        bookmarks->Append(std::make_unique<TWebNode>(TWebNodeKind::Bookmark, QStringLiteral("b"), QStringLiteral("u")));
        EXPECT_EQ(Describe(*RoundTrip(*bookmarks, TStoreKind::Bookmark)), Describe(*bookmarks));
    }
}

TEST(TreeStore, WritesTheStoredForm) {
    auto bookmarks = DefaultStoreTree(TStoreKind::Bookmark);
    TWebNode* folder = bookmarks->Append(std::make_unique<TWebNode>(TWebNodeKind::Folder, QStringLiteral("料理")));
    folder->Append(std::make_unique<TWebNode>(TWebNodeKind::Bookmark, QStringLiteral("A&B"), QStringLiteral("http://x/")));
    bookmarks->Append(std::make_unique<TWebNode>(TWebNodeKind::Folder, QStringLiteral("空")));
    EXPECT_EQ(FromSjis(StoreToBytes(*bookmarks, TStoreKind::Bookmark)),
              QStringLiteral("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<Document><Folder Name=\"BOOKMARK\">"
                             "<Folder Name=\"料理\"><Item><Title>A@#38;B</Title><URL>http://x/</URL></Item></Folder>"
                             "<Folder Name=\"空\"></Folder></Folder></Document>"));

    auto rss = DefaultStoreTree(TStoreKind::Rss);
    Site(*rss, QStringLiteral("s"), QStringLiteral("u"), QString(),
         {{QStringLiteral("d"), QStringLiteral("t"), QStringLiteral("a\r\n<br />"), QStringLiteral("l")}});
    EXPECT_EQ(FromSjis(StoreToBytes(*rss, TStoreKind::Rss)),
              QStringLiteral("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<Document><Folder Name=\"RSS\"><Item>"
                             "<Title>s</Title><URL>u</URL><LastUpdate></LastUpdate><News><Item><lastupdate>d"
                             "</lastupdate><title>t</title><description>a@#13;@#10;@#60;br /@#62;</description>"
                             "<link>l</link></Item></News></Item></Folder></Document>"));
}

TEST(TreeStore, DropsWhatXmlCannotHold) {
    auto bookmarks = DefaultStoreTree(TStoreKind::Bookmark);
    bookmarks->Append(std::make_unique<TWebNode>(TWebNodeKind::Folder, QStringLiteral("a") + QChar(1) + u'b'))
        ->Append(std::make_unique<TWebNode>(TWebNodeKind::Bookmark, QStringLiteral("c") + QChar(0x1F) + u'd', QStringLiteral("u")));
    const auto read = RoundTrip(*bookmarks, TStoreKind::Bookmark);
    EXPECT_EQ(read->Child(0)->Title, QStringLiteral("ab"));
    EXPECT_EQ(read->Child(0)->Child(0)->Title, QStringLiteral("cd"));
}

TEST(TreeStore, ReadsHandIndentedAndOddFiles) {
    const QString oneLine = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?><Document><Folder Name=\"RSS\"><Folder Name=\"f\"><Item>"
        "<Title>s</Title><URL>u</URL><LastUpdate>2026/01/02 3:04:05</LastUpdate><News><Item><lastupdate>d"
        "</lastupdate><title>t</title><description>x</description><link>l</link></Item></News></Item></Folder>"
        "</Folder></Document>");
    const QString indented = QString(oneLine).replace("><", ">\r\n\t<") + "\r\n";
    const auto a = StoreFromBytes(ToSjis(oneLine), TStoreKind::Rss);
    const auto b = StoreFromBytes(ToSjis(indented), TStoreKind::Rss);
    EXPECT_EQ(Describe(*a), Describe(*b));
    EXPECT_EQ(a->Count(), 3);
    // The five-line default document is one empty top folder.
    const auto def = StoreFromBytes(ToSjis(QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<Document>\r\n\t<Folder Name=\"BOOKMARK\">\r\n"
        "\t</Folder>\r\n</Document>")), TStoreKind::Bookmark);
    EXPECT_EQ(def->Title, QStringLiteral("BOOKMARK"));
    EXPECT_EQ(def->ChildCount(), 0);
    // Any other element in a folder is an entry with empty missing fields.
    const auto odd = StoreFromBytes("<Document><Folder Name=\"B\"><Link><Title>t</Title></Link></Folder></Document>",
                                    TStoreKind::Bookmark);
    ASSERT_EQ(odd->ChildCount(), 1);
    EXPECT_EQ(odd->Child(0)->Kind, TWebNodeKind::Bookmark);
    EXPECT_EQ(odd->Child(0)->URL, QString());
    for (const char* bad : {"", "<Document>", "<Document></Document>", "<Document><Folder Name=\"a\"></Document>"})
        EXPECT_THROW(StoreFromBytes(bad, TStoreKind::Rss), TSaporiaError) << bad;
}

TEST(TreeStore, FileLifeCycle) {
    struct TRow { const char* Name; QByteArray Existing; bool Backup, Error; int Nodes; };  // Existing null: no file
    const QByteArray good = ToSjis(QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<Document><Folder Name=\"BOOKMARK\"><Item><Title>t"
        "</Title><URL>http://u/</URL></Item></Folder></Document>"));
    const TRow rows[] = {
        {"missing", QByteArray(), false, false, 1},
        {"good", good, true, false, 2},
        {"unreadable", "<Document><Folder Name=\"BOOKMARK\"><Item>", false, true, 1},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        TTempAppDir dir;
        const QString path = dir.Path(QStringLiteral("Bookmark.dat"));
        if (!row.Existing.isNull())
            dir.WriteBytes(QStringLiteral("Bookmark.dat"), row.Existing);
        TTreeStore store(path, TStoreKind::Bookmark);
        store.Load();
        EXPECT_EQ(dir.ReadBytes(QStringLiteral("Bookmark.dat.tmp")), row.Backup ? good : QByteArray());
        EXPECT_EQ(store.LoadError().isEmpty(), !row.Error);
        EXPECT_EQ(store.Top().Count(), row.Nodes);

        store.Top().Append(std::make_unique<TWebNode>(TWebNodeKind::Bookmark, QStringLiteral("new"),
                                                      QStringLiteral("http://n/")));
        store.Save();
        // The unreadable file is kept aside, never written over.
        EXPECT_EQ(dir.ReadBytes(QStringLiteral("Bookmark.dat.bad")), row.Error ? row.Existing : QByteArray());
        TTreeStore again(path, TStoreKind::Bookmark);
        again.Load();
        EXPECT_TRUE(again.LoadError().isEmpty());
        EXPECT_EQ(Describe(again.Top()), Describe(store.Top()));
    }
}

// An unparsed store moves to the first name nothing has, one taken after the
// start included; what had a name keeps it, and with no name left the store
// stays where it is and nothing is written.
TEST(TreeStore, SetAsideTakesTheFirstFreeNameAndReplacesNothing) {
    QStringList all;
    for (int n = 1; n <= 99; ++n)
        all << (n == 1 ? QStringLiteral(".bad") : QStringLiteral(".bad%1").arg(n));
    struct TRow { const char* What; QStringList Taken, TakenAfterLoad; QString Into; };  // Into empty: left
    const TRow rows[] = {
        {"none taken", {}, {}, ".bad"},
        {"a gap", {".bad", ".bad3"}, {}, ".bad2"},
        {"a folder and a link to nowhere", {".bad/", ".bad2@"}, {}, ".bad3"},
        {"taken after the start", {".bad"}, {".bad2"}, ".bad3"},
        {"every name taken", all, {}, ""},
    };
    const QByteArray unparsed = "<Document><Folder Name=\"BOOKMARK\">";
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.What);
        TTempAppDir dir;
        const QString path = dir.Path(QStringLiteral("Bookmark.dat"));
        dir.WriteBytes(QStringLiteral("Bookmark.dat"), unparsed);
        const auto take = [&](const QStringList& names) {
            for (const QString& name : names) {
                if (name.endsWith(u'/'))
                    QDir().mkpath(path + name);
                else if (name.endsWith(u'@'))
                    QFile::link(dir.Path(QStringLiteral("nowhere")), path + name.chopped(1));
                else
                    dir.WriteBytes(QStringLiteral("Bookmark.dat") + name, name.toUtf8());
            }
        };
        take(row.Taken);
        TTreeStore store(path, TStoreKind::Bookmark);
        store.Load();
        take(row.TakenAfterLoad);
        EXPECT_TRUE(store.LoadError().contains(row.Into.isEmpty() ? QStringLiteral("そのまま残し")
                                                                  : QStringLiteral("Bookmark.dat.bad")))
            << store.LoadError().toStdString();
        store.Top().Append(std::make_unique<TWebNode>(TWebNodeKind::Bookmark, QStringLiteral("t"), QStringLiteral("u")));
        EXPECT_NO_THROW(store.Save());
        for (const QString& name : row.Taken + row.TakenAfterLoad) {
            if (!name.endsWith(u'/') && !name.endsWith(u'@')) {
                EXPECT_EQ(dir.ReadBytes(QStringLiteral("Bookmark.dat") + name), name.toUtf8());
            }
        }
        EXPECT_FALSE(QFileInfo::exists(dir.Path(QStringLiteral("nowhere"))));
        if (row.Into.isEmpty()) {
            EXPECT_EQ(dir.ReadBytes(QStringLiteral("Bookmark.dat")), unparsed);
            continue;
        }
        EXPECT_EQ(dir.ReadBytes(QStringLiteral("Bookmark.dat") + row.Into), unparsed);
        EXPECT_EQ(Describe(*StoreFromBytes(dir.ReadBytes(QStringLiteral("Bookmark.dat")), TStoreKind::Bookmark)),
                  Describe(store.Top()));
    }
}

// A store that is a link leading nowhere cannot be opened: it stays a link,
// and no store appears where it leads.
TEST(TreeStore, ALinkToNowhereIsLeftAlone) {
    TTempAppDir dir;
    const QString path = dir.Path(QStringLiteral("RSS.dat"));
    ASSERT_TRUE(QFile::link(dir.Path(QStringLiteral("gone/RSS.dat")), path));
    ASSERT_TRUE(QDir().mkpath(dir.Path(QStringLiteral("gone"))));
    TTreeStore store(path, TStoreKind::Rss);
    store.Load();
    EXPECT_TRUE(store.LoadError().contains(QStringLiteral("そのまま残し"))) << store.LoadError().toStdString();
    store.Save();
    EXPECT_TRUE(QFileInfo(path).isSymLink());
    EXPECT_FALSE(QFileInfo::exists(dir.Path(QStringLiteral("gone/RSS.dat"))));
    EXPECT_EQ(QDir(dir.AppDir()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot).join(u',').toStdString(),
              "gone,RSS.dat");
}

// Bytes CP932 reads but writes back otherwise: 0xEE40 and 0xEE62 come back as
// 0xFB5C and 0xFB7E, so a byte kept before them would join the new bytes into
// another character. Whatever the reader takes, the next save writes back.
TEST(TreeStore, NamesWithBytesCp932WritesOtherwiseStillSave) {
    const QByteArray names[] = {"\xEE\xEE\x40", "\xEE\xEE\x62", "a\xEE\xEE\x40\xEE", "\x82\x82\xA0"};
    for (const TStoreKind kind : {TStoreKind::Rss, TStoreKind::Bookmark}) {
        for (const QByteArray& name : names) {
            SCOPED_TRACE(name.toHex().toStdString());
            TTempAppDir dir;
            const QString path = dir.Path(StoreFileName(kind));
            dir.WriteBytes(StoreFileName(kind), "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?><Document><Folder Name=\"" +
                                                    name + "\"><Item><Title>" + name + "</Title><LastUpdate>" + name +
                                                    "</LastUpdate></Item></Folder></Document>");
            TTreeStore store(path, kind);
            store.Load();
            ASSERT_TRUE(store.LoadError().isEmpty()) << store.LoadError().toStdString();
            EXPECT_EQ(store.Top().Title, FromSjis(name));
            store.Save();
            TTreeStore again(path, kind);
            again.Load();
            EXPECT_TRUE(again.LoadError().isEmpty());
            EXPECT_EQ(Describe(again.Top()), Describe(store.Top()));
        }
    }
}

// A disk too full for the backup at start: the store is read all the same,
// and the failure is the backup's, not the load's.
TEST(TreeStore, AFullDiskCostsTheBackupNotTheStore) {
    TSmallDisk disk(64);
    if (!disk.Available())
        GTEST_SKIP() << "no small file system here";
    const QString path = disk.Root() + QStringLiteral("Bookmark.dat");
    auto tree = DefaultStoreTree(TStoreKind::Bookmark);
    tree->Append(std::make_unique<TWebNode>(TWebNodeKind::Bookmark, QStringLiteral("料理"), QStringLiteral("http://r/")));
    const QByteArray bytes = StoreToBytes(*tree, TStoreKind::Bookmark);
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }
    disk.Fill();
    TTreeStore store(path, TStoreKind::Bookmark);
    store.Load();
    EXPECT_TRUE(store.LoadError().isEmpty()) << store.LoadError().toStdString();
    EXPECT_TRUE(store.BackupError().contains(QStringLiteral("Bookmark.dat のバックアップを作れません")))
        << store.BackupError().toStdString();
    EXPECT_TRUE(store.BackupError().contains(path + QStringLiteral(".tmp")));
    EXPECT_EQ(Describe(store.Top()), Describe(*tree));
    EXPECT_FALSE(QFile::exists(path + QStringLiteral(".tmp")));
}

}  // namespace
