#pragma once

#include <functional>
#include <vector>

#include <QPointer>
#include <QPolygon>
#include <QWidget>

#include "core/commands/mouse_gesture.h"

class QAbstractItemView;

// The trail of a mouse gesture, drawn over a list view's viewport; it lets
// every mouse event through to the list.
class TGestureTrailWidget final : public QWidget {
public:
    explicit TGestureTrailWidget(QWidget* viewport);

    void Start(QPoint point);
    void LineTo(QPoint point);
    void Clear();
    const QPolygon& Trail() const { return Points; }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPolygon Points;
};

// Reads left-button drags over list views as gestures: draws the trail,
// reports the letters for the status bar and runs the command on release.
// While a drag goes on the list's selection stays where the press put it.
class TListGestures final : public QObject {
public:
    explicit TListGestures(QObject* parent = nullptr);

    // Watches the viewport of `view` (a list shown in several views watches each).
    void Watch(QAbstractItemView* view);

    std::function<bool()> Enabled;                     // false: gestures are off
    std::function<void(const QString&)> ShowStatus;    // status panel 1
    std::function<void(TGestureCommand)> RunCommand;   // after the release

    const TMouseGesture& Gesture() const { return Recogniser; }
    TGestureTrailWidget* TrailOf(QAbstractItemView* view) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct TWatched {
        QPointer<QWidget> Viewport;
        QPointer<TGestureTrailWidget> Trail;
        QAbstractItemView* View = nullptr;
    };
    TWatched* Find(QObject* viewport);

    TMouseGesture Recogniser;
    std::vector<TWatched> Views;
    bool Dragging = false;
    bool MovesTaken = false;   // the list missed moves: it gets its release at the press point
    bool Forwarding = false;   // that release is on its way
    QPoint PressPoint;
};
