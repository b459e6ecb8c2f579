// The list place's entry points: the list area does the work and asks the
// open recipe through the hooks set here.
#include "ui/mainwindow/main_form.h"

#include <QAction>

#include "core/recipes/open_recipe.h"
#include "core/recipes/recipe_book.h"
#include "ui/mainwindow/list_area.h"
#include "ui/mainwindow/main_bars.h"
#include "ui/mainwindow/pane_aids.h"
#include "ui/mainwindow/recipe_panes.h"
#include "ui/platform/dialogs.h"

void TMainForm::BindListHooks() {
    ListArea->SetHooks({
        .QuerySaveChanges = [this] { return QuerySaveChanges(); },
        .ClearModified = [this] { State.Recipe->SetModified(false); },
        .SelectItem = [this](int row, bool selected) { CookListViewSelectItem(row, selected); },
        .RowKept = [this] { SetEditMode(true); },
        .MarkMaterial = [this](const QString& keyword) { Panes->HighlightKeyword(keyword); },
        .IconSort = [this] { return Settings().IconSort; },
    });
}

bool TMainForm::IndicateList(int index) { return ListArea->IndicateList(index); }

void TMainForm::CookListViewSelectItem(int row, bool selected) {
    const int record = ListArea->RecordOfRow(row);
    const TCookItems& items = State.Book->CookItems;
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
    State.Recipe->Close();
    SetEditMode(false);
}

bool TMainForm::LoadFile(const TCookItem& item) {
    TOpenRecipe& recipe = *State.Recipe;
    const TSettings& settings = Settings();
    const bool loaded = recipe.Load(item, QSize(settings.DrawMemoWidth, settings.DrawMemoHeight));
    Panes->ShowRecipe(State.Book->Icons.Icon16(item.Icon), settings);
    PaneAids->Loaded();
    recipe.SetModified(false);
    if (!loaded)
        ShowErrorBox(this, QStringLiteral("Load File Error. Msg=") + recipe.Content().LoadError);
    return loaded;
}
