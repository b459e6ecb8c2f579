#include "dialogs/element_form.h"

#include <QComboBox>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

#include "dialogs/icon_box_widget.h"
#include "dialogs/icon_form.h"
#include "dialogs/numeric_key_filter_widget.h"
#include "dialogs/star_rating_widget.h"
#include "dialogs/tiled_background.h"
#include "platform/dialogs.h"
#include "platform/saporia_error.h"

namespace {

QLabel* AddLabel(QWidget* parent, const QString& text, int x, int y) {
    auto* label = new QLabel(text, parent);
    label->move(x, y);
    label->adjustSize();
    return label;
}

}  // namespace

TElementForm::TElementForm(QWidget* parent) : QDialog(parent), NumericFilter(new TNumericKeyFilter(this)) {
    setObjectName("ElementForm");
    ElementForm = this;
    setWindowTitle(QStringLiteral("属性変更画面"));
    setFixedSize(384, 261);

    AddLabel(this, QStringLiteral("アイコン"), 16, 18);
    auto* panel1 = new QFrame(this);
    panel1->setObjectName("Panel1");
    panel1->setGeometry(90, 10, 34, 34);
    panel1->setFrameShape(QFrame::Panel);
    panel1->setFrameShadow(QFrame::Sunken);
    panel1->setAutoFillBackground(true);
    QPalette white = panel1->palette();
    white.setColor(QPalette::Window, Qt::white);
    panel1->setPalette(white);
    Image1 = new TIconBox(panel1);
    Image1->setObjectName("Image1");
    Image1->move(1, 1);
    connect(Image1, &TIconBox::Clicked, this, &TElementForm::Image1Click);

    auto addCombo = [&](const char* name, const QString& label, int y) {
        AddLabel(this, label, 16, y + 4);
        auto* combo = new QComboBox(this);
        combo->setObjectName(name);
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setGeometry(90, y, 150, 22);
        return combo;
    };
    ComboBox3 = addCombo("ComboBox3", QStringLiteral("グループ名"), 54);
    ComboBox1 = addCombo("ComboBox1", QStringLiteral("種類"), 82);
    ComboBox2 = addCombo("ComboBox2", QStringLiteral("量"), 110);

    auto addEdit = [&](const char* name, const QString& label, const QString& unit, int y) {
        AddLabel(this, label, 16, y + 4);
        auto* edit = new QLineEdit(this);
        edit->setObjectName(name);
        edit->setGeometry(90, y, 70, 22);
        if (!unit.isEmpty())
            AddLabel(this, unit, 164, y + 4);
        return edit;
    };
    Edit1 = addEdit("Edit1", QStringLiteral("カロリー"), QStringLiteral("kcal"), 138);
    Edit4 = addEdit("Edit4", QStringLiteral("塩分"), QStringLiteral("g"), 166);
    Edit2 = addEdit("Edit2", QStringLiteral("費用"), QStringLiteral("円"), 194);
    Edit3 = addEdit("Edit3", QStringLiteral("調理時間"), QString(), 222);
    Edit3->setGeometry(90, 222, 106, 22);
    for (QLineEdit* edit : {Edit1, Edit2, Edit4})
        NumericFilter->Attach(edit);

    AddLabel(this, QStringLiteral("おいしさ"), 262, 18);
    NiceRow = new TStarRating({"Image5", "Image6", "Image7", "Image8", "Image9"}, this);
    NiceRow->setObjectName("Shape1");
    NiceRow->move(262, 36);
    AddLabel(this, QStringLiteral("むずかしさ"), 262, 62);
    DifficultRow = new TStarRating({"Image2", "Image3", "Image4", "Image10", "Image11"}, this);
    DifficultRow->setObjectName("Shape2");
    DifficultRow->move(262, 80);
    auto* imageOn = new QLabel(this);
    imageOn->setObjectName("ImageON");
    imageOn->setPixmap(TStarRating::LitPicture());
    imageOn->hide();
    auto* imageOff = new QLabel(this);
    imageOff->setObjectName("ImageOFF");
    imageOff->setPixmap(TStarRating::UnlitPicture());
    imageOff->hide();

    Button1 = new QPushButton(QStringLiteral("O K"), this);
    Button1->setObjectName("Button1");
    Button1->setGeometry(206, 226, 80, 25);
    Button1->setDefault(true);
    Button2 = new QPushButton(QStringLiteral("キャンセル"), this);
    Button2->setObjectName("Button2");
    Button2->setGeometry(294, 226, 80, 25);
    Button2->setAutoDefault(false);
    connect(Button1, &QPushButton::clicked, this, &TElementForm::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    SetIconPicker(IconForm);
}

void TElementForm::SetIconPicker(TIconForm* picker) {
    IconPicker = picker;
    if (IconPicker)
        IconPicker->SetTargetBox(0, Image1);
}

void TElementForm::SetChoices(const QStringList& kinds, const QStringList& amounts, const QStringList& groups) {
    auto refill = [](QComboBox* combo, const QStringList& items) {
        const QString text = combo->currentText();
        combo->clear();
        combo->addItems(items);
        combo->setEditText(text);
    };
    refill(ComboBox1, kinds);
    refill(ComboBox2, amounts);
    refill(ComboBox3, groups);
}

void TElementForm::SetRecipe(const QString& recipePath, const TIconNames& icons) {
    RecipePath = recipePath;
    Icons = icons;
}

void TElementForm::showEvent(QShowEvent* event) {
    LoadControls();
    QDialog::showEvent(event);
}

void TElementForm::LoadControls() {
    // Every box starts empty, group and salt included, so a recipe without
    // an attribute file never receives the previous recipe's values.
    Image1->Clear();
    for (QComboBox* combo : {ComboBox1, ComboBox2, ComboBox3})
        combo->setEditText(QString());
    for (QLineEdit* edit : {Edit1, Edit2, Edit3, Edit4})
        edit->clear();
    NiceRow->SetValue(0);
    DifficultRow->SetValue(0);
    if (RecipePath.isEmpty())
        return;
    bool exists = false;
    TStatusFile status;
    if (!RunGuarded(this, ErrorPrefix(QStringLiteral("Load Attributes")),
                    [&] { status = TStatusFile::LoadFromFolder(RecipePath, &exists); }) ||
        !exists)
        return;
    const TRecipeAttributes a = AttributesFromStatus(status, Icons);
    const int icon = ToIntDef(a.IconHint, -1);
    if (icon != -1) {
        const QPixmap picture = IconPicker ? IconPicker->Icon(icon) : QPixmap();
        Image1->SetIcon(a.IconHint, picture);
    }
    ComboBox3->setEditText(a.Group);
    ComboBox1->setEditText(a.Kind);
    ComboBox2->setEditText(a.Amount);
    Edit1->setText(a.Calorie);
    Edit2->setText(a.Price);
    Edit3->setText(a.WorkTime);
    Edit4->setText(a.Salt);
    NiceRow->SetValue(a.NiceValue);
    DifficultRow->SetValue(a.DifficultValue);
}

TRecipeAttributes TElementForm::Current() const {
    TRecipeAttributes a;
    a.IconHint = Image1->Hint();
    a.Kind = ComboBox1->currentText();
    a.Amount = ComboBox2->currentText();
    a.Calorie = Edit1->text();
    a.Price = Edit2->text();
    a.WorkTime = Edit3->text();
    a.Group = ComboBox3->currentText();
    a.Salt = Edit4->text();
    a.NiceValue = NiceRow->Value();
    a.DifficultValue = DifficultRow->Value();
    return a;
}

void TElementForm::Image1Click() {
    if (!IconPicker)
        return;
    // The picker's corner lands 2 px left of the icon box and 2 px below it.
    QWidget* panel1 = Image1->parentWidget();
    IconPicker->Popup(0, panel1->mapToGlobal(QPoint(-2, panel1->height() + 2)));
}

void TElementForm::Button1Click() {
    const TRecipeAttributes a = Current();
    const bool saved = RunGuarded(this, ErrorPrefix(QStringLiteral("Save Attributes")), [&] {
        if (RecipePath.isEmpty() || !QFileInfo(RecipePath).isDir())
            throw TSaporiaError(QStringLiteral("レシピのフォルダがありません: %1").arg(RecipePath));
        TStatusFile status = TStatusFile::LoadFromFolder(RecipePath);
        ApplyAttributes(status, a, TodayDateText(), Icons);
        status.SaveToFolder(RecipePath);
    });
    if (!saved)
        return;
    SavedAttributes = a;
    accept();
}

void TElementForm::paintEvent(QPaintEvent*) {
    QPainter p(this);
    PaintTiledBackground(p, SharedBackImg(), size());
}

TElementForm* ElementForm = nullptr;

TElementForm::~TElementForm() {
    if (ElementForm == this)
        ElementForm = nullptr;
}
