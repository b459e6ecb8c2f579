#include "ui/tools/calc_form.h"

#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QTabWidget>

#include "core/common/units.h"
#include "core/settings/fonts.h"
#include "core/tools/calculator.h"
#include "ui/platform/dialogs.h"
#include "ui/widgets/form_button.h"
#include "ui/widgets/form_label.h"
#include "ui/widgets/numeric_key_filter.h"
#include "ui/widgets/tiled_paint_box.h"

namespace {

QLineEdit* NewEdit(QWidget* parent, const char* name, const QRect& geometry, bool readOnly) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setGeometry(geometry);
    edit->setReadOnly(readOnly);
    return edit;
}

struct TPanelLook {
    const char* Title;
    const char *Value, *From, *To, *Button, *Result;
    QStringList Units;
    int FromIndex, ToIndex;
};

const std::array<TPanelLook, 3>& PanelLooks() {
    static const std::array<TPanelLook, 3> looks = {{
        {"長さ", "Edit1", "ComboBox1", "ComboBox2", "BitBtn2", "Edit2", {"mm", "cm", "m"}, 0, 1},
        {"重さ", "Edit3", "ComboBox3", "ComboBox4", "BitBtn3", "Edit4", {UnitMicrogram, "mg", "g", "kg"}, 1, 2},
        {"容量", "Edit5", "ComboBox5", "ComboBox6", "BitBtn4", "Edit6", {"ml", "dl", "l", UnitCup}, 0, 1},
    }};
    return looks;
}

}  // namespace

TCalcForm::TCalcForm(QWidget* parent) : QDialog(parent), NumericFilter(new TNumericKeyFilter(this)) {
    setObjectName(QStringLiteral("CalcForm"));
    setWindowTitle(QStringLiteral("計算"));
    setModal(false);
    setFixedSize(396, 357);
    setFont(QFont(ProportionalGothic, 9));

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setDocumentMode(true);  // flat tabs
    PageControl1->setGeometry(0, 0, 396, 316);
    PageControl1->addTab(BuildBodyPage(), QStringLiteral("BMI・基礎代謝"));
    PageControl1->addTab(BuildUnitPage(), QStringLiteral("単位変換"));
    connect(PageControl1, &QTabWidget::currentChanged, this, &TCalcForm::PageChanged);

    auto* panel1 = new QFrame(this);
    panel1->setObjectName(QStringLiteral("Panel1"));
    panel1->setGeometry(0, 316, 396, 41);
    auto* paintBox = new TTiledPaintBox(panel1);
    paintBox->setObjectName(QStringLiteral("PaintBox1"));
    paintBox->setGeometry(panel1->rect());
    QPushButton* close = AddButton(panel1, "BitBtn1", QStringLiteral("閉じる"), {306, 8, 80, 25});
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    PageChanged(0);
}

QLineEdit* TCalcForm::AddInput(QWidget* page, const char* name, const QString& caption, const QString& unit, int y) {
    AddLabel(page, caption, 20, y + 4);
    QLineEdit* edit = NewEdit(page, name, {64, y, 56, 21}, false);
    AddLabel(page, unit, 124, y + 4);
    return edit;
}

QLineEdit* TCalcForm::AddResult(QWidget* page, const char* name, const QString& caption, int x, int y, int width) {
    if (!caption.isEmpty())
        AddLabel(page, caption, 20, y + 4);
    return NewEdit(page, name, {x, y, width, 21}, true);
}

QWidget* TCalcForm::BuildBodyPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet1"));
    AddLabel(page, QStringLiteral("※計算結果はあくまで目安としてお使い下さい"), 8, 8, "Label1");
    AddLabel(page, QStringLiteral("【入 力】"), 8, 30, "Label3");
    Edit19 = AddInput(page, "Edit19", QStringLiteral("年齢"), QStringLiteral("才"), 48);
    Edit20 = AddInput(page, "Edit20", QStringLiteral("身長"), QStringLiteral("cm"), 76);
    Edit21 = AddInput(page, "Edit21", QStringLiteral("体重"), QStringLiteral("kg"), 104);
    // Digits only, typed or pasted.
    Edit19->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), Edit19));
    NumericFilter->Attach(Edit20);
    NumericFilter->Attach(Edit21);

    auto* group = new QGroupBox(QStringLiteral("性別"), page);
    group->setObjectName(QStringLiteral("RadioGroup1"));
    group->setGeometry(160, 44, 96, 82);
    Male = new QRadioButton(QStringLiteral("男"), group);
    Male->setObjectName(QStringLiteral("RadioGroup1Item0"));
    Male->setGeometry(14, 24, 70, 20);
    Female = new QRadioButton(QStringLiteral("女"), group);
    Female->setObjectName(QStringLiteral("RadioGroup1Item1"));
    Female->setGeometry(14, 50, 70, 20);
    Female->setChecked(true);

    BitBtn6 = AddButton(page, "BitBtn6", QStringLiteral("計 算"), {280, 70, 92, 30});
    connect(BitBtn6, &QPushButton::clicked, this, &TCalcForm::BitBtn6Click);

    AddLabel(page, QStringLiteral("【結 果】"), 8, 140, "Label2");
    Edit22 = AddResult(page, "Edit22", QStringLiteral("【理想体重】"), 224, 160, 120);
    Edit23 = AddResult(page, "Edit23", QStringLiteral("【一日あたりの推奨摂取カロリー】"), 224, 188, 120);
    Edit34 = AddResult(page, "Edit34", QStringLiteral("【BMI】"), 224, 216, 60);
    Edit35 = AddResult(page, "Edit35", QString(), 288, 216, 84);
    Edit36 = AddResult(page, "Edit36", QStringLiteral("【基礎代謝量】"), 224, 244, 120);
    return page;
}

