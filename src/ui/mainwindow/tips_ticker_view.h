#pragma once

#include <QObject>

#include "ui/mainwindow/tips_ticker.h"

class QTimer;
class QWidget;

// Runs the tips ticker on the black strip: the timer ticks every 35 ms and
// the strip is painted from the ticker's state.
class TTipsTickerView final : public QObject {
    Q_OBJECT
public:
    // `timer` is the window's tip timer (created here when null).
    TTipsTickerView(QWidget* strip, QTimer* timer, QObject* parent = nullptr);

    TTipsTicker Ticker;
    QWidget* imgHint = nullptr;
    QTimer* tmHint = nullptr;

    void tmHintTimer();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
