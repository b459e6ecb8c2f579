// Menus, tool bars and pop-up menus of the main window, and command wiring.
#include "ui/mainwindow/main_form.h"
#include "ui/mainwindow/recipe_panes.h"
#include "core/recipes/open_recipe.h"

#include <QAbstractButton>
#include <QActionGroup>
#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>

#include "ui/mainwindow/control_bar.h"
#include "ui/mainwindow/cook_list_view.h"
#include "ui/mainwindow/toolbar_artwork.h"
#include "ui/platform/dialogs.h"

namespace {

const char* const WiredProperty = "saporiaWired";
const char* const EditModeProperty = "saporiaEditMode";

QAction* AddItem(QMenu* menu, const QString& name, const QString& caption,
                 const QKeySequence& shortcut = QKeySequence()) {
    auto* action = new QAction(caption, menu);
    action->setObjectName(name);
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    action->setEnabled(false);  // until a handler is wired
    menu->addAction(action);
    return action;
}

QMenu* AddSubMenu(QWidget* parentMenu, const QString& name, const QString& caption) {
    auto* menu = new QMenu(caption, parentMenu);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    if (auto* bar = qobject_cast<QMenuBar*>(parentMenu))
        bar->addMenu(menu);
    else if (auto* m = qobject_cast<QMenu*>(parentMenu))
        m->addMenu(menu);
    return menu;
}

QToolButton* AddButton(QToolBar* bar, const QString& name, const QString& hint, const QIcon& icon,
                       const QString& caption = QString()) {
    auto* button = new QToolButton(bar);
    button->setObjectName(name);
    button->setToolTip(hint);
    button->setAutoRaise(true);
    if (!icon.isNull())
        button->setIcon(icon);
    if (!caption.isEmpty()) {
        button->setText(caption);
        button->setToolButtonStyle(icon.isNull() ? Qt::ToolButtonTextOnly : Qt::ToolButtonTextBesideIcon);
    } else {
        button->setText(hint);
        button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    }
    button->setEnabled(false);  // until a handler is wired
    bar->addWidget(button);
    return button;
}

QIcon Art(TToolImage which) { return QIcon(QPixmap::fromImage(ToolbarImage(which))); }

QToolBar* NewBar(QWidget* parent, const QString& name, const QString& title) {
    auto* bar = new QToolBar(title, parent);
    bar->setObjectName(name);
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setIconSize(QSize(16, 16));
    return bar;
}

}  // namespace

