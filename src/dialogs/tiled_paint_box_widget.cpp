#include "dialogs/tiled_paint_box_widget.h"

#include <QPainter>

#include "dialogs/tiled_background.h"

void PaintSharedBackground(QWidget* widget) {
    QPainter p(widget);
    PaintTiledBackground(p, SharedBackImg(), widget->size());
}

void TTiledPaintBox::paintEvent(QPaintEvent*) {
    PaintSharedBackground(this);
}
