#include "ui/mainwindow/list_gestures.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include "core/common/helpers.h"

TGestureTrailWidget::TGestureTrailWidget(QWidget* viewport) : QWidget(viewport) {
    setObjectName("GestureTrail");
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setGeometry(viewport->rect());
    viewport->installEventFilter(this);
    hide();
}

void TGestureTrailWidget::Start(QPoint point) {
    Points.clear();
    Points << point;
}

void TGestureTrailWidget::LineTo(QPoint point) {
    Points << point;
    if (isHidden()) {
        setGeometry(parentWidget()->rect());
        raise();
        show();
    }
    update();
}

void TGestureTrailWidget::Clear() {
    Points.clear();
    hide();
}

void TGestureTrailWidget::paintEvent(QPaintEvent*) {
    if (Points.size() < 2)
        return;
    QPainter p(this);
    p.setPen(QPen(QColor(0xDD, 0xFF, 0xFF), 2));  // pale cyan, $00FFFFDD
    p.drawPolyline(Points);
}

bool TGestureTrailWidget::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    return QWidget::eventFilter(watched, event);
}

TListGestures::TListGestures(QObject* parent) : QObject(parent), Recogniser(GetDragAngle) {}

void TListGestures::Watch(QAbstractItemView* view) {
    QWidget* viewport = view->viewport();
    viewport->installEventFilter(this);
    Views.push_back({viewport, new TGestureTrailWidget(viewport), view});
}

TListGestures::TWatched* TListGestures::Find(QObject* viewport) {
    for (TWatched& w : Views)
        if (w.Viewport == viewport)
            return &w;
    return nullptr;
}

TGestureTrailWidget* TListGestures::TrailOf(QAbstractItemView* view) const {
    for (const TWatched& w : Views)
        if (w.View == view)
            return w.Trail;
    return nullptr;
}

bool TListGestures::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove &&
        type != QEvent::MouseButtonRelease)
        return false;
    TWatched* w = Find(watched);
    if (Forwarding || !w || !w->Trail || (Enabled && !Enabled()))
        return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint pos = mouse->position().toPoint();

    if (type == QEvent::MouseButtonPress) {
        // Any button starts afresh; only a left drag collects letters.
        Recogniser.Down(pos);
        Dragging = mouse->button() == Qt::LeftButton;
        MovesTaken = false;
        PressPoint = pos;
        w->Trail->Start(pos);
        if (ShowStatus)
            ShowStatus(QString());
        return false;
    }
    if (type == QEvent::MouseMove) {
        if (!Dragging || !(mouse->buttons() & Qt::LeftButton))
            return false;
        w->Trail->LineTo(pos);
        if (Recogniser.Move(pos) && ShowStatus)
            ShowStatus(Recogniser.StatusText());
        MovesTaken = true;
        return true;  // the list does not drag its selection along
    }
    // Release
    if (!Dragging || mouse->button() != Qt::LeftButton)
        return false;
    Dragging = false;
    w->Trail->Clear();
    const TGestureCommand command = Recogniser.Command();
    const bool hadLetters = !Recogniser.Gesture().isEmpty();
    if (hadLetters && ShowStatus)
        ShowStatus(QString());
    if (command != TGestureCommand::None && RunCommand) {
        // After the list has seen the release, so a dialog the command opens
        // does not leave the list in the middle of a press.
        QTimer::singleShot(0, this, [this, command] { RunCommand(command); });
    }
    if (!MovesTaken)
        return false;
    // The list ends its press where it began: a release elsewhere would select
    // the row under the pointer.
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(PressPoint),
                        w->Viewport->mapToGlobal(QPointF(PressPoint)), Qt::LeftButton, Qt::NoButton,
                        mouse->modifiers());
    Forwarding = true;
    QCoreApplication::sendEvent(w->Viewport, &release);
    Forwarding = false;
    return true;
}
