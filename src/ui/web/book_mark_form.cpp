#include "ui/web/book_mark_form.h"

#include <QPushButton>
#include <QShowEvent>

#include "core/web/web_buttons.h"
#include "ui/app/windows.h"
#include "ui/platform/dialogs.h"
#include "ui/web/book_mark_folder_form.h"
#include "ui/web/book_mark_item_form.h"
#include "ui/web/web_form_look.h"
#include "ui/web/web_tree_view.h"

TBookMarkForm::TBookMarkForm(const QString& appDir, TWindows* windows, QWidget* mainWindow)
    : QDialog(mainWindow), Windows(windows), BookMarkXML(appDir + StoreFileName(TStoreKind::Bookmark),
                                                         TStoreKind::Bookmark) {
    setObjectName(QStringLiteral("BookMarkForm"));
    setWindowTitle(QStringLiteral("ﾌﾞｯｸﾏｰｸの編集"));
    SetUpWebDialog(this, 420, 420);
    TreeView1 = new TWebTreeView(this);
    TreeView1->setObjectName(QStringLiteral("TreeView1"));
    TreeView1->setGeometry(8, 8, 290, 404);
    BitBtn1 = AddWebButton(this, "BitBtn1", QStringLiteral("ﾌｫﾙﾀﾞ追加..."), 306, 8, 106);
    BitBtn3 = AddWebButton(this, "BitBtn3", QStringLiteral("ﾌﾞｯｸﾏｰｸ追加..."), 306, 40, 106);
    BitBtn2 = AddWebButton(this, "BitBtn2", QStringLiteral("編集..."), 306, 80, 106);
    BitBtn4 = AddWebButton(this, "BitBtn4", QStringLiteral("削除..."), 306, 112, 106);
    BitBtn6 = AddWebButton(this, "BitBtn6", QStringLiteral("閉じる"), 306, 385, 106);
    BitBtn6->setDefault(true);
    connect(TreeView1, &TWebTreeView::NodeSelected, this, &TBookMarkForm::TreeView1Changing);
    connect(BitBtn1, &QPushButton::clicked, this, &TBookMarkForm::BitBtn1Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TBookMarkForm::BitBtn3Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TBookMarkForm::BitBtn2Click);
    connect(BitBtn4, &QPushButton::clicked, this, &TBookMarkForm::BitBtn4Click);
    connect(BitBtn6, &QPushButton::clicked, this, &QDialog::accept);

    RunGuarded(mainWindow, ErrorPrefix(QStringLiteral("Load File")), [this] { BookMarkXML.Load(); });
    if (!BookMarkXML.LoadError().isEmpty())
        ShowErrorBox(mainWindow, ErrorPrefix(QStringLiteral("Load File")) + BookMarkXML.LoadError());
}

TBookMarkForm::~TBookMarkForm() {
    RunGuarded(nullptr, ErrorPrefix(QStringLiteral("Save")), [this] { BookMarkXML.Save(); });
}

void TBookMarkForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // A restore from minimised is spontaneous and keeps the tree as it is.
    if (event->spontaneous())
        return;
    CentreOnMain(this);
    TreeView1->Rebuild(&BookMarkXML.Top());
}

void TBookMarkForm::paintEvent(QPaintEvent*) { PaintWebBackground(this); }

void TBookMarkForm::TreeView1Changing(TWebNode* node) {
    const TWebButtons buttons = BookmarkButtons(node);
    BitBtn1->setEnabled(buttons.AddFolder);
    BitBtn3->setEnabled(buttons.AddEntry);
    BitBtn2->setEnabled(buttons.Edit);
    BitBtn4->setEnabled(buttons.Delete);
}

void TBookMarkForm::BitBtn1Click() {
    TWebNode* parent = TreeView1->CurrentNode();
    TBookMarkFolderForm* dialog = Windows ? Windows->BookMarkFolderForm : nullptr;
    if (!parent || !parent->IsFolder() || !dialog)
        return;
    dialog->Prepare(QStringLiteral("フォルダ追加画面"), QString());
    if (dialog->exec() != QDialog::Accepted)
        return;
    TWebNode* added = parent->Append(std::make_unique<TWebNode>(TWebNodeKind::Folder, dialog->Name()));
    TreeView1->Refresh(added);
}

void TBookMarkForm::BitBtn3Click() {
    TWebNode* parent = TreeView1->CurrentNode();
    TBookMarkItemForm* dialog = Windows ? Windows->BookMarkItemForm : nullptr;
    if (!parent || !parent->IsFolder() || !dialog)
        return;
    dialog->Prepare(QStringLiteral("ﾌﾞｯｸﾏｰｸ追加画面"), QString(), QString());
    if (dialog->exec() != QDialog::Accepted)
        return;
    TWebNode* added =
        parent->Append(std::make_unique<TWebNode>(TWebNodeKind::Bookmark, dialog->Title(), dialog->Url()));
    TreeView1->Refresh(added);
}

void TBookMarkForm::BitBtn2Click() {
    TWebNode* node = TreeView1->CurrentNode();
    if (!node || !BookmarkButtons(node).Edit || !Windows)
        return;
    if (node->IsFolder()) {
        TBookMarkFolderForm* dialog = Windows->BookMarkFolderForm;
        if (!dialog)
            return;
        dialog->Prepare(QStringLiteral("フォルダ編集画面"), node->Title);
        if (dialog->exec() != QDialog::Accepted)
            return;
        node->Title = dialog->Name();
        node->URL.clear();
    } else {
        TBookMarkItemForm* dialog = Windows->BookMarkItemForm;
        if (!dialog)
            return;
        dialog->Prepare(QStringLiteral("ﾌﾞｯｸﾏｰｸ編集画面"), node->Title, node->URL);
        if (dialog->exec() != QDialog::Accepted)
            return;
        node->Title = dialog->Title();
        node->URL = dialog->Url();
    }
    TreeView1->Refresh(node);
    TreeView1Changing(node);  // a new name may protect the node
}

void TBookMarkForm::BitBtn4Click() {
    TWebNode* node = TreeView1->CurrentNode();
    if (!node || !BookmarkButtons(node).Delete)
        return;
    if (AskYesNo(this, node->Title + QStringLiteral("を削除してもよろしいですか？")) != TMsgResult::Yes)
        return;
    TWebNode* parent = node->Parent();
    node->Remove();
    TreeView1->Refresh(parent);
}
