#pragma once

#include <functional>

#include <QFont>
#include <QPixmap>
#include <QString>
#include <QStringList>

class QPainter;
class QSize;

// The usage tips that scroll across the black strip, right to left.
QStringList UsageTips();

class TTipsTicker final {
public:
    // Picks a tip index in [0, count); the clock-seeded generator by default.
    using TPick = std::function<int(int count)>;

    explicit TTipsTicker(int stripWidth, TPick pick = {});

    int TipX = 0;
    QString CurrentTip = QStringLiteral("■使用上のヒント■");

    // One tick: moves the text 1 pixel left; once it has left the strip the
    // next tip, chosen at random, starts at the right edge. Returns true when
    // a new tip started.
    bool Tick(int stripWidth);

    // Black strip, white text at (TipX, 5).
    void Paint(QPainter& painter, const QSize& strip);

    // The width of CurrentTip on the strip, measured once per text.
    int TextWidth();

    static QFont TipFont();

private:
    TPick Pick;
    // The text is laid out once per tip: a frame only moves the picture of it.
    QString MeasuredTip;
    int MeasuredWidth = 0;
    QString DrawnTip;
    QPixmap Drawn;
};
