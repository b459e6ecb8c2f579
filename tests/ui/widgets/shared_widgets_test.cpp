#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "ui/dialogs/progress_form.h"
#include "ui/widgets/star_rating.h"

TEST(StarRatingWidget, AClickLightsUpToTheStarAndUnlightsTheOnesAbove) {
    const QStringList names = {"Image5", "Image6", "Image7", "Image8", "Image9"};
    TStarRating row(names);
    const std::pair<const char*, int> clicks[] = {{"Image7", 3}, {"Image5", 1}};
    for (const auto& [star, value] : clicks) {
        QTest::mouseClick(row.findChild<TStarImage*>(star), Qt::LeftButton);
        EXPECT_EQ(row.Value(), value) << star;
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(row.findChild<TStarImage*>(names[i])->Tag(), i < value ? 1 : -1) << star << i;
    }
}

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
