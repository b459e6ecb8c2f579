#pragma once

#include <QString>

// The calculator's formulas and the texts its result fields show.

// Body-mass index: weight / height², weight in kg, height in m. Throws
// TSaporiaError for a height of 0 or a result that is not a finite number.
double CalcBMI(double weightKg, double heightM);

// Basal metabolism in kcal per day (Harris-Benedict):
// male 66 + 13.7 W + 5.0 H - 6.8 A, female 665 + 9.6 W + 1.7 H - 7.0 A.
double CalcBasalMetabolism(int age, bool male, double weightKg, double heightCm);

// "低体重", "普通体重", "肥満度(1度)" ... "肥満度(4度)" for an index.
QString BmiClass(double bmi);

struct TBodyInput {
    QString Age;     // years, digits
    QString Height;  // cm
    QString Weight;  // kg
    bool Male = false;
};

// What the compute button shows. An empty text means the field keeps what
// it showed. A warning stops before anything is shown; an error stops after
// the fields filled so far.
struct TBodyReport {
    QString Warning;
    QString Error;
    QString IdealWeight;  // "64kg"
    QString Energy;       // "1920kcal"
    QString Bmi;          // "20.76"
    QString Class;        // "普通体重"
    QString Basal;        // "1534kcal"
};

TBodyReport ComputeBody(const TBodyInput& input);

// What one unit-conversion panel shows: a warning (nothing changes), an error
// from the conversion, or the result text ("1E-6kg"); all empty: a result of 0,
// the old result stays.
struct TConversionReport {
    QString Warning;
    QString Error;
    QString Result;
};

TConversionReport ConvertForPanel(const QString& valueText, const QString& fromUnit, const QString& toUnit);

inline const QString NoValueWarning = QStringLiteral("入力された値が不正か、値が入力されていません.");
