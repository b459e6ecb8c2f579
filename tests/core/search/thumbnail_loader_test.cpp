#include <gtest/gtest.h>

#include <sys/stat.h>
#include <utime.h>

#include <functional>
#include <map>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSignalSpy>

#include "core/search/thumbnail_cache.h"
#include "core/search/thumbnail_loader.h"
#include "core/search/thumbnails.h"
#include "support/recipe_fixture.h"
#include "support/temp_app_dir.h"

namespace {

void SetModified(const QString& path, time_t seconds) {
    const utimbuf times{seconds, seconds};
    ASSERT_EQ(utime(QFile::encodeName(path).constData(), &times), 0);
}

// Runs the loader's batch to its end and collects what it reported.
std::map<int, QImage> RunToEnd(TThumbnailLoader& loader, QSignalSpy& loaded) {
    for (int turn = 0; turn < 1000 && loader.Busy(); ++turn) {
        loader.WaitForDone();
        QCoreApplication::processEvents();
    }
    std::map<int, QImage> results;
    for (const QList<QVariant>& args : loaded) {
        const int slot = args.at(0).toInt();
        EXPECT_EQ(results.count(slot), 0u) << "slot reported twice: " << slot;
        results[slot] = args.at(1).value<QImage>();
    }
    return results;
}

QStringList WritePhotos(const TTempAppDir& dir, int count) {
    QStringList paths;
    for (int i = 0; i < count; ++i) {
        const QString name = QStringLiteral("p%1.jpg").arg(i);
        dir.WriteBytes(name, SmallJpeg(160 + i % 5 * 40, 120, QColor(i * 5 % 256, 90, 200)));
        paths << dir.Path(name);
    }
    return paths;
}

}  // namespace

// A thumbnail is found again only for the version of the photo it was made from.
TEST(ThumbnailCache, FindsAThumbnailOnlyForTheSameVersionOfThePhoto) {
    struct TRow {
        const char* change;
        std::function<void(const QString&)> apply;
        bool hit;
    };
    const std::vector<TRow> rows = {
        {"nothing", [](const QString&) {}, true},
        {"touched", [](const QString& p) { SetModified(p, 1700000100); }, false},
        {"same time, other size",
         [](const QString& p) {
             QFile f(p);
             ASSERT_TRUE(f.open(QIODevice::Append));
             f.write("xx");
             f.close();
             SetModified(p, 1700000000);
         },
         false},
        {"removed", [](const QString& p) { QFile::remove(p); }, false},
    };
    for (const TRow& row : rows) {
        TTempAppDir dir;
        dir.WriteBytes("写真.jpg", SmallJpeg(80, 60));
        const QString path = dir.Path("写真.jpg");
        SetModified(path, 1700000000);
        TThumbnailCache cache;
        const QImage picture = MakeThumbnailImage(path);
        cache.Insert(path, PhotoStampOf(path), picture);
        row.apply(path);
        const std::optional<QImage> found = cache.Find(path, PhotoStampOf(path));
        EXPECT_EQ(found.has_value(), row.hit) << row.change;
        if (found) {
            EXPECT_EQ(*found, picture) << row.change;
        }
    }
}

// The budget holds whatever is inserted; what was used last stays longest.
TEST(ThumbnailCache, StaysWithinItsBudgetDroppingTheLeastRecentlyUsed) {
    const QImage picture(60, 45, QImage::Format_RGB32);
    const qint64 each = TThumbnailCache::CostOf(QStringLiteral("/p/00.jpg"), picture);
    TThumbnailCache cache(each * 10);
    const TPhotoStamp stamp{100, 1};
    auto path = [](int i) { return QStringLiteral("/p/%1.jpg").arg(i, 2, 10, QLatin1Char('0')); };
    for (int i = 0; i < 30; ++i) {
        cache.Insert(path(i), stamp, picture);
        EXPECT_LE(cache.Bytes(), cache.BudgetBytes());
        if (i >= 20) {
            EXPECT_TRUE(cache.Find(path(20), stamp).has_value());  // kept in use
        }
    }
    EXPECT_EQ(cache.Count(), 10);
    cache.Insert(path(30), stamp, picture);  // pushes out 21, not 20
    EXPECT_TRUE(cache.Find(path(29), stamp).has_value());
    EXPECT_FALSE(cache.Find(path(21), stamp).has_value());
    EXPECT_TRUE(cache.Find(path(20), stamp).has_value());
    EXPECT_FALSE(cache.Find(path(0), stamp).has_value());
    // A picture larger than the whole budget is not kept, and pushes nothing out.
    cache.Insert(QStringLiteral("/p/huge.jpg"), stamp, QImage(400, 400, QImage::Format_RGB32));
    EXPECT_FALSE(cache.Find(QStringLiteral("/p/huge.jpg"), stamp).has_value());
    EXPECT_EQ(cache.Count(), 10);
}

