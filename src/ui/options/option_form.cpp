#include "ui/options/option_form.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

#include "ui/widgets/tiled_background.h"
#include "ui/platform/dialogs.h"
#include "core/platform/saporia_error.h"
#include "core/settings/fonts.h"
#include "core/settings/settings_store.h"

TOptionForm::TOptionForm(const QString& appDir, TSettingsStore& store, QWidget* parent)
    : QDialog(parent), AppDir(appDir), Store(store) {
    setObjectName("OptionForm");
    setWindowTitle("各種設定画面");
    setFixedSize(500, 373);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName("PageControl1");
    PageControl1->setGeometry(0, 0, 500, 373 - 41);
    PageControl1->setUsesScrollButtons(false);
    // One Japanese face for the captions: Ⅰ and Ⅱ drawn from a fallback face
    // were measured narrower than they paint.
    QFont tabFont(ProportionalGothic);
    tabFont.setPixelSize(12);
    PageControl1->tabBar()->setFont(tabFont);
    PageControl1->tabBar()->setExpanding(false);
    CreatePages();
    FitPages();
    // Seven tabs share the documented width: the side padding shrinks until
    // every caption shows whole, whatever the font draws them with.
    for (int padding = 5; padding >= 1; --padding) {
        PageControl1->setStyleSheet(QString("QTabBar::tab { padding: 4px %1px; }").arg(padding));
        if (PageControl1->tabBar()->sizeHint().width() <= width() - 4)
            break;
    }

    BitBtnOK = new QPushButton("O K", this);
    BitBtnOK->setObjectName("BitBtnOK");
    BitBtnOK->setGeometry(312, 373 - 41 + 8, 86, 26);
    BitBtnOK->setDefault(true);
    BitBtnCancel = new QPushButton("キャンセル", this);
    BitBtnCancel->setObjectName("BitBtnCancel");
    BitBtnCancel->setGeometry(404, 373 - 41 + 8, 86, 26);
    connect(BitBtnOK, &QPushButton::clicked, this, [this] { BitBtnOKClick(); });
    connect(BitBtnCancel, &QPushButton::clicked, this, &QDialog::reject);

    ColorDialog1 = new QColorDialog(this);
    ColorDialog1->setObjectName("ColorDialog1");
    PickColour = [](QColorDialog* dialog) -> std::optional<QColor> {
        if (dialog->exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog->currentColor();
    };
}

void TOptionForm::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

bool TOptionForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Panel14 && event->type() == QEvent::MouseButtonRelease) {
        Panel14Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TOptionForm::CheckBox4Click() {
    const bool on = CheckBox4->isChecked();
    Panel14->setVisible(on);
    Memo3->setEnabled(on);
    QPalette memo = Memo3->palette();
    memo.setColor(QPalette::Base, palette().color(on ? QPalette::Base : QPalette::Button));
    Memo3->setPalette(memo);
    for (QLabel* label : {Label9, Label3}) {
        QPalette p = label->palette();
        p.setColor(QPalette::WindowText,
                   on ? palette().color(QPalette::WindowText) : palette().color(QPalette::Dark));
        label->setPalette(p);
    }
}

void TOptionForm::CheckBox9Click() { CheckBox10->setEnabled(CheckBox9->isChecked()); }

void TOptionForm::Panel14Click() {
    // The dialog keeps its own last colour; the swatch does not preset it.
    if (const std::optional<QColor> colour = PickColour(ColorDialog1))
        SetSwatchColour(BgrFromColor(*colour));
}

void TOptionForm::SetSwatchColour(TColorValue colour) {
    // The value itself is kept, so a system colour survives OK unchanged.
    SwatchColour = colour;
    QPalette p = Panel14->palette();
    p.setColor(QPalette::Window, ColorFromBgr(colour));
    Panel14->setPalette(p);
}

void TOptionForm::FormShow() {
    Working = Store.Settings();
    FieldsToControls();
}

void TOptionForm::BitBtnOKClick() {
    ControlsToFields();
    // Refused here, while the user can still fix it, rather than at exit.
    try {
        CheckSettingsStorable(Working);
    } catch (const TSaporiaError& e) {
        ShowErrorBox(this, e.message());
        return;
    }
    Store.SetSettings(Working);
    accept();
}
