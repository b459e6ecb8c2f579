#include "ui/widgets/tiled_paint_box.h"

#include <QPainter>

#include "ui/widgets/tiled_background.h"

void PaintSharedBackground(QWidget* widget) {
    QPainter p(widget);
    PaintTiledBackground(p, SharedBackImg(), widget->size());
}

void TTiledPaintBox::paintEvent(QPaintEvent*) {
    PaintSharedBackground(this);
}
