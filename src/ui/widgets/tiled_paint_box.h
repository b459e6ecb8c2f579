#pragma once

#include <QWidget>

// Tiles the main window's background picture over the whole of `widget`;
// called from its paint event.
void PaintSharedBackground(QWidget* widget);

// A canvas that tiles the main window's background picture under its
// children, as the dialogs do.
class TTiledPaintBox final : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent* event) override;
};