void TMainForm::BuildMenus() {
    MainMenu = new QMenuBar(nullptr);
    MainMenu->setObjectName(QStringLiteral("MainMenu"));
    MainMenu->setNativeMenuBar(false);

    // File
    miFile = AddSubMenu(MainMenu, QStringLiteral("miFile"), QStringLiteral("ファイル(&F)"));
    miModeChange = AddItem(miFile, QStringLiteral("miModeChange"), QStringLiteral("参照モードに切替"));
    miFile->addSeparator();
    miExport = AddSubMenu(miFile, QStringLiteral("miExport"), QStringLiteral("エクスポート(&X)"));
    miExportSelected = AddSubMenu(miExport, QStringLiteral("miExportSelected"), QStringLiteral("選択されたレシピ"));
    miMailExport = AddItem(miExportSelected, QStringLiteral("miMailExport"), QStringLiteral("メール添付用エクスポート..."));
    miHTMLExport = AddItem(miExportSelected, QStringLiteral("miHTMLExport"), QStringLiteral("HTMLで保存..."));
    miExportShown = AddSubMenu(miExport, QStringLiteral("miExportShown"), QStringLiteral("表示されているレシピ"));
    miPSPHtmlExport = AddItem(miExportShown, QStringLiteral("miPSPHtmlExport"), QStringLiteral("PSP用HTML出力..."));
    PSP1 = AddItem(miExportShown, QStringLiteral("PSP1"), QStringLiteral("PSP用HTML出力機能の詳細へ(&P)..."));
    PSP1->setVisible(false);
    miImport = AddSubMenu(miFile, QStringLiteral("miImport"), QStringLiteral("インポート(&M)"));
    miMailImport = AddItem(miImport, QStringLiteral("miMailImport"), QStringLiteral("メール添付用インポート..."));
    miFile->addSeparator();
    miPrint = AddItem(miFile, QStringLiteral("miPrint"), PlainPrintCaption, QKeySequence(Qt::CTRL | Qt::Key_P));
    PrintPreview1 = AddItem(miFile, QStringLiteral("PrintPreview1"), PlainPreviewCaption);
    B3 = AddItem(miFile, QStringLiteral("B3"), QStringLiteral("目次印刷(&A)"));
    A3 = AddItem(miFile, QStringLiteral("A3"), QStringLiteral("目次印刷ﾌﾟﾚﾋﾞｭｰ(&B)..."));
    miFile->addSeparator();
    Exit1 = AddItem(miFile, QStringLiteral("Exit1"), QStringLiteral("終了(&X)"));

    // Recipe
    miRecipe = AddSubMenu(MainMenu, QStringLiteral("miRecipe"), QStringLiteral("レシピ(&R)"));
    miRecipeAdd = AddItem(miRecipe, QStringLiteral("miRecipeAdd"), QStringLiteral("レシピ追加(&N)..."),
                          QKeySequence(Qt::CTRL | Qt::Key_N));
    miRecipeDelete = AddItem(miRecipe, QStringLiteral("miRecipeDelete"), QStringLiteral("レシピの削除(&D)..."),
                             QKeySequence(Qt::CTRL | Qt::Key_D));
    miRecipeSave = AddItem(miRecipe, QStringLiteral("miRecipeSave"), QStringLiteral("レシピの上書き保存(&S)"),
                           QKeySequence(Qt::CTRL | Qt::Key_S));
    miRecipeRename = AddItem(miRecipe, QStringLiteral("miRecipeRename"), QStringLiteral("レシピ名変更(&R)..."),
                             QKeySequence(Qt::CTRL | Qt::Key_R));
    miRecipeAttrEdit = AddItem(miRecipe, QStringLiteral("miRecipeAttrEdit"), QStringLiteral("レシピ属性変更(&A)..."));
    miRecipe->addSeparator();
    miUpdate = AddItem(miRecipe, QStringLiteral("miUpdate"), QStringLiteral("最新の情報に更新(&R)"),
                       QKeySequence(Qt::Key_F5));
    miRecipe->addSeparator();
    N4 = AddItem(miRecipe, QStringLiteral("N4"), QStringLiteral("クックパッドから取り込み..."));

    // View
    miView = AddSubMenu(MainMenu, QStringLiteral("miView"), QStringLiteral("表示(&V)"));
    miToolbar = AddSubMenu(miView, QStringLiteral("miToolbar"), QStringLiteral("ツールバー(&T)"));
    miTbShortcut = AddItem(miToolbar, QStringLiteral("miTbShortcut"), QStringLiteral("ショートカット"));
    miTbDisplayform = AddItem(miToolbar, QStringLiteral("miTbDisplayform"), QStringLiteral("表示形式"));
    miTbSearch = AddItem(miToolbar, QStringLiteral("miTbSearch"), QStringLiteral("検索"));
    miTbHint = AddItem(miToolbar, QStringLiteral("miTbHint"), QStringLiteral("ヒント"));
    miTbClock = AddItem(miToolbar, QStringLiteral("miTbClock"), QStringLiteral("時計"));
    miTbHomePage = AddItem(miToolbar, QStringLiteral("miTbHomePage"), QStringLiteral("ホームページへ"));
    int tag = 1;
    for (QAction* item : {miTbShortcut, miTbDisplayform, miTbSearch, miTbHint, miTbClock, miTbHomePage}) {
        item->setCheckable(true);
        item->setData(tag++);
    }
    miView->addSeparator();
    A2 = AddItem(miView, QStringLiteral("A2"), QStringLiteral("分類表示(&A)"));
    A2->setCheckable(true);
    S1 = AddItem(miView, QStringLiteral("S1"), QStringLiteral("サムネイル表示(&S)"));
    S1->setCheckable(true);
    miView->addSeparator();
    miDisplayDetailConfig = AddItem(miView, QStringLiteral("miDisplayDetailConfig"),
                                    QStringLiteral("詳細表示の設定[ﾚﾎﾟｰﾄ形式](&C)..."));
    miCharSize = AddSubMenu(miView, QStringLiteral("miCharSize"), QStringLiteral("文字のサイズ(&F)"));
    FontSizeGroup = new QActionGroup(this);
    FontSizeGroup->setExclusive(true);
    miFontSizeMax = AddItem(miCharSize, QStringLiteral("miFontSizeMax"), QStringLiteral("最大"));
    miFontSizeBig = AddItem(miCharSize, QStringLiteral("miFontSizeBig"), QStringLiteral("大"));
    miFontSizeMiddle = AddItem(miCharSize, QStringLiteral("miFontSizeMiddle"), QStringLiteral("中"));
    miFontSizeSmall = AddItem(miCharSize, QStringLiteral("miFontSizeSmall"), QStringLiteral("小"));
    miFontSizeMin = AddItem(miCharSize, QStringLiteral("miFontSizeMin"), QStringLiteral("最小"));
    const int sizes[] = {13, 11, 9, 8, 7};
    int i = 0;
    for (QAction* item : {miFontSizeMax, miFontSizeBig, miFontSizeMiddle, miFontSizeSmall, miFontSizeMin}) {
        item->setCheckable(true);
        item->setData(sizes[i++]);
        FontSizeGroup->addAction(item);
    }
    miFontSizeMiddle->setChecked(true);
    miView->addSeparator();
    miIconManage = AddItem(miView, QStringLiteral("miIconManage"), QStringLiteral("アイコン設定(&I)..."));

    // Search
    miSearch = AddSubMenu(MainMenu, QStringLiteral("miSearch"), QStringLiteral("検索(&S)"));
    miSearchRecipeName = AddItem(miSearch, QStringLiteral("miSearchRecipeName"), QStringLiteral("【料理名】検索(&C)..."));
    miSearchRecipeNameNext = AddItem(miSearch, QStringLiteral("miSearchRecipeNameNext"),
                                     QStringLiteral("【料理名】次を検索"), QKeySequence(Qt::Key_F2));
    miSearch->addSeparator();
    miSearchMaterialName = AddItem(miSearch, QStringLiteral("miSearchMaterialName"), QStringLiteral("【材料】検索(&M)..."));
    miSearchMaterialNameNext = AddItem(miSearch, QStringLiteral("miSearchMaterialNameNext"),
                                       QStringLiteral("【材料】次を検索"), QKeySequence(Qt::Key_F3));

    // Tools
    ool1 = AddSubMenu(MainMenu, QStringLiteral("ool1"), QStringLiteral("ツール(&T)"));
    miKitchenTimer = AddItem(ool1, QStringLiteral("miKitchenTimer"), QStringLiteral("キッチンタイマー(&T)..."),
                             QKeySequence(Qt::CTRL | Qt::Key_T));
    miClac = AddItem(ool1, QStringLiteral("miClac"), QStringLiteral("計算(&C)..."));
    miRSS = AddItem(ool1, QStringLiteral("miRSS"), QStringLiteral("RSSリーダー(&R)..."), QKeySequence(Qt::Key_F12));
    ool1->addSeparator();
    C1 = AddItem(ool1, QStringLiteral("C1"), QStringLiteral("通信(&C)..."));
    C1->setVisible(false);
    MenuServer = AddSubMenu(ool1, QStringLiteral("MenuServer"), QStringLiteral("サーバー(&S)"));
    MenuStartup = AddItem(MenuServer, QStringLiteral("MenuStartup"), QStringLiteral("起動(&S)"));
    MenuClose = AddItem(MenuServer, QStringLiteral("MenuClose"), QStringLiteral("終了(&D)"));
    Detail1 = AddItem(MenuServer, QStringLiteral("Detail1"), QStringLiteral("詳細(&I)..."));
    MenuServer->menuAction()->setVisible(false);
    ool1->addSeparator();
    miOption = AddItem(ool1, QStringLiteral("miOption"), QStringLiteral("各種設定(&O)..."));

    // Bookmarks: the drop-down is built when it opens.
    B1 = AddSubMenu(MainMenu, QStringLiteral("B1"), QStringLiteral("ﾌﾞｯｸﾏｰｸ(&B)"));

    // Help
    miHelp = AddSubMenu(MainMenu, QStringLiteral("miHelp"), QStringLiteral("ヘルプ(&H)"));
    Help2 = AddItem(miHelp, QStringLiteral("Help2"), QStringLiteral("ヘルプ(&D)"), QKeySequence(Qt::Key_F1));
    miHomePage = AddItem(miHelp, QStringLiteral("miHomePage"), QStringLiteral("作者ホームページへ(&H)..."));
    miHelp->addSeparator();
    About1 = AddItem(miHelp, QStringLiteral("About1"), QStringLiteral("バージョン情報(&A)..."));

    // Opening the tool bar menu ticks the bars that are shown.
    connect(miToolbar, &QMenu::aboutToShow, this, [this] { miToolbarClick(); });

    // The menu's shortcuts belong to the window, so they work wherever the
    // menu bar is: floating, hidden, or away with the bar row in view-only mode.
    std::function<void(QMenu*)> addShortcuts = [&](QMenu* menu) {
        for (QAction* action : menu->actions()) {
            if (action->menu())
                addShortcuts(action->menu());
            else if (!action->shortcut().isEmpty())
                addAction(action);
        }
    };
    for (QAction* top : MainMenu->actions())
        if (top->menu())
            addShortcuts(top->menu());
}