// An unchanged photo is not read again, even when its bytes were swapped
// behind the cache's back; a touched one is, and a bad one is remembered as bad.
TEST(ThumbnailCache, CachedDecodeReadsAPhotoOnlyWhenItChanged) {
    TTempAppDir dir;
    const QByteArray good = SmallJpeg(120, 90, Qt::red);
    dir.WriteBytes("写真.jpg", good);
    const QString path = dir.Path("写真.jpg");
    SetModified(path, 1700000000);
    TThumbnailCache cache;
    const QImage first = CachedThumbnailImage(cache, path);
    ASSERT_EQ(first.size(), QSize(60, 45));

    QByteArray junk(good.size(), 'j');
    dir.WriteBytes("写真.jpg", junk);
    SetModified(path, 1700000000);
    EXPECT_EQ(CachedThumbnailImage(cache, path), first);  // same stamp: not read

    SetModified(path, 1700000005);
    EXPECT_TRUE(CachedThumbnailImage(cache, path).isNull());
    const std::optional<QImage> remembered = cache.Find(path, PhotoStampOf(path));
    ASSERT_TRUE(remembered.has_value());
    EXPECT_TRUE(remembered->isNull());
}

// Workers give each slot exactly the picture one thread decodes, broken and
// missing files included.
TEST(ThumbnailLoader, ReportsWhatASingleThreadDecodes) {
    TTempAppDir dir;
    QStringList paths = WritePhotos(dir, 40);
    dir.WriteBytes("broken.jpg", QByteArray("\xFF\xD8\xFF\xE0 cut short"));
    paths.insert(7, dir.Path("broken.jpg"));
    paths.insert(20, dir.Path("missing.jpg"));
    dir.WriteBytes("tall.jpg", SmallJpeg(30, 400, Qt::green));
    paths.append(dir.Path("tall.jpg"));

    TThumbnailCache cache;
    TThumbnailLoader loader(cache, 4);
    QSignalSpy loaded(&loader, &TThumbnailLoader::Loaded);
    QSignalSpy finished(&loader, &TThumbnailLoader::Finished);
    loader.Start(paths);
    const std::map<int, QImage> results = RunToEnd(loader, loaded);
    ASSERT_EQ(results.size(), static_cast<size_t>(paths.size()));
    for (int i = 0; i < paths.size(); ++i)
        EXPECT_EQ(results.at(i), MakeThumbnailImage(paths[i])) << paths[i].toStdString();
    EXPECT_TRUE(results.at(7).isNull());
    EXPECT_TRUE(results.at(20).isNull());
    EXPECT_EQ(results.at(paths.size() - 1).size(), QSize(4, 60));
    EXPECT_EQ(finished.count(), 1);
}

// A cancelled batch reports nothing, stops early, and the next batch is
// reported whole.
TEST(ThumbnailLoader, CancelledBatchReportsNothingAndStopsEarly) {
    TTempAppDir dir;
    const QStringList paths = WritePhotos(dir, 150);
    TThumbnailCache cache;
    TThumbnailLoader loader(cache, 1);
    QSignalSpy loaded(&loader, &TThumbnailLoader::Loaded);
    QSignalSpy finished(&loader, &TThumbnailLoader::Finished);
    loader.Start(paths);
    loader.Cancel();
    RunToEnd(loader, loaded);
    EXPECT_EQ(loaded.count(), 0);
    EXPECT_EQ(finished.count(), 0);
    EXPECT_LT(cache.Count(), 100);

    // A new batch cancels the old one too.
    loader.Start(paths);
    loader.Start(paths.mid(140));
    const std::map<int, QImage> results = RunToEnd(loader, loaded);
    ASSERT_EQ(results.size(), 10u);
    EXPECT_EQ(results.rbegin()->first, 9);
    EXPECT_EQ(results.at(9), MakeThumbnailImage(paths[149]));
    EXPECT_EQ(finished.count(), 1);
}

