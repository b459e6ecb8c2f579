#include "support/recipe_fixture.h"

#include <map>
#include <memory>

#include <QBuffer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>

#include "core/platform/jpeg.h"
#include "core/platform/saporia_error.h"
#include "core/platform/sjis.h"

QByteArray RecipeFileBytes(const QString& text) {
    if (text.isEmpty())
        return QByteArray();
    QString crlf = text;
    crlf.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return ToSjis(crlf + QStringLiteral("\r\n"));
}

void WriteRaw(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("fixture: cannot write %s", qPrintable(path));
}

QByteArray ReadRaw(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool MakeUnreadableFile(const QString& path) {
    QFile::remove(path);
    return QFile::link(QStringLiteral("/proc/self/mem"), path) && QFileInfo(path).isFile();
}

QByteArray SmallJpeg(int width, int height, QColor colour) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return EncodeJpeg(image, 80);
}

QByteArray SmallBmp(int width, int height, QColor colour, QColor corner) {
    QImage image(width, height, QImage::Format_RGB888);
    image.fill(colour);
    image.setPixelColor(0, 0, corner);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

QString MakeRecipe(const QString& dataRoot, const TRecipeDraft& draft) {
    const QString folder = QDir::cleanPath(dataRoot) + QLatin1Char('/') + draft.Name + QLatin1Char('/');
    QDir().mkpath(folder);
    if (draft.Foodstuff)
        WriteRaw(folder + QStringLiteral("材料.txt"), RecipeFileBytes(*draft.Foodstuff));
    if (draft.How)
        WriteRaw(folder + QStringLiteral("方法.txt"), RecipeFileBytes(*draft.How));
    if (draft.Comment)
        WriteRaw(folder + QStringLiteral("コメント.txt"), RecipeFileBytes(*draft.Comment));
    if (draft.StatusLines)
        WriteRaw(folder + QStringLiteral("Status.txt"), draft.StatusLines->isEmpty()
                     ? QByteArray()
                     : RecipeFileBytes(draft.StatusLines->join(QLatin1Char('\n'))));
    if (draft.Photo)
        WriteRaw(folder + QStringLiteral("写真.jpg"), SmallJpeg());
    for (const QString& name : draft.ExtraPhotos)
        WriteRaw(folder + name, SmallJpeg(16, 16, QColor(40, 90, 200)));
    for (const QString& word : draft.LinkWords)
        WriteRaw(folder + QStringLiteral("LinkPic/") + word + QStringLiteral(".jpg"), SmallJpeg(8, 8));
    if (draft.Memo)
        WriteRaw(folder + QStringLiteral("手書きメモ.bmp"), SmallBmp(50, 40, Qt::white, Qt::black));
    return folder;
}

QString ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const TSaporiaError& error) {
        return error.message();
    }
    return QString();
}

TCookItem NamedItem(const QString& name) {
    TCookItem item;
    item.Name = name;
    return item;
}

QMap<QString, QByteArray> FolderSnapshot(const QString& folder) {
    QMap<QString, QByteArray> files;
    const QDir root(folder);
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(root.relativeFilePath(path), ReadRaw(path));
    }
    return files;
}

namespace {

// Photos the size a camera or phone picture has once scaled down: 1024 x 768
// with soft shading, detail and grain (about 250 KB, like real food photos),
// a few distinct ones, each encoded once and written as often as needed.
const QList<QByteArray>& CameraPhotos() {
    static const QList<QByteArray> photos = [] {
        QList<QByteArray> list;
        for (int variant = 0; variant < 4; ++variant) {
            QImage image(1024, 768, QImage::Format_RGB32);
            quint32 grain = 12345u + variant;
            for (int y = 0; y < image.height(); ++y) {
                auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
                for (int x = 0; x < image.width(); ++x) {
                    grain = grain * 1664525u + 1013904223u;
                    const int noise = int(grain >> 27);  // 0..31
                    const int dx = x - 512, dy = y - 384;
                    const bool plate = dx * dx + dy * dy * 2 < 320 * 320;
                    const int detail = ((x * (variant + 3)) ^ (y * 5)) & 15;
                    line[x] = plate ? qRgb(190 + detail + noise / 2, 110 + variant * 25 + detail + noise / 2,
                                           60 + (x + y) / 32 + noise)
                                    : qRgb(80 + y / 12 + noise, 60 + x / 20 + detail + noise / 2, 40 + variant * 30 + noise);
                }
            }
            list.append(EncodeJpeg(image, 85));
        }
        return list;
    }();
    return photos;
}

}  // namespace

