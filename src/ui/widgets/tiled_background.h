#pragma once

#include <QList>
#include <QPixmap>
#include <QPoint>
#include <QSize>

class QPainter;

// Top-left corners of the tiles that cover a client area: client width div W
// + 1 columns and client height div H + 1 rows from (0, 0). None for an
// empty tile.
QList<QPoint> TileOrigins(QSize tile, QSize client);

// Paints `tile` repeated over the client area from its top-left corner.
void PaintTiledBackground(QPainter& painter, const QPixmap& tile, QSize client);

// The main window's background picture (BackImg), shared by the dialogs and
// tool windows that tile it. Empty until the settings apply one.
const QPixmap& SharedBackImg();
void SetSharedBackImg(const QPixmap& picture);