void TMainForm::BuildPopupMenus() {
    ListPopupMenu = new QMenu(this);
    ListPopupMenu->setObjectName(QStringLiteral("ListPopupMenu"));
    Delete2 = AddItem(ListPopupMenu, QStringLiteral("Delete2"), QStringLiteral("レシピ削除(&D)..."),
                      QKeySequence(Qt::CTRL | Qt::Key_D));
    R1 = AddItem(ListPopupMenu, QStringLiteral("R1"), QStringLiteral("料理名変更(&R)..."),
                 QKeySequence(Qt::CTRL | Qt::Key_R));
    E2 = AddItem(ListPopupMenu, QStringLiteral("E2"), QStringLiteral("レシピ属性変更(&E)..."),
                 QKeySequence(Qt::CTRL | Qt::Key_E));
    ListPopupMenu->addSeparator();
    N46 = AddItem(ListPopupMenu, QStringLiteral("N46"), QStringLiteral("印刷(&P)"));

    REPopupMenu = new QMenu(this);
    REPopupMenu->setObjectName(QStringLiteral("REPopupMenu"));
    Copy1 = AddItem(REPopupMenu, QStringLiteral("Copy1"), QStringLiteral("コピー(&C)"));
    Paste3 = AddItem(REPopupMenu, QStringLiteral("Paste3"), QStringLiteral("貼り付け(&P)"));
    REPopupMenu->addSeparator();
    N18 = AddItem(REPopupMenu, QStringLiteral("N18"), QStringLiteral("[数字]全角を半角へ置き換え(&T)"));
    N45 = AddItem(REPopupMenu, QStringLiteral("N45"), QStringLiteral("選択された文字で揃える"));
    N45->setData(1);
    N48 = AddItem(REPopupMenu, QStringLiteral("N48"), QStringLiteral("選択された文字で揃えて置き換える"));
    N48->setData(2);
    REPopupMenu->addSeparator();
    N38 = AddSubMenu(REPopupMenu, QStringLiteral("N38"), QStringLiteral("選択されたテキストに画像をリンクする"));
    N39 = AddItem(N38, QStringLiteral("N39"), QStringLiteral("ファイルからリンク画像を読み込む..."));
    Paste1 = AddItem(N38, QStringLiteral("Paste1"), QStringLiteral("クリップボードから画像を貼り付け"));
    N41 = AddSubMenu(REPopupMenu, QStringLiteral("N41"), QStringLiteral("任意のリンクを削除する"));
    N40 = AddItem(REPopupMenu, QStringLiteral("N40"), QStringLiteral("すべてのリンクを削除する..."));

    PicturePopupMenu = new QMenu(this);
    PicturePopupMenu->setObjectName(QStringLiteral("PicturePopupMenu"));
    L1 = AddItem(PicturePopupMenu, QStringLiteral("L1"), QStringLiteral("画像読込み(&L)..."));
    C2 = AddItem(PicturePopupMenu, QStringLiteral("C2"), QStringLiteral("画像コピー(&C)"));
    Paste2 = AddItem(PicturePopupMenu, QStringLiteral("Paste2"), QStringLiteral("画像貼り付け(&P)"));
    PicturePopupMenu->addSeparator();
    D1 = AddItem(PicturePopupMenu, QStringLiteral("D1"), QStringLiteral("画像削除(&D)..."));

    PopupInputMaterial = new QMenu(this);
    PopupInputMaterial->setObjectName(QStringLiteral("PopupInputMaterial"));
}

