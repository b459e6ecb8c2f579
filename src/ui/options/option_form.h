#pragma once

#include <functional>
#include <optional>

#include <QColor>
#include <QDialog>
#include <QString>

#include "core/settings/settings.h"

class QCheckBox;
class QColorDialog;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class TSettingsStore;

// The options window "各種設定画面": seven pages of controls that work on a copy
// of the store's settings; the copy is taken at every showing and given back
// to the store only by OK.
class TOptionForm final : public QDialog {
    Q_OBJECT
public:
    TOptionForm(const QString& appDir, TSettingsStore& store, QWidget* parent = nullptr);

    // Chooses a colour starting from the dialog's last colour; nothing when
    // cancelled. Tests replace it.
    std::function<std::optional<QColor>(QColorDialog*)> PickColour;

    QTabWidget* PageControl1 = nullptr;
    QLineEdit* EditTitle = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QCheckBox* CheckBox2 = nullptr;
    QCheckBox* CheckBox3 = nullptr;
    QCheckBox* CheckBox4 = nullptr;
    QCheckBox* CheckBox5 = nullptr;
    QCheckBox* CheckBox6 = nullptr;
    QCheckBox* CheckBox7 = nullptr;
    QCheckBox* CheckBox8 = nullptr;
    QCheckBox* CheckBox9 = nullptr;
    QCheckBox* CheckBox10 = nullptr;
    QCheckBox* CheckBox11 = nullptr;
    QComboBox* StyleComboBox = nullptr;
    QComboBox* cbDrawMemoWidth = nullptr;
    QComboBox* cbDrawMemoHeight = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QPlainTextEdit* Memo2 = nullptr;
    QPlainTextEdit* Memo3 = nullptr;
    QPlainTextEdit* Memo4 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label9 = nullptr;
    QFrame* Panel14 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QComboBox* ComboBox2 = nullptr;
    QComboBox* ComboBox3 = nullptr;
    QComboBox* ComboBox4 = nullptr;
    QComboBox* ComboBox5 = nullptr;
    QComboBox* ComboBox6 = nullptr;
    QComboBox* ComboBox7 = nullptr;
    QComboBox* ComboBox8 = nullptr;
    QSpinBox* SpinEdit1 = nullptr;
    QSpinBox* SpinEdit2 = nullptr;
    QSpinBox* SpinEdit3 = nullptr;
    QSpinBox* SpinEdit4 = nullptr;
    QSpinBox* SpinEdit5 = nullptr;
    QRadioButton* RadioButton1 = nullptr;
    QRadioButton* RadioButton2 = nullptr;
    QRadioButton* RadioButton3 = nullptr;
    QRadioButton* RadioButton4 = nullptr;
    QPushButton* BitBtnOK = nullptr;
    QPushButton* BitBtnCancel = nullptr;
    QColorDialog* ColorDialog1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreatePages();
    void FitPages();
    QWidget* CreateView1Page();
    QWidget* CreateView2Page();
    QWidget* CreateAttributePage();
    QWidget* CreateEmphasisPage();
    QWidget* CreatePrintBasicPage();
    QWidget* CreatePrintRecipePage();
    QWidget* CreatePrintIndexPage();

    void FormShow();
    void BitBtnOKClick();
    void CheckBox4Click();
    void CheckBox9Click();
    void Panel14Click();
    void SetSwatchColour(TColorValue colour);
    void FieldsToControls();
    void ControlsToFields();
    // The check boxes, spin boxes and index lists with the field each shows,
    // for both directions.
    struct TControlFields;
    TControlFields ControlFields() const;

    QString AppDir;
    TSettingsStore& Store;
    TSettings Working;  // what the controls show, from the last showing
    TColorValue SwatchColour = ColorBlue;
};
