#pragma once

#include <QDialog>
#include <QImage>

#include "ui/widgets/attribute_fields.h"
#include "core/recipes/recipe_attributes.h"

class QFrame;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QToolButton;
class TIconForm;
class TNumericKeyFilter;

// The four-step new recipe wizard: ingredients, method, photo, attributes.
// It only collects; the caller creates the recipe from Collected() on OK.
class TNewWizardForm final : public QDialog {
    Q_OBJECT
public:
    explicit TNewWizardForm(QWidget* parent = nullptr);
    ~TNewWizardForm() override;

    void SetIconPicker(TIconForm* picker);
    void SetRecipeName(const QString& name);
    // Choices of the kind, amount and group boxes, from the settings.
    void SetChoices(const QStringList& kinds, const QStringList& amounts, const QStringList& groups);

    // The next showing keeps every entry and the step instead of starting
    // afresh (after a creation that failed, so nothing typed is lost).
    void KeepContentsOnNextShow() { KeepContents = true; }

    int StepIndex() const { return Step; }
    TWizardRecipe Collected() const;
    bool HasPhoto() const { return !PhotoJpeg.isEmpty(); }

    void BitBtnNextClick();
    void BitBtnPrevClick();
    void L1Click();
    void Paste2Click();
    void D1Click();
    void Image4Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Reset();
    void ApplyStep();
    void SetPhoto(const QByteArray& jpeg, const QImage& image);
    void ShowPhoto();
    QWidget* BuildStepPanel(const QString& name, const QString& title);

    int Step = 0;
    bool KeepContents = false;
    QByteArray PhotoJpeg;
    QImage PhotoImage;
    TIconForm* IconPicker = nullptr;
    TNumericKeyFilter* NumericFilter = nullptr;

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QFrame* Panel5 = nullptr;
    QWidget* Panel1 = nullptr;
    QWidget* Panel2 = nullptr;
    QWidget* Panel3 = nullptr;
    QWidget* Panel4 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QPlainTextEdit* Memo2 = nullptr;
    QLabel* Image1 = nullptr;
    QMenu* PicturePopupMenu = nullptr;
    TAttributeFields Fields;
    QPushButton* BitBtnPrev = nullptr;
    QPushButton* BitBtnNext = nullptr;
    QPushButton* BitBtnCancel = nullptr;
};
