#include "core/recipes/open_recipe.h"

#include <algorithm>
#include <utility>

#include "core/platform/saporia_error.h"
#include "core/recipes/recipe_name.h"

TOpenRecipe::TOpenRecipe(QString dataRoot, QObject* parent) : QObject(parent), DataRoot(std::move(dataRoot)) {}

void TOpenRecipe::MemoDrawn() {
    MemoChanged = true;
    SetModified(true);
}

void TOpenRecipe::SetModified(bool modified) {
    if (Modified == modified)
        return;
    Modified = modified;
    emit ModifiedChanged(modified);
}

bool TOpenRecipe::Load(const TCookItem& item, QSize memoSize) {
    RecipeName = item.Name;
    Recipe = TRecipeContent();
    PhotoPane.Clear();
    MemoChanged = false;
    MemoImage = QImage(std::max(1, memoSize.width()), std::max(1, memoSize.height()), QImage::Format_RGB32);
    MemoImage.fill(Qt::white);
    try {
        FolderPath = RecipeFolderPath(DataRoot, item);
    } catch (const TSaporiaError& error) {
        // A name that leads outside the data folder opens nothing: a save
        // would write there.
        FolderPath.clear();
        Recipe.LoadError = error.message();
    }
    if (!FolderPath.isEmpty()) {
        Recipe = ReadRecipeFolder(FolderPath);
        if (Recipe.HasMemo && !Recipe.Memo.isNull())
            MemoImage = Recipe.Memo.convertToFormat(QImage::Format_RGB32);
        PhotoPane.Show(Recipe);
    }
    SetModified(false);
    emit Loaded();
    return Recipe.LoadError.isEmpty();
}

void TOpenRecipe::Save(const TRecipeTexts& texts) {
    if (!IsOpen())
        throw TSaporiaError(QStringLiteral("選択されているレシピがありません"));
    Recipe.Foodstuff = texts.Foodstuff;
    Recipe.How = texts.How;
    Recipe.Comment = texts.Comment;
    Recipe.MemoDirty = MemoChanged;
    if (MemoChanged)
        Recipe.Memo = MemoImage;
    SaveRecipeFolder(FolderPath, Recipe);
    MemoChanged = false;
    SetModified(false);
}

void TOpenRecipe::Close() {
    FolderPath.clear();
    RecipeName.clear();
    Recipe = TRecipeContent();
    PhotoPane.Clear();
    MemoChanged = false;
    SetModified(false);
    emit Closed();
}

bool TOpenRecipe::ShouldAskToSave(bool viewOnly, bool closing) const { return Modified && !viewOnly && !closing; }

bool TOpenRecipe::Answer(TSaveAnswer answer, const std::function<bool()>& save) {
    switch (answer) {
    case TSaveAnswer::Yes:
        return save();
    case TSaveAnswer::No:
        SetModified(false);
        return true;
    case TSaveAnswer::Cancel:
        break;
    }
    return false;
}
