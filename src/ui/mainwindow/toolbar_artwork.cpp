#include "ui/mainwindow/toolbar_artwork.h"

#include <iterator>

#include <QPainter>
#include <QPainterPath>

namespace {

const QColor Ink(52, 64, 84);
const QColor Paper(255, 255, 255);
const QColor Warm(222, 120, 40);
const QColor Leaf(70, 150, 70);
const QColor Sky(70, 120, 200);
const QColor Alarm(200, 50, 40);

void Page(QPainter& p) {
    p.setPen(Ink);
    p.setBrush(Paper);
    p.drawRect(QRectF(3.5, 1.5, 9, 13));
}

void Grid(QPainter& p, int cell, int gap) {
    p.setPen(Qt::NoPen);
    p.setBrush(Sky);
    for (int y = 2; y + cell <= 15; y += cell + gap)
        for (int x = 2; x + cell <= 15; x += cell + gap)
            p.drawRect(x, y, cell, cell);
}

void Lines(QPainter& p, int left, bool bullets) {
    p.setPen(QPen(Ink, 1));
    for (int y = 3; y <= 13; y += 3) {
        if (bullets) {
            p.fillRect(left - 3, y - 1, 2, 2, Sky);
        }
        p.drawLine(left, y, 14, y);
    }
}

}  // namespace

