#pragma once

#include <QPoint>

// The icon picker's grid: six 34-pixel cells a row, 35 px apart, the first
// at (1, 1) on the picker's canvas, in icon index order.
inline constexpr int IconGridColumns = 6;
inline constexpr int IconGridPitch = 35;

// Where the cell of icon `index` sits on the canvas.
QPoint IconGridCellAt(int index);

enum class TIconGridMove { Left, Right, Up, Down };

// The cell a keyboard selection on `index` moves to among `count` cells.
// A move past the grid's edge, or to a place of the last row that holds no
// cell, keeps the selection where it is.
int IconGridMove(int index, int count, TIconGridMove move);

// Where the keyboard selection starts: the current icon when it is one of
// the `count` cells, else the first; -1 when there are none.
int IconGridStart(int currentIcon, int count);
