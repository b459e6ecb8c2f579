// The list place's entry points: the window's commands forward to the list
// area, which asks the open recipe through the hooks set here.
#include "ui/mainwindow/main_form.h"

#include <QAction>
#include <QLabel>
#include <QTextEdit>

#include "core/common/keywords.h"
#include "core/recipes/recipe_book.h"
#include "ui/mainwindow/list_area.h"

void TMainForm::WireSearchCommands() {
    ListArea->SetHooks({
        .QuerySaveChanges = [this] { return QuerySaveChanges(); },
        .ClearModified = [this] { SetModified(false); },
        .SelectItem = [this](int row, bool selected) { CookListViewSelectItem(row, selected); },
        .RowKept = [this] { SetEditMode(true); },
        // Colouring is no edit: a recipe without changes stays without the marker.
        .MarkMaterial =
            [this](const QString& keyword) {
                const bool wasModified = IsModified();
                HighlightKeywords(memFoodstuff->document(), keyword);
                HighlightKeywords(MemoHow->document(), keyword);
                if (!wasModified)
                    SetModified(false);
            },
        .IconSort = [this] { return CurrentSettings().IconSort; },
        .GesturesEnabled = [this] { return !ViewOnly; },
        .RunGesture = [this](TGestureCommand command) { RunGesture(command); },
    });
    ListArea->AttachRefinementBox(cbSearchRefinement, btnSearchRefinement);
    Wire(btnSearchRefinement, [this] { btnSearchRefinementClick(); });
    Wire(miSearchRecipeName, [this] { miSearchRecipeNameClick(); });
    Wire(miSearchRecipeNameNext, [this] { miSearchRecipeNameNextClick(); });
    Wire(miSearchMaterialName, [this] { miSearchMaterialNameClick(); });
    Wire(miSearchMaterialNameNext, [this] { miSearchMaterialNameNextClick(); });
    Wire(A2, [this] { A2Click(); });
    connect(ListArea, &TListArea::ClassPaneCloseClicked, A2, &QAction::trigger);
    Wire(S1, [this] { S1Click(); });
    connect(ListArea, &TListArea::ThumbnailPaneCloseClicked, S1, &QAction::trigger);
}

void TMainForm::SearchCookFld() { ListArea->SearchCookFld(); }

bool TMainForm::IndicateList(int index) { return ListArea->IndicateList(index); }

int TMainForm::SelectedRecord() const { return ListArea->SelectedRecord(); }

bool TMainForm::SelectRecord(int record) { return ListArea->SelectRecord(record); }

void TMainForm::CookListViewSelectItem(int row, bool selected) {
    imbRecipeIcon->clear();
    const int record = ListArea->RecordOfRow(row);
    const TCookItems& items = Book->CookItems;
    if (selected && record >= 0 && record < items.size()) {
        const TCookItem& item = items[record];
        miPrint->setText(QStringLiteral("【") + item.Name + QStringLiteral("】の印刷(&P)"));
        PrintPreview1->setText(QStringLiteral("【") + item.Name + QStringLiteral("】の印刷ﾌﾟﾚﾋﾞｭｰ(&V)..."));
        SetEditMode(true);
        LoadFile(item);
        return;
    }
    miPrint->setText(PlainPrintCaption);
    PrintPreview1->setText(PlainPreviewCaption);
    CurrentRecipePath.clear();
    Recipe = TRecipeContent();
    SetEditMode(false);
    SetModified(false);
}

void TMainForm::miSearchRecipeNameClick() { ListArea->miSearchRecipeNameClick(); }
void TMainForm::miSearchRecipeNameNextClick() { ListArea->miSearchRecipeNameNextClick(); }
void TMainForm::miSearchMaterialNameClick() { ListArea->miSearchMaterialNameClick(); }
void TMainForm::miSearchMaterialNameNextClick() { ListArea->miSearchMaterialNameNextClick(); }
void TMainForm::btnSearchRefinementClick() { ListArea->btnSearchRefinementClick(); }
void TMainForm::ComboBoxGroupChange() { ListArea->ComboBoxGroupChange(); }

// The menu items have just toggled their ticks.
void TMainForm::A2Click() { ListArea->ShowClassPane(A2->isChecked()); }
void TMainForm::S1Click() { ListArea->ShowThumbnailPane(S1->isChecked()); }
