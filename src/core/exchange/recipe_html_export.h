#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "core/exchange/html_writer.h"

// The open recipe as one web page: "index.html" and "Image.jpg" in a
// time-stamped folder.

inline const QString RecipePageFileName = QStringLiteral("index.html");
inline const QString RecipeImageFileName = QStringLiteral("Image.jpg");

// The page; `withPhoto` adds the photo cell, which refers to
// "Image.jpg" beside the page.
THtmlWriter RecipePage(const QString& name, const QStringList& ingredients, const QStringList& method,
                       const QStringList& comment, bool withPhoto);

// Writes the page of the recipe in `recipeFolder` (its saved files) into
// `exportFolder`, which exists. A photo that cannot be copied leaves the page
// without it. Throws THtmlSaveError when the page cannot be written.
void ExportRecipeHtml(const QString& exportFolder, const QString& name, const QString& recipeFolder);
