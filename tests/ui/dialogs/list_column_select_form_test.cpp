#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest/QTest>

#include "ui/dialogs/list_column_select_form.h"
#include "ui/platform/dialogs.h"
#include "support/render_ui.h"

namespace {

struct TChooser {
    TDialogAnswerer Answers;
    TListColumnSelectForm Form;
    QTreeWidget* List = Form.findChild<QTreeWidget*>("ListView1");
    QLineEdit* Edit = Form.findChild<QLineEdit*>("Edit1");
    QPushButton* Up = Form.findChild<QPushButton*>("Button1");
    QPushButton* Down = Form.findChild<QPushButton*>("Button2");
    QPushButton* Show = Form.findChild<QPushButton*>("Button3");
    QPushButton* Hide = Form.findChild<QPushButton*>("Button4");

    explicit TChooser(const QList<TColumnRow>& rows) {
        Form.ClearRows();
        for (const TColumnRow& r : rows)
            Form.AddRow(r);
        Form.show();
        QApplication::setActiveWindow(&Form);
    }
    void ClickRow(int i) {
        const QRect r = List->visualItemRect(List->topLevelItem(i));
        QTest::mouseClick(List->viewport(), Qt::LeftButton, {}, QPoint(r.center().x() + 40, r.center().y()));
    }
    QString Buttons() const {
        QString s;
        for (QPushButton* b : {Up, Down, Show, Hide})
            s += b->isEnabled() ? "1" : "0";
        return s;
    }
};

const QList<TColumnRow> Three = {{"料理名", 70, true}, {"種類", 50, false}, {"量", 40, true}};

}  // namespace

TEST(ListColumnSelectForm, ButtonsFollowTheSelection) {
    TChooser c(Three);
    EXPECT_EQ(c.Buttons(), "0000");
    EXPECT_TRUE(c.Edit->isReadOnly());
    EXPECT_TRUE(c.Edit->text().isEmpty());
    c.ClickRow(0);
    EXPECT_EQ(c.Buttons(), "0101");  // first row: no up; ticked: hide
    EXPECT_EQ(c.Edit->text(), "70");
    EXPECT_FALSE(c.Edit->isReadOnly());
    c.ClickRow(1);
    EXPECT_EQ(c.Buttons(), "1110");  // middle, unticked: show
    c.ClickRow(2);
    EXPECT_EQ(c.Buttons(), "1001");  // last row: no down

    QTest::mouseClick(c.Hide, Qt::LeftButton);
    EXPECT_FALSE(c.Form.Rows()[2].Use);
    EXPECT_EQ(c.Buttons(), "1010");
    QTest::mouseClick(c.Show, Qt::LeftButton);
    EXPECT_TRUE(c.Form.Rows()[2].Use);
    EXPECT_EQ(c.Buttons(), "1001");

    c.List->clearSelection();
    EXPECT_EQ(c.Buttons(), "0000");
    EXPECT_TRUE(c.Edit->isReadOnly());
}

TEST(ListColumnSelectForm, MovesKeepCaptionWidthAndTick) {
    TChooser c(Three);
    c.ClickRow(0);
    QTest::mouseClick(c.Down, Qt::LeftButton);
    QList<TColumnRow> expected = {{"種類", 50, false}, {"料理名", 70, true}, {"量", 40, true}};
    EXPECT_EQ(c.Form.Rows(), expected);
    EXPECT_EQ(c.List->selectedItems().value(0), c.List->topLevelItem(1));
    EXPECT_EQ(c.Buttons(), "1101");
    QTest::mouseClick(c.Down, Qt::LeftButton);
    expected = {{"種類", 50, false}, {"量", 40, true}, {"料理名", 70, true}};
    EXPECT_EQ(c.Form.Rows(), expected);
    EXPECT_EQ(c.Buttons(), "1001");  // now last
    QTest::mouseClick(c.Up, Qt::LeftButton);
    QTest::mouseClick(c.Up, Qt::LeftButton);
    expected = {{"料理名", 70, true}, {"種類", 50, false}, {"量", 40, true}};
    EXPECT_EQ(c.Form.Rows(), expected);
    EXPECT_EQ(c.Buttons(), "0101");
    EXPECT_EQ(c.Edit->text(), "70");
}

