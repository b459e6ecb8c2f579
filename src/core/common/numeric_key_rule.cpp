#include "core/common/numeric_key_rule.h"

#include "core/common/units.h"

bool NumericKeyAccepted(const QString& text, int selectionStart, int selectionLength, QChar key) {
    if (key == QLatin1Char('\b'))
        return true;
    const bool hasSelection = selectionLength > 0;
    if (key == QLatin1Char('.') && hasSelection)
        return false;
    if (!QStringLiteral("0123456789.").contains(key))
        return false;
    const QString result = hasSelection ? QString(text).replace(selectionStart, selectionLength, key) : text + key;
    return !result.startsWith(QLatin1Char('.')) && IsNumeric(result);
}
