#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QSet>

#include <optional>

#include <QTimer>

#include "support/main_form_fixture.h"
#include "ui/mainwindow/menu_drawing.h"
#include "ui/mainwindow/tips_ticker.h"

namespace {

// The strip as the tip's text drawn straight at (x, 5) on black.
QImage DrawnDirectly(const QString& tip, int x) {
    QImage image(168, 20, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.fillRect(image.rect(), Qt::black);
    painter.setFont(TTipsTicker::TipFont());
    painter.setPen(Qt::white);
    painter.drawText(QRect(x, 5, 100000, 20), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, tip);
    return image;
}

}  // namespace

TEST(TipsTicker, ScrollsOutThenStartsTheNextTipAtTheRightEdge) {
    TTipsTicker ticker(168, [](int count) { return count == 11 ? 4 : 0; });
    EXPECT_EQ(ticker.CurrentTip, QStringLiteral("■使用上のヒント■"));
    const int width = QFontMetrics(TTipsTicker::TipFont()).horizontalAdvance(ticker.CurrentTip);
    int ticks = 0;
    while (!ticker.Tick(168))
        ++ticks;
    // The last tick before the change had the text's end at x = 0 or beyond.
    EXPECT_EQ(ticks, 168 + width);
    EXPECT_EQ(ticker.TipX, 168);
    EXPECT_EQ(ticker.CurrentTip, UsageTips()[4]);
}

TEST(TipsTicker, EveryTipCanComeUpAndTheDefaultGeneratorStaysInRange) {
    QRandomGenerator random(12345);
    TTipsTicker seeded(10, [&](int count) { return int(random.bounded(count)); });
    TTipsTicker plain(10);
    QSet<QString> seen;
    for (int i = 0; i < 400; ++i) {
        for (TTipsTicker* ticker : {&seeded, &plain}) {
            ticker->TipX = -100000;
            ticker->Tick(10);
        }
        seen.insert(seeded.CurrentTip);
        EXPECT_TRUE(UsageTips().contains(plain.CurrentTip));
    }
    EXPECT_EQ(seen.size(), 11);
}

// The strip as drawn straight with the tip's text at (TipX, 5), at the
// right edge, half out on the left, and after the next tip came up.
TEST(TipsTicker, EachFrameIsTheTextDrawnAtItsPlace) {
    int next = 0;
    TTipsTicker ticker(168, [&](int) { return next; });
    auto direct = [&] { return DrawnDirectly(ticker.CurrentTip, ticker.TipX); };
    auto framed = [&] {
        QImage image(168, 20, QImage::Format_RGB32);
        image.fill(Qt::magenta);
        QPainter painter(&image);
        ticker.Paint(painter, image.size());
        return image;
    };
    struct TRow {
        int Ticks;
        int Next;  // the tip that comes up next
    };
    const std::vector<TRow> rows = {{0, 0}, {1, 0}, {100, 0}, {168 + 40, 0}, {2000, 8}, {3, 8}, {400, 3}};
    for (const TRow& row : rows) {
        next = row.Next;
        for (int i = 0; i < row.Ticks; ++i)
            ticker.Tick(168);
        EXPECT_EQ(framed(), direct()) << ticker.TipX << " " << ticker.CurrentTip.toStdString();
        EXPECT_EQ(ticker.TextWidth(), QFontMetrics(TTipsTicker::TipFont()).horizontalAdvance(ticker.CurrentTip));
    }
}

TEST(FlatMenus, TicksIconsAndSelectionInTheirColours) {
    QPixmap red(16, 16);
    red.fill(Qt::red);
    struct TRow {
        bool Checked, Selected, Icon;
        QPoint At;
        QRgb Colour;
    };
    const TRow rows[] = {
        {true, false, false, {10, 5}, qRgb(0xFF, 0xC0, 0x6F)},  // inside the tick box
        {true, false, false, {8, 13}, qRgb(0, 0, 0x80)},        // the check mark
        {true, false, false, {150, 3}, qRgb(255, 255, 255)},    // item background
        {false, false, false, {0, 1}, qRgb(0xE3, 0xEF, 0xFF)},  // the icon column runs left to right:
        {false, false, false, {0, 20}, qRgb(0xE3, 0xEF, 0xFF)}, // its light end is light top to bottom
        {false, false, true, {10, 10}, qRgb(255, 0, 0)},
        {false, true, false, {199, 21}, qRgb(0, 0, 0x80)},  // a navy frame round the whole item
        {false, true, false, {5, 5}, qRgb(0xFF, 0xEE, 0xC6)},
    };
    for (const TRow& row : rows) {
        QImage image(200, FlatMenuItemHeight, QImage::Format_RGB32);
        image.fill(Qt::magenta);
        QPainter painter(&image);
        TMenuItemLook look;
        look.Caption = QStringLiteral("自動改行(&W)");
        look.Icon = row.Icon ? red : QPixmap();
        look.Selected = row.Selected;
        look.Checked = row.Checked;
        DrawFlatMenuItem(painter, image.rect(), look);
        painter.end();
        EXPECT_EQ(image.pixel(row.At), row.Colour) << row.At.x() << "," << row.At.y();
    }
}

namespace {

struct TTipAt {
    QString Tip;
    int X = 0;
};

// Which tip the strip shows, and where: none when no text is in sight.
std::optional<TTipAt> TipOnStrip(const QImage& strip) {
    if (strip == DrawnDirectly(QString(), 0))
        return std::nullopt;
    QStringList tips = UsageTips();
    tips.prepend(QStringLiteral("■使用上のヒント■"));
    const QFontMetrics metrics(TTipsTicker::TipFont());
    for (const QString& tip : tips)
        for (int x = 167; x > -metrics.horizontalAdvance(tip); --x)
            if (DrawnDirectly(tip, x) == strip)
                return TTipAt{tip, x};
    return std::nullopt;
}

}  // namespace

// The strip of the real window, driven by its own timer: each tick moves
// the tip's text exactly one pixel left, drawn as the text itself.
TEST(TipsTicker, TheWindowsStripMovesItsTipOnePixelATick) {
    TMainFormFixture f;
    f.Open();
    auto* timer = f.Find<QTimer>(QStringLiteral("tmHint"));
    auto* strip = f.Find<QLabel>(QStringLiteral("imgHint"));
    ASSERT_TRUE(timer && strip);
    EXPECT_EQ(timer->interval(), 35);
    timer->stop();
    auto tick = [&](int times) {
        for (int i = 0; i < times; ++i)
            ASSERT_TRUE(QMetaObject::invokeMethod(timer, "timeout"));
    };
    auto shown = [&] { return strip->grab().toImage().convertToFormat(QImage::Format_RGB32); };
    std::optional<TTipAt> at = TipOnStrip(shown());
    // Between two tips the strip is black: the next one comes in from the right.
    if (!at || at->X + QFontMetrics(TTipsTicker::TipFont()).horizontalAdvance(at->Tip) < 8) {
        tick(at ? at->X + QFontMetrics(TTipsTicker::TipFont()).horizontalAdvance(at->Tip) + 1 : 0);
        tick(20);
        at = TipOnStrip(shown());
    }
    ASSERT_TRUE(at.has_value());
    for (const int ticks : {1, 1, 5}) {
        tick(ticks);
        at->X -= ticks;
        EXPECT_EQ(shown(), DrawnDirectly(at->Tip, at->X)) << at->X << " " << at->Tip.toStdString();
    }
}
