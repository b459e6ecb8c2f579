#pragma once

#include <functional>
#include <memory>
#include <vector>

#include <QImage>
#include <QMainWindow>
#include <QStringList>

#include "core/recipes/column_table.h"
#include "core/recipes/cook_item.h"
#include "core/recipes/icon_store.h"
#include "core/settings/settings.h"

class QAction;
class QActionGroup;
class QComboBox;
class QFrame;
class QLabel;
class QMenu;
class QMenuBar;
class QProgressBar;
class QPushButton;
class QScrollArea;
class QSplitter;
class QStatusBar;
class QTabWidget;
class QTextEdit;
class QTimer;
class QToolBar;
class QToolButton;
class QTreeWidget;
class QWidget;
class TControlBar;
class TCookListModel;
class TCookListView;
class TIniFile;
class TListGestures;
class TOpenRecipe;
class TRecipePanes;
struct TSettingsApply;
enum class TGestureCommand;

// The main window. One class spread over several files by concern:
//   main_form.cpp          creation, closing, destruction
//   main_form_build.cpp    panes, list place, status bar
//   main_form_menus.cpp    menus, tool bars, pop-up menus, command wiring
//   main_form_layout.cpp   layout keys of the settings file, bar placement
//   main_form_list.cpp     columns, refill, selection, sorting
//   main_form_panes.cpp    load, save, edit mode, the save question
//   main_form_clock.cpp    the clock
// Other concerns (recipe commands, search, pane aids, ...) add their own
// main_form_<concern>.cpp and their own block of declarations below.
class TMainForm final : public QMainWindow {
    Q_OBJECT
public:
    // `appDir`: the program's folder, ending with "/"; the data, icon and
    // settings files lie there.
    explicit TMainForm(const QString& appDir, QWidget* parent = nullptr);
    ~TMainForm() override;

    // ---- paths and life -------------------------------------------------------
    QString AppDir;    // ends with "/"
    QString DataRoot;  // AppDir + "Cook", no final "/"
    QString HelpFile;  // AppDir + "SAPORIA.HLP"
    QString IniPath() const;  // the settings file, named like the executable
    // Set when the data folder could not be created: the program ends as soon
    // as its loop starts.
    bool TerminateRequested = false;

    // Closing: the close query, then the close handler (layout keys). The
    // destruction writes ("Column.dat", "FindCareer.dat") run in FormDestroy,
    // which the destructor calls when nobody did before.
    bool FormCloseQuery();
    void FormClose();
    void FormDestroy();

    // ---- state shared with the other parts of the program ---------------------
    bool ClosingFlag = false;
    bool ViewOnly = false;
    bool ColumnTableWriteBack = false;  // "Column.dat" loaded or defaulted this run
    QStringList FindCareerList;
    QStringList MaterialList;
    QStringList LinkFileList;
    // The settings this window reads come from CurrentSettings(): the options
    // window's own, or these (the defaults, or what a test sets) while there
    // is no options window.
    TSettings Settings;
    const TSettings& CurrentSettings();

    // ---- the recipe list ------------------------------------------------------------
    TIconStore Icons;          // built-in and user icons, 16 and 32 pixels
    TCookItems CookItems;      // every recipe of the data folder, in listing order
    TColumnTable ColumnTable;  // the report view's columns
    TCookListModel* ListModel = nullptr;
    bool SortAscending = true;
    int SortColumn = -1;
    void BuildListColumns();
    void SearchCookFld();
    // Refills the rows, selecting record `index` (-1: none). Asks the save
    // question first; false when it was cancelled (nothing refilled).
    bool IndicateList(int index);
    // Sorts the rows by column c (0-based), keeping the selected recipe.
    void SortList(int column, bool ascending);
    void CookListViewColumnClick(int column);
    void CookListViewSelectItem(int row, bool selected);
    // Record index of the selected row, or -1.
    int SelectedRecord() const;
    // Selects a record's row as a user would (the save question may refuse).
    bool SelectRecord(int record);

    // ---- the open recipe ------------------------------------------------------------
    TOpenRecipe* OpenRecipe = nullptr;  // the one open recipe, shown by Panes
    TRecipePanes* Panes = nullptr;
    // Opens a recipe of the list in the panes; false (after its error box)
    // when reading stopped early.
    bool LoadFile(const TCookItem& item);
    int ThumbnailCount = 0;

