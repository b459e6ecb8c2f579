#pragma once

#include <array>
#include <vector>

#include <QAbstractListModel>

#include "core/search/class_tree.h"

// The classification tree as the rows it shows: a root, its values and their
// recipe names, one row each, in the tree's order, for those classes that are
// expanded. No object per row: a row is found from a handful of spans, one
// per root and value, so 50,000 recipes filed four times cost no more than
// the rows on screen.
class TClassTreeModel final : public QAbstractListModel {
    Q_OBJECT
public:
    static constexpr int LevelRole = Qt::UserRole + 1;         // 0 root, 1 value or band, 2 recipe name
    static constexpr int MoreSiblingsRole = Qt::UserRole + 2;  // a later row shares its parent

    explicit TClassTreeModel(QObject* parent = nullptr);

    // Shows `tree` with every class expanded. A tree equal to the one shown
    // changes nothing (no reset; classes the user closed stay closed) and
    // gives false.
    bool SetTree(TClassTree tree);
    // No rows and no tree kept.
    void Clear();

    int Level(int row) const;
    bool HasChildren(int row) const;
    bool IsExpanded(int row) const;
    // Shows or hides the rows below a root or value; the rows are inserted
    // or removed, the others stay.
    void SetExpanded(int row, bool expanded);
    // The row of the root or value above `row`; -1 for a root.
    int ParentRow(int row) const;
    // The recipe name a row shows; empty unless the row is a name.
    QString RecipeName(int row) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    struct TSpan {
        int FirstRow;  // the root's or value's own row; its names follow when open
        int Root;
        int Value;  // -1: the root's row
    };
    struct TNode {
        int Root = -1;
        int Value = -1;  // -1: the root
        int Name = -1;   // -1: the root or value itself
    };
    TNode NodeAt(int row) const;
    bool Open(const TNode& node) const;
    // Rows below a root or value while it is open.
    int RowsBelow(const TNode& node) const;
    void Relayout();

    TClassTree Tree;
    bool HasTree = false;
    std::array<bool, 4> RootOpen{};
    std::array<std::vector<char>, 4> ValueOpen;
    std::vector<TSpan> Spans;
    std::array<int, 4> RootRow{};
    int Rows = 0;
};
