#pragma once

#include <QList>
#include <QRect>

// Keeps a window rectangle from the settings on the screens: a size larger
// than the screen shrinks to it, and a rectangle that shows too little of
// itself on any screen moves onto the screen it overlaps most (the first
// screen when none).
QRect ClampToScreens(const QRect& rect, const QList<QRect>& screens);
