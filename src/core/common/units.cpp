#include "core/common/units.h"

#include <cmath>

#include "core/platform/saporia_error.h"

namespace {

struct TUnitFactor {
    const char16_t* From;
    const char16_t* To;
    double Factor;
    bool Multiply;
};

// "\u03BCg" is μg, the four half-width characters are ｶｯﾌﾟ.
#define MICRO u"\u03BCg"
#define CUP u"\uFF76\uFF6F\uFF8C\uFF9F"

const TUnitFactor Factors[] = {
    {u"mm", u"m", 1000, false},        {u"mm", u"cm", 10, false},
    {u"cm", u"m", 100, false},         {u"cm", u"mm", 10, true},
    {u"m", u"cm", 100, true},          {u"m", u"mm", 1000, true},
    {u"mg", u"kg", 1000000, false},    {u"mg", u"g", 1000, false},
    {u"mg", MICRO, 1000, true},        {u"g", u"kg", 1000, false},
    {u"g", u"mg", 1000, true},         {u"g", MICRO, 1000000, true},
    {u"kg", u"g", 1000, true},         {u"kg", u"mg", 1000000, true},
    {u"kg", MICRO, 1000000000, true},  {MICRO, u"mg", 1000, false},
    {MICRO, u"g", 1000000, false},     {MICRO, u"kg", 1000000000, false},
    {u"ml", u"l", 1000, false},        {u"ml", u"dl", 100, false},
    {u"ml", CUP, 200, false},          {u"dl", u"ml", 100, true},
    {u"dl", u"l", 10, false},          {u"dl", CUP, 2, false},
    {u"l", u"ml", 1000, true},         {u"l", u"dl", 10, true},
    {u"l", CUP, 5, true},              {CUP, u"ml", 200, true},
    {CUP, u"dl", 2, true},             {CUP, u"l", 0.2, true},
};

#undef MICRO
#undef CUP

QString AsciiLower(const QString& text) {
    QString result = text;
    for (QChar& c : result) {
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + ('a' - 'A'));
    }
    return result;
}

bool IsDigit(QChar c) { return c >= u'0' && c <= u'9'; }

}  // namespace

double ConvertUnit(const QString& fromUnit, const QString& toUnit, double value) {
    const QString from = AsciiLower(fromUnit);
    const QString to = AsciiLower(toUnit);
    double result = value;
    for (const TUnitFactor& row : Factors) {
        if (from == QStringView(row.From) && to == QStringView(row.To)) {
            result = row.Multiply ? value * row.Factor : value / row.Factor;
            break;
        }
    }
    if (!std::isfinite(result))
        throw TSaporiaError(QStringLiteral("Error ConvertUnit."));
    return result;
}

bool IsNumeric(const QString& text) {
    const qsizetype n = text.size();
    qsizetype p = 0;
    while (p < n && text[p] == u' ')
        ++p;
    if (p < n && (text[p] == u'+' || text[p] == u'-'))
        ++p;
    int digits = 0;
    while (p < n && IsDigit(text[p]))
        ++p, ++digits;
    if (p < n && text[p] == u'.') {
        ++p;
        while (p < n && IsDigit(text[p]))
            ++p, ++digits;
    }
    if (digits == 0)
        return false;
    if (p < n && (text[p] == u'e' || text[p] == u'E')) {
        ++p;
        if (p < n && (text[p] == u'+' || text[p] == u'-'))
            ++p;
        int exponentDigits = 0;
        while (p < n && IsDigit(text[p]))
            ++p, ++exponentDigits;
        if (exponentDigits == 0)
            return false;
    }
    while (p < n && text[p] == u' ')
        ++p;
    return p == n;
}
