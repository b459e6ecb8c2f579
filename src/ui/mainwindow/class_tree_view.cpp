#include "ui/mainwindow/class_tree_view.h"

#include <algorithm>

#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include "core/search/class_tree_model.h"

namespace {

int Indentation(const QWidget* view) { return view->style()->pixelMetric(QStyle::PM_TreeViewIndentation, nullptr, view); }

int LevelOf(const QModelIndex& index) { return index.data(TClassTreeModel::LevelRole).toInt(); }

// Draws a row as a tree view would: the branches in the indentation, then
// the item itself.
class TBranchDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const auto* model = static_cast<const TClassTreeModel*>(index.model());
        const QWidget* view = option.widget;
        const int indent = Indentation(view);
        const int level = LevelOf(index);
        const QStyle::State kept = option.state & (QStyle::State_Enabled | QStyle::State_Active | QStyle::State_MouseOver);
        // From the row itself up to its root: its own arrow, then the lines
        // of the ancestors that have later siblings.
        int row = index.row();
        for (int l = level; l >= 0 && row >= 0; --l) {
            QStyleOption branch(option);
            branch.rect = QRect(option.rect.left() + l * indent, option.rect.top(), indent, option.rect.height());
            const QModelIndex at = model->index(row, 0);
            const bool more = at.data(TClassTreeModel::MoreSiblingsRole).toBool();
            branch.state = kept | (more ? QStyle::State_Sibling : QStyle::State_None);
            if (l == level) {
                branch.state |= QStyle::State_Item;
                if (model->HasChildren(row))
                    branch.state |= QStyle::State_Children;
                if (model->IsExpanded(row))
                    branch.state |= QStyle::State_Open;
            }
            view->style()->drawPrimitive(QStyle::PE_IndicatorBranch, &branch, painter, view);
            row = model->ParentRow(row);
        }
        QStyleOptionViewItem item = option;
        item.rect.setLeft(option.rect.left() + (level + 1) * indent);
        QStyledItemDelegate::paint(painter, item, index);
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.rwidth() += (LevelOf(index) + 1) * Indentation(option.widget);
        return size;
    }
};

}  // namespace

