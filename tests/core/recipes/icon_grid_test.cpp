#include "core/recipes/icon_grid.h"

#include <gtest/gtest.h>

// Moves keep to the grid of six a row: no wrap at a row's ends, nothing past
// the first or last cell or into the empty end of a short last row; a
// selection off the grid starts at the first cell, or the current icon.
TEST(IconGrid, MovesAndStartStayOnTheGrid) {
    using M = TIconGridMove;
    const std::tuple<int, int, M, int> moves[] = {
        {7, 35, M::Left, 6},    {6, 35, M::Left, 6},    {0, 35, M::Up, 0},      {5, 35, M::Right, 5},
        {3, 35, M::Down, 9},    {9, 35, M::Up, 3},      {29, 35, M::Down, 29},  {28, 35, M::Down, 34},
        {34, 35, M::Right, 34}, {2, 3, M::Right, 2},    {-1, 35, M::Right, 0},  {0, 0, M::Down, -1},
    };
    for (const auto& [index, count, move, to] : moves)
        EXPECT_EQ(IconGridMove(index, count, move), to) << index << " of " << count << " move " << int(move);
    const std::tuple<int, int, int> starts[] = {{34, 35, 34}, {-1, 35, 0}, {35, 35, 0}, {-1, 0, -1}};
    for (const auto& [current, count, start] : starts)
        EXPECT_EQ(IconGridStart(current, count), start) << current << " of " << count;
}
