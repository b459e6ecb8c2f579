#pragma once

#include <QPoint>
#include <QString>
#include <QStringList>

#include "core/recipes/recipe_attributes.h"

class QComboBox;
class QLineEdit;
class QPixmap;
class QWidget;
class TIconBox;
class TNumericKeyFilter;
class TStarRating;

// Where the attribute fields sit on their page and the few names and captions
// that differ between the attribute dialog and the wizard's last step.
struct TAttributeFieldsLook {
    const char* IconPanelName = "";
    const char* IconName = "";
    bool WhiteIconPanel = false;
    int IconTop = 0;
    int ComboTop = 0;
    int EditTop = 0;
    int RowStep = 0;
    QString WorkTimeCaption;
    int WorkTimeWidth = 0;
    int StarLeft = 0;
    int StarTop = 0;
    // Object names of the five difficulty stars, left to right.
    QStringList DifficultNames;
};

// The recipe's attribute controls: icon box, group/kind/amount boxes, the
// numeric edits with their units and the two star rows, built on one page.
struct TAttributeFields {
    TIconBox* Icon = nullptr;
    QComboBox* Kind = nullptr;      // ComboBox1
    QComboBox* Amount = nullptr;    // ComboBox2
    QComboBox* Group = nullptr;     // ComboBox3
    QLineEdit* Calorie = nullptr;   // Edit1
    QLineEdit* Price = nullptr;     // Edit2
    QLineEdit* WorkTime = nullptr;  // Edit3
    QLineEdit* Salt = nullptr;      // Edit4
    TStarRating* Nice = nullptr;
    TStarRating* Difficult = nullptr;

    // The box choices; what is typed in each box stays.
    void SetChoices(const QStringList& kinds, const QStringList& amounts, const QStringList& groups) const;
    // Empties every control; the group box only when `group` is set.
    void Clear(bool group) const;
    // Shows `a`; `icon` is the picture of its icon hint (null for none).
    void Show(const TRecipeAttributes& a, const QPixmap& icon) const;
    TRecipeAttributes Current() const;
    // The icon picker's corner: 2 px left of the icon panel and 2 px below it.
    QPoint PickerCorner() const;
};

// The attribute dialog's page and the wizard's last step.
TAttributeFieldsLook ElementFormLook();
TAttributeFieldsLook WizardStepLook();

TAttributeFields BuildAttributeFields(QWidget* page, const TAttributeFieldsLook& look, TNumericKeyFilter* filter);

// The hidden lit and unlit star pictures ("ImageON", "ImageOFF") every form
// with star rows carries.
void AddStarPictures(QWidget* parent);
