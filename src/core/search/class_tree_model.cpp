#include "core/search/class_tree_model.h"

#include <algorithm>

#include <QFont>

TClassTreeModel::TClassTreeModel(QObject* parent) : QAbstractListModel(parent) {}

bool TClassTreeModel::SetTree(TClassTree tree) {
    if (HasTree && tree == Tree)
        return false;
    beginResetModel();
    Tree = std::move(tree);
    HasTree = true;
    for (size_t r = 0; r < Tree.size(); ++r) {
        RootOpen[r] = true;
        ValueOpen[r].assign(Tree[r].Values.size(), 1);
    }
    Relayout();
    endResetModel();
    return true;
}

void TClassTreeModel::Clear() {
    beginResetModel();
    Tree = TClassTree();
    HasTree = false;
    for (std::vector<char>& open : ValueOpen)
        std::vector<char>().swap(open);
    std::vector<TSpan>().swap(Spans);
    Rows = 0;
    endResetModel();
}

void TClassTreeModel::Relayout() {
    Spans.clear();
    int row = 0;
    if (!HasTree) {
        Rows = 0;
        return;
    }
    for (int r = 0; r < static_cast<int>(Tree.size()); ++r) {
        RootRow[static_cast<size_t>(r)] = row;
        Spans.push_back({row++, r, -1});
        if (!RootOpen[static_cast<size_t>(r)])
            continue;
        const std::vector<TClassValue>& values = Tree[static_cast<size_t>(r)].Values;
        for (int v = 0; v < static_cast<int>(values.size()); ++v) {
            Spans.push_back({row++, r, v});
            if (ValueOpen[static_cast<size_t>(r)][static_cast<size_t>(v)])
                row += static_cast<int>(values[static_cast<size_t>(v)].Names.size());
        }
    }
    Rows = row;
}

TClassTreeModel::TNode TClassTreeModel::NodeAt(int row) const {
    if (row < 0 || row >= Rows)
        return {};
    const auto after = std::upper_bound(Spans.begin(), Spans.end(), row,
                                        [](int r, const TSpan& span) { return r < span.FirstRow; });
    const TSpan& span = *(after - 1);
    const int offset = row - span.FirstRow;
    return {span.Root, span.Value, offset == 0 ? -1 : offset - 1};
}

bool TClassTreeModel::Open(const TNode& node) const {
    if (node.Root < 0 || node.Name >= 0)
        return false;
    if (node.Value < 0)
        return RootOpen[static_cast<size_t>(node.Root)];
    return ValueOpen[static_cast<size_t>(node.Root)][static_cast<size_t>(node.Value)] != 0;
}

int TClassTreeModel::RowsBelow(const TNode& node) const {
    const TClassRoot& root = Tree[static_cast<size_t>(node.Root)];
    if (node.Value >= 0)
        return static_cast<int>(root.Values[static_cast<size_t>(node.Value)].Names.size());
    int rows = 0;
    for (size_t v = 0; v < root.Values.size(); ++v)
        rows += 1 + (ValueOpen[static_cast<size_t>(node.Root)][v] ? static_cast<int>(root.Values[v].Names.size()) : 0);
    return rows;
}

int TClassTreeModel::Level(int row) const {
    const TNode node = NodeAt(row);
    if (node.Root < 0)
        return -1;
    return node.Value < 0 ? 0 : (node.Name < 0 ? 1 : 2);
}

bool TClassTreeModel::HasChildren(int row) const {
    const TNode node = NodeAt(row);
    if (node.Root < 0 || node.Name >= 0)
        return false;
    const TClassRoot& root = Tree[static_cast<size_t>(node.Root)];
    return node.Value < 0 ? !root.Values.empty() : !root.Values[static_cast<size_t>(node.Value)].Names.isEmpty();
}

bool TClassTreeModel::IsExpanded(int row) const { return HasChildren(row) && Open(NodeAt(row)); }

void TClassTreeModel::SetExpanded(int row, bool expanded) {
    const TNode node = NodeAt(row);
    if (!HasChildren(row) || Open(node) == expanded)
        return;
    const int count = RowsBelow(node);
    auto flip = [&] {
        if (node.Value < 0)
            RootOpen[static_cast<size_t>(node.Root)] = expanded;
        else
            ValueOpen[static_cast<size_t>(node.Root)][static_cast<size_t>(node.Value)] = expanded ? 1 : 0;
        Relayout();
    };
    if (expanded) {
        beginInsertRows({}, row + 1, row + count);
        flip();
        endInsertRows();
    } else {
        beginRemoveRows({}, row + 1, row + count);
        flip();
        endRemoveRows();
    }
}

int TClassTreeModel::ParentRow(int row) const {
    const TNode node = NodeAt(row);
    if (node.Root < 0 || node.Value < 0)
        return -1;
    if (node.Name < 0)
        return RootRow[static_cast<size_t>(node.Root)];
    return row - node.Name - 1;
}

QString TClassTreeModel::RecipeName(int row) const {
    const TNode node = NodeAt(row);
    if (node.Name < 0)
        return {};
    return Tree[static_cast<size_t>(node.Root)].Values[static_cast<size_t>(node.Value)].Names[node.Name];
}

int TClassTreeModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : Rows; }

QVariant TClassTreeModel::data(const QModelIndex& index, int role) const {
    const TNode node = NodeAt(index.isValid() && index.column() == 0 ? index.row() : -1);
    if (node.Root < 0)
        return {};
    const TClassRoot& root = Tree[static_cast<size_t>(node.Root)];
    const int level = node.Value < 0 ? 0 : (node.Name < 0 ? 1 : 2);
    switch (role) {
    case Qt::DisplayRole:
        if (level == 0)
            return root.Text;
        if (level == 1)
            return root.Values[static_cast<size_t>(node.Value)].Caption();
        return root.Values[static_cast<size_t>(node.Value)].Names[node.Name];
    case Qt::FontRole: {
        // Only the look is set: the size comes from the view, so the rows
        // follow every change of the font size.
        if (level == 1)
            return {};
        QFont font;
        if (level == 0)
            font.setBold(true);
        else
            font.setUnderline(true);
        return font;
    }
    case LevelRole:
        return level;
    case MoreSiblingsRole:
        if (level == 0)
            return node.Root + 1 < static_cast<int>(Tree.size());
        if (level == 1)
            return node.Value + 1 < static_cast<int>(root.Values.size());
        return node.Name + 1 < root.Values[static_cast<size_t>(node.Value)].Names.size();
    default:
        return {};
    }
}