    // ---- the modified flag and the one save question ---------------------------
    static const QString SaveQuestion;  // "レシピが変更されています、保存しますか？"
    static const QString PlainPrintCaption;    // "印刷(&P)"
    static const QString PlainPreviewCaption;  // "印刷ﾌﾟﾚﾋﾞｭｰ(&V)..."
    // The open recipe's flag of unsaved edits.
    bool IsModified() const;
    void SetModified(bool modified);
    // Asks "レシピが変更されています、保存しますか？" when the open recipe has
    // unsaved edits (not in view-only mode, not while closing). Yes saves; false
    // means the caller must not go on (Cancel, or a failed save).
    bool QuerySaveChanges();

    // ---- the recipe panes ----------------------------------------------------------
    // Editable look with the recipe commands enabled, or the empty read-only look.
    void SetEditMode(bool enabled);
    bool EditMode() const { return EditModeOn; }
    // Writes the open recipe; false (after its error box) when it failed.
    bool Save();

    // ---- command wiring ---------------------------------------------------------
    // Connects a menu item (QAction) or button to its handler and enables it.
    // Items of commands nobody has wired stay disabled, also through SetEditMode.
    void Wire(QObject* control, std::function<void()> handler);
    static bool IsWired(const QObject* control);
    // Enables a command only when it is wired.
    static void SetCommandEnabled(QObject* control, bool enabled);

    // ---- bars -------------------------------------------------------------------
    // The seven dockable bars in the order of their layout keys.
    std::vector<QWidget*> DockableBars() const;
    static bool BarVisible(const QWidget* bar);
    static void SetBarVisible(QWidget* bar, bool visible);

    // ---- view settings ----------------------------------------------------------
    void ApplyFontSize(int size);
    void tbtnReportClick(int tag);
    void miModeChangeClick();
    void tbtnModeChangeClick();
    void tbtnWordWrapClick();
    void miToolbarClick();
    void miTbShortcutClick(QAction* item);

    // ---- clock ------------------------------------------------------------------
    void tmClockTimer();
    void DrawClock();
    bool UseDigitalClock = false;  // set from the options
    int FontSize = 9;

    // ---- components -------------------------------------------------------------
    // Dock sites and bars
    TControlBar* ControlBar1 = nullptr;
    TControlBar* ControlBar2 = nullptr;
    QToolBar* ToolBar1 = nullptr;  // shortcuts
    QToolBar* ToolBar2 = nullptr;  // view style
    QToolBar* ToolBar3 = nullptr;  // the main menu as a flat menu bar
    QToolBar* ToolBar4 = nullptr;  // refinement search
    QToolBar* ToolBar6 = nullptr;  // view-only bar (in ControlBar2)
    QFrame* PanelHint = nullptr;
    QLabel* imgHint = nullptr;
    QFrame* PanelClock = nullptr;
    QLabel* ImageClock = nullptr;
    QFrame* PanelAuthor = nullptr;
    QToolButton* Image3 = nullptr;
    QMenuBar* MainMenu = nullptr;

    // ToolBar1
    QToolButton* ToolButtonNewRecipe = nullptr;
    QToolButton* ToolButtonDelRecipe = nullptr;
    QToolButton* ToolButtonEditRecipe = nullptr;
    QToolButton* ToolButtonEditAttr = nullptr;
    QToolButton* ToolButton5 = nullptr;  // reload
    QToolButton* tbtnPrint = nullptr;
    QToolButton* tbtnPrintPreview = nullptr;
    QToolButton* ToolButton14 = nullptr;  // kitchen timer
    QToolButton* ToolButton15 = nullptr;  // RSS reader
    QToolButton* ToolButton16 = nullptr;  // calculator
    QToolButton* ToolButton11 = nullptr;  // options
    // ToolBar2
    QToolButton* tbtnReport = nullptr;
    QToolButton* tbtnList = nullptr;
    QToolButton* tbtnIcon = nullptr;
    QToolButton* tbtnSmallIcon = nullptr;
    // ToolBar4
    QComboBox* cbSearchRefinement = nullptr;
    QPushButton* btnSearchRefinement = nullptr;
    // ToolBar6
    QToolButton* tbtnClose = nullptr;
    QToolButton* tbtnEasyPrint = nullptr;
    QToolButton* tbtnModeChange = nullptr;

