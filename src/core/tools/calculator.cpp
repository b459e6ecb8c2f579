#include "core/tools/calculator.h"

#include <cmath>
#include <optional>

#include "core/common/units.h"
#include "core/platform/saporia_error.h"
#include "core/tools/number_format.h"

namespace {

// Beyond this a result no longer reads as a whole number of kg or kcal.
constexpr double LargestWhole = 1e15;

// A number the user typed or pasted, or nothing when it is not one.
std::optional<double> ReadNumber(const QString& text) {
    if (!IsNumeric(text))
        return std::nullopt;
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<int> ReadAge(const QString& text) {
    for (QChar c : text)
        if (c < u'0' || c > u'9')
            return std::nullopt;
    bool ok = false;
    const int age = text.toInt(&ok);
    return ok ? std::optional<int>(age) : std::nullopt;
}

const QString TooLarge = QStringLiteral("計算できない値です. 入力を確かめて下さい.");

}  // namespace

double CalcBMI(double weightKg, double heightM) {
    const double square = heightM * heightM;
    if (square == 0)
        throw TSaporiaError(QStringLiteral("身長が0のため、BMIを計算できません."));
    const double bmi = weightKg / square;
    if (!std::isfinite(bmi))
        throw TSaporiaError(TooLarge);
    return bmi;
}

double CalcBasalMetabolism(int age, bool male, double weightKg, double heightCm) {
    if (male)
        return 66 + 13.7 * weightKg + 5.0 * heightCm - 6.8 * age;
    return 665 + 9.6 * weightKg + 1.7 * heightCm - 7.0 * age;
}

QString BmiClass(double bmi) {
    if (bmi < 18.5)
        return QStringLiteral("低体重");
    if (bmi < 25)
        return QStringLiteral("普通体重");
    if (bmi < 30)
        return QStringLiteral("肥満度(1度)");
    if (bmi < 35)
        return QStringLiteral("肥満度(2度)");
    if (bmi < 40)
        return QStringLiteral("肥満度(3度)");
    return QStringLiteral("肥満度(4度)");
}

TBodyReport ComputeBody(const TBodyInput& input) {
    TBodyReport report;
    if (input.Age.isEmpty()) {
        report.Warning = QStringLiteral("年齢が入力されていません.");
        return report;
    }
    if (input.Height.isEmpty()) {
        report.Warning = QStringLiteral("身長が入力されていません.");
        return report;
    }
    if (input.Weight.isEmpty()) {
        report.Warning = QStringLiteral("体重が入力されていません.");
        return report;
    }
    // Pasted text can get past the key filters.
    const std::optional<int> age = ReadAge(input.Age);
    if (!age) {
        report.Error = QStringLiteral("年齢が正しくありません: %1").arg(input.Age);
        return report;
    }
    const std::optional<double> height = ReadNumber(input.Height);
    if (!height) {
        report.Error = QStringLiteral("身長が正しくありません: %1").arg(input.Height);
        return report;
    }
    const std::optional<double> weight = ReadNumber(input.Weight);
    if (!weight) {
        report.Error = QStringLiteral("体重が正しくありません: %1").arg(input.Weight);
        return report;
    }
    const double heightM = *height / 100;
    const double ideal = std::nearbyint(heightM * heightM * 22);  // halves to even
    if (!(std::fabs(ideal * 30) < LargestWhole)) {
        report.Error = TooLarge;
        return report;
    }
    const auto idealKg = static_cast<qint64>(ideal);
    report.IdealWeight = QString::number(idealKg) + QStringLiteral("kg");
    report.Energy = QString::number(idealKg * 30) + QStringLiteral("kcal");
    try {
        const double bmi = CalcBMI(*weight, heightM);
        const double basal = CalcBasalMetabolism(*age, input.Male, *weight, *height);
        if (!std::isfinite(basal))
            throw TSaporiaError(TooLarge);
        report.Bmi = FormatTwoDecimals(bmi);
        report.Class = BmiClass(bmi);
        report.Basal = FormatGeneralFloat(basal) + QStringLiteral("kcal");
    } catch (const TSaporiaError& error) {
        report.Error = error.message();
    }
    return report;
}

TConversionReport ConvertForPanel(const QString& valueText, const QString& fromUnit, const QString& toUnit) {
    TConversionReport report;
    const double value = ReadNumber(valueText).value_or(0);
    if (value == 0) {
        report.Warning = NoValueWarning;
        return report;
    }
    try {
        const double result = ConvertUnit(fromUnit, toUnit, value);
        if (result != 0)
            report.Result = FormatGeneralFloat(result) + toUnit;
    } catch (const TSaporiaError& error) {
        report.Error = error.message();
    }
    return report;
}
