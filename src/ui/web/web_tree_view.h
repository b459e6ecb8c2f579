#pragma once

#include <QHash>
#include <QSet>
#include <QTreeWidget>

#include "core/web/web_node.h"

// The tree of folders and entries of a web tool, a view over the core tree:
// each item stands for one node, and every change goes to the nodes first and
// is then shown by refreshing the view. Drags move nodes with MoveNode.
class TWebTreeView final : public QTreeWidget {
    Q_OBJECT
public:
    explicit TWebTreeView(QWidget* parent = nullptr);

    // Shows the tree with only the top folder expanded and nothing selected.
    void Rebuild(TWebNode* top);
    // Shows the tree again after a change, keeping what was expanded, and
    // selects `select` (nothing when null).
    void Refresh(TWebNode* select);

    TWebNode* CurrentNode() const;
    TWebNode* NodeOf(const QTreeWidgetItem* item) const { return Nodes.value(item); }
    QTreeWidgetItem* ItemOf(const TWebNode* node) const { return Items.value(node); }
    void SelectNode(TWebNode* node);

    // Drops the selected node on `target` as a drag does; true when it moved.
    bool DropOn(TWebNode* target);
    // The top folder stays open (the RSS tree).
    void SetTopAlwaysOpen(bool keep) { KeepTopOpen = keep; }

signals:
    // The selected node changed (null for none).
    void NodeSelected(TWebNode* node);
    void NodeMoved(TWebNode* node);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QTreeWidgetItem* AddItems(QTreeWidgetItem* parent, TWebNode* node);
    QSet<const TWebNode*> ExpandedNodes() const;

    TWebNode* TopNode = nullptr;
    QHash<const QTreeWidgetItem*, TWebNode*> Nodes;
    QHash<const TWebNode*, QTreeWidgetItem*> Items;
    bool KeepTopOpen = false;
    bool Building = false;
};
