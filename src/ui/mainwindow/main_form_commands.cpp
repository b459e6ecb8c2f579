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
#include "core/recipes/cook_list_model.h"
#include "ui/mainwindow/cook_list_view.h"
#include "core/recipes/recipe_folder.h"
#include "core/recipes/recipe_name.h"
#include "core/recipes/status_file.h"
#include "ui/platform/dialogs.h"
#include "core/platform/saporia_error.h"


TIconNames TMainForm::UserIconNames() const {
    return TIconNames{Icons.IconFileNames(), Icons.IconIndexes()};
}

void TMainForm::WireRecipeCommands() {
    if (IconForm) {
        QList<QPixmap> icons;
        for (const QImage& icon : Icons.AllIcons32())
            icons.append(QPixmap::fromImage(icon));
        IconForm->BuildIconGrid(icons);
    }
    for (QObject* control : {static_cast<QObject*>(miRecipeAdd), static_cast<QObject*>(ToolButtonNewRecipe)})
        Wire(control, [this] { miRecipeAddClick(); });
    for (QObject* control : {static_cast<QObject*>(miRecipeDelete), static_cast<QObject*>(ToolButtonDelRecipe),
                             static_cast<QObject*>(Delete2)})
        Wire(control, [this] { miRecipeDeleteClick(); });
    for (QObject* control : {static_cast<QObject*>(miRecipeSave), static_cast<QObject*>(Panes->SaveButton())})
        Wire(control, [this] { miRecipeSaveClick(); });
    for (QObject* control : {static_cast<QObject*>(miRecipeRename), static_cast<QObject*>(ToolButtonEditRecipe),
                             static_cast<QObject*>(R1)})
        Wire(control, [this] { miRecipeRenameClick(); });
    for (QObject* control : {static_cast<QObject*>(miRecipeAttrEdit), static_cast<QObject*>(ToolButtonEditAttr),
                             static_cast<QObject*>(E2)})
        Wire(control, [this] { E2Click(); });
    for (QObject* control : {static_cast<QObject*>(miUpdate), static_cast<QObject*>(ToolButton5)})
        Wire(control, [this] { miUpdateClick(); });
    Wire(miIconManage, [this] { miIconManageClick(); });
    // The list's pop-up answers its keys while the list has the focus; Ctrl+E
    // is the one that no main-menu item carries as well.
    E2->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    CookListView->addAction(E2);
    connect(CookListView, &TCookListView::DoubleClicked, this, [this] { CookListViewDblClick(); });
    // The recipe commands follow the edit mode; the rest are always on.
    SetEditMode(EditMode());
}

void TMainForm::miRecipeAddClick() {
    if (!NewForm || !NewWizardForm)
        return;
    // The save question comes once the user has given the new recipe, just
    // before anything is made; the refill after it then asks nothing more.
    const std::optional<TCookItem> created =
        RunNewRecipe(NewForm, NewWizardForm, DataRoot, UserIconNames(), [this] { return QuerySaveChanges(); });
    if (!created)
        return;
    // The folder is complete on disk; only now does the window change.
    SetEditMode(false);
    CookItems.append(*created);
    IndicateList(int(CookItems.size()) - 1);
}

void TMainForm::miRecipeDeleteClick() {
    const int record = SelectedRecord();
    if (record < 0 || record >= CookItems.size())
        return;
    // The recipe the user confirms is the one that goes, whatever happens to
    // the selection meanwhile.
    const QString name = CookItems[record].Name;
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
    if (record < 0 || record >= CookItems.size())
        return;
    const QString oldName = CookItems[record].Name;
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
    CookItems[record].Name = newName;
    IndicateList(record);
}

void TMainForm::E2Click() {
    const int record = SelectedRecord();
    if (record < 0 || record >= CookItems.size() || !ElementForm || !OpenRecipe->IsOpen())
        return;
    ElementForm->SetRecipe(OpenRecipe->Path(), UserIconNames());
    if (ElementForm->exec() != QDialog::Accepted)
        return;
    ApplyAttributesToItem(CookItems[record], ElementForm->Saved());
    if (!IsModified()) {
        IndicateList(record);
        return;
    }
    // Unsaved pane edits stay where they are: only the row, the header icon
    // and the attribute pane take the new values.
    ListModel->RecordChanged(record);
    RefreshFilterViews();
    const bool modified = IsModified();
    RunGuarded(this, ErrorPrefix(QStringLiteral("Load File")), [&] {
        bool exists = false;
        const TStatusFile status = TStatusFile::LoadFromFolder(OpenRecipe->Path(), &exists);
        Panes->ShowAttributes(exists ? AttributePaneLines(status) : QStringList());
    });
    Panes->SetRecipeIcon(Icons.Icon16(CookItems[record].Icon));
    SetModified(modified);
}

void TMainForm::CookListViewDblClick() {
    if (!ViewOnly)
        E2Click();
}

void TMainForm::miUpdateClick() {
    if (!QuerySaveChanges())
        return;
    TProgressScope progress(QStringLiteral("更新中..."));
    ToolButton5->setEnabled(false);
    miUpdate->setEnabled(false);
    struct TReenable {
        TMainForm* Form;
        ~TReenable() {
            LetPendingMessagesRun();
            Form->miUpdate->setEnabled(true);
            Form->ToolButton5->setEnabled(true);
        }
    } reenable{this};
    // The row's place from before the rescan: whatever record stands there now.
    const int record = SelectedRecord();
    BuildListColumns();
    SearchCookFld();
    IndicateList(record);
    if (SortColumn != -1)
        SortList(SortColumn, SortAscending);
}

void TMainForm::miIconManageClick() {
    if (!IconManageForm)
        return;
    IconManageForm->SetAppDir(AppDir);
    IconManageForm->BuildIconGrid();
    IconManageForm->exec();
}
