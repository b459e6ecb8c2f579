#include "ui/tools/timer_form.h"

#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

#include "core/platform/saporia_error.h"
#include "core/settings/fonts.h"
#include "ui/platform/dialogs.h"
#include "ui/tools/timer_set_form.h"
#include "ui/tools/timer_digits.h"
#include "ui/widgets/form_button.h"
#include "ui/widgets/form_label.h"
#include "ui/widgets/tiled_paint_box.h"

namespace {

constexpr int ColonImage = 10;
constexpr int FullPanelTop = 160;
constexpr int CompactPanelTop = 8;

QFrame* NewFrame(QWidget* parent, const char* name, const QRect& geometry) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(QLatin1String(name));
    frame->setFrameShape(QFrame::Panel);
    frame->setFrameShadow(QFrame::Raised);
    frame->setGeometry(geometry);
    return frame;
}

}  // namespace

TTimerForm::TTimerForm(QWidget* parent, TCountdown::TClock clock)
    : QDialog(parent), Countdown(std::move(clock)), ImageListNumber(TimerDigitImages()) {
    setObjectName(QStringLiteral("TimerForm"));
    setWindowTitle(QStringLiteral("キッチンタイマー"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setModal(false);
    setFixedSize(265, FullHeight);
    setFont(QFont(ProportionalGothic, 9));

    Label2 = AddLabel(this, QStringLiteral("1.時間を設定してください"), 8, 6, "Label2");
    BuildPresets();
    Label3 = AddLabel(this, QStringLiteral("2.スタートボタンでタイマーを開始します"), 8, 142, "Label3");
    BuildCountPanel();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(500);
    Timer1->setSingleShot(false);
    connect(Timer1, &QTimer::timeout, this, &TTimerForm::Timer1Timer);
    ShowIdle();
}

void TTimerForm::BuildPresets() {
    Panel2 = NewFrame(this, "Panel2", {8, 24, 249, 113});
    const struct {
        const char* Name;
        const char* Caption;
        int Tag;
    } presets[] = {{"SpeedButton1", "3分セット", 180},   {"SpeedButton2", "5分セット", 300},
                   {"SpeedButton3", "10分セット", 600},  {"SpeedButton4", "20分セット", 1200},
                   {"SpeedButton5", "30分セット", 1800}, {"SpeedButton6", "60分セット", 3600}};
    for (int i = 0; i < 6; ++i) {
        const QRect place(8 + (i % 3) * 79, 8 + (i / 3) * 34, 75, 30);
        QPushButton* button = AddButton(Panel2, presets[i].Name, QString::fromUtf8(presets[i].Caption), place);
        const int tag = presets[i].Tag;
        connect(button, &QPushButton::clicked, this, [this, tag] { SpeedButton1Click(tag); });
        SpeedButtons << button;
    }
    QPushButton* custom = AddButton(Panel2, "SpeedButton7", QStringLiteral("カスタム..."), {8, 76, 233, 30});
    connect(custom, &QPushButton::clicked, this, &TTimerForm::SpeedButton7Click);
    SpeedButtons << custom;
}

void TTimerForm::BuildCountPanel() {
    Panel1 = NewFrame(this, "Panel1", {8, FullPanelTop, 249, 89});
    AddLabel(Panel1, QStringLiteral("残り時間"), 8, 6, "Label1");
    auto* panel3 = NewFrame(Panel1, "Panel3", {8, 28, 145, 38});
    panel3->setFrameShadow(QFrame::Sunken);
    panel3->setAutoFillBackground(true);
    QPalette palette = panel3->palette();
    palette.setColor(QPalette::Window, Qt::white);
    panel3->setPalette(palette);
    // Left to right: hour tens, hour units, colon, minute tens, minute units,
    // colon, second tens, second units.
    const char* const names[] = {"Image1", "Image2", "Image7", "Image3", "Image4", "Image8", "Image5", "Image6"};
    for (int i = 0; i < 8; ++i) {
        auto* image = new QLabel(panel3);
        image->setObjectName(QLatin1String(names[i]));
        image->setGeometry(8 + 16 * i, 4, 15, 30);
        if (i == 2 || i == 5)
            image->setPixmap(ImageListNumber[ColonImage]);
        else
            DigitImages << image;
    }
    BitBtnStart = AddButton(Panel1, "BitBtnStart", QStringLiteral("スタート"), {162, 14, 79, 28});
    BitBtnStop = AddButton(Panel1, "BitBtnStop", QStringLiteral("ストップ"), {162, 48, 79, 28});
    connect(BitBtnStart, &QPushButton::clicked, this, &TTimerForm::BitBtnStartClick);
    connect(BitBtnStop, &QPushButton::clicked, this, &TTimerForm::BitBtnStopClick);
}

void TTimerForm::ShowIdle() {
    ShowRemaining(0);
    Timer1->stop();
    BitBtnStart->setEnabled(false);
    BitBtnStop->setEnabled(false);
}

void TTimerForm::ShowRemaining(qint64 ms) {
    ShownText = FormatRemaining(ms);
    const std::array<int, 6> digits = DisplayDigits(ShownText);
    for (int i = 0; i < 6; ++i)
        DigitImages[i]->setPixmap(ImageListNumber[digits[i]]);
}

void TTimerForm::showEvent(QShowEvent* event) {
    if (!event->spontaneous())
        FormShow();
    QDialog::showEvent(event);
}

void TTimerForm::hideEvent(QHideEvent* event) {
    if (!event->spontaneous())
        FormClose();
    QDialog::hideEvent(event);
}

void TTimerForm::FormShow() {
    // A countdown goes on when the window is shown again: looking at the
    // timer must not lose it.
    if (Countdown.IsRunning()) {
        SetLayout(true);
        ShowRemaining(Countdown.RemainingMs());
        return;
    }
    ShowIdle();
}

void TTimerForm::FormClose() { SetLayout(false); }

// The presets are off while the compact counting panel shows.
void TTimerForm::SetLayout(bool compact) {
    for (QPushButton* button : SpeedButtons)
        button->setEnabled(!compact);
    Label2->setVisible(!compact);
    Label3->setVisible(!compact);
    Panel2->setVisible(!compact);
    Panel1->move(Panel1->x(), compact ? CompactPanelTop : FullPanelTop);
    setFixedSize(width(), compact ? CompactHeight : FullHeight);
}

void TTimerForm::SetTime(int seconds) {
    Countdown.Set(seconds);
    ShowRemaining(seconds * 1000LL);
    BitBtnStart->setEnabled(true);
}

void TTimerForm::SpeedButton1Click(int tag) {
    const int seconds = PresetSeconds(tag);
    SetTime(seconds < 0 ? Countdown.Duration() : seconds);
}

void TTimerForm::SpeedButton7Click() {
    if (!TimerSetForm || TimerSetForm->exec() != QDialog::Accepted)
        return;
    try {
        SetTime(CustomTimeSeconds(TimerSetForm->Hours(), TimerSetForm->Minutes(), TimerSetForm->Seconds()));
    } catch (const TSaporiaError& error) {
        ShowErrorBox(this, QStringLiteral("カスタム時間設定エラー msg=") + error.message());
    }
}

void TTimerForm::BitBtnStartClick() {
    Countdown.Start();
    Timer1->start();
    BitBtnStart->setEnabled(false);
    BitBtnStop->setEnabled(true);
    SetLayout(true);
}

void TTimerForm::Timer1Timer() {
    // Stopped while it works, so the alarm box never comes twice.
    Timer1->stop();
    if (!Countdown.IsRunning())
        return;
    const qint64 remaining = Countdown.RemainingMs();
    if (remaining > 0) {
        ShowRemaining(remaining);
        Timer1->start();
        return;
    }
    Countdown.Stop();
    ShowInformationBox(isVisible() ? this : parentWidget(), QStringLiteral("時間になりました"));
    BitBtnStopClick();
}

void TTimerForm::BitBtnStopClick() {
    Countdown.Stop();
    ShowIdle();
    SetLayout(false);
}

void TTimerForm::paintEvent(QPaintEvent*) { PaintSharedBackground(this); }

void TTimerForm::mousePressEvent(QMouseEvent* event) {
    // Only the window's own background moves it, as a title bar would.
    if (event->button() != Qt::LeftButton || childAt(event->position().toPoint())) {
        QDialog::mousePressEvent(event);
        return;
    }
    if (windowHandle() && windowHandle()->startSystemMove())
        return;
    // No system move (some platforms): follow the mouse ourselves.
    Dragging = true;
    DragOffset = event->globalPosition().toPoint() - frameGeometry().topLeft();
}

void TTimerForm::mouseMoveEvent(QMouseEvent* event) {
    if (Dragging && (event->buttons() & Qt::LeftButton))
        move(event->globalPosition().toPoint() - DragOffset);
    QDialog::mouseMoveEvent(event);
}

void TTimerForm::mouseReleaseEvent(QMouseEvent* event) {
    Dragging = false;
    QDialog::mouseReleaseEvent(event);
}