void TMainForm::BuildToolBars() {
    ControlBar1 = new TControlBar(QStringLiteral("ControlBar1"), this);
    ControlBar2 = new TControlBar(QStringLiteral("ControlBar2"), this);

    ToolBar3 = NewBar(ControlBar1, QStringLiteral("ToolBar3"), QStringLiteral("メニュー"));
    ToolBar3->addWidget(MainMenu);

    ToolBar1 = NewBar(ControlBar1, QStringLiteral("ToolBar1"), QStringLiteral("ショートカット"));
    ToolButtonNewRecipe = AddButton(ToolBar1, QStringLiteral("ToolButtonNewRecipe"), QStringLiteral("レシピの追加..."),
                                    Art(TToolImage::NewRecipe));
    ToolButtonDelRecipe = AddButton(ToolBar1, QStringLiteral("ToolButtonDelRecipe"), QStringLiteral("レシピの削除..."),
                                    Art(TToolImage::DeleteRecipe));
    ToolButtonEditRecipe = AddButton(ToolBar1, QStringLiteral("ToolButtonEditRecipe"), QStringLiteral("レシピ名の変更..."),
                                     Art(TToolImage::RenameRecipe));
    ToolButtonEditAttr = AddButton(ToolBar1, QStringLiteral("ToolButtonEditAttr"), QStringLiteral("レシピ属性変更..."),
                                   Art(TToolImage::RecipeAttributes));
    ToolButton5 = AddButton(ToolBar1, QStringLiteral("ToolButton5"), QStringLiteral("最新の情報に更新"),
                            Art(TToolImage::Reload));
    ToolBar1->addSeparator();
    tbtnPrint = AddButton(ToolBar1, QStringLiteral("tbtnPrint"), QStringLiteral("選択したレシピを印刷します"),
                          Art(TToolImage::Print));
    tbtnPrintPreview = AddButton(ToolBar1, QStringLiteral("tbtnPrintPreview"),
                                 QStringLiteral("選択したレシピの印刷ﾌﾟﾚﾋﾞｭｰを表示します"),
                                 Art(TToolImage::PrintPreview));
    ToolBar1->addSeparator();
    ToolButton14 = AddButton(ToolBar1, QStringLiteral("ToolButton14"), QStringLiteral("キッチンタイマー"),
                             Art(TToolImage::KitchenTimer));
    ToolButton15 = AddButton(ToolBar1, QStringLiteral("ToolButton15"), QStringLiteral("RSSリーダー"),
                             Art(TToolImage::RssReader));
    ToolButton16 = AddButton(ToolBar1, QStringLiteral("ToolButton16"), QStringLiteral("計算"),
                             Art(TToolImage::Calculator));
    ToolButton11 = AddButton(ToolBar1, QStringLiteral("ToolButton11"), QStringLiteral("各種設定..."),
                             Art(TToolImage::Options));

    ToolBar2 = NewBar(ControlBar1, QStringLiteral("ToolBar2"), QStringLiteral("表示形式"));
    tbtnReport = AddButton(ToolBar2, QStringLiteral("tbtnReport"), QStringLiteral("レポート形式"),
                           Art(TToolImage::ViewReport));
    tbtnList = AddButton(ToolBar2, QStringLiteral("tbtnList"), QStringLiteral("リスト形式"),
                         Art(TToolImage::ViewList));
    tbtnIcon = AddButton(ToolBar2, QStringLiteral("tbtnIcon"), QStringLiteral("大きいアイコン形式"),
                         Art(TToolImage::ViewLargeIcons));
    tbtnSmallIcon = AddButton(ToolBar2, QStringLiteral("tbtnSmallIcon"), QStringLiteral("小さいアイコン形式"),
                              Art(TToolImage::ViewSmallIcons));
    int viewTag = 0;
    for (QToolButton* button : {tbtnReport, tbtnList, tbtnIcon, tbtnSmallIcon}) {
        button->setCheckable(true);
        button->setAutoExclusive(true);
        button->setProperty("tag", viewTag++);
    }

    ToolBar4 = NewBar(ControlBar1, QStringLiteral("ToolBar4"), QStringLiteral("材料で絞込み検索"));
    cbSearchRefinement = new QComboBox(ToolBar4);
    cbSearchRefinement->setObjectName(QStringLiteral("cbSearchRefinement"));
    cbSearchRefinement->setEditable(true);
    cbSearchRefinement->setMinimumWidth(140);
    cbSearchRefinement->setInsertPolicy(QComboBox::NoInsert);
    ToolBar4->addWidget(cbSearchRefinement);
    btnSearchRefinement = new QPushButton(QStringLiteral("検 索"), ToolBar4);
    btnSearchRefinement->setObjectName(QStringLiteral("btnSearchRefinement"));
    btnSearchRefinement->setEnabled(false);
    ToolBar4->addWidget(btnSearchRefinement);

    PanelHint = new QFrame(ControlBar1);
    PanelHint->setObjectName(QStringLiteral("PanelHint"));
    PanelHint->setWindowTitle(QStringLiteral("ヒント"));
    PanelHint->setFixedSize(170, 22);
    imgHint = new QLabel(PanelHint);
    imgHint->setObjectName(QStringLiteral("imgHint"));
    imgHint->setGeometry(1, 1, 168, 20);
    imgHint->setStyleSheet(QStringLiteral("background: black; color: white;"));

    PanelClock = new QFrame(ControlBar1);
    PanelClock->setObjectName(QStringLiteral("PanelClock"));
    PanelClock->setWindowTitle(QStringLiteral("時計"));
    PanelClock->setFixedSize(50, 50);
    PanelClock->setAutoFillBackground(true);
    QPalette clockPalette = PanelClock->palette();
    clockPalette.setColor(QPalette::Window, Qt::white);
    PanelClock->setPalette(clockPalette);
    ImageClock = new QLabel(PanelClock);
    ImageClock->setObjectName(QStringLiteral("ImageClock"));
    ImageClock->setGeometry(1, 1, 48, 48);

    PanelAuthor = new QFrame(ControlBar1);
    PanelAuthor->setObjectName(QStringLiteral("PanelAuthor"));
    PanelAuthor->setWindowTitle(QStringLiteral("ホームページへ"));
    auto* authorLayout = new QHBoxLayout(PanelAuthor);
    authorLayout->setContentsMargins(1, 1, 1, 1);
    Image3 = new QToolButton(PanelAuthor);
    Image3->setObjectName(QStringLiteral("Image3"));
    Image3->setToolTip(QStringLiteral("作者ホームページへ"));
    Image3->setIcon(Art(TToolImage::HomePage));
    Image3->setAutoRaise(true);
    Image3->setEnabled(false);
    authorLayout->addWidget(Image3);
    PanelAuthor->resize(PanelAuthor->sizeHint());

    ToolBar6 = NewBar(ControlBar2, QStringLiteral("ToolBar6"), QStringLiteral("参照モード"));
    tbtnClose = AddButton(ToolBar6, QStringLiteral("tbtnClose"), QString(), QIcon(), QStringLiteral("終 了"));
    tbtnEasyPrint = AddButton(ToolBar6, QStringLiteral("tbtnEasyPrint"), QString(), QIcon(), QStringLiteral("印 刷"));
    tbtnModeChange = AddButton(ToolBar6, QStringLiteral("tbtnModeChange"), QString(), QIcon(),
                               QStringLiteral("通常モードに切替"));
    ControlBar2->DockAuto(ToolBar6);
    ControlBar2->hide();

    PlaceBarsDefault();
}

