// The recipe panes as the window drives them: edit mode, loading and saving
// the open recipe.
#include "ui/mainwindow/main_form.h"

#include <QAction>
#include <QToolButton>

#include "core/recipes/open_recipe.h"
#include "ui/mainwindow/link_hover.h"
#include "ui/mainwindow/recipe_panes.h"
#include "core/recipes/recipe_book.h"
#include "ui/platform/dialogs.h"

void TMainForm::SetEditMode(bool enabled) {
    EditModeOn = enabled;
    UpdateCommands();
    Panes->SetEditLook(enabled);
}

bool TMainForm::LoadFile(const TCookItem& item) {
    const TSettings& settings = Settings();
    const bool loaded = OpenRecipe->Load(item, QSize(settings.DrawMemoWidth, settings.DrawMemoHeight));
    Panes->ShowRecipe(Book->Icons.Icon16(item.Icon), settings);
    PaneAidsLoaded();
    SetModified(false);
    if (!loaded)
        ShowErrorBox(this, QStringLiteral("Load File Error. Msg=") + OpenRecipe->Content().LoadError);
    return loaded;
}

bool TMainForm::Save() {
    return RunGuarded(this, ErrorPrefix(QStringLiteral("Save")), [this] { OpenRecipe->Save(Panes->Texts()); });
}
