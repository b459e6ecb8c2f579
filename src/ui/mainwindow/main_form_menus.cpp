// Binding the command table's rows to the main window's handlers, and the
// pop-up menus of the list, the text panes and the photo.
#include "ui/mainwindow/main_form.h"
#include "ui/mainwindow/recipe_panes.h"
#include "core/recipes/open_recipe.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QTextEdit>
#include <QToolButton>

#include "ui/mainwindow/list_area.h"
#include "ui/mainwindow/main_bars.h"

void TMainForm::BindCommand(const QString& name, std::function<void()> handler) {
    Bars->Bind(name, std::move(handler));
}

void TMainForm::UpdateCommands() {
    Bars->Update(TCommandState{EditModeOn, ViewOnly, Busy});
}

void TMainForm::BindCommands() {
    using THandler = void (TMainForm::*)();
    const std::pair<const char*, THandler> handlers[] = {
        {"Exit1", &TMainForm::Exit1Click},
        {"miModeChange", &TMainForm::miModeChangeClick},
        {"tbtnModeChange", &TMainForm::tbtnModeChangeClick},
        {"tbtnWordWrap", &TMainForm::tbtnWordWrapClick},
    };
    for (const auto& [name, handler] : handlers)
        BindCommand(QLatin1String(name), [this, handler] { (this->*handler)(); });

    // Commands that pass their row's tag.
    using TTagHandler = void (TMainForm::*)(int);
    const std::pair<const char*, TTagHandler> tagged[] = {
        {"tbtnReport", &TMainForm::tbtnReportClick},       {"tbtnList", &TMainForm::tbtnReportClick},
        {"tbtnIcon", &TMainForm::tbtnReportClick},         {"tbtnSmallIcon", &TMainForm::tbtnReportClick},
        {"miTbShortcut", &TMainForm::miTbShortcutClick},   {"miTbDisplayform", &TMainForm::miTbShortcutClick},
        {"miTbSearch", &TMainForm::miTbShortcutClick},     {"miTbHint", &TMainForm::miTbShortcutClick},
        {"miTbClock", &TMainForm::miTbShortcutClick},      {"miTbHomePage", &TMainForm::miTbShortcutClick},
        {"miFontSizeMax", &TMainForm::miFontSizeBigClick}, {"miFontSizeBig", &TMainForm::miFontSizeBigClick},
        {"miFontSizeMiddle", &TMainForm::miFontSizeBigClick}, {"miFontSizeSmall", &TMainForm::miFontSizeBigClick},
        {"miFontSizeMin", &TMainForm::miFontSizeBigClick},
    };
    for (const auto& [name, handler] : tagged) {
        const int tag = FindCommand(QLatin1String(name))->Tag;
        BindCommand(QLatin1String(name), [this, handler, tag] { (this->*handler)(tag); });
    }
    Bars->Action(QStringLiteral("miFontSizeMiddle"))->setChecked(true);
    connect(Bars->Menu(QStringLiteral("miToolbar")), &QMenu::aboutToShow, this, [this] { miToolbarClick(); });

    // Pop-up menus; view-only mode has none.
    connect(ListArea, &TListArea::PopupRequested, this, [this](const QPoint& globalPos) {
        if (!ViewOnly)
            Bars->Menu(QStringLiteral("ListPopupMenu"))->exec(globalPos);
    });
    for (QTextEdit* pane : Panes->EditPanes())
        connect(pane, &QWidget::customContextMenuRequested, this, [this, pane](const QPoint& pos) {
            if (!ViewOnly) {
                PopupPane = pane;
                Bars->Menu(QStringLiteral("REPopupMenu"))->exec(pane->mapToGlobal(pos));
            }
        });
    connect(Panes->PhotoLabel(), &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        if (!ViewOnly)
            Bars->Menu(QStringLiteral("PicturePopupMenu"))->exec(Panes->PhotoLabel()->mapToGlobal(pos));
    });
}

void TMainForm::Exit1Click() { close(); }
