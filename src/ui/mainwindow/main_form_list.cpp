// The recipe list: columns, scan, refill, selection and sorting.
#include "ui/mainwindow/main_form.h"
#include "ui/mainwindow/recipe_panes.h"
#include "core/recipes/open_recipe.h"

#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>

#include "core/search/class_tree.h"
#include "core/recipes/cook_list_model.h"
#include "ui/mainwindow/cook_list_view.h"
#include "core/recipes/recipe_store.h"
#include "ui/platform/dialogs.h"
#include "core/platform/saporia_error.h"

void TMainForm::ReadColumnTable() {
    const TColumnTableLoad load = LoadColumnTable(AppDir + ColumnFileName);
    ColumnTable = load.Table;
    ColumnTableWriteBack = load.WriteBack;
    // A broken file is reported once; the defaults serve this run and the
    // file stays as it is.
    if (!load.Error.isEmpty())
        throw TSaporiaError(load.Error);
}

void TMainForm::WriteColumnTable() {
    if (!ColumnTableWriteBack)
        return;
    QList<int> widths;
    const QHeaderView* header = CookListView->Header();
    for (int c = 0; c < ListModel->Columns().size(); ++c)
        widths << header->sectionSize(c);
    TakeBackColumnWidths(ColumnTable, ListModel->Columns(), widths);
    SaveColumnTable(AppDir + ColumnFileName, ColumnTable);
}

void TMainForm::BuildListColumns() {
    const QStringList captions = ShownCaptions(ColumnTable);
    ListModel->SetColumns(captions);
    QTableView* report = CookListView->ReportView();
    int c = 0;
    for (const TColumnData& column : ColumnTable)
        if (column.Use)
            report->setColumnWidth(c++, column.Width);
}

void TMainForm::SearchCookFld() {
    TCookScan scan = ::SearchCookFld(DataRoot, Icons);
    CookItems = std::move(scan.Items);
    SetModified(false);
    if (!scan.Failures.isEmpty())
        ShowErrorBox(this, ErrorPrefix(QStringLiteral("SearchCookFld")) + scan.Failures.join(QLatin1Char('\n')));
}

bool TMainForm::IndicateList(int index) {
    // The one save question guards every refill: the rows and the panes are
    // about to be replaced.
    if (!QuerySaveChanges())
        return false;
    SetModified(false);
    RunGuarded(this, ErrorPrefix(QStringLiteral("IndicateList")), [&] {
        ListModel->SetRows(ListedRecords(CookItems, ComboBoxGroup->currentText()));
        const int row = ListModel->RowOfRecord(index);
        if (row >= 0)
            CookListView->SelectRowUnguarded(row);
    });
    if (CookListView->SelectedRow() < 0) {
        // No recipe is open any more: nothing may be saved into the folder
        // that was open before.
        CookListViewSelectItem(-1, false);
    } else {
        SetEditMode(true);
    }
    StatusPanel0->setText(QStringLiteral("表示数 : ") + QString::number(ListModel->rowCount()) +
                          QStringLiteral(" / ") + QString::number(CookItems.size()));
    SetModified(false);
    return true;
}

int TMainForm::SelectedRecord() const { return ListModel->RecordOfRow(CookListView->SelectedRow()); }

bool TMainForm::SelectRecord(int record) {
    const int row = ListModel->RowOfRecord(record);
    return row >= 0 && CookListView->SelectRow(row);
}

void TMainForm::CookListViewSelectItem(int row, bool selected) {
    const int record = ListModel->RecordOfRow(row);
    if (selected && record >= 0 && record < CookItems.size()) {
        const TCookItem& item = CookItems[record];
        miPrint->setText(QStringLiteral("【") + item.Name + QStringLiteral("】の印刷(&P)"));
        PrintPreview1->setText(QStringLiteral("【") + item.Name + QStringLiteral("】の印刷ﾌﾟﾚﾋﾞｭｰ(&V)..."));
        SetEditMode(true);
        LoadFile(item);
        return;
    }
    miPrint->setText(PlainPrintCaption);
    PrintPreview1->setText(PlainPreviewCaption);
    OpenRecipe->Close();
    SetEditMode(false);
}

void TMainForm::SortList(int column, bool ascending) {
    QList<int> rows = ListModel->Rows();
    SortCookRows(rows, CookItems, ListModel->Columns(), column, ascending, CurrentSettings().IconSort);
    ListModel->Reorder(rows);
    const int row = CookListView->SelectedRow();
    if (row >= 0)
        CookListView->CurrentView()->scrollTo(ListModel->index(row, 0));
}

void TMainForm::CookListViewColumnClick(int column) {
    if (column != SortColumn) {
        SortAscending = true;
        SortColumn = column;
    } else {
        SortAscending = !SortAscending;
    }
    SortList(column, SortAscending);
}
