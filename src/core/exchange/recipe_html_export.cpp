#include "core/exchange/recipe_html_export.h"

#include <QFileInfo>

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

void ExportRecipeHtml(const QString& exportFolder, const QString& name, const QString& recipeFolder) {
    bool withPhoto = false;
    const QString photo = ExistingPathIgnoringCase(recipeFolder, PhotoFileName);
    if (QFileInfo(photo).isFile()) {
        try {
            WriteFileAtomic(WithTrailingSlash(exportFolder) + RecipeImageFileName, ReadFileBytes(photo));
            withPhoto = true;
        } catch (const TSaporiaError&) {
            // The page goes without its picture.
        }
    }
    const THtmlWriter page = RecipePage(name, RecipeTextLines(recipeFolder, FoodstuffFileName),
                                        RecipeTextLines(recipeFolder, HowFileName),
                                        RecipeTextLines(recipeFolder, CommentFileName), withPhoto);
    page.Save(WithTrailingSlash(exportFolder) + RecipePageFileName);
}
