// Saves recipes in a loop so a script can kill the process at random points,
// then checks that every recipe reads back wholly old or wholly new.
//
//   recipe_crash init  <dataRoot> <recipes>
//   recipe_crash save  <dataRoot> <recipes>     (runs until killed)
//   recipe_crash check <dataRoot>               (exit 1 on a torn recipe)
//
// Every file of a save carries the same generation number: the texts in
// their first line, the photo in a trailer after the JPEG data, the memo in
// its first pixel, the attributes in "Date".

#include <cstdio>
#include <cstdlib>

#include <QDir>
#include <QRandomGenerator>

#include "core/platform/collection_lock.h"
#include "core/platform/saporia_error.h"
#include "core/recipes/recipe_folder.h"
#include "core/recipes/recipe_transaction.h"
#include "support/generation_recipe.h"

namespace {

QString RecipePath(const QString& root, int index) { return root + QStringLiteral("/recipe%1/").arg(index); }

void Save(const QString& folder, long generation, const QByteArray& jpeg) { SaveGeneration(folder, generation, jpeg, 4000); }

// The generation every file of the recipe holds; counts a recipe whose files disagree as torn.
long Generation(const TRecipeContent& c, const QString& what, int* torn) {
    QString fault;
    const long generation = GenerationOf(c, &fault);
    if (!fault.isEmpty()) {
        std::printf("TORN %s: %s\n", qPrintable(what), qPrintable(fault));
        ++*torn;
    }
    return generation;
}

int Check(const QString& root) {
    // pending: a journal was there, the save was completed on reading; leftovers: temporaries of an
    // uncommitted save, dropped on reading.
    int pending = 0, leftovers = 0, torn = 0;
    long generations = 0;  // saves that reached the disk, summed over recipes
    const QStringList names = QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& name : names) {
        const QString folder = root + QLatin1Char('/') + name + QLatin1Char('/');
        // Before reading: a recipe with no journal must already be whole.
        const QStringList raw = QDir(folder).entryList(QDir::Files | QDir::Hidden);
        const bool journal = raw.contains(RecipeTransactionPrefix + QStringLiteral("journal"));
        pending += journal;
        leftovers += !journal && raw.filter(RecipeTransactionPrefix).size() > 0;
        if (!journal)
            Generation(FilesAsTheyLie(folder), "before reading " + name, &torn);
        // Reading completes or drops the cut-off save.
        generations += Generation(ReadRecipeFolder(folder), "after reading " + name, &torn);
        // Six files and no other; a missing one already shows in the generations.
        const QStringList after = QDir(folder).entryList(QDir::Files | QDir::Hidden);
        if (after.size() != 6) {
            std::printf("STRAY files in %s: %s\n", qPrintable(name), qPrintable(after.join(QLatin1Char(' '))));
            ++torn;
        }
    }
    std::printf("generations=%ld recipes=%d pending=%d leftovers=%d torn=%d\n", generations, int(names.size()), pending,
                leftovers, torn);
    return torn == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3)
        return 2;
    const QByteArray mode = argv[1];
    const QString root = QString::fromLocal8Bit(argv[2]);
    const int recipes = argc > 3 ? std::atoi(argv[3]) : 0;
    // Reads finish cut-off saves only in the owner of the collection; the
    // lock file lies beside the recipes, where the scan passes over it.
    const TCollectionLock owner(root);
    if (owner.Busy()) {
        std::printf("error: the collection is in use\n");
        return 1;
    }
    try {
        if (mode == "check")
            return Check(root);
        const QByteArray jpeg = NoiseJpeg(1600, 1200);
        for (int i = 0; mode == "init" && i < recipes; ++i) {
            QDir().mkpath(RecipePath(root, i));
            Save(RecipePath(root, i), 1, jpeg);
        }
        while (mode == "save") {
            const QString folder = RecipePath(root, int(QRandomGenerator::global()->bounded(recipes)));
            Save(folder, TextGeneration(ReadRecipeFolder(folder).Foodstuff) + 1, jpeg);
        }
        return mode == "init" ? 0 : 2;
    } catch (const TSaporiaError& error) {
        std::printf("error: %s\n", qPrintable(error.message()));
        return 1;
    }
}
