// Finding recipes: the name and ingredient searches and the refinement search.
#include "ui/mainwindow/main_form.h"
#include "ui/mainwindow/recipe_panes.h"
#include "core/recipes/open_recipe.h"

#include <functional>

#include <QComboBox>
#include <QPushButton>
#include <QTextEdit>

#include "core/common/keywords.h"
#include "ui/dialogs/progress_form.h"
#include "core/recipes/cook_list_model.h"
#include "ui/mainwindow/cook_list_view.h"
#include "core/search/find_career.h"
#include "core/search/recipe_search.h"
#include "ui/mainwindow/search_boxes.h"
#include "ui/platform/dialogs.h"

namespace {

const QString SearchCaption = QStringLiteral("検索");
const QString NotFoundText = QStringLiteral("見つかりませんでした。");
const QString CompletedText = QStringLiteral("検索を完了しました。");

}  // namespace

void TMainForm::WireSearchCommands() {
    IngredientCache = std::make_shared<TIngredientCache>();
    RefinementBox = new TRefinementSearchBox(cbSearchRefinement, btnSearchRefinement, this);
    RefinementBox->SetHistorySource([this] { return FindCareerList; });
    Wire(btnSearchRefinement, [this] { btnSearchRefinementClick(); });
    Wire(miSearchRecipeName, [this] { miSearchRecipeNameClick(); });
    Wire(miSearchRecipeNameNext, [this] { miSearchRecipeNameNextClick(); });
    Wire(miSearchMaterialName, [this] { miSearchMaterialNameClick(); });
    Wire(miSearchMaterialNameNext, [this] { miSearchMaterialNameNextClick(); });
    WireFilterViews();
}

// ---- name search ---------------------------------------------------------------

namespace {

// One step of a search and its "next": from `next` on, the hit is shown and
// the step after it remembered; with no more hits `endText` is shown and the
// search forgotten.
void SearchStep(QWidget* owner, QString& keyword, int& next, const QString& endText,
                const std::function<int(int from)>& find, const std::function<bool(int row)>& show) {
    if (keyword.isEmpty())
        return;
    const int row = find(next);
    if (row < 0) {
        ShowInformationBox(owner, endText);
        next = 0;
        keyword.clear();
        return;
    }
    if (show(row))
        next = row + 1;
}

void NameSearchStep(TMainForm& form, const QString& endText) {
    SearchStep(
        &form, form.NameSearchKeyword, form.NameSearchNext, endText,
        [&](int from) { return FindNameHit(form.CookItems, form.ListModel->Rows(), from, form.NameSearchKeyword); },
        [&](int row) { return form.CookListView->SelectRow(row); });
}

}  // namespace

void TMainForm::miSearchRecipeNameClick() {
    QString answer;
    // Cancel ends the command and leaves a running search as it was.
    if (!InputQuery(this, SearchCaption, QStringLiteral("料理名を入力してください"), answer))
        return;
    NameSearchKeyword = answer;
    NameSearchNext = 0;
    NameSearchStep(*this, NotFoundText);
}

void TMainForm::miSearchRecipeNameNextClick() {
    NameSearchStep(*this, CompletedText);
}

// ---- ingredient search ---------------------------------------------------------

namespace {

// Selects an ingredient hit and colours the keyword in the two recipe panes.
// The marker is read once the hit is loaded: colouring is no edit, so a
// recipe without changes stays without the marker.
bool ShowMaterialHit(TMainForm& form, int row, const QString& keyword) {
    if (!form.CookListView->SelectRow(row))
        return false;  // the save question was cancelled: the old recipe stays
    const bool wasModified = form.IsModified();
    form.Panes->HighlightKeyword(keyword);
    if (!wasModified)
        form.SetModified(false);
    return true;
}

void MaterialSearchStep(TMainForm& form, const QString& endText) {
    if (form.MaterialSearchKeyword.isEmpty())
        return;
    RunGuarded(&form, ErrorPrefix(QStringLiteral("Search")), [&] {
        SearchStep(
            &form, form.MaterialSearchKeyword, form.MaterialSearchNext, endText,
            [&](int from) {
                return FindMaterialHit(form.CookItems, form.ListModel->Rows(), from, form.MaterialSearchKeyword,
                                       form.DataRoot, form.IngredientCache.get());
            },
            [&](int row) { return ShowMaterialHit(form, row, form.MaterialSearchKeyword); });
    });
}

}  // namespace

void TMainForm::miSearchMaterialNameClick() {
    QString answer = MaterialSearchKeyword;
    if (!InputQuery(this, SearchCaption, QStringLiteral("材料名を入力してください"), answer))
        return;
    MaterialSearchKeyword = answer;
    MaterialSearchNext = 0;
    MaterialSearchStep(*this, NotFoundText);
}

void TMainForm::miSearchMaterialNameNextClick() {
    MaterialSearchStep(*this, CompletedText);
}

// ---- refinement search ---------------------------------------------------------

void TMainForm::btnSearchRefinementClick() {
    const QString keyword = RefinementBox->Keyword();
    // The list is about to be refilled: unsaved edits are settled first, and
    // Cancel leaves the list, its flags and the history as they were.
    if (!QuerySaveChanges())
        return;
    AddFindCareer(FindCareerList, keyword);
    RunGuarded(this, ErrorPrefix(QStringLiteral("Search")), [&] {
        const TProgressScope progress(ProgressForm, QStringLiteral("検索中..."));
        RefineCookItems(CookItems, DataRoot, keyword, IngredientCache.get());
    });
    // Refilled also after a failure, so the rows agree with the flags.
    IndicateList(-1);
}
