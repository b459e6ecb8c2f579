// The options window's working copy: fields to controls at showing, back with OK.
#include "settings/option_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSpinBox>

#include "common/helpers.h"

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

void TOptionForm::FieldsToControls() {
    const TSettings& s = Settings;
    StyleComboBox->setCurrentIndex(IndexIgnoringCase(StyleComboBox, s.BackgroundFileName));
    SetLines(Memo1, s.CookKinds);
    SetLines(Memo2, s.CookAmounts);
    SetLines(Memo3, s.EmphasisWords);
    SetLines(Memo4, s.CookGroups);

    CheckBox1->setChecked(s.LargeIcon);
    CheckBox2->setChecked(s.UseNumberColor);
    CheckBox3->setChecked(s.GridLine);
    CheckBox4->setChecked(s.UseEmphasis);
    CheckBox5->setChecked(s.UseDigitalClock);
    CheckBox6->setChecked(s.UseSameWidthFont);
    CheckBox7->setChecked(s.PrintComment);
    CheckBox8->setChecked(s.IconSort);
    CheckBox9->setChecked(s.UseLinkFunction);
    CheckBox10->setChecked(s.UseThumbnail);
    CheckBox11->setChecked(s.PrintPicture);
    SetSwatchColour(s.EmphasisColor);

    // Another style number leaves the buttons as they were.
    QRadioButton* styles[] = {RadioButton1, RadioButton2, RadioButton3, RadioButton4};
    if (s.PrintType >= 1 && s.PrintType <= 4)
        styles[s.PrintType - 1]->setChecked(true);
    CheckBox4Click();

    // Spin boxes clamp a value written by hand outside their range.
    SpinEdit1->setValue(s.PrintFontSize);
    SpinEdit2->setValue(s.LeftMargin);
    SpinEdit3->setValue(s.RightMargin);
    SpinEdit4->setValue(s.TopMargin);
    SpinEdit5->setValue(s.BottomMargin);

    SelectIndex(ComboBox1, s.HeaderType);
    SelectIndex(ComboBox2, s.FooterType);
    SelectIndex(ComboBox4, s.LeftHeaderType);
    SelectIndex(ComboBox5, s.LeftFooterType);
    SelectIndex(ComboBox6, s.RightHeaderType);
    SelectIndex(ComboBox7, s.RightFooterType);
    SelectIndex(ComboBox8, s.ContentsType);
    ComboBox3->setCurrentIndex(IndexIgnoringCase(ComboBox3, s.PaperSize));
    CheckBox9Click();
    EditTitle->setText(s.TitleName);
    cbDrawMemoHeight->setCurrentIndex(cbDrawMemoHeight->findText(QString::number(s.DrawMemoHeight)));
    cbDrawMemoWidth->setCurrentIndex(cbDrawMemoWidth->findText(QString::number(s.DrawMemoWidth)));
}

void TOptionForm::ControlsToFields() {
    TSettings& s = Settings;
    s.CookGroups = Lines(Memo4);
    s.CookKinds = Lines(Memo1);
    s.CookAmounts = Lines(Memo2);
    s.EmphasisWords = Lines(Memo3);
    s.EmphasisColor = SwatchColour;
    s.BackgroundFileName = StyleComboBox->currentIndex() >= 0 ? StyleComboBox->currentText() : QString();

    s.LargeIcon = CheckBox1->isChecked();
    s.UseNumberColor = CheckBox2->isChecked();
    s.GridLine = CheckBox3->isChecked();
    s.UseEmphasis = CheckBox4->isChecked();
    s.UseDigitalClock = CheckBox5->isChecked();
    s.UseSameWidthFont = CheckBox6->isChecked();
    s.PrintComment = CheckBox7->isChecked();
    s.IconSort = CheckBox8->isChecked();
    s.UseLinkFunction = CheckBox9->isChecked();
    s.UseThumbnail = CheckBox10->isChecked();
    s.PrintPicture = CheckBox11->isChecked();

    s.PrintFontSize = SpinEdit1->value();
    s.LeftMargin = SpinEdit2->value();
    s.RightMargin = SpinEdit3->value();
    s.TopMargin = SpinEdit4->value();
    s.BottomMargin = SpinEdit5->value();

    s.HeaderType = ComboBox1->currentIndex();
    s.FooterType = ComboBox2->currentIndex();
    s.LeftHeaderType = ComboBox4->currentIndex();
    s.LeftFooterType = ComboBox5->currentIndex();
    s.RightHeaderType = ComboBox6->currentIndex();
    s.RightFooterType = ComboBox7->currentIndex();
    s.PaperSize = ComboBox3->currentIndex() >= 0 ? ComboBox3->currentText() : QString();
    s.ContentsType = ComboBox8->currentIndex();
    s.TitleName = EditTitle->text();
    s.DrawMemoHeight = MemoSize(cbDrawMemoHeight);
    s.DrawMemoWidth = MemoSize(cbDrawMemoWidth);

    const QRadioButton* styles[] = {RadioButton1, RadioButton2, RadioButton3, RadioButton4};
    for (int i = 0; i < 4; ++i)
        if (styles[i]->isChecked())
            s.PrintType = i + 1;
}
