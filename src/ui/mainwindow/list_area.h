#pragma once

#include <functional>

#include <QObject>
#include <QPoint>
#include <QString>

#include "core/recipes/column_table.h"
#include "ui/app/windows.h"

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QScrollArea;
class QSplitter;
class QWidget;
class TClassTreeView;
class TCookListModel;
class TCookListView;
class TGroupFilterBox;
class TListGestures;
class TListColumnSelectForm;
class TMainBars;
class TMainStatusBar;
class TProgressForm;
class TRecipeBook;
class TRefinementSearchBox;
class TThumbnailStrip;

// The list place of the main window: the thumbnail pane (Panel4), the
// classification pane (Panel9) and the recipe list with its group filter
// (ListPanel), with the rows of the recipe book they show, the searches and
// the list's gestures. The open recipe stays with the window: the area asks
// it through the hooks.
class TListArea final : public QObject {
    Q_OBJECT
public:
    struct THooks {
        std::function<bool()> QuerySaveChanges;             // the one save question
        std::function<void()> ClearModified;                // the open recipe's marker off
        std::function<void(int row, bool selected)> SelectItem;  // a row was (un)selected
        std::function<void()> RowKept;                      // a refill left a row selected
        std::function<void(const QString& keyword)> MarkMaterial;  // colours an ingredient hit
        std::function<bool()> IconSort;                     // column 0 sorts by icon
    };

    // Builds the panes into `splitter`; `owner` is the window the messages
    // belong to; `windows` gives the progress window once it exists.
    TListArea(TRecipeBook& book, QSplitter* splitter, TMainStatusBar& status, const TWindows& windows,
              QWidget* owner);
    void SetHooks(THooks hooks) { Hooks = std::move(hooks); }
    // The refinement search box of the search tool bar.
    void AttachRefinementBox(QComboBox* combo, QPushButton* button);
    // Binds the searches, the pane ticks, the list's pop-up menu and its
    // gestures to the commands of `bars`.
    void BindCommands(TMainBars& bars);
    // The column chooser: the rows show the widths as dragged in the header;
    // OK (after the save question) rebuilds the columns and empties the selection.
    void ChooseColumns(TListColumnSelectForm* chooser);

    // ---- columns and rows ----
    // Rebuilds the columns, keeping the widths as dragged in the header.
    void BuildListColumns();
    // The column table with the widths as dragged in the header.
    TColumnTable ShownColumnTable() const;
    // Writes "Column.dat" with the shown widths (when this run may).
    void WriteColumnTable();
    // The rescan; `whileAnswering`: the folders are read off the window's
    // thread while it keeps painting (not at start-up, before it is shown).
    void SearchCookFld(bool whileAnswering = true);
    // Takes the records of the start-up scan begun in the book.
    void EndStartUpScan();
    // Refills the rows, selecting record `index` (-1: none). Asks the save
    // question first; false when it was cancelled (nothing refilled).
    bool IndicateList(int index);
    void SortList(int column, bool ascending);
    // Sorts again by the last clicked column, if any.
    void SortAgain();
    void CookListViewColumnClick(int column);
    int SelectedRecord() const;
    // Selects a record's row as a user would (the save question may refuse).
    bool SelectRecord(int record);
    int RecordOfRow(int row) const;
    // A record changed in place: its row repaints, the side panes rebuild.
    void RecordChanged(int record);
    // Selects the first row whose recipe has this exact name, as a click would.
    bool SelectRowNamed(const QString& name);

    // ---- look ----
    void SetViewStyle(int style);
    void SetFontSize(int size);
    void SetRowLook(bool largeIcons, bool gridLines);
    void AddListAction(QAction* action);
    void RepaintThumbnails();
    // Gives the shown view the keyboard, as at start-up.
    void FocusList();

    // ---- search ----
    void miSearchRecipeNameClick();
    void miSearchRecipeNameNextClick();
    void miSearchMaterialNameClick();
    void miSearchMaterialNameNextClick();
    void btnSearchRefinementClick();

    // ---- group filter, classification tree, thumbnails ----
    void ComboBoxGroupChange();
    void ShowClassPane(bool shown);
    void ShowThumbnailPane(bool shown);
    // Rebuilds the tree and the thumbnails that are shown, after a refill.
    void RefreshFilterViews();

signals:
    void DoubleClicked();
    void PopupRequested(const QPoint& globalPos);
    void ClassPaneCloseClicked();      // the "×" of the classification pane
    void ThumbnailPaneCloseClicked();  // the "×" of the thumbnail pane

private:
    void BuildThumbnailPane();
    void BuildClassPane();
    void BuildListPanel();
    void WireViews();
    // Builds the columns from the table as it stands.
    void ApplyColumnTable();
    void BuildClassTree();
    void BuildThumbnails();
    void FreeThumbnails();
    void NameSearchStep(const QString& endText);
    void MaterialSearchStep(const QString& endText);
    TProgressForm* ProgressWindow() const { return Windows.ProgressForm; }
    void TakeScan(const QStringList& failures);
    bool AskSave() const { return !Hooks.QuerySaveChanges || Hooks.QuerySaveChanges(); }
    void ClearModified() const {
        if (Hooks.ClearModified)
            Hooks.ClearModified();
    }

    TRecipeBook& Book;
    TMainStatusBar& Status;
    const TWindows& Windows;
    QWidget* Owner = nullptr;
    QSplitter* MainSplitter = nullptr;
    THooks Hooks;

    QFrame* Panel4 = nullptr;  // thumbnail pane
    QLabel* Panel6 = nullptr;  // "ｻﾑﾈｲﾙ数：" + count
    QLabel* Panel5 = nullptr;  // "×"
    QScrollArea* ScrollBox1 = nullptr;
    QWidget* PaintBox1 = nullptr;
    QFrame* Panel9 = nullptr;   // classification pane
    QLabel* Panel11 = nullptr;  // "×"
    TClassTreeView* TreeView1 = nullptr;
    QFrame* ListPanel = nullptr;
    QComboBox* ComboBoxGroup = nullptr;
    TCookListView* CookListView = nullptr;

    TCookListModel* ListModel = nullptr;
    TGroupFilterBox* GroupFilter = nullptr;
    TThumbnailStrip* ThumbnailStrip = nullptr;
    TRefinementSearchBox* RefinementBox = nullptr;
    TListGestures* Gestures = nullptr;

    bool SortAscending = true;
    int SortColumn = -1;
    int ThumbnailCount = 0;
    QString ShownGroup;  // the group the rows were last filled for
    QString NameSearchKeyword;
    int NameSearchNext = 0;
    QString MaterialSearchKeyword;
    int MaterialSearchNext = 0;
};
