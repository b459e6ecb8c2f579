#include <gtest/gtest.h>

#include "core/settings/window_geometry.h"
#include "ui/mainwindow/clock_face.h"

TEST(ClockFaceTest, HandsAndPoints) {
    const TClockHands half = ClockHandAngles(QTime(3, 30, 0));
    EXPECT_EQ(QList<int>({half.Hour, half.Minute, half.Second}), QList<int>({105, 180, 0}));
    EXPECT_EQ(ClockHandAngles(QTime(23, 59, 59, 999)).Second, 359);
    EXPECT_EQ(ClockPoint(QPoint(23, 23), 20, 90), QPoint(43, 23));
    // 30 degrees, radius 21: sin = 10.5 rounds to the even 10.
    EXPECT_EQ(ClockPoint(QPoint(23, 23), 21, 30).x(), 33);
    EXPECT_EQ(DigitalClockText(QTime(7, 5)), QStringLiteral("07:05"));
}

TEST(WindowGeometryTest, BoundsStayOnTheScreens) {
    const QList<QRect> two{QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)};
    const QList<QRect> one{QRect(0, 0, 1024, 768)};
    EXPECT_EQ(ClampToScreens(QRect(2000, 50, 800, 600), two), QRect(2000, 50, 800, 600));
    // Off every screen (a monitor that is gone): back on the nearest.
    const QRect far = ClampToScreens(QRect(5000, 3000, 800, 600), two);
    EXPECT_TRUE(two[0].contains(far) || two[1].contains(far));
    EXPECT_EQ(ClampToScreens(QRect(0, 0, 5000, 4000), one), QRect(0, 0, 1024, 768));
    EXPECT_EQ(ClampToScreens(QRect(10, -590, 800, 600), one).top(), 0);
}
