#include <gtest/gtest.h>

#include "core/common/helpers.h"
#include "core/commands/mouse_gesture.h"

TEST(MouseGesture, StrokesAndTheCommandsTheyForm) {
    struct TCase {
        QPoint Start;
        std::initializer_list<QPoint> Moves;
        TGestureCommand Command;
        QString Status;  // the letters, then the command's caption
    };
    using enum TGestureCommand;
    const TCase cases[] = {
        {{100, 100}, {{70, 100}}, None, "L"},
        // A long way up then down is one U and one D.
        {{100, 200}, {{100, 170}, {100, 140}, {100, 110}, {100, 140}, {100, 170}}, Reload, "UD [更新]"},
        {{100, 100}, {{130, 100}, {130, 130}, {100, 130}, {100, 100}}, Delete, "RDLU [削除]"},
        {{100, 100}, {{100, 130}, {70, 130}}, Rename, "DL [料理名変更]"},
        {{100, 100}, {{100, 130}, {130, 130}}, Attributes, "DR [レシピ属性変更]"},
        // Other sequences run nothing; a click, or a wobble inside the threshold, collects nothing.
        {{100, 200}, {{100, 170}, {100, 200}, {100, 170}}, None, "UDU"},
        {{100, 100}, {{105, 105}, {110, 110}}, None, ""},
        // Diagonals fall by the drag angle: up-right is 135 (R), up-left 45 (U).
        {{100, 100}, {{120, 80}}, None, "R"}, {{100, 100}, {{80, 80}}, None, "U"},
    };
    TMouseGesture g(GetDragAngle);
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Status.toStdString());
        g.Down(c.Start);
        for (QPoint p : c.Moves)
            g.Move(p);
        EXPECT_EQ(g.Gesture(), c.Status.section(' ', 0, 0));
        EXPECT_EQ(g.Command(), c.Command);
        EXPECT_EQ(g.StatusText(), c.Status);
    }
    g.Down({0, 0});  // a new press forgets the last gesture
    EXPECT_EQ(g.Command(), None);
}

TEST(MouseGesture, SlowMovesAddUpAndTheThresholdIsStrict) {
    TMouseGesture g(GetDragAngle);
    g.Down({100, 100});
    // 20² + 10² = 500 is not longer than the step.
    for (int y = 99; y >= 90; --y)
        EXPECT_FALSE(g.Move({120, y}));
    EXPECT_EQ(g.Gesture(), "");
    // One more pixel passes it, measured from the press, not the last move.
    EXPECT_TRUE(g.Move({120, 89}));
    EXPECT_EQ(g.Gesture(), "R");
}

TEST(MouseGesture, AngleBoundaries) {
    const std::pair<int, const char*> directions[] = {{0, "L"},   {44, "L"},  {45, "U"},  {134, "U"},
                                                      {135, "R"}, {224, "R"}, {225, "D"}, {314, "D"},
                                                      {315, "L"}, {360, "L"}, {-1, ""},   {361, ""}};
    for (const auto& [angle, letter] : directions)
        EXPECT_EQ(TMouseGesture::DirectionForAngle(angle), letter) << angle;
    // The recogniser passes the step's points in order: from the reference point to the new one.
    QList<int> seen;
    TMouseGesture g([&](int x1, int y1, int x2, int y2) {
        seen = {x1, y1, x2, y2};
        return 44;
    });
    g.Down({10, 20});
    g.Move({40, 60});
    EXPECT_EQ(seen, (QList<int>{10, 20, 40, 60}));
    EXPECT_EQ(g.Gesture(), "L");
}
