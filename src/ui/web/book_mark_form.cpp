#include "ui/web/book_mark_form.h"

#include <QPushButton>
#include <QShowEvent>

#include "core/web/web_buttons.h"
#include "ui/web/web_form_look.h"
#include "ui/widgets/tiled_paint_box.h"
#include "ui/widgets/window_place.h"
#include "ui/web/web_tree_editor.h"
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
    Editor = std::make_unique<TWebTreeEditor>(this, TreeView1, Windows,
                                              TWebTreeEditing{QStringLiteral("ﾌﾞｯｸﾏｰｸ追加画面"),
                                                              QStringLiteral("ﾌﾞｯｸﾏｰｸ編集画面"),
                                                              TWebNodeKind::Bookmark, BookmarkButtons});
    connect(TreeView1, &TWebTreeView::NodeSelected, this, &TBookMarkForm::TreeView1Changing);
    connect(BitBtn1, &QPushButton::clicked, this, &TBookMarkForm::BitBtn1Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TBookMarkForm::BitBtn3Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TBookMarkForm::BitBtn2Click);
    connect(BitBtn4, &QPushButton::clicked, this, &TBookMarkForm::BitBtn4Click);
    connect(BitBtn6, &QPushButton::clicked, this, &QDialog::accept);

    LoadWebStore(BookMarkXML, mainWindow);
}

TBookMarkForm::~TBookMarkForm() {
    SaveWebStore(BookMarkXML);
}

void TBookMarkForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // A restore from minimised is spontaneous and keeps the tree as it is.
    if (event->spontaneous())
        return;
    CentreOnMain(this);
    TreeView1->Rebuild(&BookMarkXML.Top());
}

void TBookMarkForm::paintEvent(QPaintEvent*) { PaintSharedBackground(this); }

void TBookMarkForm::TreeView1Changing(TWebNode* node) {
    const TWebButtons buttons = BookmarkButtons(node);
    BitBtn1->setEnabled(buttons.AddFolder);
    BitBtn3->setEnabled(buttons.AddEntry);
    BitBtn2->setEnabled(buttons.Edit);
    BitBtn4->setEnabled(buttons.Delete);
}

void TBookMarkForm::BitBtn1Click() { Editor->AddFolder(); }

void TBookMarkForm::BitBtn3Click() { Editor->AddEntry(); }

void TBookMarkForm::BitBtn2Click() {
    // A new name may protect the node.
    if (TWebNode* node = Editor->Edit())
        TreeView1Changing(node);
}

void TBookMarkForm::BitBtn4Click() { Editor->Delete(); }
