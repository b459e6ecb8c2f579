#pragma once

#include <QString>

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
