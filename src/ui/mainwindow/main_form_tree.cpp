// The classification tree, the group filter, and the refresh of the views
// that follow the list's filter.
#include "ui/mainwindow/main_form.h"

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QSignalBlocker>
#include <QSplitter>

#include "ui/dialogs/progress_form.h"
#include "core/search/class_tree.h"
#include "ui/mainwindow/class_tree_view.h"
#include "core/recipes/cook_list_model.h"
#include "ui/mainwindow/cook_list_view.h"
#include "core/search/recipe_search.h"
#include "ui/mainwindow/search_boxes.h"
#include "ui/mainwindow/thumbnail_strip.h"
#include "ui/platform/dialogs.h"

namespace {

constexpr int ClassPaneWidth = 185;

}  // namespace

void TMainForm::WireFilterViews() {
    ShownGroup = ComboBoxGroup->currentText();
    GroupFilter = new TGroupFilterBox(ComboBoxGroup, this);
    GroupFilter->SetRecordSource([this]() -> const TCookItems& { return CookItems; });
    connect(GroupFilter, &TGroupFilterBox::GroupChosen, this, [this] { ComboBoxGroupChange(); });

    ClassTreeView = new TClassTreeView(TreeView1, this);
    connect(ClassTreeView, &TClassTreeView::RecipeClicked, this, [this](const QString& name) { SelectRowNamed(name); });
    Wire(A2, [this] { A2Click(); });
    new TClickHook(Panel11, [this] { A2->trigger(); });

    ThumbnailStrip = new TThumbnailStrip(PaintBox1, Panel6, this);
    connect(ThumbnailStrip, &TThumbnailStrip::ThumbnailClicked, this,
            [this](const QString& name) { SelectRowNamed(name); });
    Wire(S1, [this] { S1Click(); });
    new TClickHook(Panel5, [this] { S1->trigger(); });

    // Every refill of the rows (filters, reload, new, deleted or renamed
    // recipes) rebuilds the shown views, so they never show stale names.
    // A column rebuild is always followed by a refill, so only refills count:
    // the photos are decoded once per refill.
    connect(ListModel, &TCookListModel::RowsRefilled, this, [this] { RefreshFilterViews(); });
}

void TMainForm::RefreshFilterViews() {
    ShownGroup = ComboBoxGroup->currentText();
    if (Panel4 && !Panel4->isHidden()) {
        FreeThumbnails();
        BuildThumbnails();
    }
    if (Panel9 && !Panel9->isHidden())
        BuildClassTree();
}

bool TMainForm::SelectRowNamed(const QString& name) {
    const int row = FirstRowNamed(CookItems, ListModel->Rows(), name);
    return row >= 0 && CookListView->SelectRow(row);
}

void TMainForm::ComboBoxGroupChange() {
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

void TMainForm::BuildClassTree() {
    const TProgressScope progress(Windows().ProgressForm, QStringLiteral("分類項目作成中..."));
    ClassTreeView->SetTree(BuildClassTreeData(CookItems, ListModel->Rows()));
}

void TMainForm::A2Click() {
    // The menu item has just toggled its tick.
    if (A2->isChecked()) {
        BuildClassTree();
        ShowSidePane(MainSplitter, Panel9, ClassPaneWidth);
    } else {
        Panel9->hide();
    }
}
