// The list place's searches, group filter, classification tree and thumbnails.
#include "ui/mainwindow/list_area.h"

#include <algorithm>

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QFrame>
#include <QPushButton>
#include <QSignalBlocker>

#include "core/platform/allocator_arenas.h"
#include "core/recipes/cook_list_model.h"
#include "core/recipes/recipe_book.h"
#include "core/search/class_tree.h"
#include "core/search/recipe_search.h"
#include "core/search/thumbnails.h"
#include "ui/dialogs/list_column_select_form.h"
#include "ui/dialogs/progress_form.h"
#include "ui/mainwindow/class_tree_view.h"
#include "ui/mainwindow/cook_list_view.h"
#include "ui/mainwindow/list_gestures.h"
#include "ui/mainwindow/main_bars.h"
#include "ui/mainwindow/main_status_bar.h"
#include "ui/mainwindow/search_boxes.h"
#include "ui/mainwindow/thumbnail_strip.h"
#include "ui/platform/dialogs.h"
#include "ui/widgets/busy_cursor.h"
#include "ui/widgets/off_thread_work.h"

namespace {

const QString SearchCaption = QStringLiteral("検索");
const QString NotFoundText = QStringLiteral("見つかりませんでした。");
const QString CompletedText = QStringLiteral("検索を完了しました。");
constexpr int ClassPaneWidth = 185;
constexpr int ThumbnailPaneWidth = 95;

// One step of a search and its "next": from `next` on, the hit is shown and
// the step after it remembered; with no more hits `endText` is shown and the
// search forgotten.
void SearchStep(QWidget* owner, QString& keyword, int& next, const QString& endText,
                const std::function<int(int from)>& find, const std::function<bool(int row)>& show) {
    if (keyword.isEmpty())
        return;
    const int row = find(next);
    if (row < 0) {
        ShowInformationBox(owner, endText);
        next = 0;
        keyword.clear();
        return;
    }
    if (show(row))
        next = row + 1;
}

}  // namespace

void TListArea::BindCommands(TMainBars& bars) {
    AttachRefinementBox(Owner->findChild<QComboBox*>(QStringLiteral("cbSearchRefinement")),
                        Owner->findChild<QPushButton*>(QStringLiteral("btnSearchRefinement")));
    bars.Bind(QStringLiteral("btnSearchRefinement"), [this] { btnSearchRefinementClick(); });
    bars.Bind(QStringLiteral("miSearchRecipeName"), [this] { miSearchRecipeNameClick(); });
    bars.Bind(QStringLiteral("miSearchRecipeNameNext"), [this] { miSearchRecipeNameNextClick(); });
    bars.Bind(QStringLiteral("miSearchMaterialName"), [this] { miSearchMaterialNameClick(); });
    bars.Bind(QStringLiteral("miSearchMaterialNameNext"), [this] { miSearchMaterialNameNextClick(); });
    // The menu items have just toggled their ticks.
    QAction* classItem = bars.Action(QStringLiteral("A2"));
    bars.Bind(QStringLiteral("A2"), [this, classItem] { ShowClassPane(classItem->isChecked()); });
    connect(this, &TListArea::ClassPaneCloseClicked, classItem, &QAction::trigger);
    QAction* thumbnailItem = bars.Action(QStringLiteral("S1"));
    bars.Bind(QStringLiteral("S1"), [this, thumbnailItem] { ShowThumbnailPane(thumbnailItem->isChecked()); });
    connect(this, &TListArea::ThumbnailPaneCloseClicked, thumbnailItem, &QAction::trigger);
    // View-only mode has no pop-up menu.
    connect(this, &TListArea::PopupRequested, this, [&bars](const QPoint& globalPos) {
        if (!bars.State().ViewOnly)
            bars.Menu(QStringLiteral("ListPopupMenu"))->exec(globalPos);
    });
    Gestures->Enabled = [&bars] { return !bars.State().ViewOnly; };
    // The commands act on the selected row and ask their usual questions; a
    // command that is off (nothing selected, view-only) does nothing.
    Gestures->RunCommand = [&bars](TGestureCommand command) {
        QString name;
        switch (command) {
        case TGestureCommand::Reload: name = QStringLiteral("miUpdate"); break;
        case TGestureCommand::Delete: name = QStringLiteral("miRecipeDelete"); break;
        case TGestureCommand::Rename: name = QStringLiteral("miRecipeRename"); break;
        case TGestureCommand::Attributes: name = QStringLiteral("miRecipeAttrEdit"); break;
        case TGestureCommand::None: break;
        }
        QAction* item = bars.Action(name);
        if (item && item->isEnabled() && !bars.State().ViewOnly)
            item->trigger();
    };
}