// The stored layout: the menu bar, the tips and the home page picture on the
// first row, the tool bars on the second, the clock at the right of both.
void TMainForm::PlaceBarsDefault() {
    for (QWidget* bar : {static_cast<QWidget*>(ToolBar1), static_cast<QWidget*>(ToolBar2),
                         static_cast<QWidget*>(ToolBar3), static_cast<QWidget*>(ToolBar4)})
        bar->resize(bar->sizeHint());
    const int row1 = 0;
    const int row2 = std::max(ToolBar3->height(), PanelHint->height()) + 2;
    ControlBar1->Dock(ToolBar3, QPoint(0, row1));
    ControlBar1->Dock(ToolBar1, QPoint(0, row2));
    ControlBar1->Dock(ToolBar2, QPoint(ToolBar1->width() + 4, row2));
    ControlBar1->Dock(ToolBar4, QPoint(ToolBar2->x() + ToolBar2->width() + 4, row2));
    const int right = std::max(ToolBar3->width(), ToolBar4->x() + ToolBar4->width()) + 6;
    ControlBar1->Dock(PanelHint, QPoint(std::max(ToolBar3->width() + 6, right - PanelHint->width()), row1 + 2));
    ControlBar1->Dock(PanelClock, QPoint(PanelHint->x() + PanelHint->width() + 6, row1));
    ControlBar1->Dock(PanelAuthor, QPoint(PanelClock->x() + PanelClock->width() + 6, row1));
}

