#include "core/exchange/imported_recipe.h"

#include <QDir>
#include <QFileInfo>

#include "core/platform/saporia_error.h"
#include "core/recipes/recipe_folder.h"
#include "core/recipes/recipe_folder_ops.h"
#include "core/recipes/recipe_name.h"
#include "core/recipes/recipe_transaction.h"

QString ImportNameProblem(const QString& dataRoot, const QString& name) {
    const QString problem = RecipeNameProblem(name);
    if (!problem.isEmpty())
        return problem;
    // Any entry of that name blocks: a file there is no recipe to merge into.
    if (QFileInfo::exists(QDir(dataRoot).filePath(name)) || QFileInfo(QDir(dataRoot).filePath(name)).isSymLink())
        return ImportExistsMessage;
    return QString();
}

TCookItem WriteImportedRecipe(const QString& dataRoot, const TImportedRecipe& recipe) {
    const QString problem = ImportNameProblem(dataRoot, recipe.Name);
    if (!problem.isEmpty())
        throw TSaporiaError(problem);
    const QString folder = RecipeFolderPath(dataRoot, recipe.Name);

    // Encoded first: a character CP932 cannot hold fails before the folder exists.
    QList<QPair<QString, QByteArray>> files{{FoodstuffFileName, TextFileBytes(recipe.Foodstuff)},
                                            {HowFileName, TextFileBytes(recipe.How)}};
    if (recipe.Comment)
        files.append({CommentFileName, TextFileBytes(*recipe.Comment)});
    files.append({StatusFileName, recipe.Status.ToBytes()});
    if (!recipe.Photo.isEmpty())
        files.append({PhotoFileName, recipe.Photo});

    if (!QDir(dataRoot).exists() && !QDir().mkpath(dataRoot))
        throw TSaporiaError(dataRoot + QStringLiteral("フォルダの作成に失敗しました。"));
    if (!QDir(dataRoot).mkdir(recipe.Name))
        throw TSaporiaError(folder + QStringLiteral("フォルダの作成に失敗しました。"));
    try {
        TRecipeTransaction transaction(folder);
        for (const auto& [name, bytes] : files)
            transaction.Put(name, bytes);
        transaction.Commit();
    } catch (...) {
        try {
            TCookItem made;
            made.Name = recipe.Name;
            made.FolderName = recipe.Name.toUtf8();
            DeleteRecipeFolder(dataRoot, made);
        } catch (...) {
        }
        throw;
    }

    TCookItem item;
    item.Name = recipe.Name;
    item.Icon = recipe.Status.IntValue(StatusKey::Icon, -1);
    item.Kind = recipe.Status.Value(StatusKey::Kind);
    item.Amount = recipe.Status.Value(StatusKey::Amount);
    item.Calorie = recipe.Status.Value(StatusKey::Calorie);
    item.Price = recipe.Status.Value(StatusKey::Price);
    item.WorkTime = recipe.Status.Value(StatusKey::WorkTime);
    item.Date = recipe.Status.Value(StatusKey::Date);
    item.Group = recipe.Status.Value(StatusKey::Group);
    item.Salt = recipe.Status.Value(StatusKey::Salt);
    item.PhotoMark = recipe.Photo.isEmpty() ? PhotoMarkAbsent : PhotoMarkPresent;
    return item;
}
