#include "ui/dialogs/progress_form.h"

#include <cmath>
#include <numbers>

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QTimer>

#include "ui/widgets/busy_cursor.h"
#include "core/settings/fonts.h"

namespace {

constexpr int ClientWidth = 115;
constexpr int ClientHeight = 50;
constexpr int FrameMs = 60;

// Nesting depth of TProgressScope per window; the window closes with the
// outermost scope. One thread, so a plain counter serves.
int ScopeDepth = 0;

}  // namespace


TBusyAnimation::TBusyAnimation(QWidget* parent) : QWidget(parent), Timer(new QTimer(this)) {
    setFixedSize(50, 25);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    Timer->setInterval(FrameMs);
    connect(Timer, &QTimer::timeout, this, [this] { SetFrame((CurrentFrame + 1) % FrameCount); });
}

void TBusyAnimation::Start() {
    Timer->start();
}

void TBusyAnimation::Stop() {
    Timer->stop();
}

bool TBusyAnimation::IsRunning() const {
    return Timer->isActive();
}

void TBusyAnimation::SetFrame(int frame) {
    CurrentFrame = ((frame % FrameCount) + FrameCount) % FrameCount;
    update();
}

void TBusyAnimation::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const double phase = 2.0 * std::numbers::pi * CurrentFrame / FrameCount;

    // Pot body and rim.
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(QColor(90, 110, 140));
    p.drawRoundedRect(QRectF(13, 14, 24, 10), 3, 3);
    p.setBrush(QColor(70, 85, 110));
    p.drawRect(QRectF(11, 12.5, 28, 2));
    p.drawRect(QRectF(7, 15, 5, 2));
    p.drawRect(QRectF(38, 15, 5, 2));

    // Ladle handle swinging over the rim.
    const double angle = std::sin(phase) * 0.5;
    const QPointF pivot(25, 13);
    const QPointF tip(pivot.x() + 14 * std::sin(angle), pivot.y() - 12 * std::cos(angle));
    p.setPen(QPen(QColor(150, 100, 50), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(pivot, tip);

    // Three wisps of steam rising and fading on a loop.
    p.setBrush(Qt::NoBrush);
    for (int w = 0; w < 3; ++w) {
        const double t = std::fmod(CurrentFrame / double(FrameCount) + w / 3.0, 1.0);
        const double baseX = 16 + w * 9;
        const double y0 = 11 - t * 10;
        QPainterPath path(QPointF(baseX, y0));
        for (int k = 1; k <= 4; ++k) {
            const double y = y0 - k * 1.5;
            path.lineTo(baseX + 2 * std::sin(phase + k + w), y);
        }
        QColor steam(255, 255, 255);
        steam.setAlphaF(1.0 - t);
        p.setPen(QPen(steam, 1.5, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(path);
    }
}

TProgressForm::TProgressForm(QWidget* mainWindow)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), MainWindow(mainWindow) {
    setObjectName("ProgressForm");
    // One-pixel border around the 115 by 50 client area.
    setFixedSize(ClientWidth + 2, ClientHeight + 2);
    QFont formFont(ProportionalGothic);
    formFont.setPixelSize(12);
    setFont(formFont);

    Panel1 = new QFrame(this);
    Panel1->setObjectName("Panel1");
    Panel1->setGeometry(1, 1, ClientWidth, ClientHeight);
    Panel1->setAutoFillBackground(true);
    QPalette pal = Panel1->palette();
    pal.setColor(QPalette::Window, QColor(192, 192, 192));
    Panel1->setPalette(pal);

    Label1 = new QLabel(QStringLiteral("検索中..."), Panel1);
    Label1->setObjectName("Label1");
    Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label1->setGeometry(2, 2, ClientWidth - 4, 13);
    QFont labelFont(ProportionalGothic);
    labelFont.setPixelSize(11);
    Label1->setFont(labelFont);

    AnimateProgress = new TBusyAnimation(Panel1);
    AnimateProgress->setObjectName("AnimateProgress");
    AnimateProgress->move(32, 16);
    AnimateProgress->raise();
}

TProgressForm::~TProgressForm() {
}

void TProgressForm::SetText(const QString& text) {
    Label1->setText(text);
}

QString TProgressForm::Text() const {
    return Label1->text();
}

void TProgressForm::ShowBusy() {
    if (isVisible())
        return;
    QRect area;
    if (MainWindow && MainWindow->isVisible())
        area = MainWindow->frameGeometry();
    else if (QScreen* screen = QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    if (area.isValid())
        move(area.center() - QPoint(width() / 2, height() / 2));
    show();
}

void TProgressForm::CloseBusy() {
    hide();
}

void TProgressForm::showEvent(QShowEvent* event) {
    AnimateProgress->Start();
    QWidget::showEvent(event);
}

void TProgressForm::hideEvent(QHideEvent* event) {
    AnimateProgress->Stop();
    QWidget::hideEvent(event);
}

void TProgressForm::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(Qt::black);
    p.drawRect(0, 0, width() - 1, height() - 1);
}

TProgressScope::TProgressScope(TProgressForm* form, const QString& text) : Form(form) {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    ++ScopeDepth;
    if (Form) {
        Form->SetText(text);
        Form->ShowBusy();
    }
    LetPendingMessagesRun();
}

TProgressScope::~TProgressScope() {
    --ScopeDepth;
    if (Form && ScopeDepth == 0)
        Form->CloseBusy();
    QGuiApplication::restoreOverrideCursor();
}