bool TMainForm::IsWired(const QObject* control) {
    return control && control->property(WiredProperty).toBool();
}

void TMainForm::SetCommandEnabled(QObject* control, bool enabled) {
    if (!control)
        return;
    control->setProperty(EditModeProperty, enabled);
    const bool on = enabled && IsWired(control);
    if (auto* action = qobject_cast<QAction*>(control))
        action->setEnabled(on);
    else if (auto* widget = qobject_cast<QWidget*>(control))
        widget->setEnabled(on);
}

void TMainForm::Wire(QObject* control, std::function<void()> handler) {
    if (!control)
        return;
    control->setProperty(WiredProperty, true);
    auto run = [this, handler = std::move(handler)] {
        // An error the command does not report itself still must not cross
        // the event loop: it shows its message.
        try {
            handler();
        } catch (const std::exception& error) {
            ShowErrorBox(this, ExceptionMessage(error));
        }
    };
    // A command that follows the edit mode keeps its current mode.
    const QVariant mode = control->property(EditModeProperty);
    const bool enabled = mode.isValid() ? mode.toBool() : true;
    if (auto* action = qobject_cast<QAction*>(control)) {
        connect(action, &QAction::triggered, this, run);
        action->setEnabled(enabled);
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        connect(button, &QAbstractButton::clicked, this, run);
        button->setEnabled(enabled);
    }
}

