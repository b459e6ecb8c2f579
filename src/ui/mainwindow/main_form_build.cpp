// The main window's panes, list place and status bar.
#include "ui/mainwindow/main_form.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QSplitter>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/mainwindow/control_bar.h"
#include "ui/mainwindow/list_area.h"
#include "ui/mainwindow/main_bars.h"
#include "ui/mainwindow/main_status_bar.h"
#include "ui/mainwindow/toolbar_artwork.h"

namespace {

QLabel* NewCaptionPanel(QWidget* parent, const QString& name, const QString& caption) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    label->setAutoFillBackground(true);
    label->setContentsMargins(4, 1, 4, 1);
    label->setFixedHeight(18);
    return label;
}

QTextEdit* NewPane(QWidget* parent, const QString& name) {
    auto* edit = new QTextEdit(parent);
    edit->setObjectName(name);
    edit->setAcceptRichText(false);
    edit->setLineWrapMode(QTextEdit::NoWrap);
    edit->setTabChangesFocus(false);
    return edit;
}

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
    Bars = new TMainBars(this);
    layout->addWidget(Bars->Site(1));
    layout->addWidget(Bars->Site(2));

    MainSplitter = new QSplitter(Qt::Horizontal, central);
    MainSplitter->setObjectName(QStringLiteral("MainSplitter"));
    MainSplitter->setChildrenCollapsible(false);
    layout->addWidget(MainSplitter, 1);
    setCentralWidget(central);

    BuildStatusBar();
    BuildListPlace();
    BuildRecipePanes();
    Bars->AttachExisting();

    MainSplitter->setStretchFactor(MainSplitter->indexOf(CookPanel), 0);
    RecipeSplitter->setStretchFactor(0, 0);
    RecipeSplitter->setStretchFactor(1, 1);
    SubSplitter->setStretchFactor(0, 1);
    SubSplitter->setStretchFactor(1, 0);
    for (QSplitter* splitter : {MainSplitter, RecipeSplitter, SubSplitter})
        connect(splitter, &QSplitter::splitterMoved, this, &TMainForm::PaneSizesMoved);
}

void TMainForm::BuildListPlace() {
    ListArea = new TListArea(*Book, MainSplitter, *StatusBar1, this);
}

