#pragma once

#include <functional>

#include <QPoint>
#include <QString>

// Reads a left-button drag over the recipe list as a sequence of directions
// (U, R, D, L). A step counts once it is longer than sqrt(500) pixels; shorter
// moves add up until it is. Repeated directions give one letter.
enum class TGestureCommand { None, Reload, Delete, Rename, Attributes };

class TMouseGesture final {
public:
    // Whole degrees of the step from (x1, y1) to (x2, y2), 0 to 360.
    using TAngleFunction = std::function<int(int x1, int y1, int x2, int y2)>;

    explicit TMouseGesture(TAngleFunction angle);

    // Any button: starts afresh at `point`.
    void Down(QPoint point);
    // A move with the left button held; true when the letters changed.
    bool Move(QPoint point);
    // The command of the collected letters (None for any other sequence).
    TGestureCommand Command() const;

    const QString& Gesture() const { return Letters; }
    // The letters, followed by the command's name when they form one.
    QString StatusText() const;

    static QString DirectionForAngle(int angle);
    static TGestureCommand CommandFor(const QString& gesture);

private:
    TAngleFunction Angle;
    QPoint GesturePoint;
    QString GestureLastDirection;
    QString Letters;
};
