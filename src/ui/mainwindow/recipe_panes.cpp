// The recipe pane area: its widgets and the pane aids that live on them.
#include "ui/mainwindow/recipe_panes.h"
#include "ui/platform/dialogs.h"

#include <QBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QSplitter>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolButton>

#include "ui/mainwindow/memo_pane.h"
#include "ui/mainwindow/photo_pane_view.h"
#include "ui/mainwindow/toolbar_artwork.h"
#include "ui/widgets/panel_layout.h"
#include "core/settings/fonts.h"

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

// A caption over a text pane, filling `holder`; the caption joins `captions`.
QTextEdit* FillCaptionedPane(QWidget* holder, QList<QLabel*>& captions, const QString& captionName,
                             const QString& caption, const QString& paneName) {
    auto* layout = NewColumn(holder);
    captions << NewCaptionPanel(holder, captionName, caption);
    QTextEdit* pane = NewPane(holder, paneName);
    layout->addWidget(captions.back());
    layout->addWidget(pane, 1);
    return pane;
}

QToolButton* NewBarButton(QWidget* parent, const QString& name, const QString& text, const QString& tip,
                          TToolImage image) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setToolTip(tip);
    button->setText(text);
    button->setIcon(QIcon(QPixmap::fromImage(ToolbarImage(image))));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setAutoRaise(true);
    button->setEnabled(false);
    return button;
}

}  // namespace

TRecipePanes::TRecipePanes(TOpenRecipe& recipe, QWidget* parent) : QFrame(parent), Recipe(recipe) {
    setObjectName(QStringLiteral("CookPanel"));
    auto* cookLayout = NewColumn(this);
    BuildBar();
    cookLayout->addWidget(Panel8);

    // Header with the recipe's icon and name.
    pnlRecipeHeader = NewPanel(this, QStringLiteral("pnlRecipeHeader"));
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

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    cookLayout->addWidget(PageControl1, 1);
    BuildRecipeTab();
    BuildOtherTabs();
    BuildAids();

    for (QTextEdit* pane : EditPanes()) {
        pane->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(pane, &QTextEdit::textChanged, this, &TRecipePanes::PaneChanged);
    }
    RecipeSplitter->setStretchFactor(0, 0);
    RecipeSplitter->setStretchFactor(1, 1);
    SubSplitter->setStretchFactor(0, 1);
    SubSplitter->setStretchFactor(1, 0);
    for (QSplitter* splitter : {RecipeSplitter, SubSplitter})
        connect(splitter, &QSplitter::splitterMoved, this, &TRecipePanes::SplitterMoved);
    connect(&Recipe, &TOpenRecipe::ModifiedChanged, this, &TRecipePanes::ShowModified);

    // Nothing is open yet: the tabs wait for the first recipe.
    PageControl1->setEnabled(false);
    PageControl1->setCurrentWidget(TabSheetRecipe);
}

void TRecipePanes::BuildBar() {
    // The recipe pane bar: save, word wrap, the modified marker.
    Panel8 = NewPanel(this, QStringLiteral("Panel8"));
    auto* barLayout = new QHBoxLayout(Panel8);
    barLayout->setContentsMargins(2, 1, 2, 1);
    tbtnSave = NewBarButton(Panel8, QStringLiteral("tbtnSave"), QStringLiteral("保存"),
                            QStringLiteral("レシピを上書き保存します"), TToolImage::Save);
    tbtnWordWrap = NewBarButton(Panel8, QStringLiteral("tbtnWordWrap"), QStringLiteral("自動改行"),
                                QStringLiteral("自動改行のオン/オフ"), TToolImage::WordWrap);
    tbtnWordWrap->setCheckable(true);
    PanelStatus = new QLabel(Panel8);
    PanelStatus->setObjectName(QStringLiteral("PanelStatus"));
    PanelStatus->setMinimumWidth(70);
    PanelStatus->setStyleSheet(QStringLiteral("color: #c00000;"));
    barLayout->addWidget(tbtnSave);
    barLayout->addWidget(tbtnWordWrap);
    barLayout->addStretch(1);
    barLayout->addWidget(PanelStatus);
}

