#include "core/recipes/icon_grid.h"

QPoint IconGridCellAt(int index) {
    return QPoint(1 + (index % IconGridColumns) * IconGridPitch, 1 + (index / IconGridColumns) * IconGridPitch);
}

int IconGridMove(int index, int count, TIconGridMove move) {
    if (index < 0 || index >= count)
        return IconGridStart(-1, count);
    const int column = index % IconGridColumns;
    int to = index;
    switch (move) {
    case TIconGridMove::Left:
        to = column > 0 ? index - 1 : index;
        break;
    case TIconGridMove::Right:
        to = column < IconGridColumns - 1 ? index + 1 : index;
        break;
    case TIconGridMove::Up:
        to = index - IconGridColumns;
        break;
    case TIconGridMove::Down:
        to = index + IconGridColumns;
        break;
    }
    return to >= 0 && to < count ? to : index;
}

int IconGridStart(int currentIcon, int count) {
    if (count <= 0)
        return -1;
    return currentIcon >= 0 && currentIcon < count ? currentIcon : 0;
}
