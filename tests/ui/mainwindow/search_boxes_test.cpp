#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTest>

#include "core/search/class_tree.h"
#include "core/search/recipe_search.h"
#include "ui/mainwindow/search_boxes.h"
#include "ui/mainwindow/thumbnail_strip.h"

TEST(RefinementSearchBox, PlaceholderComesAndGoesAndEnterRunsTheSearch) {
    QWidget window;
    auto* combo = new QComboBox(&window);
    auto* button = new QPushButton("検 索", &window);
    auto* other = new QLineEdit(&window);
    button->move(200, 0);
    other->move(0, 40);
    TRefinementSearchBox box(combo, button);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QSignalSpy spy(&box, &TRefinementSearchBox::SearchRequested);
    QLineEdit* edit = combo->lineEdit();
    other->setFocus();
    EXPECT_EQ(box.Keyword(), RefinementPlaceholder);
    edit->setFocus();
    EXPECT_EQ(box.Keyword(), "");  // the placeholder goes on focus
    QTest::keyClicks(edit, "egg ham");
    EXPECT_FALSE(box.ShowsPlaceholderColour());
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(spy.takeFirst().value(0).toString(), "egg ham");

    // Leaving a box of blanks brings the grey placeholder back.
    edit->setText("  ");
    other->setFocus();
    EXPECT_EQ(box.Keyword(), RefinementPlaceholder);
    EXPECT_TRUE(box.ShowsPlaceholderColour());
    // A word stays, in black; Enter waits for typing, the button sends the untrimmed text.
    edit->setFocus();
    edit->setText(" 塩 ");
    other->setFocus();
    EXPECT_FALSE(box.ShowsPlaceholderColour());
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(spy.count(), 0);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(spy.takeFirst().value(0).toString(), " 塩 ");
}

// Every picture of a long strip at its place, named, and scrolled to.
TEST(ThumbnailStrip, LongStripsKeepEveryPictureReachable) {
    QScrollArea area;
    auto* paintBox = new QWidget;
    area.setWidget(paintBox);
    area.setWidgetResizable(true);
    QLabel header;
    TThumbnailStrip strip(paintBox, &header);
    area.resize(100, 300);
    area.show();
    QSignalSpy clicked(&strip, &TThumbnailStrip::ThumbnailClicked);
    QImage square(60, 60, QImage::Format_RGB32);
    std::vector<TThumbnail> many;
    for (int i = 0; i < 120; ++i)
        many.push_back({i, QString("料理%1").arg(i), square});
    strip.SetThumbnails(many);
    EXPECT_EQ(header.text(), "ｻﾑﾈｲﾙ数：120");
    for (int n : {49, 50, 119}) {  // each made once scrolled near
        area.ensureVisible(30, n * 85 + 35);
        auto* label = paintBox->findChild<QLabel*>(QString("MkLbl%1").arg(n));
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->mapTo(paintBox, QPoint(0, 0)), QPoint(5, n * 85 + 5 + 52));
        EXPECT_EQ(label->text(), QString("料理%1").arg(n));
    }
    auto* image = paintBox->findChild<QWidget*>("MkImg119");
    ASSERT_NE(image, nullptr);
    EXPECT_GE(paintBox->minimumHeight(), 119 * 85 + 5 + 60);
    area.ensureWidgetVisible(image);
    EXPECT_EQ(paintBox->findChild<QWidget*>("MkImg0"), nullptr);  // far out of view: none
    QTest::mouseClick(image, Qt::LeftButton);
    EXPECT_EQ(clicked.last().at(0).toString(), "料理119");
    strip.FreeThumbnails();
    EXPECT_TRUE(paintBox->findChildren<QWidget*>().isEmpty());
}

// Rebuilding the items on a drop-down is no choice: no refill, no save question.
TEST(GroupFilterBox, RebuildingIsNoChoice) {
    TCookItems items(2);
    items[0].Group = "洋食";
    items[1].Group = "和食";
    QComboBox combo;
    combo.addItem(AllGroupsText);
    TGroupFilterBox box(&combo);
    box.SetRecordSource([&]() -> const TCookItems& { return items; });
    QSignalSpy chosen(&box, &TGroupFilterBox::GroupChosen);
    box.ComboBoxGroupDropDown();
    combo.setCurrentIndex(combo.findText("和食"));
    items[1].Group = "中華";
    box.ComboBoxGroupDropDown();
    EXPECT_EQ(combo.currentText(), AllGroupsText);
    EXPECT_EQ(chosen.count(), 0);
}
