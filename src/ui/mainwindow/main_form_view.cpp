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
#include "ui/mainwindow/list_area.h"
#include "ui/mainwindow/main_bars.h"

std::vector<QWidget*> TMainForm::DockableBars() const { return Bars->DockableBars(); }

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
    const char* const buttons[] = {"tbtnReport", "tbtnList", "tbtnIcon", "tbtnSmallIcon"};
    if (tag < 0 || tag > 3)
        return;
    Bars->Action(QLatin1String(buttons[tag]))->setChecked(true);
    ListArea->SetViewStyle(tag);
}

void TMainForm::ApplyFontSize(int size) {
    const bool wasEmpty = !IsModified();
    for (const char* name : {"miFontSizeMax", "miFontSizeBig", "miFontSizeMiddle", "miFontSizeSmall", "miFontSizeMin"})
        if (QAction* item = Bars->Action(QLatin1String(name)); item->data().toInt() == size)
            item->setChecked(true);
    auto apply = [](QWidget* widget, int points) {
        QFont font = widget->font();
        font.setPointSize(points);
        widget->setFont(font);
    };
    Panes->ApplyFontSize(size);
    ListArea->SetFontSize(size);
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

void TMainForm::miFontSizeBigClick(int size) { ApplyFontSize(size); }

void TMainForm::miModeChangeClick() {
    Bars->Site(1)->hide();
    Panes->SetBarVisible(false);
    Bars->Site(2)->show();
    ViewOnly = true;
    UpdateCommands();
}

void TMainForm::tbtnModeChangeClick() {
    Bars->Site(1)->show();
    Panes->SetBarVisible(true);
    Bars->Site(2)->hide();
    ViewOnly = false;
    UpdateCommands();
}

namespace {

// The tool bar items by tag (1 to 6) and the bars they show.
const std::pair<const char*, const char*> ToolbarItems[] = {
    {"miTbShortcut", "ToolBar1"}, {"miTbDisplayform", "ToolBar2"}, {"miTbSearch", "ToolBar4"},
    {"miTbHint", "PanelHint"},    {"miTbClock", "PanelClock"},     {"miTbHomePage", "PanelAuthor"}};

}  // namespace

void TMainForm::miToolbarClick() {
    for (const auto& [item, bar] : ToolbarItems)
        Bars->Action(QLatin1String(item))->setChecked(BarVisible(Bars->Bar(QLatin1String(bar))));
}

void TMainForm::miTbShortcutClick(int tag) {
    if (tag < 1 || tag > 6)
        return;
    const auto& [item, bar] = ToolbarItems[tag - 1];
    // The item's tick was toggled by the click: the bar follows it.
    SetBarVisible(Bars->Bar(QLatin1String(bar)), Bars->Action(QLatin1String(item))->isChecked());
}
