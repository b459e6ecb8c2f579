#pragma once

#include <QString>

#include "core/recipes/recipe_attributes.h"
#include "core/platform/sjis.h"
#include "core/recipes/cook_item.h"

// Whole-recipe operations on the data folder: create, delete, rename. Every
// name passes the one recipe-name check and every path is a direct child of
// the data folder. Failures throw TSaporiaError with the user's message.

inline const QString RecipeNameEmptyMessage = QStringLiteral("料理名称を入力してください。");
inline const QString RecipeNameExistsMessage = QStringLiteral("既に存在する料理名です。");

// Plain text as the recipe files hold it: every line ending with CR LF, an
// empty text giving an empty file. Throws when CP932 cannot hold a character.
QByteArray TextFileBytes(const QString& text);

// The message that refuses `name` (already trimmed) for a new recipe or a
// rename in `dataRoot`, or an empty text when it may be used.
QString NewRecipeNameProblem(const QString& dataRoot, const QString& name);

// Creates the recipe folder `name` and its files: from the wizard's data, or
// an empty recipe (two empty texts and a "Status.txt" with the date only)
// when `wizard` is null. Everything is encoded before the folder is made; on
// any failure the folder made here is removed again. Returns the new record.
TCookItem CreateRecipe(const QString& dataRoot, const QString& name, const TWizardRecipe* wizard,
                       const QString& today, const TIconNames& icons);

// Deletes the record's folder with everything in it ("LinkPic" and
// other subfolders included). Symbolic links are removed, never followed; a
// recipe folder that is itself a link loses only the link. The failure
// message names the path that could not be removed.
void DeleteRecipeFolder(const QString& dataRoot, const TCookItem& item);

// Renames the record's folder, never over an existing entry. The new name is
// written in UTF-8 whatever bytes the old one had, and `item` takes it.
// Returns false (nothing done) when the new name is empty or the folder has
// that very name; throws when the name is refused or the rename fails.
bool RenameRecipeFolder(const QString& dataRoot, TCookItem& item, const QString& newName);
