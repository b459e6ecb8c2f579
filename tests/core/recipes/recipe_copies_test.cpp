#include <sys/mount.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <thread>

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>

#include "core/platform/collection_lock.h"
#include "core/platform/saporia_error.h"
#include "core/recipes/icon_store.h"
#include "core/recipes/recipe_name.h"
#include "core/recipes/recipe_store.h"
#include "core/recipes/recipe_transaction.h"
#include "support/generation_recipe.h"
#include "support/temp_app_dir.h"

namespace {

// A copy of the recipe book in a process of its own (recipe_copy_child).
std::unique_ptr<QProcess> StartCopy(const QStringList& args) {
    auto copy = std::make_unique<QProcess>();
    copy->start(QCoreApplication::applicationDirPath() + QStringLiteral("/recipe_copy_child"), args);
    return copy;
}

// "key=<n>" in a copy's report; -1 when missing.
int Figure(const QByteArray& report, const char* key) {
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("\\b%1=(\\d+)").arg(QLatin1String(key))).match(QString::fromUtf8(report));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// Puts the folder `target` at `place`, where a second program folder's
// data folder reaches it; false when this system does not allow it.
using TLinkMaker = std::function<bool(const QString& target, const QString& place)>;

}  // namespace

// Two copies, each owning its own program folder, meet on one recipe folder:
// one saves it again and again while the other scans its data folder and
// opens the recipe through a link. No save may fail, and neither copy may
// ever see the recipe, on disk or in a read, with files of two saves.
TEST(RecipeCopies, ASaveIsNeverTornByAnotherCollectionReachingTheFolder) {
    const struct {
        const char* Name;
        TLinkMaker Make;
    } links[] = {
        {"symbolic link", [](const QString& target, const QString& place) { return QFile::link(target, place); }},
        {"bind mount",
         [](const QString& target, const QString& place) {
             return QDir().mkpath(place) && mount(QFile::encodeName(target).constData(),
                                                  QFile::encodeName(place).constData(), nullptr, MS_BIND, nullptr) == 0;
         }},
    };
    constexpr int Saves = 30;
    for (const auto& link : links) {
        SCOPED_TRACE(link.Name);
        TTempAppDir first, second;
        const QString folder = DataRootOf(first.AppDir()) + QStringLiteral("/肉じゃが/");
        QDir().mkpath(folder);
        {
            const TCollectionLock owner(first.AppDir());
            SaveGeneration(folder, 1, NoiseJpeg(640, 480), 400);
        }
        QDir().mkpath(DataRootOf(second.AppDir()));
        const QString place = DataRootOf(second.AppDir()) + QStringLiteral("/肉じゃが");
        if (!link.Make(QDir::cleanPath(folder), place)) {
            std::printf("%s: not possible here, left out\n", link.Name);
            continue;
        }
        struct TUnmount {
            QString Place;
            bool Mounted;
            ~TUnmount() {
                if (Mounted)
                    umount2(QFile::encodeName(Place).constData(), MNT_DETACH);
            }
        } unmount{place, QFileInfo(place).isDir() && !QFileInfo(place).isSymLink()};

        // The reader runs its first round before the saves start, and goes on
        // until they have all ended.
        const QString stop = second.Path(QStringLiteral("stop"));
        auto reader = StartCopy({QStringLiteral("read"), second.AppDir(), stop});
        QByteArray readReport;
        while (!readReport.contains("ready\n") && reader->waitForReadyRead(60000))
            readReport += reader->readAllStandardOutput();
        ASSERT_TRUE(readReport.contains("ready\n")) << reader->readAllStandardError().toStdString();
        auto saver = StartCopy({QStringLiteral("save"), first.AppDir(), folder, QString::number(Saves)});
        ASSERT_TRUE(saver->waitForFinished(300000));
        const QByteArray saveReport = saver->readAllStandardOutput();
        QFile(stop).open(QIODevice::WriteOnly);
        ASSERT_TRUE(reader->waitForFinished(300000));
        readReport += reader->readAllStandardOutput();

        EXPECT_EQ(saver->exitCode(), 0);
        EXPECT_EQ(reader->exitCode(), 0);
        EXPECT_EQ(Figure(saveReport, "saves"), Saves);
        EXPECT_EQ(Figure(saveReport, "failed"), 0) << saveReport.toStdString();
        EXPECT_EQ(Figure(saveReport, "torn"), 0) << saveReport.toStdString();
        EXPECT_GT(Figure(readReport, "reads"), 0);
        EXPECT_EQ(Figure(readReport, "torn"), 0) << readReport.toStdString();
        // On disk: the last save, whole, and nothing of a save left beside it.
        QString fault;
        EXPECT_EQ(GenerationOf(FilesAsTheyLie(folder), &fault), Saves + 1) << fault.toStdString();
        EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden).filter(RecipeTransactionPrefix), QStringList());
        std::printf("%s: %s%s", link.Name, saveReport.constData(), readReport.constData());
    }
}

// Threads of one copy share its collection, so only the folder's lock keeps a
// reader's recovery off a save in progress: the window's thread saves while
// the scan's workers, an open of the recipe or its attributes read it.
TEST(RecipeCopies, ThreadsOfOneCopyNeverMeetHalfWayThroughASave) {
    TTempAppDir app;
    const TCollectionLock owner(app.AppDir());
    const QString root = DataRootOf(app.AppDir());
    const TIconStore icons;
    // Each gives the generation it read, -1 for a torn or failed read.
    const struct {
        const char* Name;
        std::function<long(const QString& folder)> Read;
    } readers[] = {
        {"scan",
         [&](const QString&) {
             const TCookScan scan = SearchCookFld(root, icons, {.Workers = 4});
             return scan.Failures.isEmpty() && scan.Items.size() == 1 ? scan.Items[0].Date.toLong() : -1L;
         }},
        {"open", [](const QString& folder) { return GenerationOf(ReadRecipeFolder(folder), nullptr); }},
        {"attributes",
         [](const QString& folder) { return TStatusFile::LoadFromFolder(folder).Value(StatusKey::Date).toLong(); }},
    };
    constexpr int Saves = 20;
    const QByteArray jpeg = NoiseJpeg(320, 240);
    for (const auto& reader : readers) {
        SCOPED_TRACE(reader.Name);
        const QString folder = root + QStringLiteral("/") + QString::fromLatin1(reader.Name) + QStringLiteral("/");
        QDir().mkpath(folder);
        SaveGeneration(folder, 1, jpeg, 100);
        std::atomic<bool> done{false};
        QStringList failures;
        std::thread saver([&] {
            for (int i = 0; i < Saves; ++i) {
                try {
                    SaveGeneration(folder, 2 + i, jpeg, 100);
                } catch (const TSaporiaError& error) {
                    failures.append(error.message());
                }
            }
            done = true;
        });
        int torn = 0, backwards = 0;
        long last = 0;
        do {
            const long generation = reader.Read(folder);
            torn += generation < 0;
            backwards += generation >= 0 && generation < last;
            last = std::max(last, generation);
        } while (!done);
        saver.join();
        EXPECT_EQ(failures.size(), 0) << failures.value(0).toStdString();
        EXPECT_EQ(torn, 0);
        EXPECT_EQ(backwards, 0);
        EXPECT_EQ(GenerationOf(FilesAsTheyLie(folder), nullptr), Saves + 1);
        QDir(folder).removeRecursively();
    }
}
