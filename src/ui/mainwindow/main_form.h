#pragma once

#include <functional>
#include <memory>
#include <vector>

#include <QImage>
#include <QMainWindow>
#include <QStringList>

#include "core/recipes/cook_item.h"
#include "core/settings/settings.h"
#include "ui/app/windows.h"

class QComboBox;
class QFrame;
class QLabel;
class QScrollArea;
class QSplitter;
class QTabWidget;
class QTextEdit;
class QTimer;
class QToolButton;
class QWidget;
class TListArea;
class TMainStatusBar;
class TOpenRecipe;
class TRecipeBook;
class TRecipePanes;
class TSettingsStore;
struct TWindowLayout;
struct TSettingsApply;
enum class TGestureCommand;

// The main window. One class spread over several files by concern:
//   main_form.cpp          creation, closing, destruction
//   main_form_build.cpp    panes, list place, status bar
//   main_form_menus.cpp    commands bound to handlers, pop-up menus (the bars
//                          and menus themselves: TMainBars, main_bars.cpp)
//   main_form_layout.cpp   layout keys of the settings file, bar placement
//   main_form_list.cpp     the list place's entry points (TListArea does the work)
//   main_form_panes.cpp    load, save, edit mode, the save question
//   main_form_clock.cpp    the clock
// Other concerns (recipe commands, search, pane aids, ...) add their own
// main_form_<concern>.cpp and their own block of declarations below.
class TMainForm final : public QMainWindow {
    Q_OBJECT
public:
    // `appDir`: the program's folder, ending with "/"; the data, icon and
    // settings files lie there. `store` holds the settings and this window's
    // layout, `windows` the other windows of the program; a window built
    // alone (tests) makes its own store on the settings file and has no
    // other windows until they are set in Windows().
    explicit TMainForm(const QString& appDir, TSettingsStore* store = nullptr, TWindows* windows = nullptr,
                       QWidget* parent = nullptr);
    ~TMainForm() override;

    // ---- paths and life -------------------------------------------------------
    QString AppDir;    // ends with "/"
    QString DataRoot;  // AppDir + "Cook", no final "/"
    QString HelpFile;  // AppDir + "SAPORIA.HLP"
    QString IniPath() const;  // the settings file, named like the executable
    TSettingsStore& SettingsStore() const { return *Store; }
    const TSettings& Settings() const;
    TWindows& Windows() const { return *OtherWindows; }
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
    QStringList MaterialList;
    QStringList LinkFileList;

    // ---- the recipe list ------------------------------------------------------------
    // The recipes, icons, columns and search history of the program folder.
    TRecipeBook& RecipeBook() { return *Book; }
    void SearchCookFld();
    // Refills the rows, selecting record `index` (-1: none). Asks the save
    // question first; false when it was cancelled (nothing refilled).
    bool IndicateList(int index);
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

    // ---- commands -------------------------------------------------------------
    // Menus, bars and pop-up menus; every command's action by its object name.
    class TMainBars* Bars = nullptr;
    // Binds a command of the table to its handler (see BindCommands).
    void BindCommand(const QString& name, std::function<void()> handler);
    // Enables the commands for the open recipe, view-only mode and `Busy`.
    void UpdateCommands();
    bool Busy = false;

    // ---- bars -------------------------------------------------------------------
    // The seven dockable bars in the order of their layout keys.
    std::vector<QWidget*> DockableBars() const;
    static bool BarVisible(const QWidget* bar);
    static void SetBarVisible(QWidget* bar, bool visible);

    // ---- view settings ----------------------------------------------------------
    void ApplyFontSize(int size);
    void Exit1Click();
    void tbtnReportClick(int tag);
    void miModeChangeClick();
    void tbtnModeChangeClick();
    void tbtnWordWrapClick();
    void miToolbarClick();
    void miTbShortcutClick(int tag);
    void miFontSizeBigClick(int size);

    // ---- clock ------------------------------------------------------------------
    void tmClockTimer();
    void DrawClock();
    int FontSize = 9;

    // ---- components -------------------------------------------------------------
    QTextEdit* PopupPane = nullptr;  // the text pane on which REPopupMenu was opened

    QSplitter* MainSplitter = nullptr;  // thumbnails | classification | list | recipe panes


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
    // ---- classification tree and thumbnails ----
    void ComboBoxGroupChange();
    void A2Click();
    void S1Click();
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
    void RunGesture(TGestureCommand command);
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
    void BindCommands();
    void CreateLinkAids();
    QString SelectedLinkWord() const;

    void ApplyPaneSizes();
    void PaneSizesMoved();
    void ReadLayout();
    void WriteLayout();
    void ApplyLayout(const TWindowLayout& layout);
    TWindowLayout CurrentLayout() const;

    void LoadMaterialList();

    TSettingsStore* Store = nullptr;
    TWindows* OtherWindows = nullptr;
    TWindows OwnWindows;
    bool Destroyed = false;
    bool EditModeOn = false;

    std::unique_ptr<TRecipeBook> Book;
    TListArea* ListArea = nullptr;  // thumbnails, classification, list
    TMainStatusBar* StatusBar1 = nullptr;

};
