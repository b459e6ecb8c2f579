#include <gtest/gtest.h>

#include <utime.h>

#include <map>

#include <QCoreApplication>
#include <QFile>
#include <QSignalSpy>

#include "core/search/thumbnail_cache.h"
#include "core/search/thumbnail_loader.h"
#include "core/search/thumbnails.h"
#include "support/recipe_fixture.h"
#include "support/temp_app_dir.h"

namespace {

std::map<int, QImage> Drain(TThumbnailLoader& loader, QSignalSpy& loaded) {
    for (int turn = 0; turn < 1000 && loader.Busy(); ++turn) {
        loader.WaitForDone();
        QCoreApplication::processEvents();
    }
    std::map<int, QImage> results;
    for (const QList<QVariant>& args : loaded) {
        results[args.at(0).toInt()] = args.at(1).value<QImage>();
        EXPECT_TRUE(args.at(2).toBool() || results[args.at(0).toInt()].isNull());
    }
    loaded.clear();
    return results;
}

}  // namespace

// A strip larger than the budget: every photo is still decoded once and
// judged (the bad one found), every picture reported is what one thread
// decodes, those past the budget are judged without being kept, and one
// asked for again is decoded and kept.
TEST(ThumbnailBudget, PastTheBudgetEveryPhotoIsJudgedOnEveryCore) {
    TTempAppDir dir;
    QStringList paths;
    for (int i = 0; i < 60; ++i) {
        const QString name = QStringLiteral("p%1.jpg").arg(i);
        dir.WriteBytes(name, i == 45 ? QByteArray("\xFF\xD8\xFF junk") : SmallJpeg(160, 120, QColor(i * 4, 100, 50)));
        paths << dir.Path(name);
    }
    const QImage sample = MakeThumbnailImage(paths[0]);
    TThumbnailCache cache(TThumbnailCache::CostOf(paths[0], sample) * 8);
    TThumbnailLoader loader(cache);
    EXPECT_GE(loader.Threads(), 1);
    QSignalSpy loaded(&loader, &TThumbnailLoader::Loaded);
    QSignalSpy finished(&loader, &TThumbnailLoader::Finished);
    loader.Start(paths);
    std::map<int, QImage> results = Drain(loader, loaded);
    ASSERT_EQ(results.size(), 60u);
    int reported = 0;
    for (int i = 0; i < 60; ++i) {
        if (!results.at(i).isNull()) {
            ++reported;
            EXPECT_EQ(results.at(i), MakeThumbnailImage(paths[i])) << i;
        }
        EXPECT_EQ(cache.Verdict(paths[i], PhotoStampOf(paths[i])),
                  i == 45 ? TPhotoVerdict::Unreadable : TPhotoVerdict::Readable)
            << i;
    }
    EXPECT_GE(reported, 7);
    EXPECT_EQ(finished.count(), 1);
    EXPECT_LE(cache.Bytes(), cache.BudgetBytes());
    EXPECT_LE(cache.Count(), 8);

    // A place scrolled to whose picture was not kept: decoded again, and kept.
    const int late = 59;
    EXPECT_FALSE(cache.Find(paths[late], PhotoStampOf(paths[late])).has_value());
    loader.Request(late);
    results = Drain(loader, loaded);
    ASSERT_EQ(results.count(late), 1u);
    EXPECT_EQ(results.at(late), MakeThumbnailImage(paths[late]));
    EXPECT_EQ(cache.Find(paths[late], PhotoStampOf(paths[late])), MakeThumbnailImage(paths[late]));
}

// What the cache knows of a photo follows the file: a verdict holds for the
// version it was made from, and dropping the pictures keeps it.
TEST(ThumbnailBudget, VerdictsFollowThePhotoAndOutliveThePictures) {
    struct TRow {
        const char* Change;
        QByteArray Bytes;  // written over the photo; empty: removed
        bool Touch;
        TPhotoVerdict Expected;
    };
    const QByteArray good = SmallJpeg(120, 90, Qt::red);
    const std::vector<TRow> rows = {
        {"unchanged", good, false, TPhotoVerdict::Readable},
        {"same bytes, touched", good, true, TPhotoVerdict::Unknown},
        {"broken, same time", QByteArray(good.size() + 1, 'x'), false, TPhotoVerdict::Unknown},
        {"removed", {}, false, TPhotoVerdict::Unknown},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Change);
        TTempAppDir dir;
        dir.WriteBytes("写真.jpg", good);
        const QString path = dir.Path("写真.jpg");
        const utimbuf old{1700000000, 1700000000};
        ASSERT_EQ(utime(QFile::encodeName(path).constData(), &old), 0);
        TThumbnailCache cache;
        ASSERT_FALSE(CachedThumbnailImage(cache, path).isNull());
        cache.DropPictures();
        EXPECT_EQ(cache.Count(), 0);
        if (row.Bytes.isEmpty()) {
            QFile::remove(path);
        } else {
            dir.WriteBytes("写真.jpg", row.Bytes);
            const utimbuf now{1700000000 + (row.Touch ? 60 : 0), 1700000000 + (row.Touch ? 60 : 0)};
            ASSERT_EQ(utime(QFile::encodeName(path).constData(), &now), 0);
        }
        EXPECT_EQ(cache.Verdict(path, PhotoStampOf(path)), row.Expected);
        EXPECT_FALSE(cache.Find(path, PhotoStampOf(path)).has_value());
    }
}
