#include "ui/mainwindow/memo_pane.h"

#include <QApplication>
#include <QBoxLayout>
#include <QButtonGroup>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>

#include <utility>

namespace {

struct TToolButtonDef {
    const char* Name;
    TMemoTool Tool;
    const char* Caption;
    const char* Hint;
};

const TToolButtonDef ToolButtons[] = {
    {"SpeedButton3", TMemoTool::Pen, "✎", "ペン"},
    {"SpeedButton8", TMemoTool::Eraser, "□", "消しゴム"},
    {"SpeedButton5", TMemoTool::Line, "╲", "直線"},
    {"SpeedButton6", TMemoTool::Ellipse, "○", "楕円"},
    {"SpeedButton7", TMemoTool::Rectangle, "▭", "四角形"},
    {"SpeedButton11", TMemoTool::RoundRect, "▢", "角丸四角形"},
    {"SpeedButton9", TMemoTool::Fill, "▼", "塗りつぶし"},
    {"SpeedButton10", TMemoTool::Text, "A", "文字"},
};

Qt::CursorShape CursorFor(TMemoTool tool) {
    switch (tool) {
    case TMemoTool::Eraser:
    case TMemoTool::Text:
        return Qt::IBeamCursor;
    case TMemoTool::Line:
    case TMemoTool::Ellipse:
    case TMemoTool::Rectangle:
    case TMemoTool::RoundRect:
        return Qt::CrossCursor;
    default:
        return Qt::ArrowCursor;
    }
}

void PaintSwatch(QFrame* swatch, const QColor& colour) {
    swatch->setStyleSheet(QStringLiteral("QFrame { background: %1; border: 1px solid gray; }").arg(colour.name()));
}

}  // namespace

TMemoPane::TMemoPane(QWidget* canvasWidget, QWidget* toolPanel, QObject* parent, QWidget* palettePanel)
    : QObject(parent), imgDraw(canvasWidget) {
    auto* layout = qobject_cast<QBoxLayout*>(toolPanel->layout());
    if (!layout)
        layout = new QHBoxLayout(toolPanel);
    // The row may be cut off in a narrow pane rather than widen the window.
    layout->setSpacing(2);
    toolPanel->setSizePolicy(QSizePolicy::Ignored, toolPanel->sizePolicy().verticalPolicy());
    auto* group = new QButtonGroup(this);
    group->setExclusive(true);
    QToolButton** targets[] = {&SpeedButton3, &SpeedButton8, &SpeedButton5, &SpeedButton6,
                             &SpeedButton7, &SpeedButton11, &SpeedButton9, &SpeedButton10};
    int i = 0;
    // The tools go in front of what the panel already holds (the canvas size
    // label at its right end), so the label keeps its room.
    for (const TToolButtonDef& def : ToolButtons) {
        auto* button = new QToolButton(toolPanel);
        button->setObjectName(QString::fromLatin1(def.Name));
        button->setText(QString::fromUtf8(def.Caption));
        button->setToolTip(QString::fromUtf8(def.Hint));
        button->setCheckable(true);
        button->setAutoRaise(true);
        button->setFixedSize(24, 24);
        button->setProperty("Tag", int(def.Tool));
        group->addButton(button);
        layout->insertWidget(i, button);
        const TMemoTool tool = def.Tool;
        connect(button, &QToolButton::clicked, this, [this, tool] { SpeedButton3Click(tool); });
        *targets[i++] = button;
    }
    SpeedButton3->setChecked(true);

    QBoxLayout* swatchLayout = layout;
    QWidget* swatchParent = toolPanel;
    if (palettePanel) {
        swatchLayout = qobject_cast<QBoxLayout*>(palettePanel->layout());
        if (!swatchLayout)
            swatchLayout = new QVBoxLayout(palettePanel);
        swatchLayout->setContentsMargins(2, 2, 2, 2);
        swatchLayout->setSpacing(2);
        swatchParent = palettePanel;
        layout->addStretch(1);
    } else {
        layout->addSpacing(12);
    }
    const QList<QColor> palette = MemoPalette();
    for (int s = 0; s < palette.size(); ++s) {
        auto* swatch = new QFrame(swatchParent);
        swatch->setObjectName(s == 0 ? QStringLiteral("Panel18") : QStringLiteral("Panel18_%1").arg(s));
        swatch->setFixedSize(16, 16);
        PaintSwatch(swatch, palette[s]);
        swatch->installEventFilter(this);
        swatch->setProperty("Swatch", s);
        swatchLayout->addWidget(swatch, 0, Qt::AlignHCenter);
        Swatches.append(swatch);
    }
    swatchLayout->addSpacing(8);
    auto* chosenCaption = new QLabel(QStringLiteral("選択色"), swatchParent);
    swatchLayout->addWidget(chosenCaption, 0, Qt::AlignHCenter);
    Panel16 = new QFrame(swatchParent);
    Panel16->setObjectName(QStringLiteral("Panel16"));
    Panel16->setFixedSize(24, 16);
    PaintSwatch(Panel16, Canvas.MemoColor);
    swatchLayout->addWidget(Panel16, 0, Qt::AlignHCenter);
    swatchLayout->addStretch(1);

    EditText = new QLineEdit(imgDraw);
    EditText->setObjectName(QStringLiteral("EditText"));
    EditText->setFrame(false);
    EditText->setFixedWidth(160);
    EditText->hide();
    connect(EditText, &QLineEdit::returnPressed, this, &TMemoPane::EditTextKeyPress);

    imgDraw->installEventFilter(this);
    imgDraw->setMouseTracking(false);
    imgDraw->setCursor(CursorFor(Canvas.MemoTool));
    Canvas.Reset(1, 1);
    Resized();
}

