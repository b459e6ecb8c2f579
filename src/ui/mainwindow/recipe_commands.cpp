#include "ui/mainwindow/recipe_commands.h"

#include <QAction>
#include <QMenu>

#include "core/platform/saporia_error.h"
#include "core/recipes/open_recipe.h"
#include "core/recipes/recipe_book.h"
#include "core/recipes/recipe_folder.h"
#include "core/recipes/recipe_folder_ops.h"
#include "core/recipes/recipe_name.h"
#include "core/recipes/status_file.h"
#include "core/platform/sjis.h"
#include "ui/app/windows.h"
#include "ui/dialogs/element_form.h"
#include "ui/dialogs/icon_form.h"
#include "ui/dialogs/icon_manage_form.h"
#include "ui/dialogs/new_form.h"
#include "ui/dialogs/new_wizard_form.h"
#include "ui/dialogs/progress_form.h"
#include "ui/mainwindow/list_area.h"
#include "ui/mainwindow/main_bars.h"
#include "ui/mainwindow/recipe_panes.h"
#include "ui/platform/dialogs.h"
#include "ui/widgets/busy_cursor.h"

TRecipeCommands::TRecipeCommands(TParts parts, QWidget* owner)
    : QObject(owner), Parts(std::move(parts)), Owner(owner) {}

TIconNames TRecipeCommands::UserIconNames() const {
    return TIconNames{Parts.Book.Icons.IconFileNames(), Parts.Book.Icons.IconIndexes()};
}

void TRecipeCommands::Bind() {
    if (Parts.Windows.IconForm) {
        QList<QPixmap> icons;
        for (const QImage& icon : Parts.Book.Icons.AllIcons32())
            icons.append(QPixmap::fromImage(icon));
        Parts.Windows.IconForm->BuildIconGrid(icons);
    }
    using THandler = void (TRecipeCommands::*)();
    const std::pair<const char*, THandler> handlers[] = {
        {"miRecipeAdd", &TRecipeCommands::Add},     {"miRecipeDelete", &TRecipeCommands::Delete},
        {"miRecipeSave", &TRecipeCommands::Save},   {"miRecipeRename", &TRecipeCommands::Rename},
        {"miRecipeAttrEdit", &TRecipeCommands::EditAttributes}, {"miUpdate", &TRecipeCommands::Reload},
        {"miIconManage", &TRecipeCommands::ManageIcons},
    };
    for (const auto& [name, handler] : handlers)
        Parts.Bars.Bind(QLatin1String(name), [this, handler] { (this->*handler)(); });
    // The list's pop-up answers its keys while the list has the focus; Ctrl+E
    // is the one that no main-menu item carries as well.
    QAction* e2 = Parts.Bars.Menu(QStringLiteral("ListPopupMenu"))->findChild<QAction*>(QStringLiteral("E2"));
    e2->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    Parts.List.AddListAction(e2);
    connect(&Parts.List, &TListArea::DoubleClicked, this, [this] {
        if (!Parts.Bars.State().ViewOnly)
            EditAttributes();
    });
}

void TRecipeCommands::Add() {
    if (!Parts.Windows.NewForm || !Parts.Windows.NewWizardForm)
        return;
    // The save question comes once the user has given the new recipe, just
    // before anything is made; the refill after it then asks nothing more.
    const std::optional<TCookItem> created =
        RunNewRecipe(Parts.Windows.NewForm, Parts.Windows.NewWizardForm, Parts.Book.DataRoot(), UserIconNames(),
                     Parts.QuerySaveChanges);
    if (!created)
        return;
    // The folder is complete on disk; only now does the window change.
    Parts.SetEditMode(false);
    Parts.Book.CookItems.append(*created);
    Parts.List.IndicateList(int(Parts.Book.CookItems.size()) - 1);
}

void TRecipeCommands::Delete() {
    const int record = Parts.List.SelectedRecord();
    if (record < 0 || record >= Parts.Book.CookItems.size())
        return;
    // The recipe the user confirms is the one that goes, whatever happens to
    // the selection meanwhile.
    const TCookItem item = Parts.Book.CookItems[record];
    if (AskYesNo(Owner, item.Name + QStringLiteral("を削除してもよろしいですか？")) != TMsgResult::Yes)
        return;
    if (!Parts.QuerySaveChanges())
        return;
    try {
        TBusyCursor busy;
        DeleteRecipeFolder(Parts.Book.DataRoot(), item);
    } catch (const TSaporiaError& error) {
        ShowErrorBox(Owner, error.message());
    } catch (const std::exception& error) {
        ShowErrorBox(Owner, ExceptionMessage(error));
    }
    // The list is rebuilt from the disk whatever happened.
    Parts.Recipe.SetModified(false);
    Parts.List.SearchCookFld();
    Parts.List.IndicateList(-1);
    Parts.Recipe.Close();
}

