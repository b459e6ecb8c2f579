// One copy of the recipe book as a process of its own, owning the collection
// of its program folder, for tests where two copies meet on a recipe folder
// that both reach (a link, a bind mount).
//
//   recipe_copy_child save <program folder> <recipe folder> <saves>
//       saves the recipe as generations 2, 3, ... and reads it back after each
//       save; prints "saves=<n> failed=<n> torn=<n>" and the first error.
//   recipe_copy_child read <program folder> <stop file>
//       scans the data folder and opens every recipe, round after round,
//       until the stop file exists; prints "ready" after the first round,
//       then "rounds=<n> reads=<n> torn=<n>" and the first torn read.

#include <cstdio>
#include <cstdlib>

#include <QCoreApplication>
#include <QFileInfo>

#include "core/platform/collection_lock.h"
#include "core/platform/saporia_error.h"
#include "core/recipes/icon_store.h"
#include "core/recipes/recipe_name.h"
#include "core/recipes/recipe_store.h"
#include "support/generation_recipe.h"

namespace {

int Save(const QString& folder, int saves) {
    const QByteArray jpeg = NoiseJpeg(640, 480);
    int failed = 0, torn = 0;
    QString first;
    for (int i = 0; i < saves; ++i) {
        try {
            SaveGeneration(folder, 2 + i, jpeg, 400);
        } catch (const TSaporiaError& error) {
            ++failed;
            if (first.isEmpty())
                first = QStringLiteral("save: ") + error.message();
        }
        QString fault;
        if (GenerationOf(ReadRecipeFolder(folder), &fault) < 0) {
            ++torn;
            if (first.isEmpty())
                first = QStringLiteral("read: ") + fault;
        }
    }
    std::printf("saves=%d failed=%d torn=%d\n%s\n", saves, failed, torn, qPrintable(first));
    return 0;
}

int Read(const QString& root, const QString& stopFile) {
    const TIconStore icons;
    int rounds = 0, reads = 0, torn = 0;
    QString first;
    do {
        const TCookScan scan = SearchCookFld(root, icons);
        for (const TCookItem& item : scan.Items) {
            QString fault;
            const QString folder = root + QLatin1Char('/') + item.Name + QLatin1Char('/');
            const long generation = GenerationOf(ReadRecipeFolder(folder), &fault);
            ++reads;
            // The list shows the attributes of a whole save too.
            if (generation < 0 || item.Date.toLong() > generation) {
                ++torn;
                if (first.isEmpty())
                    first = item.Name + QStringLiteral(": ") +
                            (fault.isEmpty() ? QStringLiteral("list ahead of the recipe") : fault);
            }
        }
        if (rounds++ == 0) {
            std::printf("ready\n");
            std::fflush(stdout);
        }
    } while (!QFileInfo::exists(stopFile));
    std::printf("rounds=%d reads=%d torn=%d\n%s\n", rounds, reads, torn, qPrintable(first));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4)
        return 2;
    const TCollectionLock owner(args[2], DataRootOf(args[2]));
    if (owner.Busy())
        return 3;
    if (args[1] == QStringLiteral("save") && args.size() > 4)
        return Save(args[3], args[4].toInt());
    if (args[1] == QStringLiteral("read"))
        return Read(DataRootOf(args[2]), args[3]);
    return 2;
}