void TListArea::ChooseColumns(TListColumnSelectForm* chooser) {
    if (!chooser)
        return;
    chooser->ClearRows();
    for (const TColumnData& column : ShownColumnTable())
        chooser->AddRow({column.Caption, column.Width, column.Use});
    if (chooser->exec() != QDialog::Accepted)
        return;
    // The refill drops the open recipe's panes: ask before anything changes.
    if (!AskSave())
        return;
    TColumnTable table;
    for (const TColumnRow& row : chooser->Rows())
        table.push_back({row.Caption, row.Width, row.Use});
    Book.ColumnTable = std::move(table);
    ApplyColumnTable();
    IndicateList(-1);
}

// ---- name and ingredient search ------------------------------------------------

void TListArea::NameSearchStep(const QString& endText) {
    SearchStep(
        Owner, NameSearchKeyword, NameSearchNext, endText,
        [&](int from) {
            // Copies for the worker: the window's own lists may change while it paints.
            const TCookItems items = Book.CookItems;
            const QList<int> rows = ListModel->Rows();
            const QString keyword = NameSearchKeyword;
            int hit = -1;
            RunOffWindowThread([&] { hit = FindNameHit(items, rows, from, keyword); });
            return hit;
        },
        [&](int row) { return CookListView->SelectRow(row); });
}

void TListArea::miSearchRecipeNameClick() {
    QString answer;
    // Cancel ends the command and leaves a running search as it was.
    if (!InputQuery(Owner, SearchCaption, QStringLiteral("料理名を入力してください"), answer))
        return;
    NameSearchKeyword = answer;
    NameSearchNext = 0;
    NameSearchStep(NotFoundText);
}

void TListArea::miSearchRecipeNameNextClick() { NameSearchStep(CompletedText); }

void TListArea::MaterialSearchStep(const QString& endText) {
    if (MaterialSearchKeyword.isEmpty())
        return;
    RunGuarded(Owner, ErrorPrefix(QStringLiteral("Search")), [&] {
        SearchStep(
            Owner, MaterialSearchKeyword, MaterialSearchNext, endText,
            [&](int from) {
                const TCookItems items = Book.CookItems;
                const QList<int> rows = ListModel->Rows();
                const QString keyword = MaterialSearchKeyword;
                const QString root = Book.DataRoot();
                int hit = -1;
                RunOffWindowThread([&] { hit = FindMaterialHit(items, rows, from, keyword, root, &Book.Ingredients()); });
                return hit;
            },
            [&](int row) {
                if (!CookListView->SelectRow(row))
                    return false;  // the save question was cancelled: the old recipe stays
                if (Hooks.MarkMaterial)
                    Hooks.MarkMaterial(MaterialSearchKeyword);
                return true;
            });
    });
}

void TListArea::miSearchMaterialNameClick() {
    QString answer = MaterialSearchKeyword;
    if (!InputQuery(Owner, SearchCaption, QStringLiteral("材料名を入力してください"), answer))
        return;
    MaterialSearchKeyword = answer;
    MaterialSearchNext = 0;
    MaterialSearchStep(NotFoundText);
}

void TListArea::miSearchMaterialNameNextClick() { MaterialSearchStep(CompletedText); }

// ---- refinement search ---------------------------------------------------------

void TListArea::AttachRefinementBox(QComboBox* combo, QPushButton* button) {
    RefinementBox = new TRefinementSearchBox(combo, button, this);
    RefinementBox->SetHistorySource([this] { return Book.FindCareerList; });
}

