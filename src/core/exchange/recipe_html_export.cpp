#include "core/exchange/recipe_html_export.h"

#include <QFileInfo>

#include "core/exchange/export_folder.h"
#include "core/exchange/html_writer.h"
#include "core/platform/file_io.h"
#include "core/recipes/recipe_folder.h"

THtmlWriter RecipePage(const QString& name, const QStringList& ingredients, const QStringList& method,
                       const QStringList& comment, bool withPhoto) {
    const QString title = HtmlEscape(name);
    const QString wide = QStringLiteral("<th colspan=2  align=\"left\" bgcolor=\"#EEEEFF\">");
    THtmlWriter page = StartRecipePage(title);
    page.Line(18, QStringLiteral("<table>"));
    RecipePageRow(page, {QStringLiteral("<th colspan=2 bgcolor=\"#BBEEFF\"><font size=\"+2\">") + title +
                         QStringLiteral("</font></th>")});
    QStringList first{QStringLiteral("<th align=\"left\" bgcolor=\"#EEEEEE\">") + HtmlCell(ingredients) +
                      QStringLiteral("</th>")};
    if (withPhoto)
        first << QStringLiteral("<th align=\"center\" bgcolor=\"#EEEEEE\" width=\"10\"><img src=\"") +
                     RecipeImageFileName + QStringLiteral("\"></th>");
    RecipePageRow(page, first);
    RecipePageRow(page, {wide + ColourDigits(HtmlCell(method)) + QStringLiteral("</th>")});
    RecipePageRow(page, {wide + HtmlCell(comment) + QStringLiteral("</th>")});
    page.Line(18, QStringLiteral("</table>"));
    EndRecipePage(page);
    return page;
}

void ExportRecipeHtml(TExportFolder& folder, const QString& name, const QString& recipeFolder) {
    const QString photo = ExistingPathIgnoringCase(recipeFolder, PhotoFileName);
    const bool withPhoto = QFileInfo(photo).isFile();
    if (withPhoto)
        folder.Write(RecipeImageFileName, ReadFileBytes(photo));
    // Read in a fixed order, so the same file is the one named when two fail.
    const QStringList method = RecipeTextLines(recipeFolder, HowFileName);
    const QStringList ingredients = RecipeTextLines(recipeFolder, FoodstuffFileName);
    const QStringList comment = RecipeTextLines(recipeFolder, CommentFileName);
    RecipePage(name, ingredients, method, comment, withPhoto).SaveTo(folder, RecipePageFileName);
}

void ExportRecipeHtml(const QString& exportFolder, const QString& name, const QString& recipeFolder) {
    TExportFolder folder(exportFolder);
    ExportRecipeHtml(folder, name, recipeFolder);
    folder.Keep();
}