void TRecipeCommands::Save() {
    if (!Parts.Recipe.IsOpen()) {
        ShowMessageBox(Owner, QStringLiteral("選択されているレシピがありません"), TMsgType::Error, TMsgButtons::Abort);
        return;
    }
    Parts.Panes.Save();
}

void TRecipeCommands::Rename() {
    const int record = Parts.List.SelectedRecord();
    if (record < 0 || record >= Parts.Book.CookItems.size())
        return;
    TCookItem item = Parts.Book.CookItems[record];
    const QString answer =
        InputBox(Owner, QStringLiteral("料理名"), QStringLiteral("変更したい名称を入力して下さい"), item.Name);
    const QString newName = Trim(answer);
    // The shown text unchanged still renames a folder not named in UTF-8.
    if (newName.isEmpty() || newName.toUtf8() == RecipeFolderBytes(item))
        return;
    const QString problem = RecipeNameProblem(newName);
    if (!problem.isEmpty()) {
        ShowErrorBox(Owner, ErrorPrefix(QStringLiteral("Rename")) + problem);
        return;
    }
    if (!Parts.QuerySaveChanges())
        return;
    bool renamed = false;
    RunGuarded(Owner, ErrorPrefix(QStringLiteral("Rename")),
               [&] { renamed = RenameRecipeFolder(Parts.Book.DataRoot(), item, newName); });
    // Not renamed: the panes may hold edits the user chose not to save, so
    // the folder is shown as it is.
    if (renamed) {
        Parts.Book.CookItems[record].Name = item.Name;
        Parts.Book.CookItems[record].FolderName = item.FolderName;
    }
    Parts.List.IndicateList(record);
}

void TRecipeCommands::EditAttributes() {
    const int record = Parts.List.SelectedRecord();
    TElementForm* dialog = Parts.Windows.ElementForm;
    if (record < 0 || record >= Parts.Book.CookItems.size() || !dialog || !Parts.Recipe.IsOpen())
        return;
    dialog->SetRecipe(Parts.Recipe.Path(), UserIconNames());
    if (dialog->exec() != QDialog::Accepted)
        return;
    ApplyAttributesToItem(Parts.Book.CookItems[record], dialog->Saved());
    if (!Parts.Recipe.IsModified()) {
        Parts.List.IndicateList(record);
        return;
    }
    // Unsaved pane edits stay where they are: only the row, the header icon
    // and the attribute pane take the new values.
    Parts.List.RecordChanged(record);
    RunGuarded(Owner, ErrorPrefix(QStringLiteral("Load File")), [&] {
        bool exists = false;
        const TStatusFile status = TStatusFile::LoadFromFolder(Parts.Recipe.Path(), &exists);
        Parts.Panes.ShowAttributes(exists ? AttributePaneLines(status) : QStringList());
    });
    Parts.Panes.SetRecipeIcon(Parts.Book.Icons.Icon16(Parts.Book.CookItems[record].Icon));
    Parts.Recipe.SetModified(true);
}

void TRecipeCommands::Reload() {
    if (!Parts.QuerySaveChanges())
        return;
    TProgressScope progress(Parts.Windows.ProgressForm, QStringLiteral("更新中..."));
    const auto setBusy = [this](bool busy) {
        TCommandState state = Parts.Bars.State();
        state.Busy = busy;
        Parts.Bars.Update(state);
    };
    setBusy(true);
    struct TReenable {
        std::function<void(bool)> SetBusy;
        ~TReenable() {
            LetPendingMessagesRun();
            SetBusy(false);
        }
    } reenable{setBusy};
    // The row's place from before the rescan: whatever record stands there now.
    const int record = Parts.List.SelectedRecord();
    Parts.List.BuildListColumns();
    Parts.List.SearchCookFld();
    Parts.List.IndicateList(record);
    Parts.List.SortAgain();
}

void TRecipeCommands::ManageIcons() {
    TIconManageForm* dialog = Parts.Windows.IconManageForm;
    if (!dialog)
        return;
    dialog->SetAppDir(Parts.Book.AppDir());
    dialog->BuildIconGrid();
    dialog->exec();
}
