#include "ui/tools/timer_digits.h"

#include <QPainter>
#include <QPolygonF>

namespace {

constexpr int Width = 15;
constexpr int Height = 30;
const QColor Lit(0x20, 0x30, 0x60);
const QColor Unlit(0xE8, 0xEC, 0xF4);

// Seven segments a to g, as on a clock: a top, b upper right, c lower right,
// d bottom, e lower left, f upper left, g middle.
QPolygonF Segment(int index) {
    const qreal l = 2, r = Width - 2, t = 2, m = Height / 2.0, b = Height - 2, w = 1.6;
    auto horizontal = [&](qreal y) {
        return QPolygonF({{l + w, y}, {l + 2 * w, y - w}, {r - 2 * w, y - w}, {r - w, y}, {r - 2 * w, y + w},
                          {l + 2 * w, y + w}});
    };
    auto vertical = [&](qreal x, qreal y1, qreal y2) {
        return QPolygonF({{x, y1 + w}, {x + w, y1 + 2 * w}, {x + w, y2 - 2 * w}, {x, y2 - w}, {x - w, y2 - 2 * w},
                          {x - w, y1 + 2 * w}});
    };
    switch (index) {
    case 0: return horizontal(t + w);
    case 1: return vertical(r - w, t, m);
    case 2: return vertical(r - w, m, b);
    case 3: return horizontal(b - w);
    case 4: return vertical(l + w, m, b);
    case 5: return vertical(l + w, t, m);
    default: return horizontal(m);
    }
}

// Which segments each digit lights, a to g as bits 0 to 6.
constexpr int Patterns[10] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};

QPixmap Blank() {
    QPixmap picture(Width, Height);
    picture.fill(Qt::white);
    return picture;
}

QPixmap Digit(int digit) {
    QPixmap picture = Blank();
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    for (int s = 0; s < 7; ++s) {
        painter.setBrush((Patterns[digit] >> s) & 1 ? Lit : Unlit);
        painter.drawPolygon(Segment(s));
    }
    return picture;
}

QPixmap Colon() {
    QPixmap picture = Blank();
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Lit);
    painter.drawEllipse(QPointF(Width / 2.0, Height * 0.33), 2, 2);
    painter.drawEllipse(QPointF(Width / 2.0, Height * 0.67), 2, 2);
    return picture;
}

}  // namespace

QList<QPixmap> TimerDigitImages() {
    QList<QPixmap> images;
    for (int d = 0; d < 10; ++d)
        images << Digit(d);
    images << Colon();
    return images;
}
