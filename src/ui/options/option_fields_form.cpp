// The options window's working copy: fields to controls at showing, back with OK.
#include "ui/options/option_form.h"

#include <utility>
#include <vector>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSpinBox>

#include "core/common/helpers.h"

namespace {

void SetLines(QPlainTextEdit* memo, const QStringList& items) { memo->setPlainText(items.join('\n')); }

// Every line, empty ones included; an empty memo holds no line.
QStringList Lines(const QPlainTextEdit* memo) {
    const QString text = memo->toPlainText();
    return text.isEmpty() ? QStringList() : text.split('\n');
}

int IndexIgnoringCase(const QComboBox* combo, const QString& text) {
    for (int i = 0; i < combo->count(); ++i)
        if (combo->itemText(i).compare(text, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void SelectIndex(QComboBox* combo, int index) {
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
}

int MemoSize(const QComboBox* combo) {
    return ToIntDef(combo->currentText(), 500);
}

}  // namespace

struct TOptionForm::TControlFields {
    std::vector<std::pair<QCheckBox*, bool TSettings::*>> Checks;
    std::vector<std::pair<QSpinBox*, int TSettings::*>> Spins;
    std::vector<std::pair<QComboBox*, int TSettings::*>> Indexes;
};

TOptionForm::TControlFields TOptionForm::ControlFields() const {
    return {{{CheckBox1, &TSettings::LargeIcon},
             {CheckBox2, &TSettings::UseNumberColor},
             {CheckBox3, &TSettings::GridLine},
             {CheckBox4, &TSettings::UseEmphasis},
             {CheckBox5, &TSettings::UseDigitalClock},
             {CheckBox6, &TSettings::UseSameWidthFont},
             {CheckBox7, &TSettings::PrintComment},
             {CheckBox8, &TSettings::IconSort},
             {CheckBox9, &TSettings::UseLinkFunction},
             {CheckBox10, &TSettings::UseThumbnail},
             {CheckBox11, &TSettings::PrintPicture}},
            {{SpinEdit1, &TSettings::PrintFontSize},
             {SpinEdit2, &TSettings::LeftMargin},
             {SpinEdit3, &TSettings::RightMargin},
             {SpinEdit4, &TSettings::TopMargin},
             {SpinEdit5, &TSettings::BottomMargin}},
            {{ComboBox1, &TSettings::HeaderType},
             {ComboBox2, &TSettings::FooterType},
             {ComboBox4, &TSettings::LeftHeaderType},
             {ComboBox5, &TSettings::LeftFooterType},
             {ComboBox6, &TSettings::RightHeaderType},
             {ComboBox7, &TSettings::RightFooterType},
             {ComboBox8, &TSettings::ContentsType}}};
}

void TOptionForm::FieldsToControls() {
    const TSettings& s = Working;
    StyleComboBox->setCurrentIndex(IndexIgnoringCase(StyleComboBox, s.BackgroundFileName));
    SetLines(Memo1, s.CookKinds);
    SetLines(Memo2, s.CookAmounts);
    SetLines(Memo3, s.EmphasisWords);
    SetLines(Memo4, s.CookGroups);

    const TControlFields fields = ControlFields();
    for (const auto& [box, field] : fields.Checks)
        box->setChecked(s.*field);
    SetSwatchColour(s.EmphasisColor);

    // Another style number leaves the buttons as they were.
    QRadioButton* styles[] = {RadioButton1, RadioButton2, RadioButton3, RadioButton4};
    if (s.PrintType >= 1 && s.PrintType <= 4)
        styles[s.PrintType - 1]->setChecked(true);
    CheckBox4Click();

    // Spin boxes clamp a value written by hand outside their range.
    for (const auto& [spin, field] : fields.Spins)
        spin->setValue(s.*field);

    for (const auto& [combo, field] : fields.Indexes)
        SelectIndex(combo, s.*field);
    ComboBox3->setCurrentIndex(IndexIgnoringCase(ComboBox3, s.PaperSize));
    CheckBox9Click();
    EditTitle->setText(s.TitleName);
    cbDrawMemoHeight->setCurrentIndex(cbDrawMemoHeight->findText(QString::number(s.DrawMemoHeight)));
    cbDrawMemoWidth->setCurrentIndex(cbDrawMemoWidth->findText(QString::number(s.DrawMemoWidth)));
}

void TOptionForm::ControlsToFields() {
    TSettings& s = Working;
    s.CookGroups = Lines(Memo4);
    s.CookKinds = Lines(Memo1);
    s.CookAmounts = Lines(Memo2);
    s.EmphasisWords = Lines(Memo3);
    s.EmphasisColor = SwatchColour;
    s.BackgroundFileName = StyleComboBox->currentIndex() >= 0 ? StyleComboBox->currentText() : QString();

    const TControlFields fields = ControlFields();
    for (const auto& [box, field] : fields.Checks)
        s.*field = box->isChecked();
    for (const auto& [spin, field] : fields.Spins)
        s.*field = spin->value();
    for (const auto& [combo, field] : fields.Indexes)
        s.*field = combo->currentIndex();
    s.PaperSize = ComboBox3->currentIndex() >= 0 ? ComboBox3->currentText() : QString();
    s.TitleName = EditTitle->text();
    s.DrawMemoHeight = MemoSize(cbDrawMemoHeight);
    s.DrawMemoWidth = MemoSize(cbDrawMemoWidth);

    const QRadioButton* styles[] = {RadioButton1, RadioButton2, RadioButton3, RadioButton4};
    for (int i = 0; i < 4; ++i)
        if (styles[i]->isChecked())
            s.PrintType = i + 1;
}
