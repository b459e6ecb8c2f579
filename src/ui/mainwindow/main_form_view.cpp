// View settings of the main window: view style, font size, word wrap,
// view-only mode. None of them marks the open recipe modified.
#include "ui/mainwindow/main_form.h"

#include <QAction>

#include "core/recipes/open_recipe.h"
#include "ui/mainwindow/control_bar.h"
#include "ui/mainwindow/list_area.h"
#include "ui/mainwindow/main_bars.h"
#include "ui/mainwindow/recipe_panes.h"

void TMainForm::SetViewStyle(int tag) {
    const char* const buttons[] = {"tbtnReport", "tbtnList", "tbtnIcon", "tbtnSmallIcon"};
    if (tag < 0 || tag > 3)
        return;
    Bars->Action(QLatin1String(buttons[tag]))->setChecked(true);
    ListArea->SetViewStyle(tag);
}

void TMainForm::ApplyFontSize(int size) {
    const bool wasEmpty = !State.Recipe->IsModified();
    for (const char* name : {"miFontSizeMax", "miFontSizeBig", "miFontSizeMiddle", "miFontSizeSmall", "miFontSizeMin"})
        if (QAction* item = Bars->Action(QLatin1String(name)); item->data().toInt() == size)
            item->setChecked(true);
    Panes->ApplyFontSize(size);
    ListArea->SetFontSize(size);
    if (wasEmpty)
        State.Recipe->SetModified(false);
}

void TMainForm::ApplyWordWrap() {
    const bool wasEmpty = !State.Recipe->IsModified();
    Panes->ApplyWordWrap();
    if (wasEmpty)
        State.Recipe->SetModified(false);
}

// View-only mode swaps the bar rows and hides the panes' bar.
void TMainForm::SetViewOnly(bool viewOnly) {
    Bars->Site(1)->setVisible(!viewOnly);
    Panes->SetBarVisible(!viewOnly);
    Bars->Site(2)->setVisible(viewOnly);
    TCommandState state = Bars->State();
    state.ViewOnly = viewOnly;
    Bars->Update(state);
}
