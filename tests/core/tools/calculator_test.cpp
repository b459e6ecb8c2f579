#include <gtest/gtest.h>

#include "core/common/units.h"
#include "core/platform/saporia_error.h"
#include "core/tools/calculator.h"
#include "core/tools/number_format.h"

TEST(CalculatorTest, BodyMeasures) {
    struct TRow {
        const char *Age, *Height, *Weight;
        bool Male;
        const char *Ideal, *Energy, *Bmi, *Class, *Basal;
    };
    const TRow rows[] = {
        {"30", "170", "60", true, "64kg", "1920kcal", "20.76", "普通体重", "1534kcal"},
        {"30", "170", "60", false, "64kg", "1920kcal", "20.76", "普通体重", "1320kcal"},
        // Height 200: the index is the weight / 4, so each class boundary is exact.
        {"40", "200", "73.9", true, "88kg", "2640kcal", "18.48", "低体重", "1806.43kcal"},
        {"40", "200", "74", true, "88kg", "2640kcal", "18.50", "普通体重", "1807.8kcal"},
        {"40", "200", "99.9", true, "88kg", "2640kcal", "24.98", "普通体重", "2162.63kcal"},
        {"40", "200", "100", true, "88kg", "2640kcal", "25.00", "肥満度(1度)", "2164kcal"},
        {"40", "200", "120", true, "88kg", "2640kcal", "30.00", "肥満度(2度)", "2438kcal"},
        {"40", "200", "140", true, "88kg", "2640kcal", "35.00", "肥満度(3度)", "2712kcal"},
        {"40", "200", "160", true, "88kg", "2640kcal", "40.00", "肥満度(4度)", "2986kcal"},
        // 1.5² × 22 = 49.5: halves go to the even neighbour.
        {"20", "150", "50", false, "50kg", "1500kcal", "22.22", "普通体重", "1260kcal"},
        // Thousands separators in the index.
        {"1", "10", "15", false, "0kg", "0kcal", "1,500.00", "肥満度(4度)", "819kcal"},
    };
    for (const TRow& row : rows) {
        const TBodyReport r = ComputeBody({row.Age, row.Height, row.Weight, row.Male});
        const std::string at = std::string(row.Height) + "/" + row.Weight;
        EXPECT_TRUE(r.Warning.isEmpty() && r.Error.isEmpty()) << at;
        EXPECT_EQ(r.IdealWeight, QString::fromUtf8(row.Ideal)) << at;
        EXPECT_EQ(r.Energy, QString::fromUtf8(row.Energy)) << at;
        EXPECT_EQ(r.Bmi, QString::fromUtf8(row.Bmi)) << at;
        EXPECT_EQ(r.Class, QString::fromUtf8(row.Class)) << at;
        EXPECT_EQ(r.Basal, QString::fromUtf8(row.Basal)) << at;
    }
}

TEST(CalculatorTest, BadBodyInputWarnsOrStopsCleanly) {
    struct TRow {
        const char *Age, *Height, *Weight;
        const char* Warning;
        bool Error;
        const char* Ideal;  // shown before the error stopped it
    };
    const TRow rows[] = {
        {"", "", "", "年齢が入力されていません.", false, ""},
        {"30", "", "60", "身長が入力されていません.", false, ""},
        {"30", "170", "", "体重が入力されていません.", false, ""},
        {"30", "0", "60", "", true, "0kg"},  // no division by zero, no INF
        {"30", "0.0", "60", "", true, "0kg"},
        {"30", "1e-200", "60", "", true, "0kg"},
        {"30", "abc", "60", "", true, ""},  // pasted past the key filter
        {"30", "170", "６０", "", true, ""},
        {"3.5", "170", "60", "", true, ""},
        {"99999999999", "170", "60", "", true, ""},
        {"30", "1e400", "60", "", true, ""},
        {"30", "1e300", "60", "", true, ""},
        {"30", "nan", "60", "", true, ""},
        {"30", "170", "inf", "", true, ""},
    };
    for (const TRow& row : rows) {
        const TBodyReport r = ComputeBody({row.Age, row.Height, row.Weight, true});
        const std::string at = std::string(row.Age) + "/" + row.Height + "/" + row.Weight;
        EXPECT_EQ(r.Warning, QString::fromUtf8(row.Warning)) << at;
        EXPECT_EQ(!r.Error.isEmpty(), row.Error) << at;
        EXPECT_EQ(r.IdealWeight, QString::fromUtf8(row.Ideal)) << at;
        for (const QString& shown : {r.Bmi, r.Class, r.Basal})
            EXPECT_TRUE(shown.isEmpty()) << at;
    }
    EXPECT_THROW(CalcBMI(60, 0), TSaporiaError);
}

TEST(CalculatorTest, GeneralFloatText) {
    struct TRow {
        double Value;
        const char* Text;
    };
    const TRow rows[] = {
        {0, "0"},          {1534, "1534"},          {0.5, "0.5"},
        {1e-6, "1E-6"},    {0.0001, "0.0001"},      {0.00001, "1E-5"},
        {1.5e20, "1.5E20"}, {1e15, "1E15"},         {999999999999999, "999999999999999"},
        {-2.5, "-2.5"},    {1.0 / 3, "0.333333333333333"}, {13.7 * 60 + 66 + 850 - 204, "1534"},
        {1.23456789012345678, "1.23456789012346"}, {-1e-9, "-1E-9"},
    };
    for (const TRow& row : rows)
        EXPECT_EQ(FormatGeneralFloat(row.Value), QString::fromLatin1(row.Text)) << row.Text;
}

TEST(CalculatorTest, UnitPanels) {
    struct TRow {
        const char* Value;
        QString From, To;
        QString Result;  // empty: nothing shown
        bool Warned;
    };
    const TRow rows[] = {
        {"1", "mm", "cm", "0.1cm", false},
        {"250", "cm", "m", "2.5m", false},
        {"3", "m", "mm", "3000mm", false},
        {"1", "mg", "kg", "1E-6kg", false},
        {"2", UnitMicrogram, "g", "2E-6g", false},
        {"1", "kg", UnitMicrogram, "1000000000" + UnitMicrogram, false},
        {"5", "mg", "g", "0.005g", false},
        {"1", "l", "dl", "10dl", false},
        {"1", UnitCup, "ml", "200ml", false},
        {"300", "ml", UnitCup, "1.5" + UnitCup, false},
        {"7", "dl", "dl", "7dl", false},  // equal units give the value back
        {"0", "mm", "cm", "", true},
        {"", "mm", "cm", "", true},
        {"abc", "g", "kg", "", true},
        {"1e400", "g", "kg", "", true},
        {"1e-320", "mg", "kg", "", false},  // a result of 0: the old result stays
    };
    for (const TRow& row : rows) {
        const TConversionReport r = ConvertForPanel(row.Value, row.From, row.To);
        EXPECT_EQ(r.Result, row.Result) << row.Value;
        EXPECT_EQ(r.Warning, row.Warned ? NoValueWarning : QString()) << row.Value;
        EXPECT_TRUE(r.Error.isEmpty()) << row.Value;
    }
    EXPECT_EQ(ConvertForPanel("1e308", "kg", UnitMicrogram).Error, QStringLiteral("Error ConvertUnit."));
}