QStringList MakeRecipeCollection(const QString& dataRoot, int count) {
    static const QStringList kinds = {QStringLiteral("主菜"), QStringLiteral("副菜"), QStringLiteral("汁物"),
                                      QStringLiteral("デザート")};
    static const QStringList groups = {QStringLiteral("和食"), QStringLiteral("洋食"), QStringLiteral("中華")};
    const QList<QByteArray>& photos = CameraPhotos();
    const QByteArray foodstuff = RecipeFileBytes(
        QStringLiteral("じゃがいも　３個\n玉ねぎ　１個\n牛肉　２００ｇ\nしょうゆ　大さじ３\n砂糖　大さじ２"));
    const QByteArray how = RecipeFileBytes(
        QStringLiteral("じゃがいもは皮をむいて一口大に切る。\n玉ねぎはくし切りにする。\n鍋で牛肉を炒め、野菜を加える。\n"
                       "だしと調味料を入れて１５分煮る。"));
    const QByteArray comment = RecipeFileBytes(QStringLiteral("冷めても美味しい。"));
    QStringList names;
    QDir().mkpath(dataRoot);
    for (int i = 1; i <= count; ++i) {
        const QString name = QStringLiteral("レシピ%1").arg(i, 5, 10, QLatin1Char('0'));
        const QString folder = dataRoot + QLatin1Char('/') + name + QLatin1Char('/');
        QDir().mkdir(folder);
        WriteRaw(folder + QStringLiteral("材料.txt"), foodstuff);
        WriteRaw(folder + QStringLiteral("方法.txt"), how);
        WriteRaw(folder + QStringLiteral("コメント.txt"), comment);
        const QStringList status = {
            QStringLiteral("Icon=%1").arg(i % 33),
            QStringLiteral("Kind=") + kinds[i % kinds.size()],
            QStringLiteral("Amount=%1人分").arg(i % 4 + 1),
            QStringLiteral("Calorie=%1").arg(200 + i % 600),
            QStringLiteral("Price=%1").arg(100 + i % 900),
            QStringLiteral("WorkTime=%1分").arg(10 + i % 50),
            QStringLiteral("Date=2024/%1/%2")
                .arg(i % 12 + 1, 2, 10, QLatin1Char('0'))
                .arg(i % 28 + 1, 2, 10, QLatin1Char('0')),
            QStringLiteral("Group=") + groups[i % groups.size()],
            QStringLiteral("Salt=%1.%2").arg(i % 5).arg(i % 10),
            QStringLiteral("NiceValue=%1").arg(i % 6),
            QStringLiteral("DifficultValue=%1").arg((i / 6) % 6),
        };
        WriteRaw(folder + QStringLiteral("Status.txt"), RecipeFileBytes(status.join(QLatin1Char('\n'))));
        if (i % 3 == 0)
            WriteRaw(folder + QStringLiteral("写真.jpg"), photos[(i / 3) % photos.size()]);
        names.append(name);
    }
    return names;
}

const TRecipeCollection& SharedRecipeCollection(int count) {
    static std::map<int, std::unique_ptr<TRecipeCollection>> collections;
    auto& slot = collections[count];
    if (!slot) {
        slot = std::make_unique<TRecipeCollection>();
        slot->Root = slot->Dir.path() + QStringLiteral("/Cook");
        slot->Names = MakeRecipeCollection(slot->Root, count);
    }
    return *slot;
}
