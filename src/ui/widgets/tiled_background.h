#pragma once

#include <QList>
#include <QPixmap>
#include <QPoint>
#include <QRect>
#include <QSize>

class QPainter;

// Top-left corners of the tiles that cover a client area: client width div W
// + 1 columns and client height div H + 1 rows from (0, 0). None for an
// empty tile.
QList<QPoint> TileOrigins(QSize tile, QSize client);

// Paints `tile` repeated over the client area from its top-left corner; with
// `exposed` given, only the tiles that reach into it (a tall area is painted
// a screen at a time).
void PaintTiledBackground(QPainter& painter, const QPixmap& tile, QSize client, const QRect& exposed = {});

// The main window's background picture (BackImg), shared by the dialogs and
// tool windows that tile it. Empty until the settings apply one.
const QPixmap& SharedBackImg();
void SetSharedBackImg(const QPixmap& picture);
