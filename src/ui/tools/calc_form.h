#pragma once

#include <array>

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class TNumericKeyFilter;

// The calculator "計算": body measures on the first page, three unit
// conversions on the second. Modeless; its inputs and results stay between
// showings.
class TCalcForm final : public QDialog {
    Q_OBJECT
public:
    explicit TCalcForm(QWidget* parent = nullptr);

private:
    // One unit-conversion panel: Edit1, ComboBox1, ComboBox2, BitBtn2, Edit2
    // for lengths, and the same build for masses and volumes.
    struct TUnitPanel {
        QLineEdit* Value = nullptr;
        QComboBox* From = nullptr;
        QComboBox* To = nullptr;
        QPushButton* Convert = nullptr;
        QLineEdit* Result = nullptr;
    };

    QWidget* BuildBodyPage();
    QWidget* BuildUnitPage();
    void BuildUnitPanel(QWidget* page, int index);
    QLineEdit* AddInput(QWidget* page, const char* name, const QString& caption, const QString& unit, int y);
    QLineEdit* AddResult(QWidget* page, const char* name, const QString& caption, int x, int y, int width);

    void BitBtn6Click();
    void ConvertClick(int panel);
    void EditChange(int panel);
    void PageChanged(int page);

    TNumericKeyFilter* NumericFilter = nullptr;
    QTabWidget* PageControl1 = nullptr;
    QLineEdit* Edit19 = nullptr;
    QLineEdit* Edit20 = nullptr;
    QLineEdit* Edit21 = nullptr;
    QRadioButton* Male = nullptr;
    QRadioButton* Female = nullptr;
    QPushButton* BitBtn6 = nullptr;
    QLineEdit* Edit22 = nullptr;
    QLineEdit* Edit23 = nullptr;
    QLineEdit* Edit34 = nullptr;
    QLineEdit* Edit35 = nullptr;
    QLineEdit* Edit36 = nullptr;
    std::array<TUnitPanel, 3> Panels;
    int DefaultPanel = -1;  // the panel whose button Enter presses on the second page
};