    // Menus: File
    QMenu* miFile = nullptr;
    QAction* miModeChange = nullptr;
    QMenu* miExport = nullptr;
    QMenu* miExportSelected = nullptr;
    QAction* miMailExport = nullptr;
    QAction* miHTMLExport = nullptr;
    QMenu* miExportShown = nullptr;
    QAction* miPSPHtmlExport = nullptr;
    QAction* PSP1 = nullptr;
    QMenu* miImport = nullptr;
    QAction* miMailImport = nullptr;
    QAction* miPrint = nullptr;
    QAction* PrintPreview1 = nullptr;
    QAction* B3 = nullptr;
    QAction* A3 = nullptr;
    QAction* Exit1 = nullptr;
    // Recipe
    QMenu* miRecipe = nullptr;
    QAction* miRecipeAdd = nullptr;
    QAction* miRecipeDelete = nullptr;
    QAction* miRecipeSave = nullptr;
    QAction* miRecipeRename = nullptr;
    QAction* miRecipeAttrEdit = nullptr;
    QAction* miUpdate = nullptr;
    QAction* N4 = nullptr;  // import from a recipe web page
    // View
    QMenu* miView = nullptr;
    QMenu* miToolbar = nullptr;
    QAction* miTbShortcut = nullptr;
    QAction* miTbDisplayform = nullptr;
    QAction* miTbSearch = nullptr;
    QAction* miTbHint = nullptr;
    QAction* miTbClock = nullptr;
    QAction* miTbHomePage = nullptr;
    QAction* A2 = nullptr;  // classification pane
    QAction* S1 = nullptr;  // thumbnail pane
    QAction* miDisplayDetailConfig = nullptr;
    QMenu* miCharSize = nullptr;
    QActionGroup* FontSizeGroup = nullptr;
    QAction* miFontSizeMax = nullptr;
    QAction* miFontSizeBig = nullptr;
    QAction* miFontSizeMiddle = nullptr;
    QAction* miFontSizeSmall = nullptr;
    QAction* miFontSizeMin = nullptr;
    QAction* miIconManage = nullptr;
    // Search
    QMenu* miSearch = nullptr;
    QAction* miSearchRecipeName = nullptr;
    QAction* miSearchRecipeNameNext = nullptr;
    QAction* miSearchMaterialName = nullptr;
    QAction* miSearchMaterialNameNext = nullptr;
    // Tools
    QMenu* ool1 = nullptr;
    QAction* miKitchenTimer = nullptr;
    QAction* miClac = nullptr;
    QAction* miRSS = nullptr;
    QAction* C1 = nullptr;        // LAN client (hidden)
    QMenu* MenuServer = nullptr;  // LAN server (hidden)
    QAction* MenuStartup = nullptr;
    QAction* MenuClose = nullptr;
    QAction* Detail1 = nullptr;
    QAction* miOption = nullptr;
    // Bookmarks (filled when opened)
    QMenu* B1 = nullptr;
    // Help
    QMenu* miHelp = nullptr;
    QAction* Help2 = nullptr;
    QAction* miHomePage = nullptr;
    QAction* About1 = nullptr;

    // Pop-up menus
    QMenu* ListPopupMenu = nullptr;
    QAction* Delete2 = nullptr;
    QAction* R1 = nullptr;
    QAction* E2 = nullptr;
    QAction* N46 = nullptr;  // list pop-up: print the selected recipe
    QMenu* REPopupMenu = nullptr;
    QAction* Copy1 = nullptr;
    QAction* Paste3 = nullptr;
    QAction* N18 = nullptr;
    QAction* N45 = nullptr;
    QAction* N48 = nullptr;
    QMenu* N38 = nullptr;
    QAction* N39 = nullptr;
    QAction* Paste1 = nullptr;
    QMenu* N41 = nullptr;
    QAction* N40 = nullptr;
    QMenu* PicturePopupMenu = nullptr;
    QAction* L1 = nullptr;
    QAction* C2 = nullptr;
    QAction* Paste2 = nullptr;
    QAction* D1 = nullptr;
    QMenu* PopupInputMaterial = nullptr;
    QTextEdit* PopupPane = nullptr;  // the text pane on which REPopupMenu was opened

    // List place
    QSplitter* MainSplitter = nullptr;  // thumbnails | classification | list | recipe panes
    QFrame* Panel4 = nullptr;           // thumbnail pane
    QLabel* Panel6 = nullptr;           // "ｻﾑﾈｲﾙ数：" + count
    QLabel* Panel5 = nullptr;           // "×"
    QScrollArea* ScrollBox1 = nullptr;
    QWidget* PaintBox1 = nullptr;
    QFrame* Panel9 = nullptr;   // classification pane
    QLabel* Panel11 = nullptr;  // "×"
    QTreeWidget* TreeView1 = nullptr;
    QFrame* ListPanel = nullptr;
    QComboBox* ComboBoxGroup = nullptr;
    TCookListView* CookListView = nullptr;

