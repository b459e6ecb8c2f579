#include "ui/mainwindow/clock_face.h"

#include <cmath>
#include <numbers>

#include <QString>

namespace {

int RoundHalfEven(double value) { return static_cast<int>(std::nearbyint(value)); }

}  // namespace

QPoint ClockPoint(QPoint center, int radius, int angle) {
    const double a = angle * std::numbers::pi / 180.0;
    // std::nearbyint rounds halves to even in the default rounding mode.
    return QPoint(center.x() + RoundHalfEven(std::sin(a) * radius),
                  center.y() - RoundHalfEven(std::cos(a) * radius));
}

TClockHands ClockHandAngles(const QTime& time) {
    TClockHands hands;
    const int h = time.hour();
    const int m = time.minute();
    const int s = time.second();
    const int ms = time.msec();
    hands.Hour = h * 30 + m / 2;
    hands.Minute = (m * 60 + s) / 10;
    hands.Second = (s * 1000 + ms) * 6 / 1000;
    return hands;
}

QString DigitalClockText(const QTime& time) { return time.toString(QStringLiteral("HH:mm")); }
