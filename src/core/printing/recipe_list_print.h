#pragma once

#include <QList>
#include <QString>

#include "core/recipes/cook_item.h"

struct TReport;
struct TSettings;

// The printed index of the shown recipes: names sorted and grouped under
// "―key―" headings, an empty line before every heading but the first line,
// each recipe as five blanks and its name, every line followed by CR LF.
// `rows` are the records in display order. contentsType 0 groups by the
// name's first character, 1 by kind, 2 by amount, 3 by group (an empty key
// is "指定なし"); any other value gives no lines.
QString RecipeIndexText(const TCookItems& items, const QList<int>& rows, int contentsType);

// The list layout's class name for the paper setting, empty when unknown.
QString ListLayoutFor(const TSettings& settings);

// Puts the text into the list layout and adapts it to the settings.
void FillListLayout(TReport& layout, const TSettings& settings, const QString& text);
