#include "ui/tools/timer_set_form.h"

#include <QPushButton>
#include <QSpinBox>

#include "core/settings/fonts.h"
#include "core/tools/countdown.h"
#include "ui/platform/dialogs.h"
#include "ui/widgets/form_label.h"
#include "ui/widgets/tiled_paint_box.h"

namespace {

QSpinBox* NewSpin(QWidget* parent, const char* name, int maximum, int x) {
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(QLatin1String(name));
    spin->setRange(0, maximum);
    spin->setGeometry(x, 32, 46, 22);
    return spin;
}

}  // namespace

TTimerSetForm::TTimerSetForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TimerSetForm"));
    setWindowTitle(QStringLiteral("タイマーセット画面"));
    setFixedSize(244, 99);
    setFont(QFont(ProportionalGothic, 9));

    AddLabel(this, QStringLiteral("タイマー時間を入力して下さい"), 12, 10, "Label4");
    SpinEdit1 = NewSpin(this, "SpinEdit1", 23, 12);
    AddLabel(this, QStringLiteral("時"), 62, 36);
    SpinEdit2 = NewSpin(this, "SpinEdit2", 59, 88);
    AddLabel(this, QStringLiteral("分"), 138, 36);
    SpinEdit3 = NewSpin(this, "SpinEdit3", 59, 164);
    AddLabel(this, QStringLiteral("秒"), 214, 36);

    BitBtn1 = new QPushButton(QStringLiteral("O K"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(72, 66, 80, 25);
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(QStringLiteral("キャンセル"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setGeometry(158, 66, 80, 25);
    BitBtn2->setAutoDefault(false);
    connect(BitBtn1, &QPushButton::clicked, this, &TTimerSetForm::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

int TTimerSetForm::Hours() const { return SpinEdit1->value(); }
int TTimerSetForm::Minutes() const { return SpinEdit2->value(); }
int TTimerSetForm::Seconds() const { return SpinEdit3->value(); }

void TTimerSetForm::BitBtn1Click() {
    const QString warning = CustomTimeWarning(Hours(), Minutes(), Seconds());
    if (!warning.isEmpty()) {
        ShowWarningBox(this, warning);
        return;
    }
    accept();
}

void TTimerSetForm::paintEvent(QPaintEvent*) { PaintSharedBackground(this); }
