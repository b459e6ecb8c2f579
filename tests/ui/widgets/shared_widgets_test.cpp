#include <gtest/gtest.h>

#include <QApplication>

#include "ui/dialogs/progress_form.h"

TEST(ProgressForm, ScopeShowsTextAndBusyCursorAndReleasesThemOnError) {
    TProgressForm form;
    try {
        TProgressScope scope(&form, "更新中...");
        EXPECT_TRUE(form.Animation()->IsRunning());
        EXPECT_EQ(QApplication::overrideCursor() ? QApplication::overrideCursor()->shape() : -1, Qt::WaitCursor);
        {
            // A nested caller only changes the text; the outer scope still owns the window.
            TProgressScope inner(&form, "検索中...");
            EXPECT_EQ(form.Text(), "検索中...");
        }
        EXPECT_TRUE(form.isVisible());
        throw std::runtime_error("work failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(form.Animation()->IsRunning());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    // The animation wraps round after its last frame.
    form.Animation()->SetFrame(TBusyAnimation::FrameCount);
    EXPECT_EQ(form.Animation()->Frame(), 0);
}
