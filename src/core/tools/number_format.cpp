#include "core/tools/number_format.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <QLocale>

namespace {

QString StripZeros(QString digits) {
    if (!digits.contains(QLatin1Char('.')))
        return digits;
    while (digits.endsWith(QLatin1Char('0')))
        digits.chop(1);
    if (digits.endsWith(QLatin1Char('.')))
        digits.chop(1);
    return digits;
}

}  // namespace

QString FormatGeneralFloat(double value) {
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    if (value == 0)
        return QStringLiteral("0");
    // The exponent after rounding to 15 significant digits decides the form.
    char scientific[64];
    std::snprintf(scientific, sizeof scientific, "%.14e", value);
    const char* e = std::strchr(scientific, 'e');
    const int exponent = std::atoi(e + 1);
    if (exponent < -4 || exponent >= 15) {
        const QString mantissa = StripZeros(QString::fromLatin1(scientific, e - scientific));
        return mantissa + QLatin1Char('E') + QString::number(exponent);
    }
    char fixed[64];
    std::snprintf(fixed, sizeof fixed, "%.*f", 14 - exponent, value);
    return StripZeros(QString::fromLatin1(fixed));
}

QString FormatTwoDecimals(double value) { return QLocale(QLocale::English).toString(value, 'f', 2); }
