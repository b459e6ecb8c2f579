#pragma once

#include <QList>
#include <QPixmap>

// The timer's digit pictures, drawn for this program: 11 images of 15 by 30,
// the digits 0 to 9 at indexes 0 to 9 and a colon at index 10.
QList<QPixmap> TimerDigitImages();
