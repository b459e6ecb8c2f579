#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTreeWidget>

#include "support/dialog_driver.h"
#include "ui/dialogs/list_column_select_form.h"
#include "ui/platform/dialogs.h"

namespace {

const char* const Buttons[] = {"Button1", "Button2", "Button3", "Button4"};  // up, down, show, hide

struct TChooser {
    TDialogAnswerer Answers;
    TListColumnSelectForm Form;
    QTreeWidget* List = Child<QTreeWidget>(&Form, "ListView1");
    QLineEdit* Edit = Child<QLineEdit>(&Form, "Edit1");

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
    void TypeWidth(const char* keys) {
        Edit->setFocus();
        Edit->selectAll();
        QTest::keyClicks(Edit, keys);
    }
    QString Enabled() const {
        QString s;
        for (const char* name : Buttons)
            s += Child<QWidget>(&Form, name)->isEnabled() ? "1" : "0";
        return s;
    }
    QString Order() const {
        QString s;
        for (const TColumnRow& r : Form.Rows())
            s += r.Caption.left(1) + QString::number(r.Width) + (r.Use ? "+" : "-") + " ";
        return s.trimmed();
    }
};

const QList<TColumnRow> Three = {{"料理名", 70, true}, {"種類", 50, false}, {"量", 40, true}};

}  // namespace

TEST(ListColumnSelectForm, ButtonsFollowTheSelectionMovesKeepEachRowWholeAndOneRowMustShow) {
    TChooser c(Three);
    EXPECT_EQ(c.Enabled() + c.Edit->text(), "010170");  // opens on the first row, ready to use
    // Action (-1..-4: up, down, show, hide; else a row click), enabled buttons, rows.
    const struct { int Action; const char* Enabled; const char* Rows; } steps[] = {
        {1, "1110", "料70+ 種50- 量40+"},  {2, "1001", "料70+ 種50- 量40+"},  {-4, "1010", "料70+ 種50- 量40-"},
        {-3, "1001", "料70+ 種50- 量40+"}, {0, "0101", "料70+ 種50- 量40+"},  {-2, "1101", "種50- 料70+ 量40+"},
        {-2, "1001", "種50- 量40+ 料70+"},  {-1, "1101", "種50- 料70+ 量40+"}, {-1, "0101", "料70+ 種50- 量40+"},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.Action);
        if (step.Action >= 0)
            c.ClickRow(step.Action);
        else
            ClickChild(&c.Form, Buttons[-step.Action - 1]);
        EXPECT_EQ(c.Enabled(), step.Enabled);
        EXPECT_EQ(c.Order(), step.Rows);
    }
    c.List->clearSelection();
    EXPECT_EQ(c.Enabled(), "0000");
    EXPECT_TRUE(c.Edit->isReadOnly());
    // OK with nothing ticked is refused.
    for (int row : {0, 2}) {
        c.ClickRow(row);
        ClickChild(&c.Form, "Button4");
    }
    ClickChild(&c.Form, "BitBtn1");
    EXPECT_EQ(c.Answers.Texts(), QStringList({"表示する項目は一つ以上選択して下さい。"}));
    EXPECT_TRUE(c.Form.isVisible());
}

TEST(ListColumnSelectForm, WidthLandsInTheRowItWasTypedFor) {
    TChooser c(Three);
    c.ClickRow(0);
    c.TypeWidth("1a2x3");  // letters refused
    EXPECT_EQ(c.Edit->text(), "123");
    // Clicking row B takes the width into row A; an empty width is ignored.
    c.ClickRow(1);
    EXPECT_EQ(c.Edit->text(), "50");
    c.TypeWidth("");
    c.Edit->clear();
    c.ClickRow(2);
    EXPECT_EQ(c.Order(), "料123+ 種50- 量40+");
    // A width typed and confirmed with O K is stored.
    c.TypeWidth("88");
    ClickChild(&c.Form, "BitBtn1");
    EXPECT_EQ(c.Form.result(), QDialog::Accepted);
    EXPECT_EQ(c.Order(), "料123+ 種50- 量88+");
}

// A width stays within what a screen shows, typed or handed in; Enter in the
// width box or on the list confirms, with the width just typed.
TEST(ListColumnSelectForm, WidthsStayOnScreenAndEnterConfirms) {
    const struct {
        const char* Focus;
        const char* Typed;  // null: nothing typed
        int Width;          // of the first row after Enter
    } rows[] = {
        {"Edit1", "0", 0},        {"Edit1", "2000", 2000},   {"Edit1", "2001", 2000},
        {"Edit1", "70250", 2000}, {"ListView1", nullptr, 70}, {"Edit1", "", 70},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.Focus) + " " + (row.Typed ? row.Typed : "-"));
        TChooser c(Three);
        if (row.Typed)
            c.TypeWidth(row.Typed);
        QWidget* focus = Child<QWidget>(&c.Form, row.Focus);
        focus->setFocus();
        QTest::keyClick(focus, Qt::Key_Return);
        EXPECT_EQ(c.Form.result(), QDialog::Accepted);
        EXPECT_FALSE(c.Form.isVisible());
        EXPECT_EQ(c.Form.Rows()[0].Width, row.Width);
    }
    TChooser wide({{"料理名", 70250, true}, {"量", -5, true}});
    EXPECT_EQ(wide.Edit->text(), "2000");
    EXPECT_EQ(wide.Order(), "料2000+ 量0+");
}
