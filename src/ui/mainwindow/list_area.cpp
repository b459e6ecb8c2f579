// The list place: its panes, columns, refill, selection, sorting and look.
#include "ui/mainwindow/list_area.h"

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QScrollArea>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

#include "core/recipes/cook_list_model.h"
#include "core/recipes/recipe_book.h"
#include "ui/mainwindow/class_tree_view.h"
#include "ui/mainwindow/cook_list_view.h"
#include "ui/mainwindow/list_gestures.h"
#include "ui/mainwindow/main_status_bar.h"
#include "ui/mainwindow/search_boxes.h"
#include "ui/mainwindow/thumbnail_strip.h"
#include "ui/platform/dialogs.h"
#include "ui/widgets/off_thread_work.h"
#include "ui/widgets/panel_layout.h"

namespace {

QLabel* NewLabel(QWidget* parent, const QString& name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

}  // namespace

TListArea::TListArea(TRecipeBook& book, QSplitter* splitter, TMainStatusBar& status, const TWindows& windows,
                     QWidget* owner)
    : QObject(owner), Book(book), Status(status), Windows(windows), Owner(owner), MainSplitter(splitter) {
    setObjectName(QStringLiteral("ListArea"));
    BuildThumbnailPane();
    BuildClassPane();
    BuildListPanel();
    // The list takes what the fixed-size panes leave.
    MainSplitter->setStretchFactor(MainSplitter->indexOf(Panel4), 0);
    MainSplitter->setStretchFactor(MainSplitter->indexOf(Panel9), 0);
    MainSplitter->setStretchFactor(MainSplitter->indexOf(ListPanel), 1);
    WireViews();
}

void TListArea::BuildThumbnailPane() {
    // Hidden until shown from the menu.
    Panel4 = NewPanel(MainSplitter, QStringLiteral("Panel4"));
    auto* layout = NewColumn(Panel4);
    auto* header = new QHBoxLayout;
    Panel6 = NewLabel(Panel4, QStringLiteral("Panel6"), QStringLiteral("ｻﾑﾈｲﾙ数：XXX"));
    Panel5 = NewLabel(Panel4, QStringLiteral("Panel5"), QStringLiteral("×"));
    Panel5->setToolTip(QStringLiteral("サムネイルを閉じます"));
    header->setContentsMargins(3, 1, 3, 1);
    header->setSpacing(6);
    header->addWidget(Panel6, 1);
    header->addWidget(Panel5);
    layout->addLayout(header);
    ScrollBox1 = new QScrollArea(Panel4);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    PaintBox1 = new QWidget;
    PaintBox1->setObjectName(QStringLiteral("PaintBox1"));
    ScrollBox1->setWidget(PaintBox1);
    ScrollBox1->setWidgetResizable(true);
    layout->addWidget(ScrollBox1, 1);
    Panel4->hide();
}

void TListArea::BuildClassPane() {
    // Hidden until shown from the menu.
    Panel9 = NewPanel(MainSplitter, QStringLiteral("Panel9"));
    auto* layout = NewColumn(Panel9);
    auto* header = new QHBoxLayout;
    header->setContentsMargins(3, 1, 3, 1);
    header->setSpacing(6);
    header->addWidget(NewLabel(Panel9, QStringLiteral("Panel10"), QStringLiteral("分類表示")), 1);
    Panel11 = NewLabel(Panel9, QStringLiteral("Panel11"), QStringLiteral("×"));
    header->addWidget(Panel11);
    layout->addLayout(header);
    TreeView1 = new TClassTreeView(Panel9);
    TreeView1->setObjectName(QStringLiteral("TreeView1"));
    layout->addWidget(TreeView1, 1);
    Panel9->hide();
}

void TListArea::BuildListPanel() {
    ListPanel = NewPanel(MainSplitter, QStringLiteral("ListPanel"));
    auto* layout = NewColumn(ListPanel);
    auto* groupRow = new QHBoxLayout;
    groupRow->setContentsMargins(4, 2, 4, 2);
    ComboBoxGroup = new QComboBox(ListPanel);
    ComboBoxGroup->setObjectName(QStringLiteral("ComboBoxGroup"));
    ComboBoxGroup->addItem(QStringLiteral("すべてのグループを表示"));
    ComboBoxGroup->setMinimumWidth(160);
    groupRow->addWidget(NewLabel(ListPanel, QStringLiteral("LabelGroup"), QStringLiteral("表示グループ ： ")));
    groupRow->addWidget(ComboBoxGroup);
    groupRow->addStretch(1);
    layout->addLayout(groupRow);
    CookListView = new TCookListView(ListPanel);
    layout->addWidget(CookListView, 1);
    CookListView->setContextMenuPolicy(Qt::CustomContextMenu);
}

void TListArea::WireViews() {
    ListModel = new TCookListModel(&Book.CookItems, &Book.Icons, this);
    CookListView->SetModel(ListModel);
    CookListView->Changing = [this] { return AskSave(); };
    connect(CookListView, &TCookListView::SelectItem, this, [this](int row, bool selected) {
        if (Hooks.SelectItem)
            Hooks.SelectItem(row, selected);
    });
    connect(CookListView, &TCookListView::ColumnClick, this, &TListArea::CookListViewColumnClick);
    connect(CookListView, &TCookListView::DoubleClicked, this, &TListArea::DoubleClicked);
    connect(CookListView, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { emit PopupRequested(CookListView->mapToGlobal(pos)); });

    ShownGroup = ComboBoxGroup->currentText();
    GroupFilter = new TGroupFilterBox(ComboBoxGroup, this);
    GroupFilter->SetRecordSource([this]() -> const TCookItems& { return Book.CookItems; });
    connect(GroupFilter, &TGroupFilterBox::GroupChosen, this, &TListArea::ComboBoxGroupChange);

    connect(TreeView1, &TClassTreeView::RecipeClicked, this, &TListArea::SelectRowNamed);
    new TClickHook(Panel11, [this] { emit ClassPaneCloseClicked(); });

    ThumbnailStrip = new TThumbnailStrip(PaintBox1, Panel6, this);
    connect(ThumbnailStrip, &TThumbnailStrip::ThumbnailClicked, this, &TListArea::SelectRowNamed);
    new TClickHook(Panel5, [this] { emit ThumbnailPaneCloseClicked(); });

    // Every refill of the rows (filters, reload, new, deleted or renamed
    // recipes) rebuilds the shown views, so they never show stale names.
    // A column rebuild is always followed by a refill, so only refills count:
    // the photos are decoded once per refill.
    connect(ListModel, &TCookListModel::RowsRefilled, this, &TListArea::RefreshFilterViews);

    Gestures = new TListGestures(this);
    Gestures->Watch(CookListView->ReportView());
    Gestures->Watch(CookListView->IconView());
    Gestures->ShowStatus = [this](const QString& text) { Status.ShowGesture(text); };
}

// ---- columns and rows ----------------------------------------------------------

void TListArea::BuildListColumns() {
    // Widths dragged in the header go back into the table first, so they
    // last through the rebuild and reach the file at exit.
    Book.ColumnTable = ShownColumnTable();
    ApplyColumnTable();
}

void TListArea::ApplyColumnTable() {
    ListModel->SetColumns(ShownCaptions(Book.ColumnTable));
    QTableView* report = CookListView->ReportView();
    int c = 0;
    for (const TColumnData& column : Book.ColumnTable)
        if (column.Use)
            report->setColumnWidth(c++, column.Width);
}

namespace {

QList<int> HeaderWidths(const TCookListView& view, int count) {
    QList<int> widths;
    for (int c = 0; c < count; ++c)
        widths << view.Header()->sectionSize(c);
    return widths;
}

}  // namespace

TColumnTable TListArea::ShownColumnTable() const {
    TColumnTable shown = Book.ColumnTable;
    TakeBackColumnWidths(shown, ListModel->Columns(), HeaderWidths(*CookListView, ListModel->Columns().size()));
    return shown;
}

void TListArea::WriteColumnTable() {
    Book.WriteColumnTable(ListModel->Columns(), HeaderWidths(*CookListView, ListModel->Columns().size()));
}

void TListArea::SearchCookFld(bool whileAnswering) {
    TakeScan(Book.SearchCookFld(whileAnswering ? TRecipeBook::TRunner(RunOffWindowThread) : TRecipeBook::TRunner()));
}

void TListArea::EndStartUpScan() { TakeScan(Book.EndSearchCookFld()); }

void TListArea::TakeScan(const QStringList& failures) {
    ClearModified();
    if (!failures.isEmpty())
        ShowErrorBox(Owner, ErrorPrefix(QStringLiteral("SearchCookFld")) + failures.join(QLatin1Char('\n')));
}

bool TListArea::IndicateList(int index) {
    // The one save question guards every refill: the rows and the panes are
    // about to be replaced.
    if (!AskSave())
        return false;
    ClearModified();
    RunGuarded(Owner, ErrorPrefix(QStringLiteral("IndicateList")), [&] {
        ListModel->SetRows(ListedRecords(Book.CookItems, ComboBoxGroup->currentText()));
        const int row = ListModel->RowOfRecord(index);
        if (row >= 0)
            CookListView->SelectRowUnguarded(row);
    });
    if (CookListView->SelectedRow() < 0) {
        // No recipe is open any more: nothing may be saved into the folder
        // that was open before.
        if (Hooks.SelectItem)
            Hooks.SelectItem(-1, false);
    } else if (Hooks.RowKept) {
        Hooks.RowKept();
    }
    Status.ShowCount(ListModel->rowCount(), static_cast<int>(Book.CookItems.size()));
    ClearModified();
    return true;
}

int TListArea::SelectedRecord() const { return ListModel->RecordOfRow(CookListView->SelectedRow()); }

bool TListArea::SelectRecord(int record) {
    const int row = ListModel->RowOfRecord(record);
    return row >= 0 && CookListView->SelectRow(row);
}

int TListArea::RecordOfRow(int row) const { return ListModel->RecordOfRow(row); }

void TListArea::RecordChanged(int record) {
    ListModel->RecordChanged(record);
    RefreshFilterViews();
}

void TListArea::SortList(int column, bool ascending) {
    QList<int> rows = ListModel->Rows();
    const bool iconSort = Hooks.IconSort && Hooks.IconSort();
    SortCookRows(rows, Book.CookItems, ListModel->Columns(), column, ascending, iconSort);
    ListModel->Reorder(rows);
    const int row = CookListView->SelectedRow();
    if (row >= 0)
        CookListView->CurrentView()->scrollTo(ListModel->index(row, 0));
}

void TListArea::SortAgain() {
    if (SortColumn != -1)
        SortList(SortColumn, SortAscending);
}

void TListArea::CookListViewColumnClick(int column) {
    if (column != SortColumn) {
        SortAscending = true;
        SortColumn = column;
    } else {
        SortAscending = !SortAscending;
    }
    SortList(column, SortAscending);
}

// ---- look --------------------------------------------------------------------

void TListArea::SetViewStyle(int style) {
    CookListView->SetViewStyle(static_cast<TCookListView::TViewStyle>(style));
}

void TListArea::SetFontSize(int size) {
    QFont treeFont = TreeView1->font();
    treeFont.setPointSize(size);
    TreeView1->setFont(treeFont);
    QFont listFont = CookListView->font();
    listFont.setPointSize(size);
    CookListView->SetRowFont(listFont);
}

void TListArea::SetRowLook(bool largeIcons, bool gridLines) {
    CookListView->SetRowIconSize(largeIcons ? 32 : 16);
    CookListView->ReportView()->setShowGrid(gridLines);
}

void TListArea::AddListAction(QAction* action) { CookListView->addAction(action); }

void TListArea::RepaintThumbnails() { PaintBox1->update(); }

void TListArea::FocusList() { CookListView->CurrentView()->setFocus(); }
