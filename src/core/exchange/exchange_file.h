#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "core/exchange/imported_recipe.h"
#include "core/recipes/cook_item.h"

// The ".rpk" exchange file: one recipe as a small Shift_JIS XML document
// (root, Status with nine keys, Material, Method, Picture as Base64, Comment).
// The recipe's name is the file's name.

inline const QString ExchangeFileFilter = QStringLiteral("メール添付用レシピファイル (*.rpk)");
inline const QString ExchangeExtension = QStringLiteral(".rpk");

// Largest exchange file read; a bigger one is refused before parsing.
inline constexpr qint64 MaxExchangeFileBytes = 64LL * 1024 * 1024;

// The nine keys of Status, in the file's order.
const QStringList& ExchangeStatusKeys();

struct TExchangeRecipe {
    QStringList Status;  // values of ExchangeStatusKeys(), in that order
    QString Material;    // the texts as the panes hold them (any line breaks)
    QString Method;
    QString Comment;
    QByteArray Picture;  // JPEG bytes; empty: no photo
};

// The record's attributes and icon, with the texts and photo given.
TExchangeRecipe ExchangeRecipeOf(const TCookItem& item, const QString& material, const QString& method,
                                 const QString& comment, const QByteArray& picture);

// The whole file, CP932 under our own declaration. Throws TSaporiaError
// naming a character CP932 cannot hold.
QByteArray WriteExchangeFile(const TExchangeRecipe& recipe);

// Parses and checks the whole file: well-formed XML, Base64 picture with a
// JPEG header, Status values without line breaks. Throws TSaporiaError
// naming the problem.
TExchangeRecipe ReadExchangeFile(const QByteArray& bytes);
// Reads the file at `path` (refused above MaxExchangeFileBytes) and parses
// it as ReadExchangeFile does. Throws TSaporiaError.
TExchangeRecipe LoadExchangeFile(const QString& path);

// The chosen save name with ".rpk" appended unless it already ends so.
QString ExchangeFilePath(const QString& chosen);
// The recipe name of an exchange file: its file name without the first ".rpk".
QString RecipeNameOfExchangeFile(const QString& path);

// The recipe to write for `recipe` named `name`: an icon index outside
// 0..iconCount-1 (or not a number) means no icon; empty values get no line.
TImportedRecipe ImportedRecipeOf(const QString& name, const TExchangeRecipe& recipe, int iconCount);

// Reads and checks the file, then writes the new recipe folder; nothing is
// written when any check fails. Throws TSaporiaError.
TCookItem ImportExchangeFile(const QString& dataRoot, const QString& path, int iconCount);
