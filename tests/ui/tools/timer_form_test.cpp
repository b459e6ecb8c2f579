#include <gtest/gtest.h>

#include <QFrame>
#include <QMouseEvent>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include "support/dialog_driver.h"
#include "ui/platform/dialogs.h"
#include "ui/tools/timer_form.h"
#include "ui/tools/timer_set_form.h"

namespace {

// A shown timer window on a clock the test moves by hand.
struct TTimerFixture {
    qint64 Now = 5'000'000;
    TDialogAnswerer Answers;
    TTimerForm Form{nullptr, [this] { return Now; }};
    TTimerSetForm SetForm{&Form};

    TTimerFixture() {
        Form.SetTimerSetForm(&SetForm);
        Form.show();
    }
    bool On(const char* name) { return Child<QPushButton>(&Form, name)->isEnabled(); }
    void Click(const char* name) { QTest::mouseClick(Child<QPushButton>(&Form, name), Qt::LeftButton); }
    // Lets `ms` pass and runs the ticks of that time, as the timer would.
    void Pass(qint64 ms) {
        const qint64 end = Now + ms;
        while (Now < end && Child<QTimer>(&Form, "Timer1")->isActive()) {
            Now = std::min(end, Now + 500);
            Form.Timer1Timer();
        }
        Now = end;
    }
    int Alarms() const { return static_cast<int>(Answers.Texts().count(QStringLiteral("時間になりました"))); }
};

}  // namespace

TEST(TimerFormTest, PresetCountsDownToOneAlarm) {
    TTimerFixture t;
    EXPECT_FALSE(t.On("BitBtnStart"));
    t.Click("SpeedButton1");
    EXPECT_EQ(t.Form.Shown(), "00:03:00");
    t.Click("BitBtnStart");
    EXPECT_FALSE(t.On("SpeedButton1") || t.On("SpeedButton7") || t.On("BitBtnStart"));
    t.Pass(500);
    EXPECT_EQ(t.Form.Shown(), "00:02:59");  // the first tick cuts the fraction
    t.Pass(179'000);
    EXPECT_EQ(t.Form.Shown(), "00:00:00");
    EXPECT_EQ(t.Alarms(), 0);
    t.Pass(500);  // the tick at the set time
    EXPECT_EQ(t.Alarms(), 1);
    t.Pass(5000);
    t.Form.Timer1Timer();  // a late tick after the end
    EXPECT_EQ(t.Alarms(), 1);
    EXPECT_TRUE(t.On("SpeedButton1") && !t.On("BitBtnStop"));

    // Stopped: no alarm comes later.
    t.Click("SpeedButton6");
    t.Click("BitBtnStart");
    t.Click("BitBtnStop");
    t.Pass(4'000'000);
    EXPECT_EQ(t.Alarms(), 1);
}

TEST(TimerFormTest, ClosingKeepsCountingAndReopeningKeepsTheTime) {
    TTimerFixture t;
    t.Click("SpeedButton1");
    t.Click("BitBtnStart");
    t.Pass(60'000);
    t.Form.close();
    t.Pass(30'000);
    t.Form.show();
    EXPECT_EQ(t.Form.Shown(), "00:01:30");
    EXPECT_TRUE(t.On("BitBtnStop"));
    // Closed again, the alarm still comes at the end.
    t.Form.close();
    t.Pass(90'000);
    EXPECT_EQ(t.Alarms(), 1);
    t.Form.show();
    EXPECT_EQ(t.Form.Shown(), "00:00:00");
    EXPECT_FALSE(t.On("BitBtnStop"));
}

TEST(TimerFormTest, CustomTimes) {
    const struct {
        int H, M, S;
        const char* Shown;  // nullptr: refused with a warning, start stays off
    } rows[] = {{0, 0, 0, nullptr}, {0, 0, 1, "00:00:01"}, {23, 59, 59, "23:59:59"}};
    for (const auto& row : rows) {
        TTimerFixture t;
        WhenShown(&t.SetForm, [&] {
            Child<QSpinBox>(&t.SetForm, "SpinEdit1")->setValue(row.H);
            Child<QSpinBox>(&t.SetForm, "SpinEdit2")->setValue(row.M);
            Child<QSpinBox>(&t.SetForm, "SpinEdit3")->setValue(row.S);
            QTest::mouseClick(Child<QPushButton>(&t.SetForm, "BitBtn1"), Qt::LeftButton);
            if (t.SetForm.isVisible())  // refused: leave it as the user would
                t.SetForm.reject();
        });
        t.Click("SpeedButton7");
        EXPECT_EQ(t.Answers.Texts().contains(QStringLiteral("時間が設定されていません")), !row.Shown);
        EXPECT_EQ(t.On("BitBtnStart"), row.Shown != nullptr);
        EXPECT_EQ(t.Form.Shown(), row.Shown ? row.Shown : "00:00:00");
    }
}

TEST(TimerFormTest, DraggingTheBackgroundMovesTheWindowAndAPanelDoesNot) {
    TTimerFixture t;
    t.Form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&t.Form));
    const QPoint start = t.Form.pos();
    // On a panel: nothing moves.
    QWidget* panel = Child<QFrame>(&t.Form, "Panel2");
    QTest::mousePress(panel, Qt::LeftButton, {}, QPoint(2, 2));
    QTest::mouseMove(panel, QPoint(40, 40));
    QTest::mouseRelease(panel, Qt::LeftButton, {}, QPoint(40, 40));
    EXPECT_EQ(t.Form.pos(), start);
    // On the background between the panels: the window follows.
    const QPoint background(4, 150);
    ASSERT_EQ(t.Form.childAt(background), nullptr);
    QTest::mousePress(&t.Form, Qt::LeftButton, {}, background);
    QMouseEvent move(QEvent::MouseMove, QPointF(background + QPoint(30, 20)),
                     QPointF(t.Form.mapToGlobal(background + QPoint(30, 20))), Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(&t.Form, &move);
    QTest::mouseRelease(&t.Form, Qt::LeftButton, {}, background + QPoint(30, 20));
    EXPECT_EQ(t.Form.pos(), start + QPoint(30, 20));
}