void TListArea::btnSearchRefinementClick() {
    const QString keyword = RefinementBox ? RefinementBox->Keyword() : QString();
    // The list is about to be refilled: unsaved edits are settled first, and
    // Cancel leaves the list, its flags and the history as they were.
    if (!AskSave())
        return;
    RunGuarded(Owner, ErrorPrefix(QStringLiteral("Search")), [&] {
        const TProgressScope progress(ProgressWindow(), QStringLiteral("検索中..."));
        Book.Refine(keyword, RunOffWindowThread);
    });
    // Refilled also after a failure, so the rows agree with the flags.
    IndicateList(-1);
}

// ---- group filter and side panes ------------------------------------------------

bool TListArea::SelectRowNamed(const QString& name) {
    const int row = FirstRowNamed(Book.CookItems, ListModel->Rows(), name);
    return row >= 0 && CookListView->SelectRow(row);
}

void TListArea::ComboBoxGroupChange() {
    const QString chosen = ComboBoxGroup->currentText();
    if (chosen == ShownGroup)
        return;
    // Cancel to the save question keeps the rows and shows their group again.
    if (!IndicateList(-1)) {
        const QSignalBlocker block(ComboBoxGroup);
        const int i = ComboBoxGroup->findText(ShownGroup);
        if (i >= 0)
            ComboBoxGroup->setCurrentIndex(i);
    }
}

void TListArea::RefreshFilterViews() {
    ShownGroup = ComboBoxGroup->currentText();
    if (!Panel4->isHidden())
        BuildThumbnails();  // the strip reuses its widgets and the decoded pictures
    if (!Panel9->isHidden())
        BuildClassTree();
}

void TListArea::BuildClassTree() {
    const TProgressScope progress(ProgressWindow(), QStringLiteral("分類項目作成中..."));
    // Sorting the names of 50,000 recipes takes a while: the classes are
    // filed off the window's thread, from copies of the records and rows.
    const TCookItems items = Book.CookItems;
    const QList<int> rows = ListModel->Rows();
    TClassFiling filing;
    RunOffWindowThread([&] { filing = FileClasses(items, rows); });
    TreeView1->SetTree(NameClasses(filing, items));
}

void TListArea::ShowClassPane(bool shown) {
    if (shown) {
        BuildClassTree();
        ShowSidePane(MainSplitter, Panel9, ClassPaneWidth);
    } else {
        Panel9->hide();
        // Nothing of the tree is kept while the pane is closed.
        TreeView1->Clear();
        ReturnFreedMemory();
    }
}

// Only the places are laid out here; the pictures arrive from the workers,
// so neither a progress window nor a wait is needed.
void TListArea::BuildThumbnails() {
    RunGuarded(Owner, ErrorPrefix(QStringLiteral("BuildThumbnails")), [this] {
        // A maximum of 0 would leave the bar in its busy animation.
        const TMainStatusBar::TWork work(Status, QStringLiteral("ｻﾑﾈｲﾙ作成中..."), 1);
        ThumbnailStrip->ShowPlanned(PlanThumbnails(Book.CookItems, ComboBoxGroup->currentText(), Book.DataRoot(),
                                                   ThumbnailStrip->Cache(), ThumbnailStrip->Shown()),
                                    Book.DataRoot());
        ThumbnailCount = ThumbnailStrip->ThumbnailCount();
    });
}

void TListArea::FreeThumbnails() {
    const TMainStatusBar::TWork work(Status, QStringLiteral("ｻﾑﾈｲﾙ破棄中..."), std::max(1, ThumbnailCount));
    ThumbnailStrip->FreeThumbnails();
    ThumbnailCount = 0;
}

void TListArea::ShowThumbnailPane(bool shown) {
    if (shown) {
        BuildThumbnails();
        ShowSidePane(MainSplitter, Panel4, ThumbnailPaneWidth);
    } else {
        Panel4->hide();
        FreeThumbnails();
    }
}
