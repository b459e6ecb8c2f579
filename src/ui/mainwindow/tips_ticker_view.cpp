#include "ui/mainwindow/tips_ticker_view.h"

#include <QEvent>
#include <QPainter>
#include <QTimer>
#include <QWidget>

TTipsTickerView::TTipsTickerView(QWidget* strip, QTimer* timer, QObject* parent)
    : QObject(parent), Ticker(strip->width()), imgHint(strip), tmHint(timer) {
    if (!tmHint) {
        tmHint = new QTimer(this);
        tmHint->setObjectName(QStringLiteral("tmHint"));
    }
    tmHint->setInterval(35);
    connect(tmHint, &QTimer::timeout, this, &TTipsTickerView::tmHintTimer);
    imgHint->installEventFilter(this);
    // The strip paints every pixel of itself: nothing behind it is drawn first.
    imgHint->setAttribute(Qt::WA_OpaquePaintEvent);
    tmHint->start();
}

void TTipsTickerView::tmHintTimer() {
    Ticker.Tick(imgHint->width());
    // A strip nobody sees is not drawn; it is drawn whole when shown again.
    // Drawn now, not queued: a queued update wakes the event loop once more.
    if (imgHint->isVisible())
        imgHint->repaint();
}

bool TTipsTickerView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == imgHint && event->type() == QEvent::Paint) {
        QPainter painter(imgHint);
        Ticker.Paint(painter, imgHint->size());
        return true;
    }
    return QObject::eventFilter(watched, event);
}
