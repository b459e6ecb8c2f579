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
#include <QImage>
#include <QRandomGenerator>

#include "core/platform/collection_lock.h"
#include "core/platform/file_io.h"
#include "core/platform/jpeg.h"
#include "core/platform/saporia_error.h"
#include "core/platform/sjis.h"
#include "core/recipes/recipe_folder.h"
#include "core/recipes/recipe_transaction.h"
#include "core/recipes/status_file.h"

namespace {

const QByteArray PhotoTrailer = "GEN:";

// The three text panes and their files.
const struct { QString TRecipeContent::*Member; const char* Name; } Panes[] = {
    {&TRecipeContent::Foodstuff, "材料"}, {&TRecipeContent::How, "方法"}, {&TRecipeContent::Comment, "コメント"}};

long TextGeneration(const QString& text) {
    return text.startsWith(QStringLiteral("gen=")) ? text.mid(4, text.indexOf(QLatin1Char('\n')) - 4).toLong() : -1;
}

QByteArray BigJpeg() {
    QImage image(1600, 1200, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int p = 0; p < 1600 * 1200; ++p)
        image.setPixel(p % 1600, p / 1600, random.generate());
    return EncodeJpeg(image, 90);
}

QString RecipePath(const QString& root, int index) { return root + QStringLiteral("/recipe%1/").arg(index); }

void Save(const QString& folder, long generation, const QByteArray& jpeg) {
    TRecipeContent content = ReadRecipeFolder(folder);
    for (const auto& pane : Panes) {
        QString& text = content.*pane.Member = QStringLiteral("gen=%1\n").arg(generation);
        for (int i = 0; i < 4000; ++i)
            text += QStringLiteral("%1 %2 行%3 卵と砂糖をよく混ぜる\n").arg(QString::fromUtf8(pane.Name)).arg(generation).arg(i);
    }
    content.Photo = jpeg + PhotoTrailer + QByteArray::number(qlonglong(generation));
    content.PhotoChanged = true;
    content.Memo = QImage(800, 600, QImage::Format_RGB32);
    content.Memo.fill(Qt::white);
    content.Memo.setPixel(0, 0, 0xFF000000u | static_cast<uint>(generation & 0xFFFFFF));
    content.MemoDirty = true;
    TStatusFile status = content.Status;
    status.SetValue(StatusKey::Date, QString::number(generation));
    SaveRecipeFolder(folder, content, &status);
}

// The generation every file of the recipe holds; counts a recipe whose files disagree as torn.
long Generation(const TRecipeContent& c, const QString& what, int* torn) {
    const qsizetype trailer = c.Photo.lastIndexOf(PhotoTrailer);
    QList<long> gens{trailer < 0 ? -1 : c.Photo.mid(trailer + PhotoTrailer.size()).toLong(),
                     c.Memo.isNull() ? -1 : long(c.Memo.pixel(0, 0) & 0xFFFFFF),
                     c.Status.Value(StatusKey::Date).toLong()};
    QString fault = c.LoadError;
    for (const auto& pane : Panes)
        gens << TextGeneration(c.*pane.Member);
    for (long g : gens)
        fault += g == gens[0] ? QString() : QStringLiteral(" generation %1 against %2").arg(g).arg(gens[0]);
    if (!fault.isEmpty()) {
        std::printf("TORN %s: %s\n", qPrintable(what), qPrintable(fault.trimmed()));
        ++*torn;
    }
    return gens[0];
}

// The files as they lie, without the completion or clean-up a read does.
TRecipeContent ReadRaw(const QString& folder) {
    TRecipeContent raw;
    for (const auto& pane : Panes)
        raw.*pane.Member = SplitLines(ReadSjisText(folder + pane.Name + ".txt")).join(QLatin1Char('\n'));
    raw.Photo = ReadFileBytes(folder + QStringLiteral("写真.jpg"));
    raw.Memo.load(folder + QStringLiteral("手書きメモ.bmp"), "BMP");
    raw.Status = TStatusFile::Load(folder + QStringLiteral("Status.txt"));
    return raw;
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
            Generation(ReadRaw(folder), "before reading " + name, &torn);
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
        const QByteArray jpeg = BigJpeg();
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
