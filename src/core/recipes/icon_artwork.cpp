#include "core/recipes/icon_store.h"

#include <cmath>

#include <QPainter>
#include <QPainterPath>

// The built-in recipe icons: small food and kitchen pictures drawn on a 32×32
// grid. The order is fixed: recipes store these indexes.

namespace {

QColor Rgb(int r, int g, int b) { return QColor(r, g, b); }

void Fill(QPainter& p, const QColor& fill, const QColor& line = QColor(60, 40, 30)) {
    p.setBrush(fill);
    p.setPen(QPen(line, 1.4));
}

void Bowl(QPainter& p, const QColor& bowl) {
    QPainterPath path;
    path.moveTo(4, 15);
    path.lineTo(28, 15);
    path.cubicTo(28, 24, 22, 28, 16, 28);
    path.cubicTo(10, 28, 4, 24, 4, 15);
    Fill(p, bowl);
    p.drawPath(path);
}

void Steam(QPainter& p) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Rgb(150, 150, 170), 1.4));
    for (int x : {11, 16, 21}) {
        QPainterPath s;
        s.moveTo(x, 11);
        s.cubicTo(x - 3, 8, x + 3, 6, x, 2);
        p.drawPath(s);
    }
}

void DrawIcon(QPainter& p, int index) {
    switch (index) {
    case 0:  // rice bowl
        Fill(p, Qt::white);
        p.drawEllipse(QRectF(6, 8, 20, 12));
        Bowl(p, Rgb(200, 60, 50));
        break;
    case 1:  // soup
        Bowl(p, Rgb(120, 70, 40));
        Fill(p, Rgb(210, 150, 80));
        p.drawEllipse(QRectF(5, 13, 22, 4));
        Steam(p);
        break;
    case 2: {  // fish
        Fill(p, Rgb(110, 150, 200));
        p.drawEllipse(QRectF(4, 10, 20, 12));
        p.drawPolygon(QPolygonF({QPointF(22, 16), QPointF(29, 9), QPointF(29, 23)}));
        Fill(p, Qt::black, Qt::black);
        p.drawEllipse(QRectF(8, 14, 2.5, 2.5));
        break;
    }
    case 3:  // steak
        Fill(p, Rgb(170, 50, 50));
        p.drawRoundedRect(QRectF(4, 8, 24, 17), 8, 8);
        Fill(p, Rgb(245, 230, 220));
        p.drawEllipse(QRectF(17, 12, 6, 5));
        break;
    case 4: {  // drumstick
        Fill(p, Rgb(190, 110, 40));
        p.drawEllipse(QRectF(4, 4, 17, 17));
        Fill(p, Rgb(245, 240, 225));
        p.drawRect(QRectF(18, 18, 4, 8));
        p.drawEllipse(QRectF(19, 24, 6, 6));
        p.drawEllipse(QRectF(23, 21, 6, 6));
        break;
    }
    case 5:  // fried egg
        Fill(p, Qt::white);
        p.drawEllipse(QRectF(3, 6, 26, 21));
        Fill(p, Rgb(250, 190, 20));
        p.drawEllipse(QRectF(11, 11, 10, 10));
        break;
    case 6: {  // carrot
        Fill(p, Rgb(240, 130, 30));
        p.drawPolygon(QPolygonF({QPointF(8, 28), QPointF(14, 10), QPointF(21, 14)}));
        Fill(p, Rgb(60, 160, 60));
        p.drawEllipse(QRectF(14, 4, 5, 9));
        p.drawEllipse(QRectF(18, 6, 9, 5));
        break;
    }
    case 7:  // tomato
        Fill(p, Rgb(220, 40, 40));
        p.drawEllipse(QRectF(4, 8, 24, 21));
        Fill(p, Rgb(50, 150, 50));
        p.drawPolygon(QPolygonF({QPointF(10, 8), QPointF(16, 12), QPointF(22, 8), QPointF(16, 5)}));
        break;
    case 8:  // mushroom
        Fill(p, Rgb(240, 230, 210));
        p.drawRect(QRectF(12, 15, 8, 13));
        Fill(p, Rgb(150, 90, 50));
        p.drawChord(QRectF(3, 4, 26, 22), 0, 180 * 16);
        break;
    case 9: {  // leaf vegetable
        Fill(p, Rgb(90, 180, 70));
        QPainterPath leaf;
        leaf.moveTo(16, 29);
        leaf.cubicTo(2, 22, 4, 6, 16, 3);
        leaf.cubicTo(28, 6, 30, 22, 16, 29);
        p.drawPath(leaf);
        p.drawLine(QPointF(16, 29), QPointF(16, 7));
        break;
    }
    case 10:  // onion
        Fill(p, Rgb(225, 180, 110));
        p.drawEllipse(QRectF(5, 9, 22, 20));
        p.drawLine(QPointF(16, 9), QPointF(16, 3));
        p.drawArc(QRectF(10, 9, 12, 20), 90 * 16, 180 * 16);
        break;
    case 11:  // apple
        Fill(p, Rgb(210, 30, 40));
        p.drawEllipse(QRectF(4, 8, 12, 20));
        p.drawEllipse(QRectF(16, 8, 12, 20));
        p.setPen(QPen(Rgb(100, 60, 30), 2));
        p.drawLine(QPointF(16, 10), QPointF(18, 3));
        break;
    case 12:  // grapes
        Fill(p, Rgb(120, 60, 160));
        for (const QPointF& c : {QPointF(10, 10), QPointF(16, 10), QPointF(22, 10), QPointF(13, 16),
                                 QPointF(19, 16), QPointF(16, 22)})
            p.drawEllipse(c, 4, 4);
        break;
    case 13:  // cherries
        p.setPen(QPen(Rgb(60, 130, 40), 1.6));
        p.drawLine(QPointF(10, 20), QPointF(19, 4));
        p.drawLine(QPointF(22, 22), QPointF(19, 4));
        Fill(p, Rgb(200, 20, 50));
        p.drawEllipse(QRectF(4, 18, 11, 11));
        p.drawEllipse(QRectF(17, 19, 11, 11));
        break;
    case 14:  // lemon slice
        Fill(p, Rgb(250, 220, 40));
        p.drawEllipse(QRectF(3, 3, 26, 26));
        Fill(p, Rgb(255, 245, 170));
        p.drawEllipse(QRectF(7, 7, 18, 18));
        p.setPen(QPen(Rgb(230, 200, 40), 1.2));
        for (int a = 0; a < 180; a += 45) {
            QTransform t;
            t.translate(16, 16);
            t.rotate(a);
            p.drawLine(t.map(QPointF(-9, 0)), t.map(QPointF(9, 0)));
        }
        break;
    case 15:  // bread loaf
        Fill(p, Rgb(210, 150, 80));
        p.drawRoundedRect(QRectF(3, 10, 26, 16), 7, 7);
        p.setPen(QPen(Rgb(150, 90, 40), 1.4));
        for (int x : {10, 16, 22})
            p.drawLine(QPointF(x - 2, 13), QPointF(x + 2, 18));
        break;
    case 16:  // cake slice
        Fill(p, Rgb(250, 235, 200));
        p.drawPolygon(QPolygonF({QPointF(4, 26), QPointF(28, 26), QPointF(28, 12), QPointF(4, 18)}));
        Fill(p, Rgb(240, 240, 245));
        p.drawPolygon(QPolygonF({QPointF(4, 18), QPointF(28, 12), QPointF(24, 9), QPointF(4, 15)}));
        Fill(p, Rgb(220, 30, 50));
        p.drawEllipse(QRectF(19, 4, 6, 6));
        break;
    case 17:  // pudding
        Fill(p, Rgb(250, 215, 110));
        p.drawPolygon(QPolygonF({QPointF(6, 28), QPointF(26, 28), QPointF(22, 9), QPointF(10, 9)}));
        Fill(p, Rgb(130, 70, 20));
        p.drawRoundedRect(QRectF(9, 6, 14, 6), 3, 3);
        break;
    case 18: {  // rice ball
        Fill(p, Qt::white);
        QPainterPath ball;
        ball.moveTo(16, 3);
        ball.cubicTo(22, 3, 30, 24, 26, 27);
        ball.lineTo(6, 27);
        ball.cubicTo(2, 24, 10, 3, 16, 3);
        p.drawPath(ball);
        Fill(p, Rgb(30, 50, 40));
        p.drawRect(QRectF(11, 18, 10, 9));
        break;
    }
    case 19:  // nigiri sushi
        Fill(p, Qt::white);
        p.drawRoundedRect(QRectF(4, 16, 24, 10), 4, 4);
        Fill(p, Rgb(240, 110, 80));
        p.drawRoundedRect(QRectF(3, 10, 26, 8), 4, 4);
        break;
    case 20:  // noodles
        Bowl(p, Rgb(230, 230, 235));
        p.setPen(QPen(Rgb(220, 180, 90), 1.4));
        for (int x : {9, 13, 17, 21})
            p.drawLine(QPointF(x, 15), QPointF(x + 2, 5));
        p.setPen(QPen(Rgb(120, 70, 30), 1.8));
        p.drawLine(QPointF(18, 14), QPointF(29, 2));
        p.drawLine(QPointF(21, 15), QPointF(30, 5));
        break;
    case 21: {  // shrimp
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(Rgb(240, 100, 60), 6, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(6, 6, 20, 20), 60 * 16, 250 * 16);
        p.setPen(QPen(Rgb(200, 60, 30), 1.2));
        p.drawLine(QPointF(20, 8), QPointF(29, 3));
        break;
    }
    case 22:  // cheese
        Fill(p, Rgb(250, 200, 60));
        p.drawPolygon(QPolygonF({QPointF(3, 26), QPointF(29, 26), QPointF(29, 14), QPointF(3, 22)}));
        Fill(p, Rgb(230, 170, 40));
        p.drawEllipse(QRectF(12, 20, 4, 4));
        p.drawEllipse(QRectF(21, 17, 4, 4));
        break;
    case 23:  // tea cup
        Fill(p, Rgb(90, 150, 90));
        p.drawPolygon(QPolygonF({QPointF(7, 14), QPointF(25, 14), QPointF(22, 28), QPointF(10, 28)}));
        Steam(p);
        break;
    case 24:  // glass of juice
        Fill(p, Rgb(255, 170, 40));
        p.drawPolygon(QPolygonF({QPointF(8, 8), QPointF(24, 8), QPointF(22, 29), QPointF(10, 29)}));
        p.setPen(QPen(Rgb(40, 120, 200), 1.8));
        p.drawLine(QPointF(18, 12), QPointF(23, 2));
        break;
    case 25:  // bottle
        Fill(p, Rgb(60, 130, 80));
        p.drawRoundedRect(QRectF(9, 12, 14, 17), 3, 3);
        p.drawRect(QRectF(13, 3, 6, 10));
        Fill(p, Rgb(240, 240, 220));
        p.drawRect(QRectF(10, 17, 12, 6));
        break;
    case 26:  // pot
        Fill(p, Rgb(150, 150, 160));
        p.drawRoundedRect(QRectF(5, 12, 22, 15), 3, 3);
        p.drawRect(QRectF(1, 14, 4, 3));
        p.drawRect(QRectF(27, 14, 4, 3));
        p.drawRoundedRect(QRectF(4, 8, 24, 4), 2, 2);
        p.drawEllipse(QRectF(14, 4, 4, 4));
        break;
    case 27:  // frying pan
        Fill(p, Rgb(50, 50, 55));
        p.drawEllipse(QRectF(2, 9, 20, 16));
        Fill(p, Rgb(130, 80, 40));
        p.drawRoundedRect(QRectF(21, 15, 10, 4), 2, 2);
        break;
    case 28:  // kettle
        Fill(p, Rgb(200, 200, 210));
        p.drawChord(QRectF(5, 9, 22, 28), 0, 180 * 16);
        p.drawPolygon(QPolygonF({QPointF(25, 20), QPointF(31, 13), QPointF(29, 22)}));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(10, 3, 12, 12), 0, 180 * 16);
        break;
    case 29:  // knife
        Fill(p, Rgb(215, 220, 230));
        p.drawPolygon(QPolygonF({QPointF(3, 28), QPointF(20, 11), QPointF(23, 14), QPointF(8, 27)}));
        Fill(p, Rgb(100, 60, 30));
        p.drawRoundedRect(QRectF(21, 4, 5, 11), 2, 2);
        break;
    case 30:  // fork and spoon
        Fill(p, Rgb(190, 195, 205));
        p.drawRect(QRectF(9, 14, 3, 15));
        for (int x : {6, 9, 12, 14})
            p.drawLine(QPointF(x, 3), QPointF(x, 12));
        p.drawRect(QRectF(6, 11, 8.5, 3));
        p.drawEllipse(QRectF(18, 3, 9, 12));
        p.drawRect(QRectF(21, 14, 3, 15));
        break;
    case 31:  // chopsticks on a rest
        p.setPen(QPen(Rgb(140, 70, 30), 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(3, 22), QPointF(29, 6));
        p.drawLine(QPointF(5, 26), QPointF(30, 11));
        Fill(p, Rgb(120, 160, 210));
        p.drawRoundedRect(QRectF(10, 24, 10, 5), 2, 2);
        break;
    default: {  // 32: star, a favourite
        Fill(p, Rgb(250, 200, 30), Rgb(180, 120, 0));
        QPolygonF star;
        for (int i = 0; i < 10; ++i) {
            const double r = (i % 2 == 0) ? 14.0 : 6.0;
            const double angle = -M_PI / 2 + i * M_PI / 5;
            star << QPointF(16 + r * std::cos(angle), 17 + r * std::sin(angle));
        }
        p.drawPolygon(star);
        break;
    }
    }
}

}  // namespace

QImage BuiltInIcon(int index, int size) {
    if (index < 0 || index >= BuiltInIconCount || size <= 0)
        return QImage();
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 32.0, size / 32.0);
    DrawIcon(painter, index);
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}
