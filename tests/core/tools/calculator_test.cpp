#include <gtest/gtest.h>

#include "core/common/units.h"
#include "core/tools/calculator.h"
#include "core/tools/number_format.h"

namespace {

// The warning, or the five result fields joined by "|" and "!" after an error.
QString Shown(const TBodyReport& r) {
    if (!r.Warning.isEmpty())
        return r.Warning;
    return QStringList{r.IdealWeight, r.Energy, r.Bmi, r.Class, r.Basal}.join(u'|') + (r.Error.isEmpty() ? "" : "!");
}

}  // namespace

TEST(CalculatorTest, BodyMeasures) {
    struct TRow { const char *Age, *Height, *Weight; bool Male; const char* Shown; };
    const TRow rows[] = {
        {"30", "170", "60", true, "64kg|1920kcal|20.76|普通体重|1534kcal"},
        {"30", "170", "60", false, "64kg|1920kcal|20.76|普通体重|1320kcal"},
        // Height 200: the index is the weight / 4, so each class boundary is exact.
        {"40", "200", "73.9", true, "88kg|2640kcal|18.48|低体重|1806.43kcal"},
        {"40", "200", "74", true, "88kg|2640kcal|18.50|普通体重|1807.8kcal"},
        {"40", "200", "99.9", true, "88kg|2640kcal|24.98|普通体重|2162.63kcal"},
        {"40", "200", "100", true, "88kg|2640kcal|25.00|肥満度(1度)|2164kcal"},
        {"40", "200", "120", true, "88kg|2640kcal|30.00|肥満度(2度)|2438kcal"},
        {"40", "200", "140", true, "88kg|2640kcal|35.00|肥満度(3度)|2712kcal"},
        {"40", "200", "160", true, "88kg|2640kcal|40.00|肥満度(4度)|2986kcal"},
        {"20", "150", "50", false, "50kg|1500kcal|22.22|普通体重|1260kcal"},  // 49.5 goes to the even 50
        {"1", "10", "15", false, "0kg|0kcal|1,500.00|肥満度(4度)|819kcal"},
        {"", "", "", true, "年齢が入力されていません."},
        {"30", "", "60", true, "身長が入力されていません."},
        {"30", "170", "", true, "体重が入力されていません."},
        // Height 0 or too small to square: no division by zero, no INF; what was computed first stays.
        {"30", "0", "60", true, "0kg|0kcal|||!"},
        {"30", "1e-200", "60", true, "0kg|0kcal|||!"},
        // Pasted past the key filters, or too large to compute.
        {"30", "abc", "60", true, "||||!"},
        {"30", "170", "６０", true, "||||!"},
        {"3.5", "170", "60", true, "||||!"},
        {"99999999999", "170", "60", true, "||||!"},
        {"30", "1e400", "60", true, "||||!"},
        {"30", "1e300", "60", true, "||||!"},
        {"30", "170", "inf", true, "||||!"},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(std::string(row.Age) + "/" + row.Height + "/" + row.Weight);
        EXPECT_EQ(Shown(ComputeBody({row.Age, row.Height, row.Weight, row.Male})), QString::fromUtf8(row.Shown));
    }
}

TEST(CalculatorTest, GeneralFloatText) {
    const std::pair<double, const char*> rows[] = {
        {0, "0"},          {0.5, "0.5"},          {1e-6, "1E-6"},     {0.0001, "0.0001"},
        {0.00001, "1E-5"}, {1.5e20, "1.5E20"},    {1e15, "1E15"},     {999999999999999, "999999999999999"},
        {-2.5, "-2.5"},    {-1e-9, "-1E-9"},      {1.0 / 3, "0.333333333333333"},
        {13.7 * 60 + 66 + 850 - 204, "1534"},  // the sum's binary noise is rounded away
    };
    for (const auto& [value, text] : rows)
        EXPECT_EQ(FormatGeneralFloat(value), QString::fromLatin1(text)) << text;
}

TEST(CalculatorTest, UnitPanels) {
    struct TRow { const char* Value; QString From, To, Result, Warning; };  // Result empty: nothing shown
    const TRow rows[] = {
        {"1", "mg", "kg", "1E-6kg", ""},
        {"300", "ml", UnitCup, "1.5" + UnitCup, ""},
        {"7", "dl", "dl", "7dl", ""},
        {"0", "mm", "cm", "", NoValueWarning},
        {"", "mm", "cm", "", NoValueWarning},
        {"abc", "g", "kg", "", NoValueWarning},
        {"1e400", "g", "kg", "", NoValueWarning},
        {"1e-320", "mg", "kg", "", ""},  // a result of 0: the old result stays
    };
    for (const TRow& row : rows) {
        const TConversionReport r = ConvertForPanel(row.Value, row.From, row.To);
        EXPECT_EQ(r.Result + u'|' + r.Warning + u'|' + r.Error, row.Result + u'|' + row.Warning + u'|') << row.Value;
    }
    EXPECT_EQ(ConvertForPanel("1e308", "kg", UnitMicrogram).Error, QStringLiteral("Error ConvertUnit."));
}
