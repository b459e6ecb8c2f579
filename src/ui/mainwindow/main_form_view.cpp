// View settings of the main window: view style, font size, word wrap, bars,
// view-only mode.
#include "ui/mainwindow/main_form.h"
#include "ui/mainwindow/recipe_panes.h"
#include "core/recipes/open_recipe.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

#include "ui/mainwindow/control_bar.h"
#include "ui/mainwindow/cook_list_view.h"

std::vector<QWidget*> TMainForm::DockableBars() const {
    return {ToolBar1, ToolBar2, ToolBar3, ToolBar4, PanelHint, PanelClock, PanelAuthor};
}

bool TMainForm::BarVisible(const QWidget* bar) {
    if (QWidget* floating = TControlBar::FloatingWindow(bar))
        return !floating->isHidden() && !bar->isHidden();
    return !bar->isHidden();
}

void TMainForm::SetBarVisible(QWidget* bar, bool visible) {
    bar->setVisible(visible);
    if (QWidget* floating = TControlBar::FloatingWindow(bar))
        floating->setVisible(visible);
}

void TMainForm::tbtnReportClick(int tag) {
    QToolButton* buttons[] = {tbtnReport, tbtnList, tbtnIcon, tbtnSmallIcon};
    if (tag < 0 || tag > 3)
        return;
    buttons[tag]->setChecked(true);
    CookListView->SetViewStyle(static_cast<TCookListView::TViewStyle>(tag));
}

void TMainForm::ApplyFontSize(int size) {
    const bool wasEmpty = !IsModified();
    for (QAction* item : {miFontSizeMax, miFontSizeBig, miFontSizeMiddle, miFontSizeSmall, miFontSizeMin})
        if (item->data().toInt() == size)
            item->setChecked(true);
    auto apply = [](QWidget* widget, int points) {
        QFont font = widget->font();
        font.setPointSize(points);
        widget->setFont(font);
    };
    Panes->ApplyFontSize(size);
    apply(TreeView1, size);
    QFont listFont = CookListView->font();
    listFont.setPointSize(size);
    CookListView->SetRowFont(listFont);
    FontSize = size;
    if (wasEmpty)
        SetModified(false);
}

void TMainForm::tbtnWordWrapClick() {
    const bool wasEmpty = !IsModified();
    Panes->ApplyWordWrap();
    if (wasEmpty)
        SetModified(false);
}

void TMainForm::miModeChangeClick() {
    ControlBar1->hide();
    Panes->SetBarVisible(false);
    ControlBar2->show();
    ViewOnly = true;
    LockRecipeCommands(true);
}

void TMainForm::tbtnModeChangeClick() {
    ControlBar1->show();
    Panes->SetBarVisible(true);
    ControlBar2->hide();
    ViewOnly = false;
    LockRecipeCommands(false);
}

void TMainForm::miToolbarClick() {
    const std::pair<QAction*, QWidget*> items[] = {{miTbShortcut, ToolBar1}, {miTbDisplayform, ToolBar2},
                                                   {miTbSearch, ToolBar4},   {miTbHint, PanelHint},
                                                   {miTbClock, PanelClock},  {miTbHomePage, PanelAuthor}};
    for (const auto& [item, bar] : items)
        item->setChecked(BarVisible(bar));
}

void TMainForm::miTbShortcutClick(QAction* item) {
    QWidget* bars[] = {nullptr, ToolBar1, ToolBar2, ToolBar4, PanelHint, PanelClock, PanelAuthor};
    const int tag = item->data().toInt();
    if (tag < 1 || tag > 6)
        return;
    // The item's tick was toggled by the click: the bar follows it.
    SetBarVisible(bars[tag], item->isChecked());
}
