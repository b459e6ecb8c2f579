#include "core/common/numeric_key_rule.h"

#include "core/common/units.h"

bool NumericKeyAccepted(const QString& text, bool hasSelection, QChar key) {
    if (key == QLatin1Char('\b'))
        return true;
    if (key == QLatin1Char('.') && hasSelection)
        return false;
    if (!QStringLiteral("0123456789.").contains(key))
        return false;
    const QString result = text + key;
    return !result.startsWith(QLatin1Char('.')) && IsNumeric(result);
}