void TMainForm::WireOwnCommands() {
    Wire(Exit1, [this] { close(); });
    Wire(tbtnClose, [this] { close(); });
    for (QToolButton* button : {tbtnReport, tbtnList, tbtnIcon, tbtnSmallIcon})
        Wire(button, [this, button] { tbtnReportClick(button->property("tag").toInt()); });
    for (QAction* item : {miTbShortcut, miTbDisplayform, miTbSearch, miTbHint, miTbClock, miTbHomePage})
        Wire(item, [this, item] { miTbShortcutClick(item); });
    for (QAction* item : {miFontSizeMax, miFontSizeBig, miFontSizeMiddle, miFontSizeSmall, miFontSizeMin})
        Wire(item, [this, item] {
            item->setChecked(true);
            ApplyFontSize(item->data().toInt());
        });
    Wire(miModeChange, [this] { miModeChangeClick(); });
    Wire(tbtnModeChange, [this] { tbtnModeChangeClick(); });
    Wire(Panes->WordWrapButton(), [this] { tbtnWordWrapClick(); });

    // Pop-up menus; view-only mode has none.
    connect(CookListView, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        if (!ViewOnly)
            ListPopupMenu->exec(CookListView->mapToGlobal(pos));
    });
    for (QTextEdit* pane : Panes->EditPanes())
        connect(pane, &QWidget::customContextMenuRequested, this, [this, pane](const QPoint& pos) {
            if (!ViewOnly) {
                PopupPane = pane;
                REPopupMenu->exec(pane->mapToGlobal(pos));
            }
        });
    connect(Panes->PhotoLabel(), &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        if (!ViewOnly)
            PicturePopupMenu->exec(Panes->PhotoLabel()->mapToGlobal(pos));
    });
}
