#include "ui/dialogs/element_form.h"

#include <QFileInfo>
#include <QPushButton>

#include "ui/widgets/icon_box.h"
#include "ui/dialogs/icon_form.h"
#include "ui/widgets/numeric_key_filter.h"
#include "ui/widgets/tiled_paint_box.h"
#include "ui/platform/dialogs.h"
#include "core/platform/saporia_error.h"

TElementForm::TElementForm(QWidget* parent) : QDialog(parent), NumericFilter(new TNumericKeyFilter(this)) {
    setObjectName("ElementForm");
    setWindowTitle(QStringLiteral("属性変更画面"));
    setFixedSize(384, 261);

    Fields = BuildAttributeFields(this, ElementFormLook(), NumericFilter);
    connect(Fields.Icon, &TIconBox::Clicked, this, &TElementForm::Image1Click);
    AddStarPictures(this);

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
}

void TElementForm::SetIconPicker(TIconForm* picker) {
    IconPicker = picker;
    if (IconPicker)
        IconPicker->SetTargetBox(0, Fields.Icon);
}

void TElementForm::SetChoices(const QStringList& kinds, const QStringList& amounts, const QStringList& groups) {
    Fields.SetChoices(kinds, amounts, groups);
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
    Fields.Clear(true);
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
    Fields.Show(a, icon != -1 && IconPicker ? IconPicker->Icon(icon) : QPixmap());
}

TRecipeAttributes TElementForm::Current() const {
    return Fields.Current();
}

void TElementForm::Image1Click() {
    if (!IconPicker)
        return;
    IconPicker->Popup(0, Fields.PickerCorner());
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
    PaintSharedBackground(this);
}


TElementForm::~TElementForm() {
}
