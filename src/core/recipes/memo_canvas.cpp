#include "core/recipes/memo_canvas.h"

#include <vector>

#include <QPainter>
#include <QPen>


namespace {

bool IsShape(TMemoTool tool) {
    return tool == TMemoTool::Line || tool == TMemoTool::Ellipse || tool == TMemoTool::Rectangle ||
           tool == TMemoTool::RoundRect;
}

QPen StrokePen(QColor colour) {
    QPen pen(colour, 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    return pen;
}

}  // namespace

QList<QColor> MemoPalette() {
    return {QColor(0, 0, 0),   QColor(255, 255, 255), QColor(128, 128, 128),
            QColor(0, 0, 255), QColor(255, 0, 0),     QColor(255, 255, 0),
            QColor(0, 128, 0), QColor(255, 0, 255),   QColor(0, 255, 255)};
}

bool FloodFill(QImage& image, QPoint start, QColor colour) {
    if (!image.rect().contains(start))
        return false;
    if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32)
        image = image.convertToFormat(QImage::Format_RGB32);
    const QRgb target = image.pixel(start);
    const QRgb fill = colour.rgb();
    if (target == fill)
        return false;
    const int w = image.width();
    const int h = image.height();
    // Scanline fill with an explicit stack: no recursion, so a canvas of any
    // size fills without running out of stack.
    std::vector<QPoint> stack{start};
    while (!stack.empty()) {
        const QPoint p = stack.back();
        stack.pop_back();
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(p.y()));
        if (row[p.x()] != target)
            continue;
        int left = p.x();
        while (left > 0 && row[left - 1] == target)
            --left;
        int right = p.x();
        while (right < w - 1 && row[right + 1] == target)
            ++right;
        for (int x = left; x <= right; ++x)
            row[x] = fill;
        for (const int y : {p.y() - 1, p.y() + 1}) {
            if (y < 0 || y >= h)
                continue;
            const auto* next = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            bool inRun = false;
            for (int x = left; x <= right; ++x) {
                if (next[x] == target) {
                    if (!inRun)
                        stack.emplace_back(x, y);
                    inRun = true;
                } else {
                    inRun = false;
                }
            }
        }
    }
    return true;
}

void TMemoCanvas::Reset(int width, int height) {
    Image = QImage(qMax(1, width), qMax(1, height), QImage::Format_RGB32);
    Image.fill(Qt::white);
    MemoDrawing = false;
    MemoDirty = false;
}

void TMemoCanvas::Changed() { MemoDirty = true; }

void TMemoCanvas::Erase(QPoint at) {
    QPainter painter(&Image);
    painter.fillRect(QRect(at.x(), at.y(), 10, 10), Qt::white);
}

void TMemoCanvas::DrawShape(QPainter& painter, QPoint from, QPoint to) const {
    painter.setPen(StrokePen(MemoColor));
    painter.setBrush(Qt::NoBrush);
    const QRect box = QRect(from, to).normalized();
    switch (MemoTool) {
    case TMemoTool::Line:
        painter.drawLine(from, to);
        break;
    case TMemoTool::Ellipse:
        painter.drawEllipse(box);
        break;
    case TMemoTool::Rectangle:
        painter.drawRect(box);
        break;
    case TMemoTool::RoundRect:
        painter.drawRoundedRect(box, 5, 5);
        break;
    default:
        break;
    }
}

bool TMemoCanvas::MouseDown(QPoint at) {
    if (MemoDrawing || Image.isNull())
        return false;
    MemoDrawing = true;
    MemoStart = MemoLast = at;
    switch (MemoTool) {
    case TMemoTool::Pen: {
        QPainter painter(&Image);
        painter.setPen(StrokePen(MemoColor));
        painter.drawPoint(at);
        Changed();
        return true;
    }
    case TMemoTool::Eraser:
        Erase(at);
        Changed();
        return true;
    case TMemoTool::Fill:
        FloodFill(Image, at, MemoColor);
        Changed();
        return true;
    default:
        return false;
    }
}

bool TMemoCanvas::MouseMove(QPoint at) {
    if (!MemoDrawing)
        return false;
    bool changed = false;
    if (MemoTool == TMemoTool::Pen) {
        QPainter painter(&Image);
        painter.setPen(StrokePen(MemoColor));
        painter.drawLine(MemoLast, at);
        changed = true;
    } else if (MemoTool == TMemoTool::Eraser) {
        Erase(at);
        changed = true;
    }
    MemoLast = at;
    return changed;
}

bool TMemoCanvas::MouseUp(QPoint at) {
    if (!MemoDrawing)
        return false;
    MemoDrawing = false;
    if (MemoTool == TMemoTool::Pen) {
        QPainter painter(&Image);
        painter.setPen(StrokePen(MemoColor));
        painter.drawLine(MemoLast, at);
    } else if (IsShape(MemoTool)) {
        QPainter painter(&Image);
        DrawShape(painter, MemoStart, at);
        Changed();
        return true;
    }
    MemoLast = at;
    return MemoTool == TMemoTool::Pen;
}

void TMemoCanvas::DrawText(const QString& text, const QFont& font, QColor textColour) {
    QPainter painter(&Image);
    painter.setFont(font);
    painter.setPen(textColour);
    const QPoint topLeft(MemoStart.x() + 1, MemoStart.y() - 8);
    painter.drawText(QRect(topLeft, QSize(Image.width() + 1000, Image.height() + 1000)),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
    Changed();
}

void TMemoCanvas::PaintRubberBand(QPainter& painter) const {
    if (MemoDrawing && IsShape(MemoTool))
        DrawShape(painter, MemoStart, MemoLast);
}
