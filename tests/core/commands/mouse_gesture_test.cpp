#include <gtest/gtest.h>

#include "core/common/helpers.h"
#include "core/commands/mouse_gesture.h"

namespace {

int TestAngle(int x1, int y1, int x2, int y2) { return GetDragAngle(x1, y1, x2, y2); }

QString Drag(TMouseGesture& g, QPoint start, std::initializer_list<QPoint> moves) {
    g.Down(start);
    for (QPoint p : moves)
        g.Move(p);
    return g.Gesture();
}

}  // namespace

TEST(MouseGesture, FourDirectionsAndTheCommandsTheyForm) {
    TMouseGesture g(TestAngle);
    EXPECT_EQ(Drag(g, {100, 100}, {{100, 70}}), "U");
    EXPECT_EQ(Drag(g, {100, 100}, {{130, 100}}), "R");
    EXPECT_EQ(Drag(g, {100, 100}, {{100, 130}}), "D");
    EXPECT_EQ(Drag(g, {100, 100}, {{70, 100}}), "L");

    // A long way up then down is one U and one D.
    EXPECT_EQ(Drag(g, {100, 200}, {{100, 170}, {100, 140}, {100, 110}, {100, 140}, {100, 170}}),
              "UD");
    EXPECT_EQ(g.Command(), TGestureCommand::Reload);
    EXPECT_EQ(g.StatusText(), "UD [更新]");

    Drag(g, {100, 100}, {{130, 100}, {130, 130}, {100, 130}, {100, 100}});
    EXPECT_EQ(g.Command(), TGestureCommand::Delete);
    EXPECT_EQ(g.StatusText(), "RDLU [削除]");
    Drag(g, {100, 100}, {{100, 130}, {70, 130}});
    EXPECT_EQ(g.Command(), TGestureCommand::Rename);
    EXPECT_EQ(g.StatusText(), "DL [料理名変更]");
    Drag(g, {100, 100}, {{100, 130}, {130, 130}});
    EXPECT_EQ(g.Command(), TGestureCommand::Attributes);
    EXPECT_EQ(g.StatusText(), "DR [レシピ属性変更]");
}

TEST(MouseGesture, OtherSequencesAndClicksRunNothing) {
    TMouseGesture g(TestAngle);
    Drag(g, {100, 100}, {{130, 100}, {130, 130}});
    EXPECT_EQ(g.Gesture(), "RD");
    EXPECT_EQ(g.Command(), TGestureCommand::None);
    EXPECT_EQ(g.StatusText(), "RD");
    Drag(g, {100, 200}, {{100, 170}, {100, 200}, {100, 170}});
    EXPECT_EQ(g.Gesture(), "UDU");
    EXPECT_EQ(g.Command(), TGestureCommand::None);

    // A click, or a wobble inside the threshold, collects nothing.
    EXPECT_EQ(Drag(g, {100, 100}, {{105, 105}, {110, 110}}), "");
    EXPECT_EQ(g.Command(), TGestureCommand::None);
    // A new press forgets the last gesture.
    Drag(g, {100, 200}, {{100, 170}, {100, 200}});
    g.Down({0, 0});
    EXPECT_EQ(g.Gesture(), "");
    EXPECT_EQ(g.Command(), TGestureCommand::None);
}

TEST(MouseGesture, SlowMovesAddUpAndTheThresholdIsStrict) {
    TMouseGesture g(TestAngle);
    g.Down({100, 100});
    // 20² + 10² = 500 is not longer than the step.
    for (int y = 99; y >= 90; --y)
        EXPECT_FALSE(g.Move({120, y}));
    EXPECT_EQ(g.Gesture(), "");
    // One more pixel passes it, measured from the press, not the last move.
    EXPECT_TRUE(g.Move({120, 89}));
    EXPECT_EQ(g.Gesture(), "R");

    g.Down({0, 0});
    for (int x = 1; x <= 22; ++x)
        g.Move({x, 0});
    EXPECT_EQ(g.Gesture(), "");
    g.Move({23, 0});
    EXPECT_EQ(g.Gesture(), "R");
}

TEST(MouseGesture, AngleBoundaries) {
    EXPECT_EQ(TMouseGesture::DirectionForAngle(0), "L");
    EXPECT_EQ(TMouseGesture::DirectionForAngle(44), "L");
    EXPECT_EQ(TMouseGesture::DirectionForAngle(45), "U");
    EXPECT_EQ(TMouseGesture::DirectionForAngle(134), "U");
    EXPECT_EQ(TMouseGesture::DirectionForAngle(135), "R");
    EXPECT_EQ(TMouseGesture::DirectionForAngle(224), "R");
    EXPECT_EQ(TMouseGesture::DirectionForAngle(225), "D");
    EXPECT_EQ(TMouseGesture::DirectionForAngle(314), "D");
    EXPECT_EQ(TMouseGesture::DirectionForAngle(315), "L");
    EXPECT_EQ(TMouseGesture::DirectionForAngle(360), "L");
    EXPECT_EQ(TMouseGesture::DirectionForAngle(-1), "");
    EXPECT_EQ(TMouseGesture::DirectionForAngle(361), "");

    // The recogniser passes the step's points in order: from the reference point to the new one.
    int seen[4] = {};
    TMouseGesture g([&](int x1, int y1, int x2, int y2) {
        seen[0] = x1, seen[1] = y1, seen[2] = x2, seen[3] = y2;
        return 44;
    });
    g.Down({10, 20});
    g.Move({40, 60});
    EXPECT_EQ(seen[0], 10);
    EXPECT_EQ(seen[1], 20);
    EXPECT_EQ(seen[2], 40);
    EXPECT_EQ(seen[3], 60);
    EXPECT_EQ(g.Gesture(), "L");
}

TEST(MouseGesture, DiagonalStepsFallByTheDragAngle) {
    TMouseGesture g(GetDragAngle);
    // Up and to the right at 45 degrees from the reference point gives 135: R.
    EXPECT_EQ(Drag(g, {100, 100}, {{120, 80}}), "R");
    // Up-left at 45 degrees gives 45: U; just flatter (44) gives L.
    EXPECT_EQ(Drag(g, {100, 100}, {{80, 80}}), "U");
    EXPECT_EQ(Drag(g, {100, 100}, {{70, 71}}), "L");
    // Down-left, down-right.
    EXPECT_EQ(Drag(g, {100, 100}, {{80, 120}}), "L");
    EXPECT_EQ(Drag(g, {100, 100}, {{120, 120}}), "D");
}
