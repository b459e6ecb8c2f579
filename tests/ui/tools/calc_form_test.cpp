#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

#include "core/common/units.h"
#include "support/dialog_driver.h"
#include "ui/platform/dialogs.h"
#include "ui/tools/calc_form.h"

namespace {

struct TCalcFixture {
    TDialogAnswerer Answers;
    TCalcForm Form;

    TCalcFixture() { Form.show(); }
    QLineEdit* Edit(const char* name) { return Child<QLineEdit>(&Form, name); }
    void Click(const char* name) { QTest::mouseClick(Child<QPushButton>(&Form, name), Qt::LeftButton); }
    // Types into an edit as the keyboard would, replacing what was there.
    void Type(const char* name, const QString& text) {
        Edit(name)->setFocus();
        Edit(name)->selectAll();
        QTest::keyClick(Edit(name), Qt::Key_Backspace);
        QTest::keyClicks(Edit(name), text);
    }
    void Pick(const char* combo, const QString& unit) {
        auto* box = Child<QComboBox>(&Form, combo);
        box->setCurrentIndex(box->findText(unit));
    }
    QString Results() {
        QStringList shown;
        for (const char* name : {"Edit22", "Edit23", "Edit34", "Edit35", "Edit36"})
            shown << Edit(name)->text();
        return shown.join(u'|');
    }
};

}  // namespace

TEST(CalcFormTest, BodyPageShowsResultsAndStopsCleanly) {
    TCalcFixture c;
    const struct {
        const char *Height, *Sex, *Results;
        int Message;  // -1: none, else the type of the one message
    } steps[] = {
        {"170", "RadioGroup1Item0", "64kg|1920kcal|20.76|普通体重|1534kcal", -1},
        {"170", "RadioGroup1Item1", "64kg|1920kcal|20.76|普通体重|1320kcal", -1},
        {"", "RadioGroup1Item1", "64kg|1920kcal|20.76|普通体重|1320kcal", int(TMsgType::Warning)},
        // Ideal weight and energy come before the division; the rest keep their values.
        {"0", "RadioGroup1Item1", "0kg|0kcal|20.76|普通体重|1320kcal", int(TMsgType::Error)},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.Results);
        c.Answers.ClearLog();
        c.Type("Edit19", "30");
        c.Type("Edit20", step.Height);
        c.Type("Edit21", "60");
        QTest::mouseClick(Child<QRadioButton>(&c.Form, step.Sex), Qt::LeftButton);
        c.Click("BitBtn6");
        EXPECT_EQ(c.Results(), QString::fromUtf8(step.Results));
        EXPECT_EQ(c.Answers.Calls().empty() ? -1 : int(c.Answers.Calls()[0].Type), step.Message);
    }
    // The age takes digits only, the height one "." but not first.
    c.Type("Edit19", "3.5");
    c.Type("Edit20", ".1.7");
    EXPECT_EQ(c.Edit("Edit19")->text() + u'|' + c.Edit("Edit20")->text(), "35|1.7");
    // Closed and shown again: the last inputs and results are still there.
    c.Click("BitBtn1");
    c.Form.show();
    EXPECT_EQ(c.Edit("Edit20")->text(), "1.7");
    EXPECT_EQ(c.Edit("Edit36")->text(), "1320kcal");
}

TEST(CalcFormTest, EveryUnitPanelConvertsIntoItsOwnField) {
    TCalcFixture c;
    c.Form.findChild<QTabWidget*>("PageControl1")->setCurrentIndex(1);
    const struct {
        const char *Value, *From, *To, *Button, *Result;
        QString FromUnit, ToUnit, Shown;
    } rows[] = {
        {"Edit1", "ComboBox1", "ComboBox2", "BitBtn2", "Edit2", "cm", "mm", "25mm"},
        {"Edit3", "ComboBox3", "ComboBox4", "BitBtn3", "Edit4", "mg", "kg", "2.5E-6kg"},
        {"Edit5", "ComboBox5", "ComboBox6", "BitBtn4", "Edit6", UnitCup, "ml", "500ml"},
    };
    // Each panel shows its own result; a value of 0 then warns and keeps it.
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Value);
        c.Type(row.Value, QStringLiteral("2.5"));
        c.Pick(row.From, row.FromUnit);
        c.Pick(row.To, row.ToUnit);
        c.Click(row.Button);
        c.Type(row.Value, QStringLiteral("0"));
        c.Click(row.Button);
        EXPECT_EQ(c.Answers.Texts().join(u'|'), QStringLiteral("入力された値が不正か、値が入力されていません."));
        EXPECT_EQ(c.Edit(row.Result)->text(), row.Shown);
        c.Answers.ClearLog();
    }
}

TEST(CalcFormTest, EnterPressesTheButtonOfThePanelBeingEdited) {
    TCalcFixture c;
    auto* pages = c.Form.findChild<QTabWidget*>("PageControl1");
    pages->setCurrentIndex(1);
    c.Pick("ComboBox3", "g");  // the mass panel's button first
    c.Type("Edit5", "3");
    QTest::keyClick(c.Edit("Edit5"), Qt::Key_Return);
    EXPECT_EQ(c.Edit("Edit6")->text() + u'|' + c.Edit("Edit4")->text(), "0.03dl|");
    // The first page takes its own button back, and gives the panel's back after.
    pages->setCurrentIndex(0);
    EXPECT_TRUE(Child<QPushButton>(&c.Form, "BitBtn6")->isDefault());
    pages->setCurrentIndex(1);
    EXPECT_TRUE(Child<QPushButton>(&c.Form, "BitBtn4")->isDefault() &&
                !Child<QPushButton>(&c.Form, "BitBtn6")->isDefault());
}
