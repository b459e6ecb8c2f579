#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QScrollArea>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

#include "ui/mainwindow/class_tree_view.h"
#include "core/search/recipe_search.h"
#include "ui/mainwindow/search_boxes.h"
#include "ui/mainwindow/thumbnail_strip.h"

namespace {

TCookItem Item(const QString& name, const QString& group, const QString& calorie) {
    TCookItem item;
    item.Name = name;
    item.Group = group;
    item.Calorie = calorie;
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

TEST(ThumbnailStrip, PicturesCarryNamesAndClicksName) {
    QScrollArea area;
    auto* paintBox = new QWidget;
    area.setWidget(paintBox);
    area.setWidgetResizable(true);
    QLabel header;
    TThumbnailStrip strip(paintBox, &header);
    area.resize(100, 300);
    area.show();
    QSignalSpy clicked(&strip, &TThumbnailStrip::ThumbnailClicked);
    strip.SetThumbnails({{0, "肉じゃが", Square(Qt::red)}, {3, "みそ汁", Square(Qt::blue)}});
    EXPECT_EQ(strip.ThumbnailCount(), 2);
    EXPECT_EQ(header.text(), "ｻﾑﾈｲﾙ数：2");
    auto* second = paintBox->findChild<QWidget*>("MkImg1");
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->toolTip(), "みそ汁");
    EXPECT_EQ(second->geometry(), QRect(5, 90, 60, 60));
    EXPECT_EQ(paintBox->findChild<QLabel*>("MkLbl1")->text(), "みそ汁");
    EXPECT_EQ(paintBox->findChild<QLabel*>("MkLbl1")->geometry().top(), 90 + 52);
    QTest::mouseClick(second, Qt::LeftButton);
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked.at(0).at(0).toString(), "みそ汁");

    // Rebuilding replaces the pairs; freeing keeps the header text.
    strip.SetThumbnails({{5, "カレー", Square(Qt::yellow)}});
    EXPECT_EQ(paintBox->findChildren<QWidget*>(QRegularExpression("^Mk")).size(), 2);
    EXPECT_EQ(paintBox->findChild<QWidget*>("MkImg0")->toolTip(), "カレー");
    strip.FreeThumbnails();
    EXPECT_EQ(paintBox->findChild<QWidget*>("MkImg0"), nullptr);
    EXPECT_EQ(strip.ThumbnailCount(), 0);
    EXPECT_EQ(header.text(), "ｻﾑﾈｲﾙ数：1");

    // A long strip: every picture at its place on the paint box, its name
    // under it, and the box tall enough to scroll to the last one.
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

TEST(ClassTreeView, OnlyRecipeNamesSelect) {
    QTreeWidget tree;
    TClassTreeView view(&tree);
    tree.resize(200, 400);
    tree.show();
    QSignalSpy clicked(&view, &TClassTreeView::RecipeClicked);
    const TCookItems items{Item("みそ汁", "和食", "80"), Item("カレー", "洋食", "")};
    view.SetTree(BuildClassTreeData(items, {0, 1}));
    ASSERT_EQ(tree.topLevelItemCount(), 4);
    QTreeWidgetItem* group = tree.topLevelItem(0);
    EXPECT_TRUE(group->font(0).bold());
    EXPECT_EQ(group->child(0)->text(0), "和食(1)");
    QTreeWidgetItem* leaf = group->child(0)->child(0);
    EXPECT_TRUE(leaf->font(0).underline());
    EXPECT_TRUE(group->child(0)->isExpanded());
    EXPECT_EQ(tree.topLevelItem(3)->childCount(), 5);

    auto clickOn = [&](QTreeWidgetItem* item) {
        tree.scrollToItem(item);
        QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, tree.visualItemRect(item).center());
    };
    clickOn(group);
    clickOn(group->child(0));
    EXPECT_EQ(clicked.count(), 0);
    clickOn(leaf);
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked.at(0).at(0).toString(), "みそ汁");
}

TEST(GroupFilterBox, DropDownRebuildsAndFallsBack) {
    TCookItems items{Item("a", "洋食", ""), Item("b", "和食", "")};
    QComboBox combo;
    combo.addItem(AllGroupsText);
    TGroupFilterBox box(&combo);
    box.SetRecordSource([&]() -> const TCookItems& { return items; });
    QSignalSpy chosen(&box, &TGroupFilterBox::GroupChosen);
    box.ComboBoxGroupDropDown();
    EXPECT_EQ(combo.count(), 3);
    combo.setCurrentIndex(combo.findText("和食"));
    // The group disappears: the next drop-down falls back to all groups.
    items[1].Group = "中華";
    box.ComboBoxGroupDropDown();
    EXPECT_EQ(combo.currentText(), AllGroupsText);
    items[1].Group = "洋食";
    combo.setCurrentIndex(combo.findText("洋食"));
    box.ComboBoxGroupDropDown();
    EXPECT_EQ(combo.currentText(), "洋食");
    EXPECT_EQ(combo.count(), 2);
    EXPECT_EQ(chosen.count(), 0);  // rebuilding is not a choice
    // Opening the list by the mouse rebuilds it first.
    items.append(Item("c", "中華", ""));
    combo.show();
    QTest::mouseClick(&combo, Qt::LeftButton);
    EXPECT_EQ(combo.count(), 3);
    combo.hidePopup();
}
