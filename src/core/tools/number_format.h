#pragma once

#include <QString>

// The general floating-point text: up to 15 significant digits, no trailing
// zeros, no thousands separators, "." as the decimal point; exponent form
// ("1E-6", "1.5E20") below 0.0001 and from 1E15 on. A value that is not
// finite gives "NAN", "INF" or "-INF".
QString FormatGeneralFloat(double value);

// Two decimals with thousands separators: "20.76", "1,234.57".
QString FormatTwoDecimals(double value);
