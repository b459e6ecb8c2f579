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

    TCalcFixture() {
        Form.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&Form));
    }
    QLineEdit* Edit(const char* name) { return Child<QLineEdit>(&Form, name); }
    QPushButton* Button(const char* name) { return Child<QPushButton>(&Form, name); }
    // Types into an edit as the keyboard would, replacing what was there.
    void Type(const char* name, const QString& text) {
        QLineEdit* edit = Edit(name);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
    }
    void Body(const QString& age, const QString& height, const QString& weight, bool male) {
        Type("Edit19", age);
        Type("Edit20", height);
        Type("Edit21", weight);
        QTest::mouseClick(Child<QRadioButton>(&Form, male ? "RadioGroup1Item0" : "RadioGroup1Item1"),
                          Qt::LeftButton);
        QTest::mouseClick(Button("BitBtn6"), Qt::LeftButton);
    }
    QStringList Results() {
        QStringList shown;
        for (const char* name : {"Edit22", "Edit23", "Edit34", "Edit35", "Edit36"})
            shown << Edit(name)->text();
        return shown;
    }
};

}  // namespace

TEST(CalcFormTest, BodyMeasuresAsTypedShowInTheResultFields) {
    TCalcFixture c;
    EXPECT_EQ(c.Form.windowTitle(), "計算");
    EXPECT_TRUE(Child<QRadioButton>(&c.Form, "RadioGroup1Item1")->isChecked());  // 女 at first
    c.Body("30", "170", "60", true);
    EXPECT_EQ(c.Results(), QStringList({"64kg", "1920kcal", "20.76", "普通体重", "1534kcal"}));
    c.Body("30", "170", "60", false);
    EXPECT_EQ(c.Edit("Edit36")->text(), "1320kcal");
    EXPECT_TRUE(c.Answers.Texts().isEmpty());
    // The age takes digits only, the height one "." but not first.
    c.Type("Edit19", "3.5");
    c.Type("Edit20", ".1.7");
    EXPECT_EQ(c.Edit("Edit19")->text(), "35");
    EXPECT_EQ(c.Edit("Edit20")->text(), "1.7");
    // Closed and shown again: the last inputs and results are still there.
    QTest::mouseClick(c.Button("BitBtn1"), Qt::LeftButton);
    EXPECT_FALSE(c.Form.isVisible());
    c.Form.show();
    EXPECT_EQ(c.Edit("Edit20")->text(), "1.7");
    EXPECT_EQ(c.Edit("Edit36")->text(), "1320kcal");
}

TEST(CalcFormTest, EmptyOrZeroHeightWarnsOrStopsWithoutNonsense) {
    TCalcFixture c;
    c.Body("30", "170", "60", true);
    c.Answers.ClearLog();
    c.Body("30", "", "60", true);
    EXPECT_EQ(c.Answers.Texts(), QStringList({"身長が入力されていません."}));
    EXPECT_EQ(c.Answers.Calls()[0].Type, TMsgType::Warning);
    EXPECT_EQ(c.Results(), QStringList({"64kg", "1920kcal", "20.76", "普通体重", "1534kcal"}));

    c.Answers.ClearLog();
    c.Body("30", "0", "60", true);
    ASSERT_EQ(c.Answers.Calls().size(), 1u);
    EXPECT_EQ(c.Answers.Calls()[0].Type, TMsgType::Error);
    // The ideal weight and energy were shown before the division; the rest keep their values.
    EXPECT_EQ(c.Results(), QStringList({"0kg", "0kcal", "20.76", "普通体重", "1534kcal"}));

    // Text pasted past the key filter is checked too.
    c.Answers.ClearLog();
    c.Edit("Edit21")->setText(QStringLiteral("abc"));
    QTest::mouseClick(c.Button("BitBtn6"), Qt::LeftButton);
    ASSERT_EQ(c.Answers.Calls().size(), 1u);
    EXPECT_EQ(c.Answers.Calls()[0].Type, TMsgType::Error);
    for (const QString& shown : c.Results())
        EXPECT_FALSE(shown.contains("INF") || shown.contains("NAN")) << shown.toStdString();
}

TEST(CalcFormTest, EveryUnitPanelConverts) {
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
        TCalcFixture c;
        c.Form.findChild<QTabWidget*>("PageControl1")->setCurrentIndex(1);
        c.Type(row.Value, QStringLiteral("2.5"));
        auto* from = Child<QComboBox>(&c.Form, row.From);
        auto* to = Child<QComboBox>(&c.Form, row.To);
        from->setCurrentIndex(from->findText(row.FromUnit));
        to->setCurrentIndex(to->findText(row.ToUnit));
        QTest::mouseClick(c.Button(row.Button), Qt::LeftButton);
        EXPECT_EQ(c.Edit(row.Result)->text(), row.Shown) << row.Value;
        EXPECT_TRUE(c.Answers.Texts().isEmpty());
        c.Type(row.Value, QStringLiteral("0"));
        QTest::mouseClick(c.Button(row.Button), Qt::LeftButton);
        EXPECT_EQ(c.Answers.Texts(), QStringList({"入力された値が不正か、値が入力されていません."}));
        EXPECT_EQ(c.Edit(row.Result)->text(), row.Shown) << row.Value;
    }
}

TEST(CalcFormTest, EnterPressesTheButtonOfThePanelBeingEdited) {
    TCalcFixture c;
    auto* pages = c.Form.findChild<QTabWidget*>("PageControl1");
    EXPECT_TRUE(c.Button("BitBtn6")->isDefault());
    pages->setCurrentIndex(1);
    auto* fromMass = Child<QComboBox>(&c.Form, "ComboBox3");
    fromMass->setCurrentIndex(fromMass->findText("g"));
    EXPECT_TRUE(c.Button("BitBtn3")->isDefault());
    EXPECT_FALSE(c.Button("BitBtn2")->isDefault());
    EXPECT_FALSE(c.Button("BitBtn4")->isDefault());
    c.Type("Edit5", "3");
    EXPECT_TRUE(c.Button("BitBtn4")->isDefault());
    EXPECT_FALSE(c.Button("BitBtn3")->isDefault());
    QTest::keyClick(c.Edit("Edit5"), Qt::Key_Return);
    EXPECT_EQ(c.Edit("Edit6")->text(), "0.03dl");
    // The first page takes its own button back, and gives the panel's back after.
    pages->setCurrentIndex(0);
    EXPECT_TRUE(c.Button("BitBtn6")->isDefault());
    EXPECT_FALSE(c.Button("BitBtn4")->isDefault());
    pages->setCurrentIndex(1);
    EXPECT_TRUE(c.Button("BitBtn4")->isDefault());
    EXPECT_FALSE(c.Button("BitBtn6")->isDefault());
}
