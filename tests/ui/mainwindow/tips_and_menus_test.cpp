#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QSet>

#include "ui/mainwindow/menu_drawing.h"
#include "ui/mainwindow/tips_ticker.h"

TEST(TipsTicker, ScrollsOutThenStartsTheNextTipAtTheRightEdge) {
    int next = 4;
    TTipsTicker ticker(168, [&](int count) {
        EXPECT_EQ(count, 11);
        return next;
    });
    EXPECT_EQ(ticker.CurrentTip, QStringLiteral("■使用上のヒント■"));
    EXPECT_EQ(ticker.TipX, 168);
    const int width = QFontMetrics(TTipsTicker::TipFont()).horizontalAdvance(ticker.CurrentTip);
    int ticks = 0;
    while (!ticker.Tick(168))
        ++ticks;
    // The last tick before the change had the text's end at x = 0 or beyond.
    EXPECT_EQ(ticks, 168 + width);
    EXPECT_EQ(ticker.TipX, 168);
    EXPECT_EQ(ticker.CurrentTip, UsageTips()[4]);

    QImage strip(168, 20, QImage::Format_RGB32);
    QPainter painter(&strip);
    ticker.TipX = 0;
    ticker.Paint(painter, strip.size());
    painter.end();
    EXPECT_EQ(strip.pixel(167, 0), qRgb(0, 0, 0));
    bool white = false;
    for (int x = 0; x < 40; ++x)
        for (int y = 5; y < 20; ++y)
            white = white || qGray(strip.pixel(x, y)) > 128;
    EXPECT_TRUE(white);
}

TEST(TipsTicker, EveryTipCanComeUp) {
    QRandomGenerator random(12345);
    TTipsTicker ticker(10, [&](int count) { return int(random.bounded(count)); });
    QSet<QString> seen;
    for (int i = 0; i < 400 && seen.size() < 11; ++i) {
        ticker.TipX = -100000;
        ticker.Tick(10);
        seen.insert(ticker.CurrentTip);
    }
    EXPECT_EQ(seen.size(), 11);
    EXPECT_EQ(UsageTips().size(), 11);
    // The default generator stays in range.
    TTipsTicker plain(10);
    for (int i = 0; i < 50; ++i) {
        plain.TipX = -100000;
        plain.Tick(10);
        EXPECT_TRUE(UsageTips().contains(plain.CurrentTip));
    }
}

TEST(FlatMenus, TickedItemShowsOrangeBoxAndNavyCheck) {
    QImage image(200, FlatMenuItemHeight, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QPainter painter(&image);
    TMenuItemLook look;
    look.Caption = QStringLiteral("自動改行(&W)");
    look.Checked = true;
    DrawFlatMenuItem(painter, image.rect(), look);
    painter.end();
    EXPECT_EQ(image.pixel(10, 5), qRgb(0xFF, 0xC0, 0x6F));  // inside the tick box
    EXPECT_EQ(image.pixel(2, 10), qRgb(0, 0, 0x80));        // its frame
    EXPECT_EQ(image.pixel(8, 13), qRgb(0, 0, 0x80));        // the check mark
    EXPECT_EQ(image.pixel(150, 3), qRgb(255, 255, 255));    // item background
    // The icon column runs from the light to the darker blue.
    EXPECT_EQ(image.pixel(0, 1), qRgb(0xE3, 0xEF, 0xFF));

    // No image: nothing but the gradient where the image would go.
    QImage plain(200, FlatMenuItemHeight, QImage::Format_RGB32);
    QPainter p2(&plain);
    look.Checked = false;
    DrawFlatMenuItem(p2, plain.rect(), look);
    TMenuItemLook withIcon = look;
    QPixmap icon(16, 16);
    icon.fill(Qt::red);
    withIcon.Icon = icon;
    QImage iconImage(200, FlatMenuItemHeight, QImage::Format_RGB32);
    QPainter p3(&iconImage);
    DrawFlatMenuItem(p3, iconImage.rect(), withIcon);
    p2.end();
    p3.end();
    EXPECT_NE(plain.pixel(10, 10), qRgb(255, 0, 0));
    EXPECT_EQ(iconImage.pixel(10, 10), qRgb(255, 0, 0));
    for (int y = 0; y < FlatMenuItemHeight; ++y)
        EXPECT_EQ(plain.pixel(10, y), plain.pixel(10, 0));

    // Selected: a navy frame round the whole item on the light fill.
    QImage selected(200, FlatMenuItemHeight, QImage::Format_RGB32);
    QPainter p4(&selected);
    look.Selected = true;
    DrawFlatMenuItem(p4, selected.rect(), look);
    p4.end();
    EXPECT_EQ(selected.pixel(0, 0), qRgb(0, 0, 0x80));
    EXPECT_EQ(selected.pixel(199, 21), qRgb(0, 0, 0x80));
    EXPECT_EQ(selected.pixel(5, 5), qRgb(0xFF, 0xEE, 0xC6));
}

TEST(FlatMenus, InputSupportTextFollowsTheCategory) {
    EXPECT_EQ(CategoryTextColour(0), QColor(0, 128, 0));
    EXPECT_EQ(CategoryTextColour(2), QColor(255, 128, 0));
    EXPECT_EQ(CategoryTextColour(5), QColor(128, 64, 64));
    QImage image(300, FlatMenuItemHeight, QImage::Format_RGB32);
    QPainter painter(&image);
    TMenuItemLook look;
    look.Caption = QStringLiteral("■■■■");
    DrawInputSupportItem(painter, image.rect(), look, 0);
    painter.end();
    bool green = false;
    for (int x = 23; x < 120; ++x)
        for (int y = 0; y < FlatMenuItemHeight; ++y)
            green = green || image.pixel(x, y) == qRgb(0, 128, 0);
    EXPECT_TRUE(green);
}
