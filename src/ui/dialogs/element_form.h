#pragma once

#include <QDialog>

#include "ui/widgets/attribute_fields.h"
#include "core/recipes/recipe_attributes.h"

class QPushButton;
class TIconForm;
class TNumericKeyFilter;

// The attribute dialog of the open recipe: icon, group, kind, amount,
// calorie, salt, price, cooking time and the two ratings. OK writes them
// into the recipe's "Status.txt" (other lines kept) and closes; a failed
// write is shown and the dialog stays open.
class TElementForm final : public QDialog {
    Q_OBJECT
public:
    explicit TElementForm(QWidget* parent = nullptr);
    ~TElementForm() override;

    void SetIconPicker(TIconForm* picker);
    void SetChoices(const QStringList& kinds, const QStringList& amounts, const QStringList& groups);
    // The recipe folder and the user icons for the next showing.
    void SetRecipe(const QString& recipePath, const TIconNames& icons);
    // The attributes written by the last OK.
    const TRecipeAttributes& Saved() const { return SavedAttributes; }

    TRecipeAttributes Current() const;
    void Image1Click();
    void Button1Click();

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void LoadControls();

    QString RecipePath;
    TIconNames Icons;
    TRecipeAttributes SavedAttributes;
    TIconForm* IconPicker = nullptr;
    TNumericKeyFilter* NumericFilter = nullptr;

    TAttributeFields Fields;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
};
