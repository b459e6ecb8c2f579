// The options window, the about box and mouse gestures on the recipe list.
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
#include "core/recipes/recipe_book.h"
#include "ui/mainwindow/control_bar.h"
#include "ui/mainwindow/list_area.h"
#include "ui/mainwindow/list_gestures.h"
#include "ui/mainwindow/main_bars.h"
#include "ui/options/option_form.h"
#include "core/settings/settings.h"
#include "ui/widgets/tiled_background.h"

void TMainForm::WireOptionCommands() {
    BindCommand(QStringLiteral("miOption"), [this] { miOptionClick(); });
    BindCommand(QStringLiteral("About1"), [this] { About1Click(); });
    BindCommand(QStringLiteral("miDisplayDetailConfig"), [this] { miDisplayDetailConfigClick(); });
}

void TMainForm::RunGesture(TGestureCommand command) {
    // The commands act on the selected row and ask their usual questions; a
    // command that is off (nothing selected, view-only) does nothing.
    QString name;
    switch (command) {
    case TGestureCommand::Reload: name = QStringLiteral("miUpdate"); break;
    case TGestureCommand::Delete: name = QStringLiteral("miRecipeDelete"); break;
    case TGestureCommand::Rename: name = QStringLiteral("miRecipeRename"); break;
    case TGestureCommand::Attributes: name = QStringLiteral("miRecipeAttrEdit"); break;
    case TGestureCommand::None: break;
    }
    QAction* item = Bars->Action(name);
    if (item && item->isEnabled() && !ViewOnly)
        item->trigger();
}

void TMainForm::miDisplayDetailConfigClick() {
    TListColumnSelectForm* chooser = Windows().ListColumnSelectForm;
    if (!chooser)
        return;
    // The rows show the widths as dragged in the header; the table itself
    // changes only with OK.
    const TColumnTable shown = ListArea->ShownColumnTable();

    chooser->ClearRows();
    for (const TColumnData& column : shown)
        chooser->AddRow({column.Caption, column.Width, column.Use});
    if (chooser->exec() != QDialog::Accepted)
        return;
    // The refill drops the open recipe's panes: ask before anything changes.
    if (!QuerySaveChanges())
        return;
    TColumnTable table;
    for (const TColumnRow& row : chooser->Rows())
        table.push_back({row.Caption, row.Width, row.Use});
    Book->ColumnTable = std::move(table);
    ListArea->BuildListColumns();
    IndicateList(-1);
}

void TMainForm::miOptionClick() {
    if (Windows().OptionForm)
        Windows().OptionForm->exec();
}

void TMainForm::About1Click() {
    if (Windows().VersionForm)
        Windows().VersionForm->exec();
}

void TMainForm::ApplyOptionSettings(const TSettingsApply& apply, bool starting) {
    Q_UNUSED(starting);
    const QPixmap background = apply.BackgroundPath.isEmpty() ? QPixmap() : QPixmap(apply.BackgroundPath);
    if (!background.isNull()) {
        // The dock sites show the picture tiled; the dialogs tile the shared
        // picture.
        SetSharedBackImg(background);
        for (QWidget* site : std::initializer_list<QWidget*>{Bars->Site(1), Bars->Site(2)}) {
            QPalette palette = site->palette();
            palette.setBrush(QPalette::Window, QBrush(background));
            site->setPalette(palette);
            site->setAutoFillBackground(true);
        }
        for (QWidget* bar : std::initializer_list<QWidget*>{Bars->Site(1), Bars->Site(2), Bars->Bar("ToolBar1"),
                                                             Bars->Bar("ToolBar2"), Bars->Bar("ToolBar3"),
                                                             Bars->Bar("ToolBar4")})
            if (bar)
                bar->update();
        ListArea->RepaintThumbnails();
    }
    // The caption is applied whether or not a background bitmap exists.
    setWindowTitle(apply.Caption);

    const bool wasEmpty = !IsModified();
    Panes->ApplyFontName(apply.PaneFontName);
    if (wasEmpty)
        SetModified(false);

    ListArea->SetRowLook(apply.LargeRowIcons, apply.GridLines);
}
