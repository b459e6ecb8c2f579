#include "ui/web/web_tree_view.h"

#include <QDragMoveEvent>
#include <QDropEvent>
#include <QHeaderView>

#include "ui/web/web_artwork.h"

TWebTreeView::TWebTreeView(QWidget* parent) : QTreeWidget(parent) {
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(true);
    setDragDropMode(QAbstractItemView::InternalMove);
    setMouseTracking(true);  // hot tracking
    setIconSize(QSize(16, 16));
    connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
        if (!Building)
            emit NodeSelected(NodeOf(current));
    });
    connect(this, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem* item) {
        if (KeepTopOpen && !item->parent())
            item->setExpanded(true);
    });
}

QTreeWidgetItem* TWebTreeView::AddItems(QTreeWidgetItem* parent, TWebNode* node) {
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
    item->setText(0, node->Title);
    item->setIcon(0, WebNodeIcon(node->Kind));
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDropEnabled;
    if (node->Parent())
        flags |= Qt::ItemIsDragEnabled;
    item->setFlags(flags);
    Nodes.insert(item, node);
    Items.insert(node, item);
    for (const auto& child : node->Children())
        AddItems(item, child.get());
    return item;
}

QSet<const TWebNode*> TWebTreeView::ExpandedNodes() const {
    QSet<const TWebNode*> expanded;
    for (auto it = Nodes.cbegin(); it != Nodes.cend(); ++it)
        if (it.key()->isExpanded())
            expanded.insert(it.value());
    return expanded;
}

void TWebTreeView::Rebuild(TWebNode* top) {
    Building = true;
    clear();
    Nodes.clear();
    Items.clear();
    TopNode = top;
    if (top)
        AddItems(nullptr, top)->setExpanded(true);
    setCurrentItem(nullptr);
    Building = false;
    emit NodeSelected(nullptr);
}

void TWebTreeView::Refresh(TWebNode* select) {
    const QSet<const TWebNode*> expanded = ExpandedNodes();
    const TWebNode* before = CurrentNode();
    Building = true;
    clear();
    Nodes.clear();
    Items.clear();
    if (TopNode)
        AddItems(nullptr, TopNode);
    for (auto it = Items.cbegin(); it != Items.cend(); ++it)
        if (expanded.contains(it.key()) || !it.key()->Parent())
            it.value()->setExpanded(true);
    SelectNode(select);
    Building = false;
    // Only a real change of selection is announced (it may start a fetch).
    if (CurrentNode() != before)
        emit NodeSelected(CurrentNode());
}

TWebNode* TWebTreeView::CurrentNode() const { return NodeOf(currentItem()); }

void TWebTreeView::SelectNode(TWebNode* node) {
    QTreeWidgetItem* item = ItemOf(node);
    for (QTreeWidgetItem* p = item ? item->parent() : nullptr; p; p = p->parent())
        p->setExpanded(true);
    setCurrentItem(item);
}

bool TWebTreeView::DropOn(TWebNode* target) {
    TWebNode* dragged = CurrentNode();
    if (!MoveNode(dragged, target))
        return false;
    Refresh(dragged);
    emit NodeMoved(dragged);
    return true;
}

void TWebTreeView::dragEnterEvent(QDragEnterEvent* event) {
    if (event->source() == this && CanDragNode(CurrentNode()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void TWebTreeView::dragMoveEvent(QDragMoveEvent* event) {
    if (event->source() == this && CanDragNode(CurrentNode()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void TWebTreeView::dropEvent(QDropEvent* event) {
    // The move is ours: the view is rebuilt from the nodes, never moved by Qt.
    event->setDropAction(Qt::IgnoreAction);
    event->accept();
    if (event->source() != this)
        return;
    DropOn(NodeOf(itemAt(event->position().toPoint())));
}