const QImage& TMemoPane::Shown() const {
    if (Bitmap)
        return Bitmap();
    return Canvas.Image;
}

void TMemoPane::TakeBitmap() {
    if (Bitmap)
        Canvas.Image = std::exchange(Bitmap(), QImage());
}

void TMemoPane::GiveBackBitmap() {
    if (Bitmap)
        Bitmap() = std::exchange(Canvas.Image, QImage());
}

void TMemoPane::BitmapReplaced() {
    HideTextEdit();
    Canvas.MemoDrawing = false;
    Canvas.MemoDirty = false;
    Resized();
}

void TMemoPane::Resized() {
    imgDraw->setMinimumSize(Shown().size());
    imgDraw->resize(Shown().size());
    imgDraw->update();
}

void TMemoPane::Reset(int width, int height) {
    HideTextEdit();
    Canvas.Reset(width, height);
    GiveBackBitmap();
    Resized();
}

void TMemoPane::HideTextEdit() { EditText->hide(); }

void TMemoPane::SpeedButton3Click(TMemoTool tool) {
    HideTextEdit();  // text not yet confirmed is dropped
    Canvas.MemoTool = tool;
    imgDraw->setCursor(CursorFor(tool));
    for (QToolButton* button : {SpeedButton3, SpeedButton8, SpeedButton5, SpeedButton6, SpeedButton7, SpeedButton11,
                                SpeedButton9, SpeedButton10})
        if (button->property("Tag").toInt() == int(tool))
            button->setChecked(true);
}

void TMemoPane::Panel18Click(int swatch) {
    const QList<QColor> palette = MemoPalette();
    if (swatch < 0 || swatch >= palette.size())
        return;
    Canvas.MemoColor = palette[swatch];
    PaintSwatch(Panel16, Canvas.MemoColor);
}

void TMemoPane::EditTextKeyPress() {
    if (!EditText->isVisible())
        return;
    TakeBitmap();
    Canvas.DrawText(EditText->text(), EditText->font(), EditText->palette().color(QPalette::Text));
    GiveBackBitmap();
    HideTextEdit();
    imgDraw->update();
    emit Changed();
}

bool TMemoPane::eventFilter(QObject* watched, QEvent* event) {
    if (watched != imgDraw) {
        if (event->type() == QEvent::MouseButtonPress) {
            if (auto* swatch = qobject_cast<QFrame*>(watched); swatch && Swatches.contains(swatch))
                Panel18Click(swatch->property("Swatch").toInt());
        }
        return QObject::eventFilter(watched, event);
    }
    switch (event->type()) {
    case QEvent::Paint: {
        QPainter painter(imgDraw);
        painter.drawImage(0, 0, Shown());
        Canvas.PaintRubberBand(painter);
        return true;
    }
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (!CanDraw() || Canvas.MemoDrawing)
            return true;
        const QPoint at = mouse->position().toPoint();
        // The window's bitmap is lent for one event at a time, so a save or
        // another recipe in the middle of a stroke finds the drawing there.
        TakeBitmap();
        const bool changed = Canvas.MouseDown(at);
        GiveBackBitmap();
        if (Canvas.MemoTool == TMemoTool::Text) {
            EditText->move(at.x(), at.y() - 9);
            EditText->clear();
            EditText->show();
            EditText->raise();
            EditText->setFocus();
        }
        imgDraw->update();
        if (changed)
            emit Changed();
        return true;
    }
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease: {
        if (!Canvas.MemoDrawing)
            return true;
        const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
        TakeBitmap();
        const bool changed =
            event->type() == QEvent::MouseMove ? Canvas.MouseMove(at) : Canvas.MouseUp(at);
        GiveBackBitmap();
        if (changed)
            emit Changed();
        imgDraw->update();
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}
