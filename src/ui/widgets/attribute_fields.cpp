#include "ui/widgets/attribute_fields.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>

#include "ui/widgets/form_label.h"
#include "ui/widgets/icon_box.h"
#include "ui/widgets/numeric_key_filter.h"
#include "ui/widgets/star_rating.h"

namespace {

const QStringList NiceNames{"Image5", "Image6", "Image7", "Image8", "Image9"};

}  // namespace

TAttributeFieldsLook ElementFormLook() {
    TAttributeFieldsLook look;
    look.IconPanelName = "Panel1";
    look.IconName = "Image1";
    look.WhiteIconPanel = true;
    look.IconTop = 10;
    look.ComboTop = 54;
    look.EditTop = 138;
    look.RowStep = 28;
    look.WorkTimeCaption = QStringLiteral("調理時間");
    look.WorkTimeWidth = 106;
    look.StarLeft = 262;
    look.StarTop = 18;
    look.DifficultNames = {"Image2", "Image3", "Image4", "Image10", "Image11"};
    return look;
}

TAttributeFieldsLook WizardStepLook() {
    TAttributeFieldsLook look;
    look.IconPanelName = "PanelImage";
    look.IconName = "Image4";
    look.IconTop = 30;
    look.ComboTop = 70;
    look.EditTop = 154;
    look.RowStep = 26;
    look.WorkTimeCaption = QStringLiteral("作業時間");
    look.WorkTimeWidth = 150;
    look.StarLeft = 268;
    look.StarTop = 40;
    look.DifficultNames = {"Image10", "Image11", "Image12", "Image13", "Image14"};
    return look;
}

TAttributeFields BuildAttributeFields(QWidget* page, const TAttributeFieldsLook& look, TNumericKeyFilter* filter) {
    TAttributeFields f;

    auto addCombo = [&](const char* name, const QString& label, int y) {
        AddLabel(page, label, 16, y + 4);
        auto* combo = new QComboBox(page);
        combo->setObjectName(name);
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setGeometry(90, y, 150, 22);
        return combo;
    };
    f.Group = addCombo("ComboBox3", QStringLiteral("グループ名"), look.ComboTop);
    f.Kind = addCombo("ComboBox1", QStringLiteral("種類"), look.ComboTop + look.RowStep);
    f.Amount = addCombo("ComboBox2", QStringLiteral("量"), look.ComboTop + 2 * look.RowStep);

    auto addEdit = [&](const char* name, const QString& label, const QString& unit, int y, int width) {
        AddLabel(page, label, 16, y + 4);
        auto* edit = new QLineEdit(page);
        edit->setObjectName(name);
        edit->setGeometry(90, y, width, 22);
        if (!unit.isEmpty())
            AddLabel(page, unit, 164, y + 4);
        return edit;
    };
    f.Calorie = addEdit("Edit1", QStringLiteral("カロリー"), QStringLiteral("kcal"), look.EditTop, 70);
    f.Salt = addEdit("Edit4", QStringLiteral("塩分"), QStringLiteral("g"), look.EditTop + look.RowStep, 70);
    f.Price = addEdit("Edit2", QStringLiteral("費用"), QStringLiteral("円"), look.EditTop + 2 * look.RowStep, 70);
    f.WorkTime = addEdit("Edit3", look.WorkTimeCaption, QString(), look.EditTop + 3 * look.RowStep,
                         look.WorkTimeWidth);
    for (QLineEdit* edit : {f.Calorie, f.Price, f.Salt})
        filter->Attach(edit);

    AddLabel(page, QStringLiteral("おいしさ"), look.StarLeft, look.StarTop);
    f.Nice = new TStarRating(NiceNames, page);
    f.Nice->setObjectName("Shape1");
    f.Nice->move(look.StarLeft, look.StarTop + 18);
    AddLabel(page, QStringLiteral("むずかしさ"), look.StarLeft, look.StarTop + 44);
    f.Difficult = new TStarRating(look.DifficultNames, page);
    f.Difficult->setObjectName("Shape2");
    f.Difficult->move(look.StarLeft, look.StarTop + 62);

    // Made last, the icon comes last in the tab order: the first stop stays
    // the group box, so Enter at once still confirms rather than opening the picker.
    AddLabel(page, QStringLiteral("アイコン"), 16, look.IconTop + 8);
    auto* panel = new QFrame(page);
    panel->setObjectName(look.IconPanelName);
    panel->setGeometry(90, look.IconTop, 34, 34);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    if (look.WhiteIconPanel) {
        panel->setAutoFillBackground(true);
        QPalette white = panel->palette();
        white.setColor(QPalette::Window, Qt::white);
        panel->setPalette(white);
    }
    f.Icon = new TIconBox(panel);
    f.Icon->setObjectName(look.IconName);
    f.Icon->move(1, 1);
    return f;
}

void AddStarPictures(QWidget* parent) {
    auto* imageOn = new QLabel(parent);
    imageOn->setObjectName("ImageON");
    imageOn->setPixmap(TStarRating::LitPicture());
    imageOn->hide();
    auto* imageOff = new QLabel(parent);
    imageOff->setObjectName("ImageOFF");
    imageOff->setPixmap(TStarRating::UnlitPicture());
    imageOff->hide();
}

void TAttributeFields::SetChoices(const QStringList& kinds, const QStringList& amounts,
                                  const QStringList& groups) const {
    auto refill = [](QComboBox* combo, const QStringList& items) {
        const QString text = combo->currentText();
        combo->clear();
        combo->addItems(items);
        combo->setEditText(text);
    };
    refill(Kind, kinds);
    refill(Amount, amounts);
    refill(Group, groups);
}

void TAttributeFields::Clear(bool group) const {
    Icon->Clear();
    Kind->setEditText(QString());
    Amount->setEditText(QString());
    if (group)
        Group->setEditText(QString());
    for (QLineEdit* edit : {Calorie, Price, WorkTime, Salt})
        edit->clear();
    Nice->SetValue(0);
    Difficult->SetValue(0);
}

void TAttributeFields::Show(const TRecipeAttributes& a, const QPixmap& icon) const {
    if (ToIntDef(a.IconHint, -1) != -1)
        Icon->SetIcon(a.IconHint, icon);
    Group->setEditText(a.Group);
    Kind->setEditText(a.Kind);
    Amount->setEditText(a.Amount);
    Calorie->setText(a.Calorie);
    Price->setText(a.Price);
    WorkTime->setText(a.WorkTime);
    Salt->setText(a.Salt);
    Nice->SetValue(a.NiceValue);
    Difficult->SetValue(a.DifficultValue);
}

TRecipeAttributes TAttributeFields::Current() const {
    TRecipeAttributes a;
    a.IconHint = Icon->Hint();
    a.Kind = Kind->currentText();
    a.Amount = Amount->currentText();
    a.Calorie = Calorie->text();
    a.Price = Price->text();
    a.WorkTime = WorkTime->text();
    a.Group = Group->currentText();
    a.Salt = Salt->text();
    a.NiceValue = Nice->Value();
    a.DifficultValue = Difficult->Value();
    return a;
}

QPoint TAttributeFields::PickerCorner() const {
    QWidget* panel = Icon->parentWidget();
    return panel->mapToGlobal(QPoint(-2, panel->height() + 2));
}