void TRecipePanes::BuildRecipeTab() {
    // Ingredients and picture over the method.
    TabSheetRecipe = new QWidget;
    TabSheetRecipe->setObjectName(QStringLiteral("TabSheetRecipe"));
    auto* recipeLayout = NewColumn(TabSheetRecipe);
    RecipeSplitter = new QSplitter(Qt::Vertical, TabSheetRecipe);
    RecipeSplitter->setObjectName(QStringLiteral("RecipeSplitter"));
    RecipeSplitter->setChildrenCollapsible(false);
    recipeLayout->addWidget(RecipeSplitter);

    SubPanel = NewPanel(RecipeSplitter, QStringLiteral("SubPanel"));
    auto* subLayout = NewColumn(SubPanel);
    SubSplitter = new QSplitter(Qt::Horizontal, SubPanel);
    SubSplitter->setObjectName(QStringLiteral("SubSplitter"));
    SubSplitter->setChildrenCollapsible(false);
    subLayout->addWidget(SubSplitter);

    memFoodstuff = FillCaptionedPane(NewPanel(SubSplitter, QStringLiteral("FoodstuffPanel")), CapPanels,
                                     QStringLiteral("CapPanel1"), QStringLiteral("材料"),
                                     QStringLiteral("memFoodstuff"));

    BuildPictureColumn(SubSplitter);

    MemoHow = FillCaptionedPane(NewPanel(RecipeSplitter, QStringLiteral("HowPanel")), CapPanels,
                                QStringLiteral("CapPanel3"), QStringLiteral("作り方"), QStringLiteral("MemoHow"));
    PageControl1->addTab(TabSheetRecipe, QStringLiteral("レシピ"));
}

void TRecipePanes::BuildPictureColumn(QWidget* parent) {
    PicturePanel = NewPanel(parent, QStringLiteral("PicturePanel"));
    auto* pictureLayout = NewColumn(PicturePanel);
    CapPanels << NewCaptionPanel(PicturePanel, QStringLiteral("CapPanel2"), QStringLiteral("画像"));
    pictureLayout->addWidget(CapPanels.back());
    ImagePanel = NewPanel(PicturePanel, QStringLiteral("ImagePanel"));
    ImagePanel->setAutoFillBackground(true);
    auto* imageLayout = NewColumn(ImagePanel);
    imageLayout->setContentsMargins(4, 4, 4, 4);
    Shape1 = NewPanel(ImagePanel, QStringLiteral("Shape1"));
    Shape1->setAutoFillBackground(true);
    auto* shapeLayout = NewColumn(Shape1);
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

    auto* paging = NewPanel(PicturePanel, QStringLiteral("PanelImageControl"));
    auto* pagingLayout = new QHBoxLayout(paging);
    pagingLayout->setContentsMargins(2, 0, 2, 0);
    auto* prev = new QToolButton(paging);
    prev->setObjectName(QStringLiteral("SpeedButtonPrevPic"));
    prev->setText(QStringLiteral("▲"));
    prev->setProperty("tag", -1);
    auto* caption = new QLabel(QStringLiteral("0/0"), paging);
    caption->setObjectName(QStringLiteral("PanelImageControlCaption"));
    caption->setAlignment(Qt::AlignCenter);
    auto* next = new QToolButton(paging);
    next->setObjectName(QStringLiteral("SpeedButtonNextPic"));
    next->setText(QStringLiteral("▼"));
    next->setProperty("tag", 1);
    pagingLayout->addWidget(prev);
    pagingLayout->addWidget(caption, 1);
    pagingLayout->addWidget(next);
    pictureLayout->addWidget(paging);
    paging->hide();
    Photo = new TPhotoPaneView(Recipe, ImagePanel, Image1, paging, caption, prev, next, this);
}

