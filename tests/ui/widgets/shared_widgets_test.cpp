#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QTest>

#include "ui/widgets/icon_box.h"
#include "ui/dialogs/icon_form.h"
#include "ui/dialogs/progress_form.h"
#include "ui/widgets/star_rating.h"
#include "support/dialog_fixture.h"
#include "support/render_ui.h"

TEST(StarRatingWidget, ClickLightsUpToTheStarAndValueCounts) {
    TStarRating row({"Image5", "Image6", "Image7", "Image8", "Image9"});
    EXPECT_EQ(row.Value(), 0);
    auto* third = row.findChild<TStarImage*>("Image7");
    ASSERT_NE(third, nullptr);
    QTest::mouseClick(third, Qt::LeftButton);
    EXPECT_EQ(row.Value(), 3);
    EXPECT_EQ(row.findChild<TStarImage*>("Image5")->Tag(), 1);
    EXPECT_EQ(row.findChild<TStarImage*>("Image8")->Tag(), -1);
    // A click on a lower star unlights the ones above it.
    QTest::mouseClick(row.findChild<TStarImage*>("Image5"), Qt::LeftButton);
    EXPECT_EQ(row.Value(), 1);
    EXPECT_EQ(row.findChild<TStarImage*>("Image7")->Tag(), -1);

    // Stored values beyond the range: 7 shows five stars, negatives none.
    row.SetValue(7);
    EXPECT_EQ(row.Value(), 5);
    row.SetValue(-1);
    EXPECT_EQ(row.Value(), 0);
}

TEST(IconPickerForm, SixCellsPerRowAndClickFillsTheTargetBox) {
    TIconForm picker;
    picker.BuildIconGrid(ColouredIcons(35));
    ASSERT_EQ(picker.CellCount(), 35);
    auto cellAt = [&](int i) { return picker.findChild<QWidget*>(QStringLiteral("IconCell%1").arg(i)); };
    EXPECT_EQ(cellAt(0)->pos(), QPoint(1, 1));
    EXPECT_EQ(cellAt(5)->pos(), QPoint(176, 1));
    EXPECT_EQ(cellAt(6)->pos(), QPoint(1, 36));
    EXPECT_EQ(cellAt(34)->pos(), QPoint(141, 176));

    TIconBox elementBox;
    TIconBox wizardBox;
    picker.SetTargetBox(0, &elementBox);
    picker.SetTargetBox(1, &wizardBox);
    picker.Popup(1, QPoint(10, 10));
    QTest::mouseClick(picker.findChild<QLabel*>("IconImage33"), Qt::LeftButton);
    EXPECT_EQ(wizardBox.Hint(), "33");
    EXPECT_EQ(wizardBox.IconIndex(), 33);
    EXPECT_EQ(wizardBox.pixmap().toImage().pixel(5, 5), ColouredIcons(35)[33].toImage().pixel(5, 5));
    EXPECT_EQ(elementBox.Hint(), "-1");
    EXPECT_FALSE(picker.isVisible());

    picker.Popup(0, QPoint(10, 10));
    QTest::mouseClick(picker.findChild<QLabel*>("IconImage2"), Qt::LeftButton);
    EXPECT_EQ(elementBox.Hint(), "2");
    elementBox.Clear();
    EXPECT_EQ(elementBox.Hint(), "-1");
    EXPECT_TRUE(elementBox.pixmap().isNull());
}

TEST(ProgressForm, ScopeShowsTextAndBusyCursorAndReleasesThemOnError) {
    TProgressForm form;
    EXPECT_EQ(form.Text(), "検索中...");
    EXPECT_EQ(form.size(), QSize(117, 52));
    try {
        TProgressScope scope(&form, "更新中...");
        EXPECT_TRUE(form.isVisible());
        EXPECT_TRUE(form.Animation()->IsRunning());
        EXPECT_EQ(form.Text(), "更新中...");
        RenderWidgetIfAsked(&form, "progress_form");
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
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
    // The text stays for the next caller, and a long text does not grow the window.
    EXPECT_EQ(form.Text(), "検索中...");
    TProgressScope again(&form, "とても長いテキストがここに入ってもウィンドウは大きくならない");
    EXPECT_EQ(form.size(), QSize(117, 52));
}

TEST(ProgressForm, AnimationLoops) {
    TBusyAnimation animation;
    animation.SetFrame(TBusyAnimation::FrameCount - 1);
    animation.SetFrame(animation.Frame() + 1);
    EXPECT_EQ(animation.Frame(), 0);
}
