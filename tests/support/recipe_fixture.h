#pragma once

#include <functional>
#include <optional>

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include "core/recipes/cook_item.h"

// Builds recipe folders on disk the way the program stores them: CP932 texts
// with CR LF line ends, "key=value" attribute lines, small JPEG photos.
//
//   MakeRecipe(dataRoot, {.Name = "肉じゃが", .Foodstuff = "じゃがいも\n牛肉",
//                         .StatusLines = QStringList{"Kind=主菜", "NiceValue=4"},
//                         .Photo = true});

struct TRecipeDraft {
    QString Name;
    std::optional<QString> Foodstuff = QStringLiteral("材料");  // "材料.txt"; nullopt: no file
    std::optional<QString> How = QStringLiteral("作り方");       // "方法.txt"
    std::optional<QString> Comment{};                           // "コメント.txt"
    std::optional<QStringList> StatusLines{};                   // "Status.txt", raw lines
    bool Photo = false;                                         // "写真.jpg"
    QStringList ExtraPhotos{};                                  // more .jpg files, names as given
    QStringList LinkWords{};                                    // "LinkPic/<word>.jpg"
    bool Memo = false;                                          // "手書きメモ.bmp"
};

// Writes the folder (created with its parents) and returns its path ending with "/".
QString MakeRecipe(const QString& dataRoot, const TRecipeDraft& draft);

// The message of the TSaporiaError `action` throws; empty when it throws none.
QString ErrorOf(const std::function<void()>& action);

// A record of the recipe folder `name`, as the list holds it before its attributes are read.
TCookItem NamedItem(const QString& name);

// Text as a program-written file: each "\n"-separated line ends with CR LF,
// encoded in CP932 (an empty text is an empty file).
QByteArray RecipeFileBytes(const QString& text);

// Writes raw bytes, creating the folders on the way.
void WriteRaw(const QString& path, const QByteArray& bytes);
QByteArray ReadRaw(const QString& path);
// Puts at `path` a regular file every read of which fails (EIO), also for
// root, whom no permission stops: a link to /proc/self/mem, whose first page
// is never mapped. False when it cannot be made.
bool MakeUnreadableFile(const QString& path);

// A small JPEG of one colour.
QByteArray SmallJpeg(int width = 24, int height = 16, QColor colour = QColor(200, 120, 40));
// A small Windows bitmap of one colour with a different pixel (0, 0).
QByteArray SmallBmp(int width = 32, int height = 32, QColor colour = QColor(0, 128, 0),
                    QColor corner = QColor(255, 0, 255));

// Every file below `folder` (relative path → bytes), to compare a folder before and after.
QMap<QString, QByteArray> FolderSnapshot(const QString& folder);

// A generated collection of `count` recipes below `dataRoot` ("レシピ00001" ...):
// three texts, a full attribute file, and a 1024 x 768 photo for every third recipe.
// Returns the recipe names in creation order.
QStringList MakeRecipeCollection(const QString& dataRoot, int count);

// A generated collection in a temporary folder: its data root and recipe names.
struct TRecipeCollection {
    QTemporaryDir Dir;
    QString Root;
    QStringList Names;
};

// One collection per size, made on first use and kept for the run, so the
// benchmarks of a run share it.
const TRecipeCollection& SharedRecipeCollection(int count);
