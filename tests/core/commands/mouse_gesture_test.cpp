#include <gtest/gtest.h>

#include "core/common/helpers.h"
#include "core/commands/mouse_gesture.h"

namespace {

QString Drag(TMouseGesture& g, QPoint start, std::initializer_list<QPoint> moves) {
    g.Down(start);
    for (QPoint p : moves)
        g.Move(p);
    return g.Gesture();
}

}  // namespace

TEST(MouseGesture, StrokesAndTheCommandsTheyForm) {
    struct TCase {
        QPoint Start;
        std::initializer_list<QPoint> Moves;
        const char* Letters;
        TGestureCommand Command;
        QString Status;
    };
    const TCase cases[] = {
        {{100, 100}, {{70, 100}}, "L", TGestureCommand::None, "L"},
        // A long way up then down is one U and one D.
        {{100, 200}, {{100, 170}, {100, 140}, {100, 110}, {100, 140}, {100, 170}}, "UD", TGestureCommand::Reload,
         "UD [更新]"},
        {{100, 100}, {{130, 100}, {130, 130}, {100, 130}, {100, 100}}, "RDLU", TGestureCommand::Delete, "RDLU [削除]"},
        {{100, 100}, {{100, 130}, {70, 130}}, "DL", TGestureCommand::Rename, "DL [料理名変更]"},
        {{100, 100}, {{100, 130}, {130, 130}}, "DR", TGestureCommand::Attributes, "DR [レシピ属性変更]"},
        // Other sequences run nothing; a click, or a wobble inside the threshold, collects nothing.
        {{100, 100}, {{130, 100}, {130, 130}}, "RD", TGestureCommand::None, "RD"},
        {{100, 200}, {{100, 170}, {100, 200}, {100, 170}}, "UDU", TGestureCommand::None, "UDU"},
        {{100, 100}, {{105, 105}, {110, 110}}, "", TGestureCommand::None, ""},
        // Diagonals fall by the drag angle: up-right is 135 (R), up-left 45 (U).
        {{100, 100}, {{120, 80}}, "R", TGestureCommand::None, "R"},
        {{100, 100}, {{80, 80}}, "U", TGestureCommand::None, "U"},
    };
    TMouseGesture g(GetDragAngle);
    for (const TCase& c : cases) {
        EXPECT_EQ(Drag(g, c.Start, c.Moves), c.Letters);
        EXPECT_EQ(g.Command(), c.Command) << c.Letters;
        EXPECT_EQ(g.StatusText(), c.Status);
    }
    // A new press forgets the last gesture.
    g.Down({0, 0});
    EXPECT_EQ(g.Command(), TGestureCommand::None);
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
    const std::pair<int, const char*> directions[] = {{0, "L"},   {44, "L"},  {45, "U"},  {134, "U"}, {135, "R"},
                                                      {224, "R"}, {225, "D"}, {314, "D"}, {315, "L"}, {360, "L"},
                                                      {-1, ""},   {361, ""}};
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
