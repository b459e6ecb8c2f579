#pragma once

#include <functional>
#include <optional>

#include <QDialog>

#include "core/recipes/recipe_attributes.h"
#include "core/recipes/cook_item.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TNewWizardForm;

// The name dialog of a new recipe. OK checks the name (empty, refused by the
// recipe-name check, already there) and stays open with a warning, or closes
// with the trimmed name.
class TNewForm final : public QDialog {
    Q_OBJECT
public:
    explicit TNewForm(QWidget* parent = nullptr);
    ~TNewForm() override;

    void SetDataRoot(const QString& dataRoot) { DataRoot = dataRoot; }
    QString RecipeName() const { return AcceptedName; }
    bool UseWizard() const;
    // Empties the name box; the wizard check box keeps the user's choice.
    void ClearName();

    void BtnOKClick();
    void BtnCancelClick();

private:
    QString DataRoot;
    QString AcceptedName;
    QLabel* Label1 = nullptr;
    QLineEdit* EditRecipeName = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QPushButton* BtnOK = nullptr;
    QPushButton* BtnCancel = nullptr;
};

// Runs name dialog, then the wizard when ticked, then creates the recipe
// folder. Each dialog's exec() has returned before the next one shows.
// `beforeCreate` runs once the user has given everything and may still
// stop the creation (the save question of the open recipe). Returns the new
// record, or nothing when the user cancelled or the creation failed (the
// failure has been shown, nothing is left on disk). After a failed creation
// from the wizard the wizard shows again with its entries kept.
std::optional<TCookItem> RunNewRecipe(TNewForm* nameDialog, TNewWizardForm* wizard, const QString& dataRoot,
                                      const TIconNames& icons, const std::function<bool()>& beforeCreate = {});