// The strip's places: the photo in any letter case, no FIFO, no missing
// file; a photo found bad once is left out at once next time.
TEST(ThumbnailPlan, PlacesSkipMissingAndKnownBadPhotos) {
    TTempAppDir dir;
    TCookItems items(5);
    const QStringList names = {"ケーキ", "Soup", "壊れ", "消えた", "管"};
    for (int i = 0; i < 5; ++i) {
        items[i].Name = names[i];
        items[i].PhotoMark = PhotoMarkPresent;
    }
    dir.WriteBytes("Cook/ケーキ/写真.jpg", SmallJpeg(640, 480, Qt::red));
    dir.WriteBytes("Cook/Soup/写真.JPG", SmallJpeg(120, 120, Qt::white));
    dir.WriteBytes("Cook/壊れ/写真.jpg", QByteArray("\xFF\xD8\xFF not a jpeg"));
    QDir().mkpath(dir.Path("Cook/管"));
    ASSERT_EQ(mkfifo(QFile::encodeName(dir.Path("Cook/管/写真.jpg")).constData(), 0600), 0);
    TThumbnailCache cache;
    auto plan = [&] {
        QStringList planned;
        for (const TThumbnailSlot& slot : PlanThumbnails(items, QString(), dir.Path("Cook"), cache)) {
            planned << slot.Name + (slot.Cached ? "*" : "");
            CachedThumbnailImage(cache, slot.Path);
        }
        return planned;
    };
    EXPECT_EQ(plan(), QStringList({"ケーキ", "Soup", "壊れ"}));  // bad bytes need a decode to be found
    EXPECT_EQ(plan(), QStringList({"ケーキ*", "Soup*"}));
}

// A refill takes the shown places over without a stat; only those checked
// (in view) see a photo touched, removed or new since.
TEST(ThumbnailPlan, TakenOverPlacesAreStatedOnlyWhenChecked) {
    struct TRow {
        const char* What;
        std::function<void(TTempAppDir&, TCookItems&)> Change;
        bool SameRoot;
        QStringList Planned;  // "*" cached, "?" not stat'ed since the last plan
        QStringList Checked;  // after checking the first place
    };
    const std::vector<TRow> rows = {
        {"unchanged", [](TTempAppDir&, TCookItems&) {}, true, {"A*?", "B*?"}, {"A*", "B*?"}},
        {"touched", [](TTempAppDir& d, TCookItems&) { SetModified(d.Path("Cook/A/写真.jpg"), 1700000100); },
         true, {"A*?", "B*?"}, {"A", "B*?"}},
        {"removed", [](TTempAppDir& d, TCookItems&) { QFile::remove(d.Path("Cook/A/写真.jpg")); },
         true, {"A*?", "B*?"}, {"B*"}},
        {"new photo",
         [](TTempAppDir& d, TCookItems& items) {
             d.WriteBytes("Cook/C/写真.jpg", SmallJpeg(80, 60, Qt::blue));
             items[2].PhotoMark = PhotoMarkPresent;
         },
         true, {"A*?", "B*?", "C"}, {"A*", "B*?", "C"}},
        {"other data folder", [](TTempAppDir&, TCookItems&) {}, false, {"A*", "B*"}, {"A*", "B*"}},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.What);
        TTempAppDir dir;
        TCookItems items(3);
        for (int i = 0; i < 3; ++i) {
            items[i].Name = QString(QChar('A' + i));
            items[i].PhotoMark = i < 2 ? PhotoMarkPresent : PhotoMarkAbsent;
            QDir().mkpath(dir.Path("Cook/" + items[i].Name));
        }
        dir.WriteBytes("Cook/A/写真.jpg", SmallJpeg(160, 120, Qt::red));
        dir.WriteBytes("Cook/B/写真.jpg", SmallJpeg(160, 120, Qt::green));
        SetModified(dir.Path("Cook/A/写真.jpg"), 1700000000);
        TThumbnailCache cache;
        TShownThumbnails shown{row.SameRoot ? dir.Path("Cook") : dir.Path("Elsewhere"), {}};
        for (TThumbnailSlot& slot : PlanThumbnails(items, QString(), dir.Path("Cook"), cache)) {
            CachedThumbnailImage(cache, slot.Path);
            shown.Slots.push_back(slot);
        }
        row.Change(dir, items);
        auto names = [](const std::vector<TThumbnailSlot>& places) {
            QStringList out;
            for (const TThumbnailSlot& s : places)
                out << s.Name + (s.Cached ? "*" : "") + (s.Checked ? "" : "?");
            return out;
        };
        std::vector<TThumbnailSlot> planned = PlanThumbnails(items, QString(), dir.Path("Cook"), cache, shown);
        EXPECT_EQ(names(planned), row.Planned);
        CheckThumbnailSlots(planned, 0, 0, cache);
        EXPECT_EQ(names(planned), row.Checked);
    }
}
