#include "support/generation_recipe.h"

#include <QImage>
#include <QList>
#include <QRandomGenerator>

#include "core/platform/file_io.h"
#include "core/platform/jpeg.h"
#include "core/platform/sjis.h"
#include "core/recipes/status_file.h"

namespace {

const QByteArray PhotoTrailer = "GEN:";

// The three text panes and their files.
const struct {
    QString TRecipeContent::*Member;
    const char* Name;
} Panes[] = {{&TRecipeContent::Foodstuff, "材料"}, {&TRecipeContent::How, "方法"}, {&TRecipeContent::Comment, "コメント"}};

}  // namespace

QByteArray NoiseJpeg(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, random.generate());
    return EncodeJpeg(image, 90);
}

void SaveGeneration(const QString& folder, long generation, const QByteArray& jpeg, int lines) {
    TRecipeContent content = ReadRecipeFolder(folder);
    for (const auto& pane : Panes) {
        QString& text = content.*pane.Member = QStringLiteral("gen=%1\n").arg(generation);
        for (int i = 0; i < lines; ++i)
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

long TextGeneration(const QString& text) {
    return text.startsWith(QStringLiteral("gen=")) ? text.mid(4, text.indexOf(QLatin1Char('\n')) - 4).toLong() : -1;
}

long GenerationOf(const TRecipeContent& c, QString* fault) {
    const qsizetype trailer = c.Photo.lastIndexOf(PhotoTrailer);
    QList<long> gens{trailer < 0 ? -1 : c.Photo.mid(trailer + PhotoTrailer.size()).toLong(),
                     c.Memo.isNull() ? -1 : long(c.Memo.pixel(0, 0) & 0xFFFFFF),
                     c.Status.Value(StatusKey::Date).toLong()};
    for (const auto& pane : Panes)
        gens << TextGeneration(c.*pane.Member);
    QString found = c.LoadError;
    for (const long g : gens)
        if (g != gens[0])
            found += QStringLiteral(" generation %1 against %2").arg(g).arg(gens[0]);
    if (fault)
        *fault = found.trimmed();
    return found.isEmpty() ? gens[0] : -1;
}

TRecipeContent FilesAsTheyLie(const QString& folder) {
    TRecipeContent raw;
    try {
        for (const auto& pane : Panes)
            raw.*pane.Member = SplitLines(ReadSjisText(folder + QString::fromUtf8(pane.Name) + QStringLiteral(".txt")))
                                   .join(QLatin1Char('\n'));
        raw.Photo = ReadFileBytes(folder + PhotoFileName);
        raw.Memo.load(folder + MemoFileName, "BMP");
        raw.Status = TStatusFile::Load(folder + StatusFileName);
    } catch (const TSaporiaError& error) {
        raw.LoadError = error.message();
    }
    return raw;
}
