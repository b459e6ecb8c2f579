#include <gtest/gtest.h>

#include <QComboBox>
#include <QScrollArea>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "core/search/class_tree.h"
#include "core/search/recipe_search.h"
#include "ui/mainwindow/search_boxes.h"
#include "ui/mainwindow/thumbnail_strip.h"

namespace {

TCookItem Item(const QString& name, const QString& group) {
    TCookItem item;
    item.Name = name;
    item.Group = group;
    item.Visible = true;
    return item;
}

QImage Square(QColor colour) {
    QImage image(60, 60, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

}  // namespace

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
    EXPECT_TRUE(box.ShowsPlaceholderColour());
    // The placeholder goes on focus.
    edit->setFocus();
    EXPECT_EQ(box.Keyword(), "");

    QTest::keyClicks(edit, "egg ham");
    EXPECT_FALSE(box.ShowsPlaceholderColour());
    EXPECT_TRUE(box.SearchIsDefault());
    QTest::keyClick(edit, Qt::Key_Return);
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.takeFirst().at(0).toString(), "egg ham");

    // Leaving a box of blanks brings the grey placeholder back.
    edit->setText("  ");
    other->setFocus();
    EXPECT_EQ(box.Keyword(), RefinementPlaceholder);
    EXPECT_TRUE(box.ShowsPlaceholderColour());
    EXPECT_FALSE(box.SearchIsDefault());
    // A word stays, in black; Enter no longer runs the search until typing.
    edit->setFocus();
    edit->setText(" 塩 ");
    other->setFocus();
    EXPECT_EQ(box.Keyword(), " 塩 ");
    EXPECT_FALSE(box.ShowsPlaceholderColour());
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(spy.count(), 0);

    // The button sends the untrimmed text; the drop-down lists the history.
    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.takeFirst().at(0).toString(), " 塩 ");
    box.SetHistorySource([] { return QStringList({"a", "b"}); });
    QTest::keyClick(combo, Qt::Key_F4);
    EXPECT_EQ(combo->count(), 2);
    EXPECT_EQ(box.Keyword(), " 塩 ");
    combo->hidePopup();
}

// A long strip: every picture at its place on the paint box, its name under
// it, and the box tall enough to scroll to the last one.
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
    std::vector<TThumbnail> many;
    for (int i = 0; i < 120; ++i)
        many.push_back({i, QString("料理%1").arg(i), Square(Qt::green)});
    strip.SetThumbnails(many);
    EXPECT_EQ(header.text(), "ｻﾑﾈｲﾙ数：120");
    for (int n : {0, 49, 50, 119}) {
        auto* image = paintBox->findChild<QWidget*>(QString("MkImg%1").arg(n));
        auto* label = paintBox->findChild<QLabel*>(QString("MkLbl%1").arg(n));
        ASSERT_NE(image, nullptr);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(image->mapTo(paintBox, QPoint(0, 0)), QPoint(5, n * 85 + 5));
        EXPECT_EQ(label->mapTo(paintBox, QPoint(0, 0)), QPoint(5, n * 85 + 5 + 52));
        EXPECT_EQ(label->text(), QString("料理%1").arg(n));
        EXPECT_TRUE(image->isVisible());
    }
    EXPECT_GE(paintBox->minimumHeight(), 119 * 85 + 5 + 60);
    area.ensureWidgetVisible(paintBox->findChild<QWidget*>("MkImg119"));
    QTest::mouseClick(paintBox->findChild<QWidget*>("MkImg119"), Qt::LeftButton);
    EXPECT_EQ(clicked.last().at(0).toString(), "料理119");
    strip.FreeThumbnails();
    EXPECT_TRUE(paintBox->findChildren<QWidget*>().isEmpty());
}

// Rebuilding the items on a drop-down is no choice: it must not refill the
// list (and ask the save question) when the shown group falls back.
TEST(GroupFilterBox, RebuildingIsNoChoice) {
    TCookItems items{Item("a", "洋食"), Item("b", "和食")};
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