    // Status bar
    QStatusBar* StatusBar1 = nullptr;
    QLabel* StatusPanel0 = nullptr;  // "表示数 : n / total"
    QLabel* StatusPanel1 = nullptr;  // gesture
    QLabel* StatusPanel2 = nullptr;  // progress
    QLabel* StatusPanel3 = nullptr;  // server mode
    QProgressBar* ProgressBar1 = nullptr;

    // Timers
    QTimer* tmClock = nullptr;
    QTimer* tmHint = nullptr;

    // ---- recipe commands (add, delete, rename, save, attributes, reload) ----
    void WireRecipeCommands();  // after every window exists; builds the icon picker
    void miRecipeAddClick();
    void miRecipeDeleteClick();
    void miRecipeSaveClick();
    void miRecipeRenameClick();
    void E2Click();
    void CookListViewDblClick();
    void miUpdateClick();
    void miIconManageClick();
    struct TIconNames UserIconNames() const;
    // ---- search ----
    void WireSearchCommands();
    void miSearchRecipeNameClick();
    void miSearchRecipeNameNextClick();
    void miSearchMaterialNameClick();
    void miSearchMaterialNameNextClick();
    void btnSearchRefinementClick();
    QString NameSearchKeyword;
    int NameSearchNext = 0;
    QString MaterialSearchKeyword;
    int MaterialSearchNext = 0;
    std::shared_ptr<class TIngredientCache> IngredientCache;
    class TRefinementSearchBox* RefinementBox = nullptr;
    // ---- classification tree and thumbnails ----
    void WireFilterViews();
    void ComboBoxGroupChange();
    void A2Click();
    void S1Click();
    void BuildClassTree();
    void BuildThumbnails();
    void FreeThumbnails();
    // Rebuilds the tree and the thumbnails that are shown, after a refill.
    void RefreshFilterViews();
    // Selects the first row whose recipe has this exact name, as a click would.
    bool SelectRowNamed(const QString& name);
    class TGroupFilterBox* GroupFilter = nullptr;
    class TClassTreeView* ClassTreeView = nullptr;
    class TThumbnailStrip* ThumbnailStrip = nullptr;
    QString ShownGroup;  // the group the rows were last filled for
    // ---- pane aids (links, photo, memo, input support, tips, menus look) ----
    class TPaneAids* PaneAids = nullptr;
    void CreatePaneAids();  // once the panes and menus exist
    void PaneAidsLoaded();  // after LoadFile filled the panes
    QString LinkPicturePath() const;  // picture of the link under the mouse
    void REPopupMenuPopup();
    void N39Click();
    void Paste1Click();
    void N41Click();
    void LinkDeleteClick(int tag);
    void N40Click();
    // ---- options, column chooser, about box, gestures ----
    void WireOptionCommands();
    void miDisplayDetailConfigClick();
    void miOptionClick();
    void About1Click();
    // The settings that shape this window, at start-up and after the options' OK.
    void ApplyOptionSettings(const TSettingsApply& apply, bool starting);
    // View-only mode keeps the commands that change recipes disabled.
    void LockRecipeCommands(bool locked);
    void RunGesture(TGestureCommand command);
    TListGestures* Gestures = nullptr;
    // ---- printing, exchange, web tools, kitchen tools ----

signals:
    // Emitted once the close has been agreed and the layout written.
    void Closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    void BuildWidgets();
    void BuildRecipePanes();
    void BuildListPlace();
    void BuildStatusBar();
    void BuildMenus();
    void BuildToolBars();
    void BuildPopupMenus();
    void WireOwnCommands();
    void CreateLinkAids();
    QString SelectedLinkWord() const;
    void PlaceBarsDefault();

    void ApplyPaneSizes();
    void PaneSizesMoved();
    void ReadLayout();
    void WriteLayout();
    void RestoreBar(TIniFile& ini, QWidget* bar);
    void WriteBar(TIniFile& ini, QWidget* bar);

    void ReadFindCareer();
    void ReadColumnTable();
    void WriteColumnTable();
    void LoadMaterialList();

    int CookPanelWidth = 361;
    int SubPanelHeight = 225;
    int PicturePanelWidth = 178;
    bool Destroyed = false;
    bool LayoutLoaded = false;
    bool FindCareerLoaded = false;
    bool EditModeOn = false;

};

// The main window of the running program (the first window created).
extern TMainForm* MainForm;
