// The clock in the dockable clock panel.
#include "ui/mainwindow/main_form.h"

#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPixmap>

#include "ui/mainwindow/main_bars.h"
#include "ui/mainwindow/clock_face.h"

void TMainForm::ClockTick() {
    // A failure while painting is ignored; the next tick paints again.
    try {
        DrawClock();
    } catch (const std::exception&) {
    }
}

void TMainForm::DrawClock() {
    QPixmap face(48, 48);
    face.fill(Bars->Bar(QStringLiteral("PanelClock"))->palette().color(QPalette::Window));
    QPainter painter(&face);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QColor ink(34, 68, 140);
    const QTime now = QTime::currentTime();
    if (Settings().UseDigitalClock) {
        QFont font = painter.font();
        font.setPointSize(9);
        painter.setFont(font);
        painter.setPen(Qt::black);
        // The text's top left at (10, 18).
        painter.drawText(QRect(10, 18, 48, 20), Qt::AlignLeft | Qt::AlignTop, DigitalClockText(now));
    } else {
        const QPoint center(23, 23);
        auto line = [&](int width, QPoint to) {
            painter.setPen(QPen(ink, width, Qt::SolidLine, Qt::RoundCap));
            painter.drawLine(center, to);
        };
        painter.setPen(QPen(ink, 1));
        for (int i = 0; i < 12; ++i)
            painter.drawLine(ClockPoint(center, 21, i * 30), ClockPoint(center, 22, i * 30));
        const TClockHands hands = ClockHandAngles(now);
        line(3, ClockPoint(center, 15, hands.Hour));
        line(2, ClockPoint(center, 20, hands.Minute));
        line(1, ClockPoint(center, 22, hands.Second));
    }
    painter.end();
    Bars->ClockFace()->setPixmap(face);
}
