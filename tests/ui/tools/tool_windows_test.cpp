#include <gtest/gtest.h>

#include <QImage>
#include <QPushButton>
#include <QTest>

#include "core/settings/settings_store.h"
#include "support/dialog_driver.h"
#include "support/temp_app_dir.h"
#include "ui/app/program_main.h"
#include "ui/app/window_table.h"
#include "ui/app/windows.h"
#include "ui/platform/dialogs.h"
#include "ui/tools/calc_form.h"
#include "ui/tools/timer_form.h"
#include "ui/tools/timer_set_form.h"
#include "ui/widgets/tiled_background.h"

namespace {

// Counts the paints a window receives.
class TPaintCounter final : public QObject {
public:
    explicit TPaintCounter(QWidget* window) { window->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override { return (Paints += event->type() == QEvent::Paint, false); }
    int Paints = 0;
};

}  // namespace

// The tool windows of the running program: created at start-up, the custom
// time dialog reachable from the timer, and a new background from the
// options' OK painted at once.
TEST(ToolWindowsTest, CreatedAtStartAndRepaintedWithANewBackground) {
    TTempAppDir dir;
    QImage tile(8, 8, QImage::Format_RGB32);
    tile.fill(QColor(0x12, 0x80, 0x34));
    QDir().mkpath(dir.Path("background"));
    ASSERT_TRUE(tile.save(dir.Path("background/green.bmp")));
    TDialogAnswerer answers;
    TSettingsStore store(SettingsFilePath(dir.AppDir()));
    TWindows w;
    TWindowTable windows;
    CreateWindows(windows, w, store, dir.AppDir());
    ASSERT_TRUE(w.TimerForm && w.CalcForm && w.TimerSetForm);

    bool customShown = false;
    WhenShown(w.TimerSetForm, [&] {
        customShown = true;
        w.TimerSetForm->reject();
    });
    w.TimerForm->show();
    QTest::mouseClick(w.TimerForm->findChild<QPushButton*>("SpeedButton7"), Qt::LeftButton);
    EXPECT_TRUE(customShown);

    w.CalcForm->show();
    const QPoint timerBackground(4, 150);
    const QPoint calcBackground(4, 320);  // the paint box beside the close button
    EXPECT_NE(w.TimerForm->grab().toImage().pixelColor(timerBackground), tile.pixelColor(0, 0));

    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.TimerForm) && QTest::qWaitForWindowExposed(w.CalcForm));
    QApplication::processEvents();
    TPaintCounter timerPaints(w.TimerForm);
    TPaintCounter calcPaints(w.CalcForm);
    TSettings settings = store.Settings();
    settings.BackgroundFileName = "green";
    store.SetSettings(settings);
    QApplication::processEvents();
    EXPECT_TRUE(timerPaints.Paints > 0 && calcPaints.Paints > 0);
    EXPECT_EQ(w.TimerForm->grab().toImage().pixelColor(timerBackground), tile.pixelColor(0, 0));
    EXPECT_EQ(w.CalcForm->grab().toImage().pixelColor(calcBackground), tile.pixelColor(0, 0));
    SetSharedBackImg(QPixmap());  // the other tests paint without it
}
