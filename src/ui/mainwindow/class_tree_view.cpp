#include "ui/mainwindow/class_tree_view.h"

#include <QHeaderView>
#include <QTreeWidget>

TClassTreeView::TClassTreeView(QTreeWidget* tree, QObject* parent) : QObject(parent), TreeView1(tree) {
    TreeView1->setHeaderHidden(true);
    TreeView1->setColumnCount(1);
    TreeView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TreeView1->setUniformRowHeights(true);
    // Long names scroll sideways rather than end in "…".
    TreeView1->setTextElideMode(Qt::ElideNone);
    TreeView1->header()->setStretchLastSection(false);
    TreeView1->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    connect(TreeView1, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item, int) { TreeView1Click(item); });
}

void TClassTreeView::SetTree(const TClassTree& data) {
    TreeView1->setUpdatesEnabled(false);
    TreeView1->clear();
    QFont rootFont = TreeView1->font();
    rootFont.setBold(true);
    QFont nameFont = TreeView1->font();
    nameFont.setUnderline(true);
    QList<QTreeWidgetItem*> roots;
    for (const TClassRoot& root : data) {
        auto* rootItem = new QTreeWidgetItem(QStringList(root.Text));
        rootItem->setFont(0, rootFont);
        for (const TClassValue& value : root.Values) {
            auto* valueItem = new QTreeWidgetItem(rootItem, QStringList(value.Caption()));
            QList<QTreeWidgetItem*> names;
            names.reserve(value.Names.size());
            for (const QString& name : value.Names) {
                auto* nameItem = new QTreeWidgetItem(QStringList(name));
                nameItem->setFont(0, nameFont);
                names.append(nameItem);
            }
            valueItem->addChildren(names);
        }
        roots.append(rootItem);
    }
    TreeView1->addTopLevelItems(roots);
    TreeView1->expandAll();
    TreeView1->setUpdatesEnabled(true);
}

void TClassTreeView::TreeView1Click(QTreeWidgetItem* item) {
    if (item && item->parent() && item->parent()->parent())
        emit RecipeClicked(item->text(0));
}
