#pragma once

#include <QObject>
#include <QString>

#include "core/search/class_tree.h"

class QTreeWidget;
class QTreeWidgetItem;

// Shows the classification data in the main window's tree TreeView1: roots
// bold, recipe names underlined, everything expanded. A click on a recipe
// name (the third level) reports it; roots and values do nothing.
class TClassTreeView final : public QObject {
    Q_OBJECT
public:
    explicit TClassTreeView(QTreeWidget* tree, QObject* parent = nullptr);

    void SetTree(const TClassTree& data);

signals:
    void RecipeClicked(const QString& name);

private:
    void TreeView1Click(QTreeWidgetItem* item);

    QTreeWidget* TreeView1 = nullptr;
};
