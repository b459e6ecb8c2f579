#pragma once

#include <cstdint>

#include <QColor>
#include <QFont>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QString>

class QPainter;

// The drawing of the handwritten memo, on a white bitmap. The canvas widget
// feeds it mouse events; everything it draws lands in `Image`, except the
// rubber band of a shape being dragged, which PaintRubberBand shows over it.
enum class TMemoTool : std::uint8_t {
    Pen = 1,
    Line = 3,
    Ellipse = 4,
    Rectangle = 5,
    Eraser = 6,
    Fill = 7,
    Text = 8,
    RoundRect = 9,
};

// The nine palette colours, top to bottom.
QList<QColor> MemoPalette();

// Fills the 4-connected area of the colour at `start` with `colour`; ends at
// once when that colour is already `colour` or the point is off the image.
// Returns whether anything changed.
bool FloodFill(QImage& image, QPoint start, QColor colour);

class TMemoCanvas final {
public:
    QImage Image;
    TMemoTool MemoTool = TMemoTool::Pen;
    QColor MemoColor = Qt::black;
    bool MemoDrawing = false;
    bool MemoDirty = false;
    QPoint MemoStart;
    QPoint MemoLast;

    // A white canvas of the given size; clears MemoDirty.
    void Reset(int width, int height);

    // The stroke handlers; each returns whether the canvas changed (the
    // caller sets the modified marker then). MouseDown on the text tool only
    // records where the text goes.
    bool MouseDown(QPoint at);
    bool MouseMove(QPoint at);
    bool MouseUp(QPoint at);

    // Draws confirmed text of the floating edit: 1 pixel right of and 8 above
    // the point clicked.
    void DrawText(const QString& text, const QFont& font, QColor textColour);

    // The shape being dragged, for the widget to paint over the image.
    void PaintRubberBand(QPainter& painter) const;

private:
    void DrawShape(QPainter& painter, QPoint from, QPoint to) const;
    void Erase(QPoint at);
    void Changed();
};
