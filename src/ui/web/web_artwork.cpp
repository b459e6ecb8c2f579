#include "ui/web/web_artwork.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

constexpr int Size = 16;

void DrawFolder(QPainter& p) {
    p.setPen(QColor(150, 110, 20));
    p.setBrush(QColor(240, 200, 90));
    QPainterPath tab;
    tab.moveTo(1.5, 3.5);
    tab.lineTo(6.5, 3.5);
    tab.lineTo(8.0, 5.0);
    tab.lineTo(14.5, 5.0);
    tab.lineTo(14.5, 13.5);
    tab.lineTo(1.5, 13.5);
    tab.closeSubpath();
    p.drawPath(tab);
    p.setBrush(QColor(252, 224, 130));
    p.drawRect(QRectF(1.5, 6.5, 13, 7));
}

void DrawBookmark(QPainter& p) {
    p.setPen(QColor(90, 90, 110));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(2.5, 1.5, 10, 13));
    p.setPen(QColor(170, 180, 200));
    for (int y = 5; y <= 12; y += 2)
        p.drawLine(QPointF(4.5, y + 0.5), QPointF(10.5, y + 0.5));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 40, 40));
    QPainterPath ribbon;
    ribbon.moveTo(9, 0);
    ribbon.lineTo(13, 0);
    ribbon.lineTo(13, 7);
    ribbon.lineTo(11, 5);
    ribbon.lineTo(9, 7);
    ribbon.closeSubpath();
    p.drawPath(ribbon);
}

void DrawSite(QPainter& p) {
    p.setPen(QColor(190, 80, 0));
    p.setBrush(QColor(245, 135, 30));
    p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 3, 3);
    p.setPen(QPen(Qt::white, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(-1.5, 3.5, 15, 15), 0, 90 * 16);
    p.drawArc(QRectF(1.0, 6.5, 9, 9), 0, 90 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(4.5, 11.5), 1.6, 1.6);
}

}  // namespace

QImage WebNodeImage(TWebNodeKind kind) {
    QImage image(Size, Size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    switch (kind) {
    case TWebNodeKind::Folder:
        DrawFolder(p);
        break;
    case TWebNodeKind::Bookmark:
        DrawBookmark(p);
        break;
    case TWebNodeKind::Site:
        DrawSite(p);
        break;
    }
    return image;
}

QIcon WebNodeIcon(TWebNodeKind kind) { return QIcon(QPixmap::fromImage(WebNodeImage(kind))); }
