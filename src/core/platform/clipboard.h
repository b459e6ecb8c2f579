#pragma once

#include <QImage>

// Whether the clipboard holds a picture.
bool ClipboardHasPicture();

// The clipboard's picture; null when it holds none.
QImage ClipboardPicture();
