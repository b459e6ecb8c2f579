// The main window's panes, list place and status bar.
#include "ui/mainwindow/main_form.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QScrollArea>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "ui/mainwindow/control_bar.h"
#include "ui/mainwindow/cook_list_view.h"
#include "ui/mainwindow/recipe_panes.h"
#include "ui/mainwindow/toolbar_artwork.h"

namespace {

QFrame* NewPanel(QWidget* parent, const QString& name) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(name);
    return frame;
}

QVBoxLayout* Column(QWidget* parent) {
    auto* layout = new QVBoxLayout(parent);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    return layout;
}

}  // namespace

void TMainForm::BuildWidgets() {
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("ClientPanel"));
    auto* layout = Column(central);
    BuildMenus();
    BuildPopupMenus();
    BuildToolBars();
    layout->addWidget(ControlBar1);
    layout->addWidget(ControlBar2);

    MainSplitter = new QSplitter(Qt::Horizontal, central);
    MainSplitter->setObjectName(QStringLiteral("MainSplitter"));
    MainSplitter->setChildrenCollapsible(false);
    layout->addWidget(MainSplitter, 1);
    setCentralWidget(central);

    BuildListPlace();
    BuildRecipePanes();
    BuildStatusBar();

    // The list takes what the fixed-size panes leave.
    MainSplitter->setStretchFactor(MainSplitter->indexOf(ListPanel), 1);
    for (QWidget* pane : {static_cast<QWidget*>(Panel4), static_cast<QWidget*>(Panel9), static_cast<QWidget*>(Panes)})
        MainSplitter->setStretchFactor(MainSplitter->indexOf(pane), 0);
    connect(MainSplitter, &QSplitter::splitterMoved, this, &TMainForm::PaneSizesMoved);
}

void TMainForm::BuildListPlace() {
    // Thumbnail pane (hidden until shown from the menu).
    Panel4 = NewPanel(MainSplitter, QStringLiteral("Panel4"));
    auto* thumbLayout = Column(Panel4);
    auto* thumbHeader = new QHBoxLayout;
    Panel6 = new QLabel(QStringLiteral("ｻﾑﾈｲﾙ数：XXX"), Panel4);
    Panel6->setObjectName(QStringLiteral("Panel6"));
    Panel5 = new QLabel(QStringLiteral("×"), Panel4);
    Panel5->setObjectName(QStringLiteral("Panel5"));
    Panel5->setToolTip(QStringLiteral("サムネイルを閉じます"));
    thumbHeader->addWidget(Panel6, 1);
    thumbHeader->addWidget(Panel5);
    thumbLayout->addLayout(thumbHeader);
    ScrollBox1 = new QScrollArea(Panel4);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    PaintBox1 = new QWidget;
    PaintBox1->setObjectName(QStringLiteral("PaintBox1"));
    ScrollBox1->setWidget(PaintBox1);
    ScrollBox1->setWidgetResizable(true);
    thumbLayout->addWidget(ScrollBox1, 1);
    Panel4->hide();

    // Classification pane (hidden until shown from the menu).
    Panel9 = NewPanel(MainSplitter, QStringLiteral("Panel9"));
    auto* treeLayout = Column(Panel9);
    auto* treeHeader = new QHBoxLayout;
    auto* treeCaption = new QLabel(QStringLiteral("分類表示"), Panel9);
    treeCaption->setObjectName(QStringLiteral("Panel10"));
    Panel11 = new QLabel(QStringLiteral("×"), Panel9);
    Panel11->setObjectName(QStringLiteral("Panel11"));
    treeHeader->addWidget(treeCaption, 1);
    treeHeader->addWidget(Panel11);
    treeLayout->addLayout(treeHeader);
    TreeView1 = new QTreeWidget(Panel9);
    TreeView1->setObjectName(QStringLiteral("TreeView1"));
    TreeView1->setHeaderHidden(true);
    treeLayout->addWidget(TreeView1, 1);
    Panel9->hide();

    // The list with the group filter above it.
    ListPanel = NewPanel(MainSplitter, QStringLiteral("ListPanel"));
    auto* listLayout = Column(ListPanel);
    auto* groupRow = new QHBoxLayout;
    groupRow->setContentsMargins(4, 2, 4, 2);
    auto* groupLabel = new QLabel(QStringLiteral("表示グループ ： "), ListPanel);
    groupLabel->setObjectName(QStringLiteral("LabelGroup"));
    ComboBoxGroup = new QComboBox(ListPanel);
    ComboBoxGroup->setObjectName(QStringLiteral("ComboBoxGroup"));
    ComboBoxGroup->addItem(QStringLiteral("すべてのグループを表示"));
    ComboBoxGroup->setMinimumWidth(160);
    groupRow->addWidget(groupLabel);
    groupRow->addWidget(ComboBoxGroup);
    groupRow->addStretch(1);
    listLayout->addLayout(groupRow);
    CookListView = new TCookListView(ListPanel);
    listLayout->addWidget(CookListView, 1);
    CookListView->setContextMenuPolicy(Qt::CustomContextMenu);
}

void TMainForm::BuildRecipePanes() {
    Panes = new TRecipePanes(*OpenRecipe, MainSplitter);
    MainSplitter->addWidget(Panes);
    connect(Panes, &TRecipePanes::SplitterMoved, this, &TMainForm::PaneSizesMoved);
}

void TMainForm::BuildStatusBar() {
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(true);
    setStatusBar(StatusBar1);
    StatusPanel0 = new QLabel(StatusBar1);
    StatusPanel0->setObjectName(QStringLiteral("StatusPanel0"));
    StatusPanel0->setMinimumWidth(150);
    StatusPanel1 = new QLabel(StatusBar1);
    StatusPanel1->setObjectName(QStringLiteral("StatusPanel1"));
    StatusPanel1->setMinimumWidth(100);
    StatusPanel2 = new QLabel(StatusBar1);
    StatusPanel2->setObjectName(QStringLiteral("StatusPanel2"));
    StatusPanel2->setMinimumWidth(160);
    auto* progressLayout = new QHBoxLayout(StatusPanel2);
    progressLayout->setContentsMargins(2, 2, 2, 2);
    ProgressBar1 = new QProgressBar(StatusPanel2);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setMaximumHeight(14);
    ProgressBar1->setValue(0);
    progressLayout->addWidget(ProgressBar1);
    StatusPanel3 = new QLabel(StatusBar1);
    StatusPanel3->setObjectName(QStringLiteral("StatusPanel3"));
    StatusPanel3->setMinimumWidth(100);
    StatusBar1->addWidget(StatusPanel0);
    StatusBar1->addWidget(StatusPanel1);
    StatusBar1->addWidget(StatusPanel2);
    StatusBar1->addWidget(StatusPanel3, 1);
}