TEST(ListColumnSelectForm, WidthLandsInTheRowItWasTypedFor) {
    TChooser c(Three);
    c.ClickRow(0);
    c.Edit->setFocus();
    c.Edit->selectAll();
    QTest::keyClicks(c.Edit, "1a2x3");  // letters refused
    EXPECT_EQ(c.Edit->text(), "123");
    // Delete edits, even sent with the text DEL.
    QTest::keyClick(c.Edit, Qt::Key_Home);
    QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, QStringLiteral("\x7f"));
    QApplication::sendEvent(c.Edit, &del);
    EXPECT_EQ(c.Edit->text(), "23");
    QTest::keyClicks(c.Edit, "1");
    EXPECT_EQ(c.Edit->text(), "123");
    // Enter does not press O K.
    QTest::keyClick(c.Edit, Qt::Key_Return);
    EXPECT_TRUE(c.Form.isVisible());
    EXPECT_EQ(c.Form.result(), 0);
    // Clicking row B takes the width into row A.
    c.ClickRow(1);
    EXPECT_EQ(c.Form.Rows()[0].Width, 123);
    EXPECT_EQ(c.Form.Rows()[1].Width, 50);
    EXPECT_EQ(c.Edit->text(), "50");

    // An empty width is ignored.
    c.Edit->setFocus();
    c.Edit->clear();
    c.ClickRow(2);
    EXPECT_EQ(c.Form.Rows()[1].Width, 50);

    // A width typed and confirmed with O K is stored.
    c.Edit->setFocus();
    c.Edit->selectAll();
    QTest::keyClicks(c.Edit, "88");
    QTest::mouseClick(c.Form.findChild<QPushButton*>("BitBtn1"), Qt::LeftButton);
    EXPECT_EQ(c.Form.result(), QDialog::Accepted);
    EXPECT_EQ(c.Form.Rows()[2].Width, 88);
}

TEST(ListColumnSelectForm, DefaultsAndOkWithNothingTicked) {
    TChooser c({{"料理名", 70, false}, {"種類", 50, false}});
    QTest::mouseClick(c.Form.findChild<QPushButton*>("BitBtn1"), Qt::LeftButton);
    EXPECT_EQ(c.Answers.Texts(), QStringList({"表示する項目は一つ以上選択して下さい。"}));
    EXPECT_TRUE(c.Form.isVisible());
    EXPECT_NE(c.Form.result(), QDialog::Accepted);

    QTest::mouseClick(c.Form.findChild<QPushButton*>("Button5"), Qt::LeftButton);
    const QList<TColumnRow> rows = c.Form.Rows();
    ASSERT_EQ(rows.size(), 12);
    EXPECT_EQ(rows, TListColumnSelectForm::DefaultRows());
    EXPECT_EQ(rows[0], (TColumnRow{"料理名", 70, true}));
    EXPECT_EQ(rows[3], (TColumnRow{"画", 25, true}));
    EXPECT_EQ(rows[4], (TColumnRow{"登録日付", 75, true}));
    EXPECT_EQ(rows[5], (TColumnRow{"カロリー", 40, false}));
    EXPECT_EQ(rows[11], (TColumnRow{"タイトル", 40, false}));
    RenderWidgetIfAsked(&c.Form, "list_column_select_form");
    QTest::mouseClick(c.Form.findChild<QPushButton*>("BitBtn1"), Qt::LeftButton);
    EXPECT_EQ(c.Form.result(), QDialog::Accepted);
    EXPECT_EQ(c.Answers.Texts().size(), 1);
}
