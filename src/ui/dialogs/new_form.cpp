#include "ui/dialogs/new_form.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ui/dialogs/new_wizard_form.h"
#include "core/recipes/recipe_folder_ops.h"
#include "ui/platform/dialogs.h"

TNewForm::TNewForm(QWidget* parent) : QDialog(parent) {
    setObjectName("NewForm");
    setWindowTitle(QStringLiteral("料理名入力"));
    setFixedSize(304, 119);
    Label1 = new QLabel(QStringLiteral("料理の名称を入力してください"), this);
    Label1->setObjectName("Label1");
    Label1->setGeometry(12, 10, 280, 16);
    EditRecipeName = new QLineEdit(this);
    EditRecipeName->setObjectName("EditRecipeName");
    EditRecipeName->setGeometry(12, 30, 280, 22);
    CheckBox1 = new QCheckBox(QStringLiteral("新規作成ウィザードを使用する"), this);
    CheckBox1->setObjectName("CheckBox1");
    CheckBox1->setGeometry(12, 58, 280, 20);
    CheckBox1->setChecked(true);
    BtnOK = new QPushButton(QStringLiteral("O K"), this);
    BtnOK->setObjectName("BtnOK");
    BtnOK->setGeometry(124, 86, 80, 25);
    BtnOK->setDefault(true);
    BtnCancel = new QPushButton(QStringLiteral("キャンセル"), this);
    BtnCancel->setObjectName("BtnCancel");
    BtnCancel->setGeometry(212, 86, 80, 25);
    BtnCancel->setAutoDefault(false);
    connect(BtnOK, &QPushButton::clicked, this, &TNewForm::BtnOKClick);
    connect(BtnCancel, &QPushButton::clicked, this, &TNewForm::BtnCancelClick);
}

bool TNewForm::UseWizard() const {
    return CheckBox1->isChecked();
}

void TNewForm::ClearName() {
    EditRecipeName->clear();
    AcceptedName.clear();
}

void TNewForm::BtnOKClick() {
    const QString name = Trim(EditRecipeName->text());
    QString problem;
    RunGuarded(this, ErrorPrefix(QStringLiteral("New Recipe")), [&] { problem = NewRecipeNameProblem(DataRoot, name); });
    if (!problem.isEmpty()) {
        ShowWarningBox(this, problem);
        EditRecipeName->setFocus();
        return;
    }
    AcceptedName = name;
    accept();
}

void TNewForm::BtnCancelClick() {
    reject();
}

std::optional<TCookItem> RunNewRecipe(TNewForm* nameDialog, TNewWizardForm* wizard, const QString& dataRoot,
                                      const TIconNames& icons, const std::function<bool()>& beforeCreate) {
    nameDialog->SetDataRoot(dataRoot);
    nameDialog->ClearName();
    if (nameDialog->exec() != QDialog::Accepted)
        return std::nullopt;
    const QString name = nameDialog->RecipeName();
    const bool useWizard = nameDialog->UseWizard();
    QWidget* owner = nameDialog->parentWidget();
    for (;;) {
        std::optional<TWizardRecipe> collected;
        if (useWizard) {
            wizard->SetRecipeName(name);
            if (wizard->exec() != QDialog::Accepted)
                return std::nullopt;
            collected = wizard->Collected();
        }
        if (beforeCreate && !beforeCreate())
            return std::nullopt;
        std::optional<TCookItem> created;
        RunGuarded(owner, ErrorPrefix(QStringLiteral("New Recipe")), [&] {
            created = CreateRecipe(dataRoot, name, collected ? &*collected : nullptr, TodayDateText(), icons);
        });
        if (created || !useWizard)
            return created;
        // The failure has been shown (a character the files cannot hold, a
        // full disk): the wizard comes back with everything typed so far, to
        // be mended or cancelled.
        wizard->KeepContentsOnNextShow();
    }
}


TNewForm::~TNewForm() {
}
