#pragma once

#include <memory>

#include <QMainWindow>
#include <QStringList>

#include "core/recipes/cook_item.h"
#include "core/settings/settings.h"
#include "ui/app/core_state.h"
#include "ui/app/windows.h"

class QSplitter;
class QTimer;
class TListArea;
class TMainBars;
class TMainStatusBar;
class TPaneAids;
class TRecipeCommands;
class TRecipePanes;
struct TWindowLayout;
struct TSettingsApply;

// The main window: the bars, the list place, the recipe panes and the status
// bar, each binding its own commands. One class spread over files by concern:
//   main_form.cpp          creation, the save question, closing, destruction
//   main_form_build.cpp    the regions and the commands bound to them
//   main_form_layout.cpp   layout keys of the settings file
//   main_form_list.cpp     the list's entry points and loading a recipe
//   main_form_view.cpp     view style, font size, word wrap, view-only mode
//   main_form_options.cpp  the settings that shape the window
//   main_form_clock.cpp    the clock
class TMainForm final : public QMainWindow {
    Q_OBJECT
public:
    // `appDir`: the program's folder, ending with "/"; the data, icon and
    // settings files lie there. `state` holds the settings, the recipe book
    // and the open recipe, `windows` the other windows of the program; a
    // window built alone (tests) makes what `state` lacks on the program
    // folder and has no other windows until they are set in Windows().
    explicit TMainForm(const QString& appDir, TCoreState state = {}, TWindows* windows = nullptr,
                       QWidget* parent = nullptr);
    ~TMainForm() override;

    QString IniPath() const;  // the settings file, named like the executable
    TSettingsStore& SettingsStore() const { return *State.Store; }
    const TSettings& Settings() const;
    TWindows& Windows() const { return *OtherWindows; }
    TRecipeBook& RecipeBook() const { return *State.Book; }
    // Set when the data folder could not be created: the program ends as soon
    // as its loop starts.
    bool TerminateRequested() const { return Terminate; }

    // ---- entry points of the other parts of the program ----
    // Refills the rows, selecting record `index` (-1: none). Asks the save
    // question first; false when it was cancelled (nothing refilled).
    bool IndicateList(int index);
    // Asks "レシピが変更されています、保存しますか？" when the open recipe has
    // unsaved edits (not in view-only mode, not while closing). Yes saves; false
    // means the caller must not go on (Cancel, or a failed save).
    bool QuerySaveChanges();
    // The settings that shape this window, at start-up and after the options' OK.
    void ApplyOptionSettings(const TSettingsApply& apply, bool starting);
    // Binds the commands that use the other windows, once they all exist.
    void WireRecipeCommands();
    // With a scan started alongside the other windows' creation: waits for
    // it and lists the recipes (no recipe selected).
    void FinishStartUpScan();
    void StartClock();
    // The recipe server started or stopped: the status panel and its commands.
    void SetServerMode(bool serving);

    static const QString SaveQuestion;         // "レシピが変更されています、保存しますか？"
    static const QString PlainPrintCaption;    // "印刷(&P)"
    static const QString PlainPreviewCaption;  // "印刷ﾌﾟﾚﾋﾞｭｰ(&V)..."

signals:
    // Emitted once the close has been agreed and the layout written.
    void Closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    bool FormCloseQuery();
    void FormClose();
    void FormDestroy();

    void BuildWidgets();
    void BindCommands();
    void BindListHooks();
    void SetEditMode(bool enabled);
    bool ViewOnly() const;
    void CookListViewSelectItem(int row, bool selected);
    bool LoadFile(const TCookItem& item);

    void SetViewStyle(int tag);
    void ApplyFontSize(int size);
    void ApplyWordWrap();
    void SetViewOnly(bool viewOnly);

    void ApplyPaneSizes();
    void PaneSizesMoved();
    void ReadLayout();
    void WriteLayout();
    void ApplyLayout(const TWindowLayout& layout);
    TWindowLayout CurrentLayout() const;

    void ClockTick();
    void DrawClock();

    QString AppDir;    // ends with "/"
    QString DataRoot;  // AppDir + "Cook", no final "/"
    TCoreState State;
    TWindows* OtherWindows = nullptr;
    TWindows OwnWindows;
    std::unique_ptr<TRecipeBook> OwnBook;
    bool Terminate = false;
    bool ClosingFlag = false;
    bool Destroyed = false;

    TMainBars* Bars = nullptr;
    TListArea* ListArea = nullptr;
    TRecipePanes* Panes = nullptr;
    TMainStatusBar* StatusBar1 = nullptr;
    TPaneAids* PaneAids = nullptr;
    TRecipeCommands* RecipeCommands = nullptr;
    QSplitter* MainSplitter = nullptr;  // thumbnails | classification | list | recipe panes
    QTimer* tmClock = nullptr;
};
