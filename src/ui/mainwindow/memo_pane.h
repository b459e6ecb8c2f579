#pragma once

#include <functional>

#include <QObject>
#include <QList>

#include "core/recipes/memo_canvas.h"

class QFrame;
class QLineEdit;
class QToolButton;
class QWidget;

// The handwritten memo tab: puts the eight tool buttons and the nine colour
// swatches on the tool panel, draws the canvas on `canvasWidget` (the
// image in the scroll box) and turns its mouse events into strokes.
class TMemoPane final : public QObject {
    Q_OBJECT
public:
    // The swatches go on `palettePanel` (a column beside the canvas) when
    // given, else at the end of the tool row.
    TMemoPane(QWidget* canvasWidget, QWidget* toolPanel, QObject* parent = nullptr, QWidget* palettePanel = nullptr);

    TMemoCanvas Canvas;
    // The window's memo bitmap, when it keeps its own: the canvas draws on it
    // (taking it over for each mouse event, so no copy is made).
    // Without it the canvas keeps its own picture.
    std::function<QImage&()> Bitmap;
    // Whether a recipe is selected; without one the canvas takes no stroke.
    std::function<bool()> CanDraw = [] { return true; };

    QWidget* imgDraw = nullptr;
    QToolButton* SpeedButton3 = nullptr;   // pen
    QToolButton* SpeedButton8 = nullptr;   // eraser
    QToolButton* SpeedButton5 = nullptr;   // line
    QToolButton* SpeedButton6 = nullptr;   // ellipse
    QToolButton* SpeedButton7 = nullptr;   // rectangle
    QToolButton* SpeedButton11 = nullptr;  // rounded rectangle
    QToolButton* SpeedButton9 = nullptr;   // fill
    QToolButton* SpeedButton10 = nullptr;  // text
    QList<QFrame*> Swatches;               // black .. aqua
    QFrame* Panel16 = nullptr;             // "選択色"
    QLineEdit* EditText = nullptr;

    // A white canvas of the settings' size; drops unconfirmed text.
    void Reset(int width, int height);
    bool MemoDirty() const { return Canvas.MemoDirty; }
    // The picture shown: the window's bitmap or the canvas's own.
    const QImage& Shown() const;
    // Call after the window replaced its bitmap (a recipe was loaded).
    void BitmapReplaced();

    void SpeedButton3Click(TMemoTool tool);
    void Panel18Click(int swatch);
    void HideTextEdit();

signals:
    // The canvas changed: the caller sets the modified marker.
    void Changed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void EditTextKeyPress();
    void Resized();
    void TakeBitmap();
    void GiveBackBitmap();
};
