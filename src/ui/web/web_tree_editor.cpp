#include "ui/web/web_tree_editor.h"

#include <memory>
#include <utility>

#include "core/web/tree_store.h"
#include "ui/app/windows.h"
#include "ui/platform/dialogs.h"
#include "ui/web/book_mark_folder_form.h"
#include "ui/web/book_mark_item_form.h"
#include "ui/web/web_tree_view.h"

namespace {

// A shared dialog belongs to the window that runs it while it runs, so the
// window manager raises that window under it, not the main window, and
// gives it back the focus when the dialog closes. Afterwards the dialog goes
// back to its own owner, which outlives both tool windows.
class TDialogLoan final {
public:
    TDialogLoan(QDialog* dialog, QWidget* borrower) : Dialog(dialog), Home(dialog->parentWidget()) {
        if (borrower && borrower != Home)
            Dialog->setParent(borrower, Dialog->windowFlags());
    }
    ~TDialogLoan() {
        if (Dialog->parentWidget() != Home)
            Dialog->setParent(Home, Dialog->windowFlags());
    }
    TDialogLoan(const TDialogLoan&) = delete;
    TDialogLoan& operator=(const TDialogLoan&) = delete;

private:
    QDialog* Dialog;
    QWidget* Home;
};

}  // namespace

void LoadWebStore(TTreeStore& store, QWidget* mainWindow) {
    RunGuarded(mainWindow, ErrorPrefix(QStringLiteral("Load File")), [&store] { store.Load(); });
    if (!store.LoadError().isEmpty())
        ShowErrorBox(mainWindow, ErrorPrefix(QStringLiteral("Load File")) + store.LoadError());
    if (!store.BackupError().isEmpty())
        ShowErrorBox(mainWindow, ErrorPrefix(QStringLiteral("Backup")) + store.BackupError());
}

void SaveWebStore(TTreeStore& store) {
    RunGuarded(nullptr, ErrorPrefix(QStringLiteral("Save")), [&store] { store.Save(); });
}

TWebTreeEditor::TWebTreeEditor(QWidget* owner, TWebTreeView* tree, TWindows* windows, TWebTreeEditing editing)
    : Owner(owner), Tree(tree), Windows(windows), Editing(std::move(editing)) {}

void TWebTreeEditor::AddFolder() {
    TWebNode* parent = Tree->CurrentNode();
    TBookMarkFolderForm* dialog = Windows ? Windows->BookMarkFolderForm : nullptr;
    if (!parent || !parent->IsFolder() || !dialog)
        return;
    const TDialogLoan loan(dialog, Owner);
    dialog->Prepare(QStringLiteral("フォルダ追加画面"), QString());
    if (dialog->exec() != QDialog::Accepted)
        return;
    Tree->Refresh(parent->Append(std::make_unique<TWebNode>(TWebNodeKind::Folder, dialog->Name())));
}

void TWebTreeEditor::AddEntry() {
    TWebNode* parent = Tree->CurrentNode();
    TBookMarkItemForm* dialog = Windows ? Windows->BookMarkItemForm : nullptr;
    if (!parent || !parent->IsFolder() || !dialog)
        return;
    const TDialogLoan loan(dialog, Owner);
    dialog->Prepare(Editing.AddEntryCaption, QString(), QString());
    if (dialog->exec() != QDialog::Accepted)
        return;
    Tree->Refresh(parent->Append(std::make_unique<TWebNode>(Editing.EntryKind, dialog->Title(), dialog->Url())));
}

TWebNode* TWebTreeEditor::Edit(const std::function<void(TWebNode&)>& entryEdited) {
    TWebNode* node = Tree->CurrentNode();
    if (!node || !Editing.Buttons(node).Edit || !Windows)
        return nullptr;
    if (node->IsFolder()) {
        TBookMarkFolderForm* dialog = Windows->BookMarkFolderForm;
        if (!dialog)
            return nullptr;
        const TDialogLoan loan(dialog, Owner);
        dialog->Prepare(QStringLiteral("フォルダ編集画面"), node->Title);
        if (dialog->exec() != QDialog::Accepted)
            return nullptr;
        node->Title = dialog->Name();
        node->URL.clear();
    } else {
        TBookMarkItemForm* dialog = Windows->BookMarkItemForm;
        if (!dialog)
            return nullptr;
        const TDialogLoan loan(dialog, Owner);
        dialog->Prepare(Editing.EditEntryCaption, node->Title, node->URL);
        if (dialog->exec() != QDialog::Accepted)
            return nullptr;
        node->Title = dialog->Title();
        node->URL = dialog->Url();
        if (entryEdited)
            entryEdited(*node);
    }
    Tree->Refresh(node);
    return node;
}

void TWebTreeEditor::Delete() {
    TWebNode* node = Tree->CurrentNode();
    if (!node || !Editing.Buttons(node).Delete)
        return;
    if (AskYesNo(Owner, node->Title + QStringLiteral("を削除してもよろしいですか？")) != TMsgResult::Yes)
        return;
    TWebNode* parent = node->Parent();
    node->Remove();
    Tree->Refresh(parent);
}
