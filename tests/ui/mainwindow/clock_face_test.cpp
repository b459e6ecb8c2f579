#include <gtest/gtest.h>


#include "ui/mainwindow/clock_face.h"
#include "core/settings/window_geometry.h"

TEST(ClockFaceTest, HandsAndPoints) {
    const TClockHands half = ClockHandAngles(QTime(3, 30, 0));
    EXPECT_EQ(half.Hour, 105);
    EXPECT_EQ(half.Minute, 180);
    EXPECT_EQ(half.Second, 0);
    EXPECT_EQ(ClockHandAngles(QTime(23, 59, 59, 999)).Second, 359);
    const QPoint c(23, 23);
    EXPECT_EQ(ClockPoint(c, 20, 0), QPoint(23, 3));
    EXPECT_EQ(ClockPoint(c, 20, 90), QPoint(43, 23));
    EXPECT_EQ(ClockPoint(c, 20, 180), QPoint(23, 43));
    // 30 degrees, radius 21: sin = 10.5 rounds to the even 10.
    EXPECT_EQ(ClockPoint(c, 21, 30).x(), 33);
    EXPECT_EQ(DigitalClockText(QTime(7, 5)), QStringLiteral("07:05"));
    EXPECT_EQ(DigitalClockText(QTime(19, 45)), QStringLiteral("19:45"));
}

TEST(WindowGeometryTest, BoundsStayOnTheScreens) {
    const QList<QRect> screens{QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)};
    // Inside: unchanged.
    EXPECT_EQ(ClampToScreens(QRect(100, 100, 800, 600), screens), QRect(100, 100, 800, 600));
    EXPECT_EQ(ClampToScreens(QRect(2000, 50, 800, 600), screens), QRect(2000, 50, 800, 600));
    // Off every screen (a monitor that is gone): back on the nearest.
    const QRect far = ClampToScreens(QRect(5000, 3000, 800, 600), screens);
    EXPECT_TRUE(screens[0].contains(far) || screens[1].contains(far));
    // Larger than the screen: shrunk to it.
    EXPECT_EQ(ClampToScreens(QRect(0, 0, 5000, 4000), {QRect(0, 0, 1024, 768)}), QRect(0, 0, 1024, 768));
    // Mostly above the top edge: moved down.
    EXPECT_EQ(ClampToScreens(QRect(10, -590, 800, 600), {QRect(0, 0, 1024, 768)}).top(), 0);
}
