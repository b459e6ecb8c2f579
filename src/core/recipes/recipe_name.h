#pragma once

#include <QByteArray>
#include <QString>

struct TCookItem;

// The one check of a text used as a recipe folder name, for every caller that
// makes or renames a folder from a name (new recipe, rename, imports, LAN).
// Refused: empty after Trim, "." or "..", "/" or "\", control characters, the
// characters : * ? " < > |, characters CP932 cannot hold, and names longer than
// 255 bytes in CP932 or in UTF-8 (the file name on disk).

// The reason in Japanese, or an empty string when the name may be used.
QString RecipeNameProblem(const QString& name);

// Throws TSaporiaError with the reason when the name may not be used.
void CheckRecipeName(const QString& name);

// The data folder: AppDir (ending with "/") + "Cook".
QString DataRootOf(const QString& appDir);

// The folder of recipe `name` inside `dataRoot`, ending with "/": the form of
// CurrentRecipePath. Checks the name and that the folder is a direct child of
// the data folder; throws TSaporiaError otherwise.
QString RecipeFolderPath(const QString& dataRoot, const QString& name);

// True when `path` (with or without a final "/") names a direct child of
// `dataRoot`, after resolving "." and ".." in the text.
bool IsDirectChildOf(const QString& dataRoot, const QString& path);

// How a folder name read from the disk is shown: the UTF-8 text when the
// bytes are valid UTF-8, otherwise CP932 (a collection copied from Windows),
// each byte kept as FromSjis keeps it, so two names never show alike by
// losing bytes.
QString FolderNameText(const QByteArray& bytes);

// The bytes naming the record's folder: as the scan listed them, or the name
// in UTF-8 for a record that was not listed.
QByteArray RecipeFolderBytes(const TCookItem& item);

// The record's folder as the system spells it (no final "/"). Checks only that
// it is a direct child of the data folder: a listed folder keeps whatever name
// it has. Throws TSaporiaError otherwise.
QByteArray RecipeFolderNativePath(const QString& dataRoot, const TCookItem& item);

// The same folder ending with "/", as a path Qt's file classes reach even
// when the name is not UTF-8.
QString RecipeFolderPath(const QString& dataRoot, const TCookItem& item);
