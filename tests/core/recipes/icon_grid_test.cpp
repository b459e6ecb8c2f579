#include "core/recipes/icon_grid.h"

#include <gtest/gtest.h>

// Moves keep to the grid: no wrap at a row's ends, nothing past the first
// or the last cell, no step into the empty end of a short last row.
TEST(IconGrid, MovesStayOnTheGrid) {
    using M = TIconGridMove;
    struct TRow {
        int Index;
        int Count;
        M Move;
        int To;
    };
    const TRow rows[] = {
        {7, 35, M::Left, 6},   {6, 35, M::Left, 6},   {0, 35, M::Up, 0},     {5, 35, M::Right, 5},
        {4, 35, M::Right, 5},  {3, 35, M::Up, 3},     {3, 35, M::Down, 9},   {9, 35, M::Up, 3},
        {29, 35, M::Down, 29}, {28, 35, M::Down, 34}, {34, 35, M::Right, 34}, {30, 35, M::Left, 30},
        {0, 1, M::Right, 0},   {0, 1, M::Down, 0},    {2, 3, M::Right, 2},   {35, 36, M::Down, 35},
        // A selection that is not on the grid starts again at the first cell.
        {-1, 35, M::Right, 0}, {40, 35, M::Left, 0},  {0, 0, M::Down, -1},
    };
    for (const TRow& row : rows)
        EXPECT_EQ(IconGridMove(row.Index, row.Count, row.Move), row.To)
            << row.Index << " of " << row.Count << " move " << int(row.Move);
}

TEST(IconGrid, StartAndPlaces) {
    const std::tuple<int, int, int> starts[] = {{34, 35, 34}, {-1, 35, 0}, {35, 35, 0}, {0, 35, 0}, {-1, 0, -1}, {3, 0, -1}};
    for (const auto& [current, count, start] : starts)
        EXPECT_EQ(IconGridStart(current, count), start) << current << " of " << count;
    // Six a row at x = 1, 36, ..., 176, rows 35 px apart.
    const std::pair<int, QPoint> places[] = {{0, {1, 1}}, {5, {176, 1}}, {6, {1, 36}}, {34, {141, 176}}};
    for (const auto& [index, at] : places)
        EXPECT_EQ(IconGridCellAt(index), at) << index;
}