QImage ToolbarImage(TToolImage which) {
    QImage image(16, 16, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    switch (which) {
    case TToolImage::NewRecipe:
        Page(p);
        p.setPen(QPen(Leaf, 2));
        p.drawLine(QPointF(11, 9), QPointF(11, 15));
        p.drawLine(QPointF(8, 12), QPointF(14, 12));
        break;
    case TToolImage::DeleteRecipe:
        Page(p);
        p.setPen(QPen(Alarm, 2));
        p.drawLine(QPointF(5, 5), QPointF(11, 11));
        p.drawLine(QPointF(11, 5), QPointF(5, 11));
        break;
    case TToolImage::RenameRecipe:
        Page(p);
        p.setPen(QPen(Warm, 2.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(6, 12), QPointF(13, 5));
        p.setPen(QPen(Ink, 1));
        p.drawLine(QPointF(4.5, 13.5), QPointF(6, 12));
        break;
    case TToolImage::RecipeAttributes:
        p.setPen(Ink);
        p.setBrush(Sky);
        p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
        p.setPen(QPen(Paper, 2));
        p.drawLine(QPointF(8, 7), QPointF(8, 12));
        p.drawPoint(QPointF(8, 4.5));
        break;
    case TToolImage::Reload: {
        p.setPen(QPen(Leaf, 2));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(3, 3, 10, 10), 30 * 16, 280 * 16);
        QPainterPath head;
        head.moveTo(13.5, 2);
        head.lineTo(14, 7.5);
        head.lineTo(9, 6);
        head.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(Leaf);
        p.drawPath(head);
        break;
    }
    case TToolImage::Print:
        p.setPen(Ink);
        p.setBrush(Paper);
        p.drawRect(QRectF(4.5, 1.5, 7, 5));
        p.setBrush(QColor(180, 186, 196));
        p.drawRoundedRect(QRectF(1.5, 6.5, 13, 6), 1.5, 1.5);
        p.setBrush(Paper);
        p.drawRect(QRectF(4.5, 10.5, 7, 4));
        break;
    case TToolImage::PrintPreview:
        Page(p);
        p.setPen(QPen(Sky, 1.5));
        p.setBrush(QColor(220, 235, 255));
        p.drawEllipse(QRectF(5, 4, 6, 6));
        p.setPen(QPen(Ink, 2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(10, 10), QPointF(13.5, 13.5));
        break;
    case TToolImage::KitchenTimer:
        p.setPen(Ink);
        p.setBrush(QColor(255, 240, 200));
        p.drawEllipse(QRectF(1.5, 2.5, 13, 12));
        p.setPen(QPen(Alarm, 1.5));
        p.drawLine(QPointF(8, 8.5), QPointF(8, 4.5));
        p.drawLine(QPointF(8, 8.5), QPointF(11, 10));
        p.setPen(QPen(Ink, 2));
        p.drawLine(QPointF(6, 1), QPointF(10, 1));
        break;
    case TToolImage::RssReader:
        p.setPen(Qt::NoPen);
        p.setBrush(Warm);
        p.drawRoundedRect(QRectF(1, 1, 14, 14), 3, 3);
        p.setPen(QPen(Paper, 1.8));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(-4, 3, 16, 16), 0, 90 * 16);
        p.drawArc(QRectF(-1, 7, 9, 9), 0, 90 * 16);
        p.setBrush(Paper);
        p.setPen(Qt::NoPen);
        p.drawEllipse(QRectF(3, 11, 2.5, 2.5));
        break;
    case TToolImage::Calculator:
        p.setPen(Ink);
        p.setBrush(QColor(200, 206, 216));
        p.drawRoundedRect(QRectF(2.5, 0.5, 11, 15), 1.5, 1.5);
        p.setBrush(QColor(210, 240, 210));
        p.drawRect(QRectF(4.5, 2.5, 7, 3));
        p.setPen(Qt::NoPen);
        p.setBrush(Ink);
        for (int y = 7; y <= 13; y += 3)
            for (int x = 4; x <= 10; x += 3)
                p.drawRect(x, y, 2, 2);
        break;
    case TToolImage::Options: {
        p.setPen(QPen(Ink, 1));
        p.setBrush(QColor(160, 168, 180));
        QPainterPath gear;
        for (int i = 0; i < 8; ++i) {
            p.save();
            p.translate(8, 8);
            p.rotate(i * 45);
            p.drawRect(QRectF(-1.5, -7.5, 3, 3));
            p.restore();
        }
        p.drawEllipse(QRectF(2.5, 2.5, 11, 11));
        p.setBrush(Paper);
        p.drawEllipse(QRectF(6, 6, 4, 4));
        break;
    }
    case TToolImage::ViewReport:
        p.fillRect(1, 1, 14, 3, Sky);
        Lines(p, 2, false);
        p.setPen(QPen(Ink, 1));
        p.drawLine(7, 4, 7, 14);
        break;
    case TToolImage::ViewList:
        Lines(p, 5, true);
        break;
    case TToolImage::ViewLargeIcons:
        Grid(p, 5, 2);
        break;
    case TToolImage::ViewSmallIcons:
        Grid(p, 3, 1);
        break;
    case TToolImage::HomePage: {
        QPainterPath roof;
        roof.moveTo(8, 1);
        roof.lineTo(15, 8);
        roof.lineTo(1, 8);
        roof.closeSubpath();
        p.setPen(Ink);
        p.setBrush(Alarm);
        p.drawPath(roof);
        p.setBrush(QColor(255, 240, 200));
        p.drawRect(QRectF(3.5, 7.5, 9, 7));
        p.setBrush(Warm);
        p.drawRect(QRectF(7, 10, 3, 4.5));
        break;
    }
    case TToolImage::Save:
        p.setPen(Ink);
        p.setBrush(Sky);
        p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 1.5, 1.5);
        p.setBrush(Paper);
        p.drawRect(QRectF(4.5, 1.5, 7, 5));
        p.setBrush(QColor(220, 228, 240));
        p.drawRect(QRectF(3.5, 9.5, 9, 5));
        break;
    case TToolImage::WordWrap:
        p.setPen(QPen(Ink, 1.2));
        p.drawLine(QPointF(2, 4), QPointF(14, 4));
        p.drawLine(QPointF(2, 12), QPointF(7, 12));
        p.setPen(QPen(Sky, 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(8, 4, 6, 8), -90 * 16, 180 * 16);
        p.drawLine(QPointF(11, 12), QPointF(9, 12));
        p.drawLine(QPointF(9, 12), QPointF(10.5, 10.5));
        p.drawLine(QPointF(9, 12), QPointF(10.5, 13.5));
        break;
    }
    p.end();
    return image;
}

QImage ToolbarImageNamed(const QString& name) {
    static const char* const names[] = {"NewRecipe",      "DeleteRecipe", "RenameRecipe", "RecipeAttributes",
                                        "Reload",         "Print",        "PrintPreview", "KitchenTimer",
                                        "RssReader",      "Calculator",   "Options",      "ViewReport",
                                        "ViewList",       "ViewLargeIcons", "ViewSmallIcons", "HomePage",
                                        "Save",           "WordWrap"};
    for (int i = 0; i < int(std::size(names)); ++i)
        if (name == QLatin1String(names[i]))
            return ToolbarImage(static_cast<TToolImage>(i));
    return QImage();
}
