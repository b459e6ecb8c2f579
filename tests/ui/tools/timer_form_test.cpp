#include <gtest/gtest.h>

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include "support/dialog_driver.h"
#include "ui/platform/dialogs.h"
#include "ui/tools/timer_form.h"
#include "ui/tools/timer_set_form.h"

namespace {

const QString Alarm = QStringLiteral("時間になりました");

// A timer window on a clock the test moves by hand.
struct TTimerFixture {
    qint64 Now = 5'000'000;
    TDialogAnswerer Answers;
    TTimerForm Form{nullptr, [this] { return Now; }};
    TTimerSetForm SetForm{&Form};

    TTimerFixture() { Form.SetTimerSetForm(&SetForm); }

    QPushButton* Button(const char* name) { return Child<QPushButton>(&Form, name); }
    void Click(const char* name) { QTest::mouseClick(Button(name), Qt::LeftButton); }
    // Lets `ms` pass and runs the ticks of that time, as the timer would.
    void Pass(qint64 ms) {
        const qint64 end = Now + ms;
        while (Now < end && Child<QTimer>(&Form, "Timer1")->isActive()) {
            Now = std::min(end, Now + 500);
            Form.Timer1Timer();
        }
        Now = end;
    }
    int Alarms() const { return static_cast<int>(Answers.Texts().count(Alarm)); }
    bool PresetsEnabled() {
        for (const char* name : {"SpeedButton1", "SpeedButton2", "SpeedButton3", "SpeedButton4", "SpeedButton5",
                                 "SpeedButton6", "SpeedButton7"})
            if (!Button(name)->isEnabled())
                return false;
        return true;
    }
    // Sets the custom dialog's spins and presses OK (or Cancel) once it shows.
    void AnswerCustom(int h, int m, int s, const char* button = "BitBtn1") {
        WhenShown(&SetForm, [this, h, m, s, button] {
            Child<QSpinBox>(&SetForm, "SpinEdit1")->setValue(h);
            Child<QSpinBox>(&SetForm, "SpinEdit2")->setValue(m);
            Child<QSpinBox>(&SetForm, "SpinEdit3")->setValue(s);
            QTest::mouseClick(Child<QPushButton>(&SetForm, button), Qt::LeftButton);
            if (SetForm.isVisible())  // refused: leave it as the user would
                SetForm.reject();
        });
    }
};

}  // namespace

TEST(TimerFormTest, PresetsSetTheTimeAndTheFirstTickCutsFractions) {
    const struct {
        const char* Button;
        const char* Set;
        const char* FirstTick;
    } rows[] = {{"SpeedButton1", "00:03:00", "00:02:59"}, {"SpeedButton6", "01:00:00", "00:59:59"}};
    for (const auto& row : rows) {
        TTimerFixture t;
        t.Form.show();
        EXPECT_EQ(t.Form.Shown(), "00:00:00");
        EXPECT_FALSE(t.Button("BitBtnStart")->isEnabled());
        t.Click(row.Button);
        EXPECT_EQ(t.Form.Shown(), row.Set) << row.Button;
        EXPECT_TRUE(t.Button("BitBtnStart")->isEnabled());
        t.Click("BitBtnStart");
        t.Pass(500);
        EXPECT_EQ(t.Form.Shown(), row.FirstTick) << row.Button;
        // Stopped: no alarm comes later.
        t.Click("BitBtnStop");
        t.Pass(4'000'000);
        EXPECT_EQ(t.Alarms(), 0);
        EXPECT_EQ(t.Form.Shown(), "00:00:00");
    }
}

TEST(TimerFormTest, CountingUsesTheCompactLayoutAndTheAlarmComesOnce) {
    TTimerFixture t;
    t.Form.show();
    EXPECT_TRUE(t.Form.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(t.Form.height(), TTimerForm::FullHeight);
    EXPECT_EQ(t.Form.width(), 265);
    t.Click("SpeedButton1");
    t.Click("BitBtnStart");
    EXPECT_EQ(t.Form.height(), TTimerForm::CompactHeight);
    EXPECT_EQ(Child<QFrame>(&t.Form, "Panel1")->y(), 8);
    EXPECT_FALSE(Child<QFrame>(&t.Form, "Panel2")->isVisible());
    EXPECT_FALSE(Child<QLabel>(&t.Form, "Label2")->isVisible());
    EXPECT_FALSE(t.PresetsEnabled());
    EXPECT_FALSE(t.Button("BitBtnStart")->isEnabled());
    EXPECT_TRUE(t.Button("BitBtnStop")->isEnabled());

    t.Pass(179'500);
    EXPECT_EQ(t.Form.Shown(), "00:00:00");
    EXPECT_EQ(t.Alarms(), 0);
    t.Pass(500);  // the first tick at the set time
    EXPECT_EQ(t.Alarms(), 1);
    t.Pass(5000);
    t.Form.Timer1Timer();  // a late tick after the end
    EXPECT_EQ(t.Alarms(), 1);
    EXPECT_FALSE(Child<QTimer>(&t.Form, "Timer1")->isActive());
    // Back to idle in the full layout.
    EXPECT_EQ(t.Form.height(), TTimerForm::FullHeight);
    EXPECT_EQ(Child<QFrame>(&t.Form, "Panel1")->y(), 160);
    EXPECT_TRUE(t.PresetsEnabled());
    EXPECT_FALSE(t.Button("BitBtnStart")->isEnabled());
    EXPECT_FALSE(t.Button("BitBtnStop")->isEnabled());
}

TEST(TimerFormTest, ClosingKeepsCountingAndReopeningKeepsTheTime) {
    TTimerFixture t;
    t.Form.show();
    t.Click("SpeedButton1");
    t.Click("BitBtnStart");
    t.Pass(60'000);
    t.Form.close();
    // Hidden: the full layout, presets on, still counting.
    EXPECT_EQ(t.Form.height(), TTimerForm::FullHeight);
    EXPECT_TRUE(t.PresetsEnabled());
    EXPECT_TRUE(Child<QTimer>(&t.Form, "Timer1")->isActive());
    t.Pass(30'000);
    t.Form.show();
    EXPECT_EQ(t.Form.Shown(), "00:01:30");
    EXPECT_EQ(t.Form.height(), TTimerForm::CompactHeight);
    EXPECT_FALSE(t.PresetsEnabled());
    EXPECT_TRUE(t.Button("BitBtnStop")->isEnabled());

    // Closed again, the alarm still comes at the end.
    t.Form.close();
    t.Pass(90'000);
    EXPECT_EQ(t.Alarms(), 1);
    EXPECT_FALSE(t.Form.isVisible());
    // Shown after the end: idle.
    t.Form.show();
    EXPECT_EQ(t.Form.Shown(), "00:00:00");
    EXPECT_FALSE(t.Button("BitBtnStop")->isEnabled());
}

TEST(TimerFormTest, CustomTimes) {
    const struct {
        int H, M, S;
        const char* Shown;  // nullptr: refused, the start button stays off
        bool Warned;
    } rows[] = {{0, 0, 0, nullptr, true}, {0, 0, 1, "00:00:01", false}, {23, 59, 59, "23:59:59", false},
                {1, 2, 3, "01:02:03", false}};
    for (const auto& row : rows) {
        TTimerFixture t;
        t.Form.show();
        t.AnswerCustom(row.H, row.M, row.S);
        t.Click("SpeedButton7");
        EXPECT_EQ(t.Answers.Texts().contains(QStringLiteral("時間が設定されていません")), row.Warned);
        EXPECT_EQ(t.Button("BitBtnStart")->isEnabled(), row.Shown != nullptr);
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