void TMainForm::BuildRecipePanes() {
    CookPanel = NewPanel(MainSplitter, QStringLiteral("CookPanel"));
    auto* cookLayout = Column(CookPanel);

    // The recipe pane bar: save, word wrap, the modified marker.
    Panel8 = NewPanel(CookPanel, QStringLiteral("Panel8"));
    auto* barLayout = new QHBoxLayout(Panel8);
    barLayout->setContentsMargins(2, 1, 2, 1);
    tbtnSave = new QToolButton(Panel8);
    tbtnSave->setObjectName(QStringLiteral("tbtnSave"));
    tbtnSave->setToolTip(QStringLiteral("レシピを上書き保存します"));
    tbtnSave->setText(QStringLiteral("保存"));
    tbtnSave->setIcon(QIcon(QPixmap::fromImage(ToolbarImage(TToolImage::Save))));
    tbtnSave->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    tbtnSave->setAutoRaise(true);
    tbtnSave->setEnabled(false);
    tbtnWordWrap = new QToolButton(Panel8);
    tbtnWordWrap->setObjectName(QStringLiteral("tbtnWordWrap"));
    tbtnWordWrap->setToolTip(QStringLiteral("自動改行のオン/オフ"));
    tbtnWordWrap->setText(QStringLiteral("自動改行"));
    tbtnWordWrap->setIcon(QIcon(QPixmap::fromImage(ToolbarImage(TToolImage::WordWrap))));
    tbtnWordWrap->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    tbtnWordWrap->setAutoRaise(true);
    tbtnWordWrap->setEnabled(false);
    PanelStatus = new QLabel(Panel8);
    PanelStatus->setObjectName(QStringLiteral("PanelStatus"));
    PanelStatus->setMinimumWidth(70);
    PanelStatus->setStyleSheet(QStringLiteral("color: #c00000;"));
    barLayout->addWidget(tbtnSave);
    barLayout->addWidget(tbtnWordWrap);
    barLayout->addStretch(1);
    barLayout->addWidget(PanelStatus);
    cookLayout->addWidget(Panel8);

    // Header with the recipe's icon and name.
    pnlRecipeHeader = NewPanel(CookPanel, QStringLiteral("pnlRecipeHeader"));
    pnlRecipeHeader->setAutoFillBackground(true);
    auto* headerLayout = new QHBoxLayout(pnlRecipeHeader);
    headerLayout->setContentsMargins(4, 2, 4, 2);
    imbRecipeIcon = new QLabel(pnlRecipeHeader);
    imbRecipeIcon->setObjectName(QStringLiteral("imbRecipeIcon"));
    imbRecipeIcon->setFixedSize(16, 16);
    pnlRecipeHeaderCaption = new QLabel(QStringLiteral("-----"), pnlRecipeHeader);
    pnlRecipeHeaderCaption->setObjectName(QStringLiteral("pnlRecipeHeaderCaption"));
    headerLayout->addWidget(imbRecipeIcon);
    headerLayout->addWidget(pnlRecipeHeaderCaption, 1);
    cookLayout->addWidget(pnlRecipeHeader);

    PageControl1 = new QTabWidget(CookPanel);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    cookLayout->addWidget(PageControl1, 1);

    // Recipe tab: ingredients and picture over the method.
    TabSheetRecipe = new QWidget;
    TabSheetRecipe->setObjectName(QStringLiteral("TabSheetRecipe"));
    auto* recipeLayout = Column(TabSheetRecipe);
    RecipeSplitter = new QSplitter(Qt::Vertical, TabSheetRecipe);
    RecipeSplitter->setObjectName(QStringLiteral("RecipeSplitter"));
    RecipeSplitter->setChildrenCollapsible(false);
    recipeLayout->addWidget(RecipeSplitter);

    SubPanel = NewPanel(RecipeSplitter, QStringLiteral("SubPanel"));
    auto* subLayout = Column(SubPanel);
    SubSplitter = new QSplitter(Qt::Horizontal, SubPanel);
    SubSplitter->setObjectName(QStringLiteral("SubSplitter"));
    SubSplitter->setChildrenCollapsible(false);
    subLayout->addWidget(SubSplitter);

    auto* foodPanel = NewPanel(SubSplitter, QStringLiteral("FoodstuffPanel"));
    auto* foodLayout = Column(foodPanel);
    CapPanel1 = NewCaptionPanel(foodPanel, QStringLiteral("CapPanel1"), QStringLiteral("材料"));
    memFoodstuff = NewPane(foodPanel, QStringLiteral("memFoodstuff"));
    foodLayout->addWidget(CapPanel1);
    foodLayout->addWidget(memFoodstuff, 1);

    PicturePanel = NewPanel(SubSplitter, QStringLiteral("PicturePanel"));
    auto* pictureLayout = Column(PicturePanel);
    CapPanel2 = NewCaptionPanel(PicturePanel, QStringLiteral("CapPanel2"), QStringLiteral("画像"));
    pictureLayout->addWidget(CapPanel2);
    ImagePanel = NewPanel(PicturePanel, QStringLiteral("ImagePanel"));
    ImagePanel->setAutoFillBackground(true);
    auto* imageLayout = Column(ImagePanel);
    imageLayout->setContentsMargins(4, 4, 4, 4);
    Shape1 = NewPanel(ImagePanel, QStringLiteral("Shape1"));
    Shape1->setAutoFillBackground(true);
    auto* shapeLayout = Column(Shape1);
    shapeLayout->setContentsMargins(2, 2, 2, 2);
    Image1 = new QLabel(Shape1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setMinimumSize(16, 16);
    Image1->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    Image1->setContextMenuPolicy(Qt::CustomContextMenu);
    shapeLayout->addWidget(Image1, 1);
    imageLayout->addWidget(Shape1, 1);
    pictureLayout->addWidget(ImagePanel, 1);
    PanelImageControl = NewPanel(PicturePanel, QStringLiteral("PanelImageControl"));
    auto* pagingLayout = new QHBoxLayout(PanelImageControl);
    pagingLayout->setContentsMargins(2, 0, 2, 0);
    SpeedButtonPrevPic = new QToolButton(PanelImageControl);
    SpeedButtonPrevPic->setObjectName(QStringLiteral("SpeedButtonPrevPic"));
    SpeedButtonPrevPic->setText(QStringLiteral("▲"));
    SpeedButtonPrevPic->setProperty("tag", -1);
    PanelImageControlCaption = new QLabel(QStringLiteral("0/0"), PanelImageControl);
    PanelImageControlCaption->setObjectName(QStringLiteral("PanelImageControlCaption"));
    PanelImageControlCaption->setAlignment(Qt::AlignCenter);
    SpeedButtonNextPic = new QToolButton(PanelImageControl);
    SpeedButtonNextPic->setObjectName(QStringLiteral("SpeedButtonNextPic"));
    SpeedButtonNextPic->setText(QStringLiteral("▼"));
    SpeedButtonNextPic->setProperty("tag", 1);
    pagingLayout->addWidget(SpeedButtonPrevPic);
    pagingLayout->addWidget(PanelImageControlCaption, 1);
    pagingLayout->addWidget(SpeedButtonNextPic);
    pictureLayout->addWidget(PanelImageControl);
    PanelImageControl->hide();

    auto* howPanel = NewPanel(RecipeSplitter, QStringLiteral("HowPanel"));
    auto* howLayout = Column(howPanel);
    CapPanel3 = NewCaptionPanel(howPanel, QStringLiteral("CapPanel3"), QStringLiteral("作り方"));
    MemoHow = NewPane(howPanel, QStringLiteral("MemoHow"));
    howLayout->addWidget(CapPanel3);
    howLayout->addWidget(MemoHow, 1);
    PageControl1->addTab(TabSheetRecipe, QStringLiteral("レシピ"));

    // Comment tab.
    TabSheetComment = new QWidget;
    TabSheetComment->setObjectName(QStringLiteral("TabSheetComment"));
    auto* commentLayout = Column(TabSheetComment);
    CapPanel4 = NewCaptionPanel(TabSheetComment, QStringLiteral("CapPanel4"), QStringLiteral("コメント"));
    RichEditComment = NewPane(TabSheetComment, QStringLiteral("RichEditComment"));
    commentLayout->addWidget(CapPanel4);
    commentLayout->addWidget(RichEditComment, 1);
    PageControl1->addTab(TabSheetComment, QStringLiteral("コメント"));

    // Handwritten memo tab.
    TabSheetPaint = new QWidget;
    TabSheetPaint->setObjectName(QStringLiteral("TabSheetPaint"));
    auto* paintLayout = Column(TabSheetPaint);
    PaintToolPanel = NewPanel(TabSheetPaint, QStringLiteral("PaintToolPanel"));
    auto* toolLayout = new QHBoxLayout(PaintToolPanel);
    toolLayout->setContentsMargins(2, 1, 2, 1);
    toolLayout->addStretch(1);
    lblCanvasSize = new QLabel(PaintToolPanel);
    lblCanvasSize->setObjectName(QStringLiteral("lblCanvasSize"));
    toolLayout->addWidget(lblCanvasSize);
    paintLayout->addWidget(PaintToolPanel);
    ScrollBox2 = new QScrollArea(TabSheetPaint);
    ScrollBox2->setObjectName(QStringLiteral("ScrollBox2"));
    imgDraw = new QLabel;
    imgDraw->setObjectName(QStringLiteral("imgDraw"));
    imgDraw->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ScrollBox2->setWidget(imgDraw);
    paintLayout->addWidget(ScrollBox2, 1);
    PageControl1->addTab(TabSheetPaint, QStringLiteral("手書きメモ"));

    // Attribute tab.
    TabSheetAttr = new QWidget;
    TabSheetAttr->setObjectName(QStringLiteral("TabSheetAttr"));
    auto* attrLayout = Column(TabSheetAttr);
    CapPanel5 = NewCaptionPanel(TabSheetAttr, QStringLiteral("CapPanel5"), QStringLiteral("属性"));
    RichEdit1 = NewPane(TabSheetAttr, QStringLiteral("RichEdit1"));
    RichEdit1->setReadOnly(true);
    attrLayout->addWidget(CapPanel5);
    attrLayout->addWidget(RichEdit1, 1);
    PageControl1->addTab(TabSheetAttr, QStringLiteral("属性"));

    for (QTextEdit* pane : {memFoodstuff, MemoHow, RichEditComment})
        pane->setContextMenuPolicy(Qt::CustomContextMenu);
}

void TMainForm::BuildStatusBar() {
    StatusBar1 = new TMainStatusBar(this);
    setStatusBar(StatusBar1);
}
