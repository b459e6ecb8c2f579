// The options window, the about box, mouse gestures on the recipe list and
// the commands that view-only mode locks.
#include "ui/mainwindow/main_form.h"
#include "ui/mainwindow/recipe_panes.h"
#include "core/recipes/open_recipe.h"

#include <QAbstractItemView>
#include <QAction>
#include <QEvent>
#include <QPixmap>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QListView>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>

#include "ui/dialogs/list_column_select_form.h"
#include "ui/dialogs/version_form.h"
#include "core/recipes/column_table.h"
#include "core/recipes/cook_list_model.h"
#include "ui/mainwindow/control_bar.h"
#include "ui/mainwindow/cook_list_view.h"
#include "ui/mainwindow/list_gestures.h"
#include "ui/options/option_form.h"
#include "core/settings/settings.h"

namespace {

const char* const LockedProperty = "viewOnlyLocked";

// Keeps a locked control disabled whoever enables it (the edit mode does on
// every selection), so the menus, buttons and shortcuts stay off.
class TCommandLock final : public QObject {
public:
    using QObject::QObject;

    void Lock(QObject* control, bool locked) {
        control->setProperty(LockedProperty, locked);
        if (auto* action = qobject_cast<QAction*>(control)) {
            if (!Watched.contains(control)) {
                Watched << control;
                connect(action, &QAction::enabledChanged, this, [action](bool enabled) {
                    if (enabled && action->property(LockedProperty).toBool())
                        action->setEnabled(false);
                });
            }
            if (locked)
                action->setEnabled(false);
        } else if (auto* widget = qobject_cast<QWidget*>(control)) {
            if (!Watched.contains(control)) {
                Watched << control;
                widget->installEventFilter(this);
            }
            if (locked)
                widget->setEnabled(false);
        }
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::EnabledChange && watched->property(LockedProperty).toBool()) {
            auto* widget = static_cast<QWidget*>(watched);
            if (widget->isEnabled())
                widget->setEnabled(false);
        }
        return false;
    }

private:
    QList<QObject*> Watched;
};

}  // namespace

void TMainForm::WireOptionCommands() {
    Wire(miOption, [this] { miOptionClick(); });
    Wire(ToolButton11, [this] { miOptionClick(); });
    Wire(About1, [this] { About1Click(); });
    Wire(miDisplayDetailConfig, [this] { miDisplayDetailConfigClick(); });

    Gestures = new TListGestures(this);
    Gestures->Watch(CookListView->ReportView());
    Gestures->Watch(CookListView->IconView());
    Gestures->Enabled = [this] { return !ViewOnly; };
    Gestures->ShowStatus = [this](const QString& text) { StatusPanel1->setText(text); };
    Gestures->RunCommand = [this](TGestureCommand command) { RunGesture(command); };
}

void TMainForm::RunGesture(TGestureCommand command) {
    // The commands act on the selected row and ask their usual questions; a
    // command that is off (nothing selected, view-only) does nothing.
    QAction* item = nullptr;
    switch (command) {
    case TGestureCommand::Reload: item = miUpdate; break;
    case TGestureCommand::Delete: item = miRecipeDelete; break;
    case TGestureCommand::Rename: item = miRecipeRename; break;
    case TGestureCommand::Attributes: item = E2; break;
    case TGestureCommand::None: break;
    }
    if (item && item->isEnabled() && !ViewOnly)
        item->trigger();
}

void TMainForm::LockRecipeCommands(bool locked) {
    auto* lock = static_cast<TCommandLock*>(
        findChild<QObject*>(QStringLiteral("ViewOnlyCommandLock"), Qt::FindDirectChildrenOnly));
    if (!lock) {
        lock = new TCommandLock(this);
        lock->setObjectName(QStringLiteral("ViewOnlyCommandLock"));
    }
    const QList<QObject*> commands = {miRecipeDelete, Delete2,          ToolButtonDelRecipe,
                                      miRecipeRename, R1,               miRecipeSave,
                                      Panes->SaveButton(), miRecipeAttrEdit, E2,
                                      ToolButtonEditAttr};
    for (QObject* control : commands)
        if (control)
            lock->Lock(control, locked);
    if (!locked)
        SetEditMode(EditMode());  // back to what the edit mode gives them
}

void TMainForm::miDisplayDetailConfigClick() {
    if (!ListColumnSelectForm)
        return;
    // The rows show the widths as dragged in the header; the table itself
    // changes only with OK.
    TColumnTable shown = ColumnTable;
    QList<int> widths;
    for (int c = 0; c < ListModel->Columns().size(); ++c)
        widths << CookListView->Header()->sectionSize(c);
    TakeBackColumnWidths(shown, ListModel->Columns(), widths);

    ListColumnSelectForm->ClearRows();
    for (const TColumnData& column : shown)
        ListColumnSelectForm->AddRow({column.Caption, column.Width, column.Use});
    if (ListColumnSelectForm->exec() != QDialog::Accepted)
        return;
    // The refill drops the open recipe's panes: ask before anything changes.
    if (!QuerySaveChanges())
        return;
    TColumnTable table;
    for (const TColumnRow& row : ListColumnSelectForm->Rows())
        table.push_back({row.Caption, row.Width, row.Use});
    ColumnTable = std::move(table);
    BuildListColumns();
    IndicateList(-1);
}

void TMainForm::miOptionClick() {
    if (OptionForm)
        OptionForm->exec();
}

void TMainForm::About1Click() {
    if (VersionForm)
        VersionForm->exec();
}

void TMainForm::ApplyOptionSettings(const TSettingsApply& apply, bool starting) {
    Q_UNUSED(starting);
    // Read by the clock at its next tick.
    if (OptionForm)
        UseDigitalClock = OptionForm->Settings.UseDigitalClock;
    const QPixmap background = apply.BackgroundPath.isEmpty() ? QPixmap() : QPixmap(apply.BackgroundPath);
    if (!background.isNull()) {
        // The dock sites show the picture tiled; the dialogs tile the shared
        // picture, which the options set.
        for (QWidget* site : std::initializer_list<QWidget*>{ControlBar1, ControlBar2}) {
            QPalette palette = site->palette();
            palette.setBrush(QPalette::Window, QBrush(background));
            site->setPalette(palette);
            site->setAutoFillBackground(true);
        }
        for (QWidget* bar : std::initializer_list<QWidget*>{ControlBar1, ControlBar2, ToolBar1, ToolBar2,
                                                             ToolBar3, ToolBar4, PaintBox1})
            if (bar)
                bar->update();
    }
    // The caption is applied whether or not a background bitmap exists.
    setWindowTitle(apply.Caption);

    const bool wasEmpty = !IsModified();
    Panes->ApplyFontName(apply.PaneFontName);
    if (wasEmpty)
        SetModified(false);

    CookListView->SetRowIconSize(apply.LargeRowIcons ? 32 : 16);
    CookListView->ReportView()->setShowGrid(apply.GridLines);
}
