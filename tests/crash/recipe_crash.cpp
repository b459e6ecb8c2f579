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
#include <QFile>
#include <QImage>
#include <QRandomGenerator>
#include <QSet>

#include "core/platform/file_io.h"
#include "core/platform/jpeg.h"
#include "core/platform/saporia_error.h"
#include "core/platform/sjis.h"
#include "core/recipes/recipe_folder.h"
#include "core/recipes/recipe_transaction.h"
#include "core/recipes/status_file.h"

namespace {

const QByteArray PhotoTrailer = "GEN:";

QString FromSjisText(const QString& path) { return SplitLines(ReadSjisText(path)).join(QLatin1Char('\n')); }

QString Text(const QString& pane, long generation) {
    QString text = QStringLiteral("gen=%1\n").arg(generation);
    for (int i = 0; i < 4000; ++i)
        text += QStringLiteral("%1 %2 行%3 卵と砂糖をよく混ぜる\n").arg(pane).arg(generation).arg(i);
    return text;
}

long TextGeneration(const QString& text) {
    if (!text.startsWith(QStringLiteral("gen=")))
        return -1;
    return text.mid(4, text.indexOf(QLatin1Char('\n')) - 4).toLong();
}

QByteArray BigJpeg() {
    QImage image(1600, 1200, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, random.generate());
    return EncodeJpeg(image, 90);
}

long PhotoGeneration(const QByteArray& photo) {
    const qsizetype at = photo.lastIndexOf(PhotoTrailer);
    return at < 0 ? -1 : photo.mid(at + PhotoTrailer.size()).toLong();
}

long MemoGeneration(const QImage& memo) { return memo.isNull() ? -1 : long(memo.pixel(0, 0) & 0xFFFFFF); }

QString RecipePath(const QString& root, int index) { return root + QStringLiteral("/recipe%1/").arg(index); }

void Save(const QString& folder, long generation, const QByteArray& jpeg) {
    TRecipeContent content = ReadRecipeFolder(folder);
    content.Foodstuff = Text(QStringLiteral("材料"), generation);
    content.How = Text(QStringLiteral("方法"), generation);
    content.Comment = Text(QStringLiteral("コメント"), generation);
    content.Photo = jpeg + PhotoTrailer + QByteArray::number(qlonglong(generation));
    content.PhotoChanged = true;
    QImage memo(800, 600, QImage::Format_RGB32);
    memo.fill(Qt::white);
    memo.setPixel(0, 0, 0xFF000000u | static_cast<uint>(generation & 0xFFFFFF));
    content.Memo = memo;
    content.MemoDirty = true;
    TStatusFile status = content.Status;
    status.SetValue(StatusKey::Date, QString::number(generation));
    SaveRecipeFolder(folder, content, &status);
}

// The generation each file of the folder holds, or a description of the fault.
bool Consistent(const TRecipeContent& c, long* generation, QString* fault) {
    const long gens[] = {TextGeneration(c.Foodstuff), TextGeneration(c.How), TextGeneration(c.Comment),
                         PhotoGeneration(c.Photo),    MemoGeneration(c.Memo), c.Status.Value(StatusKey::Date).toLong()};
    *generation = gens[0];
    for (long g : gens)
        if (g != gens[0]) {
            *fault = QStringLiteral("generations %1 %2 %3 %4 %5 %6")
                         .arg(gens[0]).arg(gens[1]).arg(gens[2]).arg(gens[3]).arg(gens[4]).arg(gens[5]);
            return false;
        }
    if (!c.LoadError.isEmpty()) {
        *fault = c.LoadError;
        return false;
    }
    return true;
}

int Check(const QString& root) {
    int recipes = 0;
    int pending = 0;    // a journal was there: the save was completed on reading
    int leftovers = 0;  // temporaries of an uncommitted save, dropped on reading
    int torn = 0;
    long generations = 0;  // saves that reached the disk, summed over recipes
    const QStringList expected{QStringLiteral("Status.txt"), QStringLiteral("コメント.txt"), QStringLiteral("写真.jpg"),
                               QStringLiteral("手書きメモ.bmp"), QStringLiteral("材料.txt"), QStringLiteral("方法.txt")};
    for (const QString& name : QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        const QString folder = root + QLatin1Char('/') + name + QLatin1Char('/');
        ++recipes;
        // Before reading: a recipe with no journal must already be whole.
        const QStringList raw = QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
        const bool journal = raw.contains(RecipeTransactionPrefix + QStringLiteral("journal"));
        pending += journal;
        leftovers += !journal && raw.filter(RecipeTransactionPrefix).size() > 0;
        if (!journal) {
            TRecipeContent before;
            before.Foodstuff = FromSjisText(folder + QStringLiteral("材料.txt"));
            before.How = FromSjisText(folder + QStringLiteral("方法.txt"));
            before.Comment = FromSjisText(folder + QStringLiteral("コメント.txt"));
            before.Photo = ReadFileBytes(folder + QStringLiteral("写真.jpg"));
            before.Memo.load(folder + QStringLiteral("手書きメモ.bmp"), "BMP");
            before.Status = TStatusFile::Load(folder + QStringLiteral("Status.txt"));
            long g = 0;
            QString fault;
            if (!Consistent(before, &g, &fault)) {
                std::printf("TORN before reading %s: %s\n", qPrintable(name), qPrintable(fault));
                ++torn;
            }
        }
        // Reading completes or drops the cut-off save.
        const TRecipeContent read = ReadRecipeFolder(folder);
        long generation = 0;
        QString fault;
        if (!Consistent(read, &generation, &fault)) {
            std::printf("TORN after reading %s: %s\n", qPrintable(name), qPrintable(fault));
            ++torn;
        }
        generations += generation;
        const QStringList after = QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
        if (QSet<QString>(after.begin(), after.end()) != QSet<QString>(expected.begin(), expected.end())) {
            std::printf("STRAY files in %s: %s\n", qPrintable(name), qPrintable(after.join(QLatin1Char(' '))));
            ++torn;
        }
    }
    std::printf("generations=%ld recipes=%d pending=%d leftovers=%d torn=%d\n", generations, recipes, pending,
                leftovers, torn);
    return torn == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3)
        return 2;
    const QString mode = QString::fromLocal8Bit(argv[1]);
    const QString root = QString::fromLocal8Bit(argv[2]);
    const int recipes = argc > 3 ? std::atoi(argv[3]) : 0;
    try {
        if (mode == QStringLiteral("check"))
            return Check(root);
        const QByteArray jpeg = BigJpeg();
        if (mode == QStringLiteral("init")) {
            for (int i = 0; i < recipes; ++i) {
                QDir().mkpath(RecipePath(root, i));
                Save(RecipePath(root, i), 1, jpeg);
            }
            return 0;
        }
        if (mode == QStringLiteral("save")) {
            for (long round = 0;; ++round) {
                const int i = static_cast<int>(QRandomGenerator::global()->bounded(recipes));
                const TRecipeContent current = ReadRecipeFolder(RecipePath(root, i));
                Save(RecipePath(root, i), TextGeneration(current.Foodstuff) + 1, jpeg);
            }
        }
    } catch (const TSaporiaError& error) {
        std::printf("error: %s\n", qPrintable(error.message()));
        return 1;
    }
    return 2;
}
