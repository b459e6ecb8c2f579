// Whole-recipe commands of the main window: add, delete, rename, save,
// attributes, reload, and the icon manager. Every refill goes through
// IndicateList, whose model reset rebuilds the thumbnails and the tree that
// are shown.
#include "ui/mainwindow/main_form.h"
#include "ui/mainwindow/recipe_panes.h"
#include "core/recipes/open_recipe.h"

#include <QAction>
#include <QLabel>
#include <QTextEdit>
#include <QToolButton>

#include "ui/widgets/busy_cursor.h"
#include "ui/dialogs/element_form.h"
#include "ui/dialogs/icon_form.h"
#include "ui/dialogs/icon_manage_form.h"
#include "ui/dialogs/new_form.h"
#include "ui/dialogs/new_wizard_form.h"
#include "ui/dialogs/progress_form.h"
#include "core/recipes/recipe_folder_ops.h"
#include "core/recipes/recipe_book.h"
#include "ui/mainwindow/list_area.h"
#include "ui/mainwindow/main_bars.h"
#include "core/recipes/recipe_folder.h"
#include "core/recipes/recipe_name.h"
#include "core/recipes/status_file.h"
#include "ui/platform/dialogs.h"
#include "core/platform/saporia_error.h"


TIconNames TMainForm::UserIconNames() const {
    return TIconNames{Book->Icons.IconFileNames(), Book->Icons.IconIndexes()};
}

void TMainForm::WireRecipeCommands() {
    if (Windows().IconForm) {
        QList<QPixmap> icons;
        for (const QImage& icon : Book->Icons.AllIcons32())
            icons.append(QPixmap::fromImage(icon));
        Windows().IconForm->BuildIconGrid(icons);
    }
    using THandler = void (TMainForm::*)();
    const std::pair<const char*, THandler> handlers[] = {
        {"miRecipeAdd", &TMainForm::miRecipeAddClick},    {"miRecipeDelete", &TMainForm::miRecipeDeleteClick},
        {"miRecipeSave", &TMainForm::miRecipeSaveClick},  {"miRecipeRename", &TMainForm::miRecipeRenameClick},
        {"miRecipeAttrEdit", &TMainForm::E2Click},        {"miUpdate", &TMainForm::miUpdateClick},
        {"miIconManage", &TMainForm::miIconManageClick},
    };
    for (const auto& [name, handler] : handlers)
        BindCommand(QLatin1String(name), [this, handler] { (this->*handler)(); });
    // The list's pop-up answers its keys while the list has the focus; Ctrl+E
    // is the one that no main-menu item carries as well.
    QAction* e2 = Bars->Menu(QStringLiteral("ListPopupMenu"))->findChild<QAction*>(QStringLiteral("E2"));
    e2->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    ListArea->AddListAction(e2);
    connect(ListArea, &TListArea::DoubleClicked, this, [this] { CookListViewDblClick(); });
}

void TMainForm::miRecipeAddClick() {
    if (!Windows().NewForm || !Windows().NewWizardForm)
        return;
    // The save question comes once the user has given the new recipe, just
    // before anything is made; the refill after it then asks nothing more.
    const std::optional<TCookItem> created =
        RunNewRecipe(Windows().NewForm, Windows().NewWizardForm, DataRoot, UserIconNames(),
                     [this] { return QuerySaveChanges(); });
    if (!created)
        return;
    // The folder is complete on disk; only now does the window change.
    SetEditMode(false);
    Book->CookItems.append(*created);
    IndicateList(int(Book->CookItems.size()) - 1);
}

void TMainForm::miRecipeDeleteClick() {
    const int record = SelectedRecord();
    if (record < 0 || record >= Book->CookItems.size())
        return;
    // The recipe the user confirms is the one that goes, whatever happens to
    // the selection meanwhile.
    const QString name = Book->CookItems[record].Name;
    if (AskYesNo(this, name + QStringLiteral("を削除してもよろしいですか？")) != TMsgResult::Yes)
        return;
    if (!QuerySaveChanges())
        return;
    try {
        TBusyCursor busy;
        DeleteRecipeFolder(DataRoot, name);
    } catch (const TSaporiaError& error) {
        ShowErrorBox(this, error.message());
    } catch (const std::exception& error) {
        ShowErrorBox(this, ExceptionMessage(error));
    }
    // The list is rebuilt from the disk whatever happened.
    SetModified(false);
    SearchCookFld();
    IndicateList(-1);
    OpenRecipe->Close();
}

