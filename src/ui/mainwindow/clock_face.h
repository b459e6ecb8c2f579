#pragma once

#include <QPoint>
#include <QTime>

// The analogue clock's geometry: angles in degrees, 0 pointing up, clockwise.

// The point at `radius` from `center` in the direction `angle`; each offset is
// rounded to the nearest integer, halves to the even neighbour.
QPoint ClockPoint(QPoint center, int radius, int angle);

struct TClockHands {
    int Hour = 0;    // H * 30 + M div 2
    int Minute = 0;  // (M * 60 + S) div 10
    int Second = 0;  // (S * 1000 + MS) * 6 div 1000
};
TClockHands ClockHandAngles(const QTime& time);

// "HH:NN", hours 00 to 23.
QString DigitalClockText(const QTime& time);
