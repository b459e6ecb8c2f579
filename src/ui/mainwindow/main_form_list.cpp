// The list place's entry points: the window's commands forward to the list
// area, which asks the open recipe through the hooks set here.
#include "ui/mainwindow/main_form.h"
#include "ui/mainwindow/recipe_panes.h"
#include "core/recipes/open_recipe.h"

#include <QAction>
#include <QComboBox>
#include <QPushButton>
#include <QLabel>
#include <QTextEdit>

#include "core/common/keywords.h"
#include "core/recipes/recipe_book.h"
#include "ui/mainwindow/list_area.h"
#include "ui/mainwindow/main_bars.h"

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
                Panes->HighlightKeyword(keyword);
                if (!wasModified)
                    SetModified(false);
            },
        .IconSort = [this] { return Settings().IconSort; },
        .GesturesEnabled = [this] { return !ViewOnly; },
        .RunGesture = [this](TGestureCommand command) { RunGesture(command); },
        .ProgressWindow = [this] { return Windows().ProgressForm; },
    });
    ListArea->AttachRefinementBox(findChild<QComboBox*>(QStringLiteral("cbSearchRefinement")),
                                  findChild<QPushButton*>(QStringLiteral("btnSearchRefinement")));
    BindCommand(QStringLiteral("btnSearchRefinement"), [this] { btnSearchRefinementClick(); });
    BindCommand(QStringLiteral("miSearchRecipeName"), [this] { miSearchRecipeNameClick(); });
    BindCommand(QStringLiteral("miSearchRecipeNameNext"), [this] { miSearchRecipeNameNextClick(); });
    BindCommand(QStringLiteral("miSearchMaterialName"), [this] { miSearchMaterialNameClick(); });
    BindCommand(QStringLiteral("miSearchMaterialNameNext"), [this] { miSearchMaterialNameNextClick(); });
    BindCommand(QStringLiteral("A2"), [this] { A2Click(); });
    connect(ListArea, &TListArea::ClassPaneCloseClicked, Bars->Action(QStringLiteral("A2")), &QAction::trigger);
    BindCommand(QStringLiteral("S1"), [this] { S1Click(); });
    connect(ListArea, &TListArea::ThumbnailPaneCloseClicked, Bars->Action(QStringLiteral("S1")), &QAction::trigger);
}

void TMainForm::SearchCookFld() { ListArea->SearchCookFld(); }

bool TMainForm::IndicateList(int index) { return ListArea->IndicateList(index); }

int TMainForm::SelectedRecord() const { return ListArea->SelectedRecord(); }

bool TMainForm::SelectRecord(int record) { return ListArea->SelectRecord(record); }

void TMainForm::CookListViewSelectItem(int row, bool selected) {
    const int record = ListArea->RecordOfRow(row);
    const TCookItems& items = Book->CookItems;
    if (selected && record >= 0 && record < items.size()) {
        const TCookItem& item = items[record];
        Bars->Action(QStringLiteral("miPrint"))
            ->setText(QStringLiteral("【") + item.Name + QStringLiteral("】の印刷(&P)"));
        Bars->Action(QStringLiteral("PrintPreview1"))
            ->setText(QStringLiteral("【") + item.Name + QStringLiteral("】の印刷ﾌﾟﾚﾋﾞｭｰ(&V)..."));
        SetEditMode(true);
        LoadFile(item);
        return;
    }
    Bars->Action(QStringLiteral("miPrint"))->setText(PlainPrintCaption);
    Bars->Action(QStringLiteral("PrintPreview1"))->setText(PlainPreviewCaption);
    OpenRecipe->Close();
    SetEditMode(false);
}

void TMainForm::miSearchRecipeNameClick() { ListArea->miSearchRecipeNameClick(); }
void TMainForm::miSearchRecipeNameNextClick() { ListArea->miSearchRecipeNameNextClick(); }
void TMainForm::miSearchMaterialNameClick() { ListArea->miSearchMaterialNameClick(); }
void TMainForm::miSearchMaterialNameNextClick() { ListArea->miSearchMaterialNameNextClick(); }
void TMainForm::btnSearchRefinementClick() { ListArea->btnSearchRefinementClick(); }
void TMainForm::ComboBoxGroupChange() { ListArea->ComboBoxGroupChange(); }

// The menu items have just toggled their ticks.
void TMainForm::A2Click() { ListArea->ShowClassPane(Bars->Action(QStringLiteral("A2"))->isChecked()); }
void TMainForm::S1Click() { ListArea->ShowThumbnailPane(Bars->Action(QStringLiteral("S1"))->isChecked()); }