QWidget* TCalcForm::BuildUnitPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet2"));
    for (int i = 0; i < 3; ++i)
        BuildUnitPanel(page, i);
    return page;
}

void TCalcForm::BuildUnitPanel(QWidget* page, int index) {
    const TPanelLook& look = PanelLooks()[index];
    auto* box = new QGroupBox(QString::fromUtf8(look.Title), page);
    box->setGeometry(6, 4 + index * 94, 380, 88);
    AddLabel(box, QStringLiteral("変換前の値"), 8, 16);
    AddLabel(box, QStringLiteral("変換前の単位"), 104, 16);
    AddLabel(box, QStringLiteral("変換後の単位"), 206, 16);
    AddLabel(box, QStringLiteral("→"), 188, 38);
    AddLabel(box, QStringLiteral("結果"), 8, 64);

    TUnitPanel& panel = Panels[index];
    panel.Value = NewEdit(box, look.Value, {8, 34, 88, 21}, false);
    panel.Value->setText(QStringLiteral("0"));
    NumericFilter->Attach(panel.Value);
    panel.From = new QComboBox(box);
    panel.From->setObjectName(QLatin1String(look.From));
    panel.From->setGeometry(104, 34, 78, 22);
    panel.To = new QComboBox(box);
    panel.To->setObjectName(QLatin1String(look.To));
    panel.To->setGeometry(206, 34, 78, 22);
    for (QComboBox* list : {panel.From, panel.To})
        list->addItems(look.Units);
    panel.From->setCurrentIndex(look.FromIndex);
    panel.To->setCurrentIndex(look.ToIndex);
    panel.Convert = AddButton(box, look.Button, QStringLiteral("変 換"), {294, 32, 78, 25});
    panel.Result = NewEdit(box, look.Result, {104, 60, 180, 21}, true);

    connect(panel.Convert, &QPushButton::clicked, this, [this, index] { ConvertClick(index); });
    connect(panel.Value, &QLineEdit::textChanged, this, [this, index] { EditChange(index); });
    for (QComboBox* list : {panel.From, panel.To})
        connect(list, &QComboBox::currentIndexChanged, this, [this, index] { EditChange(index); });
}

void TCalcForm::BitBtn6Click() {
    const TBodyReport report = ComputeBody({Edit19->text(), Edit20->text(), Edit21->text(), Male->isChecked()});
    if (!report.Warning.isEmpty()) {
        ShowWarningBox(this, report.Warning);
        return;
    }
    const std::pair<QLineEdit*, QString> shown[] = {{Edit22, report.IdealWeight}, {Edit23, report.Energy},
                                                    {Edit34, report.Bmi},         {Edit35, report.Class},
                                                    {Edit36, report.Basal}};
    for (const auto& [edit, text] : shown)
        if (!text.isEmpty())
            edit->setText(text);
    if (!report.Error.isEmpty())
        ShowErrorBox(this, report.Error);
}

void TCalcForm::ConvertClick(int index) {
    const TUnitPanel& panel = Panels[index];
    const TConversionReport report =
        ConvertForPanel(panel.Value->text(), panel.From->currentText(), panel.To->currentText());
    if (!report.Warning.isEmpty())
        ShowWarningBox(this, report.Warning);
    else if (!report.Error.isEmpty())
        ShowErrorBox(this, report.Error);
    else if (!report.Result.isEmpty())
        panel.Result->setText(report.Result);
}

void TCalcForm::EditChange(int index) {
    DefaultPanel = index;
    for (int i = 0; i < 3; ++i)
        Panels[i].Convert->setDefault(i == index);
}

void TCalcForm::PageChanged(int page) {
    // A default button on a hidden page would take Enter from the shown one.
    if (page == 0) {
        for (const TUnitPanel& panel : Panels)
            panel.Convert->setDefault(false);
        BitBtn6->setDefault(true);
        return;
    }
    BitBtn6->setDefault(false);
    for (int i = 0; i < 3; ++i)
        Panels[i].Convert->setDefault(i == DefaultPanel);
}
