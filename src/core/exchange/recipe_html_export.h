#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "core/exchange/html_writer.h"

class TExportFolder;

// The open recipe as one web page: "index.html" and "Image.jpg" in a
// time-stamped folder.

inline const QString RecipePageFileName = QStringLiteral("index.html");
inline const QString RecipeImageFileName = QStringLiteral("Image.jpg");

// The page; `withPhoto` adds the photo cell, which refers to
// "Image.jpg" beside the page.
THtmlWriter RecipePage(const QString& name, const QStringList& ingredients, const QStringList& method,
                       const QStringList& comment, bool withPhoto);

// Writes the page and photo of the recipe in `recipeFolder` (its saved files)
// into `folder`; the caller keeps or discards them. A photo or text that is
// there but cannot be read, or a photo that cannot be copied, fails the
// export (TSaporiaError) as the page does (THtmlSaveError): a page without
// them would pass for a whole one.
void ExportRecipeHtml(TExportFolder& folder, const QString& name, const QString& recipeFolder);
// The same into `exportFolder`, which exists; a failed export leaves it as it was.
void ExportRecipeHtml(const QString& exportFolder, const QString& name, const QString& recipeFolder);
