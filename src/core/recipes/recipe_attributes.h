#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "core/common/helpers.h"
#include "core/recipes/cook_item.h"
#include "core/recipes/status_file.h"

// The attributes a user sets in the wizard's last step or in the attribute
// dialog, as the controls hold them.
struct TRecipeAttributes {
    QString IconHint = QStringLiteral("-1");  // icon index as text, "-1" for none
    QString Kind;
    QString Amount;
    QString Calorie;
    QString Price;
    QString WorkTime;
    QString Group;
    QString Salt;
    int NiceValue = 0;       // lit stars, 0 to 5
    int DifficultValue = 0;  // lit stars, 0 to 5
};

// What the wizard collected for a new recipe.
struct TWizardRecipe {
    QString Foodstuff;     // ingredients text
    QString How;           // method text
    QByteArray PhotoJpeg;  // empty: no photo
    TRecipeAttributes Attributes;
};

// The user icons of this run: file names (with ".bmp") and, parallel to
// them, the index each received, as decimal text.
struct TIconNames {
    QStringList FileNames;
    QStringList Indexes;

    // The file name of the icon whose index text equals `hint`; empty for a
    // built-in icon or none.
    QString FileNameOfHint(const QString& hint) const;
    // The index of the user icon named `fileName` (letter case ignored), -1
    // when it is not loaded or its index is not a number.
    int IndexOfFileName(const QString& fileName) const;
};

// Today's date as the attribute file stores it.
QString TodayDateText();

// "Status.txt" of a recipe made by the wizard, built from nothing.
TStatusFile WizardStatus(const TRecipeAttributes& attributes, const QString& date, const TIconNames& icons);

// The attribute dialog's write: the keys set over `status` in their order,
// other lines kept in place, Date added only when missing.
void ApplyAttributes(TStatusFile& status, const TRecipeAttributes& attributes, const QString& today,
                     const TIconNames& icons);

// What the attribute dialog shows for a recipe's attribute file, the icon
// resolved through its file name when it names a user icon. The ratings are
// as stored (-1 when unset).
TRecipeAttributes AttributesFromStatus(const TStatusFile& status, const TIconNames& icons);

// The record fields the attribute dialog changes; Name, Date, PhotoMark and
// Visible stay.
void ApplyAttributesToItem(TCookItem& item, const TRecipeAttributes& attributes);