void TRecipePanes::BuildOtherTabs() {
    TabSheetComment = new QWidget;
    TabSheetComment->setObjectName(QStringLiteral("TabSheetComment"));
    RichEditComment = FillCaptionedPane(TabSheetComment, CapPanels, QStringLiteral("CapPanel4"),
                                        QStringLiteral("コメント"), QStringLiteral("RichEditComment"));
    PageControl1->addTab(TabSheetComment, QStringLiteral("コメント"));

    // Handwritten memo: tools over the canvas.
    TabSheetPaint = new QWidget;
    TabSheetPaint->setObjectName(QStringLiteral("TabSheetPaint"));
    auto* paintLayout = NewColumn(TabSheetPaint);
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

    TabSheetAttr = new QWidget;
    TabSheetAttr->setObjectName(QStringLiteral("TabSheetAttr"));
    auto* attrLayout = NewColumn(TabSheetAttr);
    CapPanels << NewCaptionPanel(TabSheetAttr, QStringLiteral("CapPanel5"), QStringLiteral("属性"));
    RichEdit1 = NewPane(TabSheetAttr, QStringLiteral("RichEdit1"));
    RichEdit1->setReadOnly(true);
    // Its labels are padded to one width in fixed-pitch cells.
    RichEdit1->setFont(QFont(FixedPitchGothic, RichEdit1->font().pointSize()));
    attrLayout->addWidget(CapPanels.back());
    attrLayout->addWidget(RichEdit1, 1);
    PageControl1->addTab(TabSheetAttr, QStringLiteral("属性"));
}

void TRecipePanes::BuildAids() {
    // The colour swatches stand in a column left of the canvas.
    auto* paintLayout = static_cast<QBoxLayout*>(TabSheetPaint->layout());
    const int at = paintLayout->indexOf(ScrollBox2);
    paintLayout->removeWidget(ScrollBox2);
    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    auto* palette = new QFrame(TabSheetPaint);
    palette->setObjectName(QStringLiteral("PalettePanel"));
    row->addWidget(palette);
    row->addWidget(ScrollBox2, 1);
    paintLayout->insertLayout(at, row, 1);

    // The canvas draws on the open recipe's memo, which Load and Save use.
    Memo = new TMemoPane(imgDraw, PaintToolPanel, this, palette);
    Memo->Bitmap = [this]() -> QImage& { return Recipe.Memo(); };
    // A memo that could not be read is never drawn over: the save would replace it.
    Memo->CanDraw = [this] { return Recipe.IsOpen() && !IsProtected(Recipe.Content().Files.Memo); };
    connect(Memo, &TMemoPane::Changed, &Recipe, &TOpenRecipe::MemoDrawn);
    Memo->BitmapReplaced();
}

QList<QTextEdit*> TRecipePanes::EditPanes() const { return {memFoodstuff, MemoHow, RichEditComment}; }

QWidget* TRecipePanes::PhotoLabel() const { return Image1; }

int TRecipePanes::SubPanelHeight() const { return RecipeSplitter->sizes().value(0); }

int TRecipePanes::PicturePanelWidth() const { return SubSplitter->sizes().value(1); }

void TRecipePanes::SetSplitSizes(int subPanelHeight, int picturePanelWidth) {
    // The method and the ingredients take what the fixed panes leave.
    const auto total = [](QSplitter* splitter) {
        int sum = 0;
        for (int size : splitter->sizes())
            sum += size;
        if (sum <= 0)
            sum = splitter->orientation() == Qt::Horizontal ? splitter->width() : splitter->height();
        return sum;
    };
    const int height = std::max(0, subPanelHeight);
    const int width = std::max(0, picturePanelWidth);
    RecipeSplitter->setSizes({height, std::max(0, total(RecipeSplitter) - height)});
    SubSplitter->setSizes({std::max(0, total(SubSplitter) - width), width});
}

bool TRecipePanes::Save() {
    return RunGuarded(window(), ErrorPrefix(QStringLiteral("Save")), [this] { Recipe.Save(Texts()); });
}