TClassTreeView::TClassTreeView(QWidget* parent) : QTableView(parent), Classes(new TClassTreeModel(this)) {
    setModel(Classes);
    setItemDelegate(new TBranchDelegate(this));
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(1);
    setShowGrid(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setTabKeyNavigation(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    // Long names scroll sideways rather than end in "…".
    setTextElideMode(Qt::ElideNone);
    FitRowHeight();
    connect(this, &QAbstractItemView::clicked, this, &TClassTreeView::TreeView1Click);
}

void TClassTreeView::SetTree(TClassTree data) {
    if (!Classes->SetTree(std::move(data)))
        return;
    Widest = 0;
    scrollToTop();
    FitWidth();
}

void TClassTreeView::Clear() {
    Classes->Clear();
    Widest = 0;
    setColumnWidth(0, 0);
}

void TClassTreeView::TreeView1Click(const QModelIndex& index) {
    if (index.isValid() && LevelOf(index) == 2)
        emit RecipeClicked(Classes->RecipeName(index.row()));
}

int TClassTreeView::BranchAt(const QPoint& pos) const {
    const int row = rowAt(pos.y());
    if (row < 0 || !Classes->HasChildren(row))
        return -1;
    const int indent = Indentation(this);
    const int left = columnViewportPosition(0) + Classes->Level(row) * indent;
    return pos.x() >= left && pos.x() < left + indent ? row : -1;
}

void TClassTreeView::SetOpen(int row, bool open) {
    if (!Classes->HasChildren(row) || Classes->IsExpanded(row) == open)
        return;
    // A class that closes over the current row takes it along, as in a tree.
    bool currentInside = false;
    for (int r = Classes->ParentRow(currentIndex().row()); r >= 0 && !open; r = Classes->ParentRow(r))
        currentInside = currentInside || r == row;
    Classes->SetExpanded(row, open);
    if (currentInside)
        selectionModel()->setCurrentIndex(Classes->index(row, 0), QItemSelectionModel::NoUpdate);
    FitWidth();
}

void TClassTreeView::MoveTo(int row) {
    if (row >= 0 && row < Classes->rowCount())
        setCurrentIndex(Classes->index(row, 0));
}

void TClassTreeView::mousePressEvent(QMouseEvent* event) {
    const int row = event->button() == Qt::LeftButton ? BranchAt(event->position().toPoint()) : -1;
    if (row >= 0) {
        SetOpen(row, !Classes->IsExpanded(row));
        event->accept();
        return;
    }
    QTableView::mousePressEvent(event);
}

void TClassTreeView::mouseDoubleClickEvent(QMouseEvent* event) {
    // On the arrow the second click is one more press; elsewhere a double
    // click opens or closes the class.
    if (BranchAt(event->position().toPoint()) >= 0) {
        mousePressEvent(event);
        return;
    }
    QTableView::mouseDoubleClickEvent(event);
    const int row = rowAt(event->position().toPoint().y());
    if (event->button() == Qt::LeftButton && row >= 0)
        SetOpen(row, !Classes->IsExpanded(row));
}

void TClassTreeView::keyPressEvent(QKeyEvent* event) {
    const int row = currentIndex().row();
    if (row >= 0 && event->modifiers() == Qt::NoModifier) {
        switch (event->key()) {
        case Qt::Key_Plus:
            SetOpen(row, true);
            return;
        case Qt::Key_Minus:
            SetOpen(row, false);
            return;
        case Qt::Key_Right:
            if (Classes->HasChildren(row) && !Classes->IsExpanded(row))
                SetOpen(row, true);
            else if (Classes->IsExpanded(row))
                MoveTo(row + 1);
            return;
        case Qt::Key_Left:
            if (Classes->IsExpanded(row))
                SetOpen(row, false);
            else
                MoveTo(Classes->ParentRow(row));
            return;
        default:
            break;
        }
    }
    QTableView::keyPressEvent(event);
}

QModelIndex TClassTreeView::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) {
    // Home and End go to the first and last row, not along the row.
    if (cursorAction == MoveHome && Classes->rowCount() > 0)
        return Classes->index(0, 0);
    if (cursorAction == MoveEnd && Classes->rowCount() > 0)
        return Classes->index(Classes->rowCount() - 1, 0);
    return QTableView::moveCursor(cursorAction, modifiers);
}

void TClassTreeView::changeEvent(QEvent* event) {
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        FitRowHeight();
        Widest = 0;
        FitWidth();
    }
}

void TClassTreeView::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    FitWidth();
}

void TClassTreeView::scrollContentsBy(int dx, int dy) {
    QTableView::scrollContentsBy(dx, dy);
    if (dy != 0)
        FitWidth();
}

void TClassTreeView::FitRowHeight() {
    // As a tree view sizes its uniform rows: the item's size with the bold
    // font of a root.
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.font = font();
    option.font.setBold(true);
    option.fontMetrics = QFontMetrics(option.font);
    option.text = QStringLiteral("[グループ]");
    option.features |= QStyleOptionViewItem::HasDisplay;
    const int height = style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), this).height();
    verticalHeader()->setDefaultSectionSize(std::max(1, height));
}

void TClassTreeView::FitWidth() {
    const int rows = Classes->rowCount();
    if (rows > 0) {
        const int first = std::max(0, rowAt(0));
        int last = rowAt(viewport()->height() - 1);
        if (last < 0)
            last = rows - 1;
        // Never more than a screenful, whatever the view is told of its height.
        last = std::min(last, first + 200);
        for (int row = first; row <= last; ++row)
            Widest = std::max(Widest, sizeHintForIndex(Classes->index(row, 0)).width());
    }
    if (columnWidth(0) != Widest)
        setColumnWidth(0, Widest);
}
