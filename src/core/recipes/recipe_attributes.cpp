#include "core/recipes/recipe_attributes.h"

#include <QDate>

#include "core/recipes/icon_store.h"

QString TIconNames::FileNameOfHint(const QString& hint) const {
    return UserIconFileName(FileNames, Indexes, hint);
}

int TIconNames::IndexOfFileName(const QString& fileName) const {
    return UserIconIndex(FileNames, Indexes, fileName);
}

QString TodayDateText() {
    return QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd"));
}

namespace {

// The keys a new recipe's file holds before its date and after it, in that
// order; a key added to an existing file goes to its end.
void SetKeysBeforeDate(TStatusFile& status, const TRecipeAttributes& a) {
    status.SetValue(StatusKey::Icon, a.IconHint);
    status.SetValue(StatusKey::Kind, a.Kind);
    status.SetValue(StatusKey::Amount, a.Amount);
    status.SetValue(StatusKey::Calorie, a.Calorie);
    status.SetValue(StatusKey::Price, a.Price);
    status.SetValue(StatusKey::WorkTime, a.WorkTime);
}

void SetKeysAfterDate(TStatusFile& status, const TRecipeAttributes& a) {
    status.SetValue(StatusKey::Group, a.Group);
    status.SetValue(StatusKey::Salt, a.Salt);
    status.SetValue(StatusKey::NiceValue, a.NiceValue);
    status.SetValue(StatusKey::DifficultValue, a.DifficultValue);
}

}  // namespace

TStatusFile WizardStatus(const TRecipeAttributes& a, const QString& date, const TIconNames& icons) {
    TStatusFile status;
    SetKeysBeforeDate(status, a);
    status.SetValue(StatusKey::Date, date);
    SetKeysAfterDate(status, a);
    status.SetValue(StatusKey::ImageFileName, icons.FileNameOfHint(a.IconHint));
    return status;
}

void ApplyAttributes(TStatusFile& status, const TRecipeAttributes& a, const QString& today, const TIconNames& icons) {
    SetKeysBeforeDate(status, a);
    SetKeysAfterDate(status, a);
    if (status.Value(StatusKey::Date).isEmpty())
        status.SetValue(StatusKey::Date, today);
    status.SetValue(StatusKey::ImageFileName, icons.FileNameOfHint(a.IconHint));
}

TRecipeAttributes AttributesFromStatus(const TStatusFile& status, const TIconNames& icons) {
    TRecipeAttributes a;
    const QString imageFileName = status.Value(StatusKey::ImageFileName);
    const int icon = imageFileName.isEmpty() ? status.IntValue(StatusKey::Icon, -1)
                                             : icons.IndexOfFileName(imageFileName);
    a.IconHint = QString::number(icon);
    a.Kind = status.Value(StatusKey::Kind);
    a.Amount = status.Value(StatusKey::Amount);
    a.Calorie = status.Value(StatusKey::Calorie);
    a.Price = status.Value(StatusKey::Price);
    a.WorkTime = status.Value(StatusKey::WorkTime);
    a.Group = status.Value(StatusKey::Group);
    a.Salt = status.Value(StatusKey::Salt);
    a.NiceValue = status.IntValue(StatusKey::NiceValue, -1);
    a.DifficultValue = status.IntValue(StatusKey::DifficultValue, -1);
    return a;
}

void ApplyAttributesToItem(TCookItem& item, const TRecipeAttributes& a) {
    item.Icon = ToIntDef(a.IconHint, -1);
    item.Kind = a.Kind;
    item.Amount = a.Amount;
    item.Calorie = a.Calorie;
    item.Price = a.Price;
    item.WorkTime = a.WorkTime;
    item.Group = a.Group;
    item.Salt = a.Salt;
    item.NiceValue = a.NiceValue;
    item.DifficultValue = a.DifficultValue;
}