void TMainForm::miRecipeSaveClick() {
    if (!OpenRecipe->IsOpen()) {
        ShowMessageBox(this, QStringLiteral("選択されているレシピがありません"), TMsgType::Error, TMsgButtons::Abort);
        return;
    }
    Save();
}

void TMainForm::miRecipeRenameClick() {
    const int record = SelectedRecord();
    if (record < 0 || record >= Book->CookItems.size())
        return;
    const QString oldName = Book->CookItems[record].Name;
    const QString answer =
        InputBox(this, QStringLiteral("料理名"), QStringLiteral("変更したい名称を入力して下さい"), oldName);
    const QString newName = Trim(answer);
    if (newName.isEmpty() || newName == oldName)
        return;
    const QString problem = RecipeNameProblem(newName);
    if (!problem.isEmpty()) {
        ShowErrorBox(this, ErrorPrefix(QStringLiteral("Rename")) + problem);
        return;
    }
    if (!QuerySaveChanges())
        return;
    bool renamed = false;
    RunGuarded(this, ErrorPrefix(QStringLiteral("Rename")),
               [&] { renamed = RenameRecipeFolder(DataRoot, oldName, newName); });
    if (!renamed) {
        // The panes may hold edits the user chose not to save: show the folder as it is.
        IndicateList(record);
        return;
    }
    Book->CookItems[record].Name = newName;
    IndicateList(record);
}

void TMainForm::E2Click() {
    const int record = SelectedRecord();
    if (record < 0 || record >= Book->CookItems.size() || !Windows().ElementForm || !OpenRecipe->IsOpen())
        return;
    Windows().ElementForm->SetRecipe(OpenRecipe->Path(), UserIconNames());
    if (Windows().ElementForm->exec() != QDialog::Accepted)
        return;
    ApplyAttributesToItem(Book->CookItems[record], Windows().ElementForm->Saved());
    if (!IsModified()) {
        IndicateList(record);
        return;
    }
    // Unsaved pane edits stay where they are: only the row, the header icon
    // and the attribute pane take the new values.
    ListArea->RecordChanged(record);
    const bool modified = IsModified();
    RunGuarded(this, ErrorPrefix(QStringLiteral("Load File")), [&] {
        bool exists = false;
        const TStatusFile status = TStatusFile::LoadFromFolder(OpenRecipe->Path(), &exists);
        Panes->ShowAttributes(exists ? AttributePaneLines(status) : QStringList());
    });
    Panes->SetRecipeIcon(Book->Icons.Icon16(Book->CookItems[record].Icon));
    SetModified(modified);
}

void TMainForm::CookListViewDblClick() {
    if (!ViewOnly)
        E2Click();
}

void TMainForm::miUpdateClick() {
    if (!QuerySaveChanges())
        return;
    TProgressScope progress(Windows().ProgressForm, QStringLiteral("更新中..."));
    Busy = true;
    UpdateCommands();
    struct TReenable {
        TMainForm* Form;
        ~TReenable() {
            LetPendingMessagesRun();
            Form->Busy = false;
            Form->UpdateCommands();
        }
    } reenable{this};
    // The row's place from before the rescan: whatever record stands there now.
    const int record = SelectedRecord();
    ListArea->BuildListColumns();
    SearchCookFld();
    IndicateList(record);
    ListArea->SortAgain();
}

void TMainForm::miIconManageClick() {
    if (!Windows().IconManageForm)
        return;
    Windows().IconManageForm->SetAppDir(AppDir);
    Windows().IconManageForm->BuildIconGrid();
    Windows().IconManageForm->exec();
}
