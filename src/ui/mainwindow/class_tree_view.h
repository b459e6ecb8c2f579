#pragma once

#include <QTableView>

#include "core/search/class_tree.h"

class TClassTreeModel;

// The main window's classification tree TreeView1: roots bold, recipe names
// underlined, every class open after its content changed. It is a table of
// one column over TClassTreeModel, drawn and driven as a tree (branch arrows;
// a click on an arrow, a double click, the arrow keys and +/- open and close
// a class): a tree view lays out every open row, which for 50,000 recipes
// filed four times blocks the window, while a table of uniform rows lays out
// only the rows on screen. A click on a recipe name reports it; roots and
// values do nothing.
class TClassTreeView final : public QTableView {
    Q_OBJECT
public:
    explicit TClassTreeView(QWidget* parent = nullptr);

    // Shows the classes; a tree equal to the one shown changes nothing, not
    // even which classes are closed or where the view is scrolled.
    void SetTree(TClassTree data);
    // Lets go of every row: the pane was closed.
    void Clear();

signals:
    void RecipeClicked(const QString& name);

protected:
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;

private:
    void TreeView1Click(const QModelIndex& index);
    // The row whose branch arrow is at `pos`, -1 for none.
    int BranchAt(const QPoint& pos) const;
    void SetOpen(int row, bool open);
    void MoveTo(int row);
    void FitRowHeight();
    // Widens the column to the widest row shown so far, so long names scroll
    // sideways rather than end cut off; only the rows on screen are measured.
    void FitWidth();

    TClassTreeModel* Classes = nullptr;
    int Widest = 0;
};
