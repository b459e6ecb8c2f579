#include "ui/mainwindow/menu_drawing.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <QPolygon>

#include "core/common/helpers.h"

namespace {

const QColor GradientFrom(0xE3, 0xEF, 0xFF);
const QColor GradientTo(0x88, 0xAE, 0xE4);
const QColor SelectedFill(0xFF, 0xEE, 0xC6);
const QColor Navy(0x00, 0x00, 0x80);
const QColor TickFill(0xFF, 0xC0, 0x6F);
const QColor PressedFill(0xC6, 0xD3, 0xEF);
const QColor PressedFrame(0x00, 0x2D, 0x96);

QColor ButtonFace() { return QGuiApplication::palette().color(QPalette::Button); }

// Windows rectangles leave out their right and bottom edges; QPainter's
// outline with a 1-pixel pen covers [left, right - 1].
void FrameAndFill(QPainter& painter, const QRect& r, const QColor& fill, const QColor& frame) {
    painter.setPen(QPen(frame, 1));
    painter.setBrush(fill);
    painter.drawRect(r.adjusted(0, 0, -1, -1));
}

void IconColumn(QPainter& painter, const QRect& item, int left) {
    const QRect column(left, item.top(), FlatMenuIconColumn, item.height());
    painter.fillRect(column, ButtonFace());
    DrawVerticalGradient(painter, column.left(), column.top(), column.left() + FlatMenuIconColumn,
                         column.top() + column.height(), GradientFrom, GradientTo);
}

void DrawCaption(QPainter& painter, const QRect& textRect, const TMenuItemLook& look, const QColor& colour) {
    painter.setBrush(Qt::NoBrush);
    painter.setPen(colour);
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextShowMnemonic,
                     look.Caption);
    if (!look.Shortcut.isEmpty())
        painter.drawText(textRect, Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine, look.Shortcut);
}

}  // namespace

QColor CategoryTextColour(int category) {
    switch (category) {
    case 0: return QColor(0, 128, 0);
    case 1: return QColor(0, 64, 128);
    case 2: return QColor(255, 128, 0);
    case 3: return QColor(0, 0, 0);
    case 4: return QColor(64, 0, 0);
    case 5: return QColor(128, 64, 64);
    default: return QGuiApplication::palette().color(QPalette::Highlight);
    }
}

void DrawFlatMenuItem(QPainter& painter, const QRect& item, const TMenuItemLook& look, int menuLeft) {
    painter.save();
    const int l = item.left();
    const int t = item.top();
    const QRect textRect(QPoint(l + 23, t), QPoint(item.right() - 3, item.bottom()));
    if (look.Caption == QStringLiteral("-")) {
        painter.fillRect(item, Qt::white);
        painter.setPen(QColor(106, 140, 203));
        painter.drawLine(l + 23, t + 4, item.right() + 1 - 5, t + 4);
        IconColumn(painter, item, l);
        painter.restore();
        return;
    }
    QColor text = Qt::black;
    if (look.Enabled && look.Selected) {
        FrameAndFill(painter, item, SelectedFill, Navy);
    } else {
        painter.fillRect(item, Qt::white);
        IconColumn(painter, item, l);
    }
    if (!look.Icon.isNull()) {
        if (look.Enabled) {
            painter.drawPixmap(l + 2, t + 3, look.Icon);
        } else {
            // Greyed: the picture's shape in a light shade.
            QImage grey = look.Icon.toImage().convertToFormat(QImage::Format_ARGB32);
            for (int y = 0; y < grey.height(); ++y)
                for (int x = 0; x < grey.width(); ++x) {
                    const QRgb p = grey.pixel(x, y);
                    const int g = 128 + qGray(p) / 2;
                    grey.setPixel(x, y, qRgba(g, g, g, qAlpha(p)));
                }
            painter.drawImage(l + 2, t + 3, grey);
        }
    }
    if (!look.Enabled)
        text = ButtonFace();
    DrawCaption(painter, textRect, look, text);
    if (look.Checked) {
        FrameAndFill(painter, QRect(QPoint(menuLeft + 2, t + 3), QPoint(menuLeft + 18 - 1, item.bottom() - 3)),
                     TickFill, Navy);
        painter.setPen(QPen(Navy, 1));
        painter.drawPolyline(QPolygon({QPoint(l + 6, t + 10), QPoint(l + 8, t + 13), QPoint(l + 13, t + 8)}));
        painter.drawPolyline(QPolygon({QPoint(l + 6, t + 11), QPoint(l + 8, t + 12), QPoint(l + 13, t + 7)}));
    }
    painter.restore();
}

void DrawInputSupportItem(QPainter& painter, const QRect& item, const TMenuItemLook& look, int category) {
    painter.save();
    const int t = item.top();
    const int left = item.left();
    const QRect textRect(QPoint(left + 23, t), QPoint(item.right() - 2, item.bottom()));
    if (look.Caption == QStringLiteral("-")) {
        painter.fillRect(item, Qt::white);
        painter.setPen(ButtonFace());
        painter.drawLine(left + 23, t + 4, item.right() + 1 - 5, t + 4);
        painter.fillRect(QRect(left, t, FlatMenuIconColumn, item.height()), ButtonFace());
        painter.restore();
        return;
    }
    if (look.Selected) {
        FrameAndFill(painter, item, PressedFill, PressedFrame);
    } else {
        painter.fillRect(item, Qt::white);
        IconColumn(painter, item, left);
    }
    if (look.Checked)
        FrameAndFill(painter, QRect(left, t, FlatMenuIconColumn, item.height()), QColor(0xFF, 0xB5, 0xB5),
                     QColor(0xC6, 0x31, 0x69));
    if (!look.Icon.isNull())
        painter.drawPixmap(left + 2, t + 1, look.Icon);
    DrawCaption(painter, textRect, look, CategoryTextColour(category));
    painter.restore();
}

void DrawMenuBarButton(QPainter& painter, const QRect& button, const QString& caption, bool hot, bool pressed) {
    painter.save();
    const int l = button.left();
    const int t = button.top();
    QRect textRect(QPoint(l + 5, t + 3), QPoint(l + button.width() - 1, t + button.height() - 1));
    if (pressed) {
        textRect.translate(1, 2);
        FrameAndFill(painter, QRect(QPoint(l, t + 2), QPoint(l + button.width() - 1, t + button.height() - 1)),
                     PressedFill, PressedFrame);
    } else if (hot) {
        FrameAndFill(painter, QRect(QPoint(l, t + 2), QPoint(l + button.width() - 1, t + button.height() - 1)),
                     SelectedFill, Navy);
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(Qt::black);
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextShowMnemonic, caption);
    painter.restore();
}
