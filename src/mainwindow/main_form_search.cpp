// Finding recipes: the name and ingredient searches and the refinement search.
#include "mainwindow/main_form.h"

#include <QComboBox>
#include <QPushButton>
#include <QTextEdit>

#include "common/keywords.h"
#include "dialogs/progress_form.h"
#include "mainwindow/cook_list_model.h"
#include "mainwindow/cook_list_view_widget.h"
#include "mainwindow/find_career.h"
#include "mainwindow/recipe_search.h"
#include "mainwindow/search_boxes_widget.h"
#include "platform/dialogs.h"

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

void TMainForm::miSearchRecipeNameClick() {
    QString answer;
    // Cancel ends the command and leaves a running search as it was.
    if (!InputQuery(this, SearchCaption, QStringLiteral("料理名を入力してください"), answer))
        return;
    NameSearchKeyword = answer;
    NameSearchNext = 0;
    if (NameSearchKeyword.isEmpty())
        return;
    const int row = FindNameHit(CookItems, ListModel->Rows(), 0, NameSearchKeyword);
    if (row < 0) {
        ShowInformationBox(this, NotFoundText);
        NameSearchNext = 0;
        NameSearchKeyword.clear();
        return;
    }
    if (CookListView->SelectRow(row))
        NameSearchNext = row + 1;
}

void TMainForm::miSearchRecipeNameNextClick() {
    if (NameSearchKeyword.isEmpty())
        return;
    const int row = FindNameHit(CookItems, ListModel->Rows(), NameSearchNext, NameSearchKeyword);
    if (row < 0) {
        ShowInformationBox(this, CompletedText);
        NameSearchNext = 0;
        NameSearchKeyword.clear();
        return;
    }
    if (CookListView->SelectRow(row))
        NameSearchNext = row + 1;
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
    HighlightKeywords(form.memFoodstuff->document(), keyword);
    HighlightKeywords(form.MemoHow->document(), keyword);
    if (!wasModified)
        form.SetModified(false);
    return true;
}

}  // namespace

void TMainForm::miSearchMaterialNameClick() {
    QString answer = MaterialSearchKeyword;
    if (!InputQuery(this, SearchCaption, QStringLiteral("材料名を入力してください"), answer))
        return;
    MaterialSearchKeyword = answer;
    MaterialSearchNext = 0;
    if (MaterialSearchKeyword.isEmpty())
        return;
    RunGuarded(this, ErrorPrefix(QStringLiteral("Search")), [&] {
        const int row = FindMaterialHit(CookItems, ListModel->Rows(), 0, MaterialSearchKeyword, DataRoot,
                                        IngredientCache.get());
        if (row < 0) {
            ShowInformationBox(this, NotFoundText);
            MaterialSearchNext = 0;
            MaterialSearchKeyword.clear();
            return;
        }
        if (ShowMaterialHit(*this, row, MaterialSearchKeyword))
            MaterialSearchNext = row + 1;
    });
}

void TMainForm::miSearchMaterialNameNextClick() {
    if (MaterialSearchKeyword.isEmpty())
        return;
    RunGuarded(this, ErrorPrefix(QStringLiteral("Search")), [&] {
        const int row = FindMaterialHit(CookItems, ListModel->Rows(), MaterialSearchNext, MaterialSearchKeyword,
                                        DataRoot, IngredientCache.get());
        if (row < 0) {
            ShowInformationBox(this, CompletedText);
            MaterialSearchNext = 0;
            MaterialSearchKeyword.clear();
            return;
        }
        if (ShowMaterialHit(*this, row, MaterialSearchKeyword))
            MaterialSearchNext = row + 1;
    });
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
