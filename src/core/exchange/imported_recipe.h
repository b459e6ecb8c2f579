#pragma once

#include <optional>

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

#include "core/recipes/cook_item.h"
#include "core/recipes/status_file.h"

// A recipe that comes from outside (an exchange file, a web page) written as
// a new recipe folder. Everything is encoded before the folder is made, and
// a failure removes the folder again, so an import is all or nothing.

inline const QString ImportExistsMessage = QStringLiteral("既に存在する料理名ですので取り込めません。");

struct TImportedRecipe {
    QString Name;
    QString Foodstuff;  // "材料.txt"; lines joined by any line break
    QString How;        // "方法.txt"
    std::optional<QString> Comment;  // "コメント.txt"; none: no file
    QByteArray Photo;   // "写真.jpg", bytes as they are; empty: none
    TStatusFile Status;
};

// Why `name` cannot be imported into `dataRoot`: the recipe-name check's
// reason, ImportExistsMessage for an existing entry, or empty.
QString ImportNameProblem(const QString& dataRoot, const QString& name);

// True when the problem is the name clash rather than a refused name.
inline bool IsImportClash(const QString& problem) { return problem == ImportExistsMessage; }

// Writes the folder and returns its record; throws TSaporiaError (nothing left
// on disk) when the name is refused, exists, or a write fails.
TCookItem WriteImportedRecipe(const QString& dataRoot, const TImportedRecipe& recipe);
