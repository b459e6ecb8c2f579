// The recipe panes as the window drives them: edit mode, loading and saving
// the open recipe.
#include "ui/mainwindow/main_form.h"

#include <QAction>
#include <QToolButton>

#include "core/recipes/open_recipe.h"
#include "ui/mainwindow/link_hover.h"
#include "ui/mainwindow/recipe_panes.h"
#include "ui/options/option_form.h"
#include "ui/platform/dialogs.h"

const TSettings& TMainForm::CurrentSettings() {
    // The options window owns the settings; without it (a window built alone)
    // the defaults held here stand in.
    return OptionForm ? OptionForm->Settings : Settings;
}

void TMainForm::SetEditMode(bool enabled) {
    EditModeOn = enabled;
    // The commands that need an open recipe follow the panes.
    for (QObject* command : std::initializer_list<QObject*>{
             miPrint, tbtnPrint, tbtnEasyPrint, PrintPreview1, tbtnPrintPreview, miRecipeSave, Panes->SaveButton(),
             Panes->WordWrapButton(), miRecipeRename, ToolButtonEditRecipe, ToolButtonEditAttr, Paste2, L1, D1, Copy1,
             Paste3, N18, miRecipeDelete, Delete2, ToolButtonDelRecipe, miRecipeAttrEdit, E2, R1, N46,
             miMailExport})
        SetCommandEnabled(command, enabled);
    Panes->SetEditLook(enabled);
}

bool TMainForm::LoadFile(const TCookItem& item) {
    const TSettings& settings = CurrentSettings();
    const bool loaded = OpenRecipe->Load(item, QSize(settings.DrawMemoWidth, settings.DrawMemoHeight));
    Panes->ShowRecipe(Icons.Icon16(item.Icon), settings);
    PaneAidsLoaded();
    SetModified(false);
    if (!loaded)
        ShowErrorBox(this, QStringLiteral("Load File Error. Msg=") + OpenRecipe->Content().LoadError);
    return loaded;
}

bool TMainForm::Save() {
    return RunGuarded(this, ErrorPrefix(QStringLiteral("Save")), [this] { OpenRecipe->Save(Panes->Texts()); });
}
