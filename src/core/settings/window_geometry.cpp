#include "core/settings/window_geometry.h"

#include <algorithm>

namespace {

constexpr int MinimumVisible = 100;  // pixels of the window that must show, each way

}  // namespace

QRect ClampToScreens(const QRect& rect, const QList<QRect>& screens) {
    if (screens.isEmpty())
        return rect;
    int best = 0;
    long long bestArea = -1;
    for (int i = 0; i < screens.size(); ++i) {
        const QRect overlap = screens[i].intersected(rect);
        const long long area = overlap.isValid() ? 1LL * overlap.width() * overlap.height() : 0;
        if (area > bestArea) {
            bestArea = area;
            best = i;
        }
    }
    const QRect& screen = screens[best];
    QRect result = rect;
    result.setWidth(std::clamp(rect.width(), 1, screen.width()));
    result.setHeight(std::clamp(rect.height(), 1, screen.height()));
    const QRect overlap = screen.intersected(result);
    const int needX = std::min(MinimumVisible, result.width());
    const int needY = std::min(MinimumVisible, result.height());
    if (!overlap.isValid() || overlap.width() < needX || overlap.height() < needY) {
        const int x = std::clamp(result.x(), screen.left(), screen.right() + 1 - result.width());
        const int y = std::clamp(result.y(), screen.top(), screen.bottom() + 1 - result.height());
        result.moveTo(x, y);
    }
    return result;
}
