#pragma once

#include <QDialog>
#include <QList>
#include <QPixmap>
#include <QPoint>

#include "core/tools/countdown.h"

class QFrame;
class QLabel;
class QPushButton;
class QTimer;
class TTimerSetForm;

// The kitchen timer "キッチンタイマー": a modeless countdown window that stays
// on top. A preset or custom time, then start; the remaining time shows in
// six digit pictures and "時間になりました" comes once at the end, whether the
// window is shown or not.
class TTimerForm final : public QDialog {
    Q_OBJECT
public:
    explicit TTimerForm(QWidget* parent = nullptr, TCountdown::TClock clock = TCountdown::SteadyClock());

    // The custom time dialog, created later at start-up.
    void SetTimerSetForm(TTimerSetForm* form) { TimerSetForm = form; }

    // Draws the "HH:NN:SS" of a duration in the digit pictures.
    void ShowRemaining(qint64 ms);
    // What the digits show now.
    QString Shown() const { return ShownText; }
    bool Counting() const { return Countdown.IsRunning(); }

    // The tick of Timer1 (every 500 ms while counting).
    void Timer1Timer();

    static constexpr int FullHeight = 260;
    static constexpr int CompactHeight = 104;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void BuildPresets();
    void BuildCountPanel();
    void FormShow();
    void FormClose();
    void SpeedButton1Click(int tag);
    void SpeedButton7Click();
    void BitBtnStartClick();
    void BitBtnStopClick();
    void ShowIdle();
    void SetLayout(bool compact);
    void SetTime(int seconds);

    TCountdown Countdown;
    TTimerSetForm* TimerSetForm = nullptr;
    QList<QPixmap> ImageListNumber;
    QList<QLabel*> DigitImages;  // Image1, Image2, Image3, Image4, Image5, Image6
    QString ShownText;

    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QFrame* Panel1 = nullptr;
    QFrame* Panel2 = nullptr;
    QList<QPushButton*> SpeedButtons;  // SpeedButton1 to SpeedButton7
    QPushButton* BitBtnStart = nullptr;
    QPushButton* BitBtnStop = nullptr;
    QTimer* Timer1 = nullptr;
    bool Dragging = false;
    QPoint DragOffset;
};
