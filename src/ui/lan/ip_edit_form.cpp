#include "ui/lan/ip_edit_form.h"

#include <QLineEdit>
#include <QPushButton>

#include "core/platform/sjis.h"
#include "core/settings/fonts.h"
#include "ui/platform/dialogs.h"
#include "ui/widgets/form_label.h"

namespace {

// The message when CP932 cannot hold a field, or empty.
QString StorableProblem(const QString& text) {
    TSjisFailure failure;
    return TryToSjis(text, &failure) ? QString() : SjisFailureMessage(failure);
}

}  // namespace

TIPEditForm::TIPEditForm(QWidget* parent) : QDialog(parent) {
    setObjectName("IPEditForm");
    setFixedSize(300, 150);
    setFont(QFont(ProportionalGothic, 9));
    setModal(true);

    AddLabel(this, "接続先名称", 12, 10, "Label1");
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName("Edit1");
    Edit1->setGeometry(12, 28, 276, 22);
    AddLabel(this, "IPアドレス", 12, 58, "Label2");
    Edit2 = new QLineEdit(this);
    Edit2->setObjectName("Edit2");
    Edit2->setGeometry(12, 76, 276, 22);

    Button1 = new QPushButton("O K", this);
    Button1->setObjectName("Button1");
    Button1->setGeometry(118, 112, 80, 26);
    Button1->setDefault(true);
    Button2 = new QPushButton("Cancel", this);
    Button2->setObjectName("Button2");
    Button2->setGeometry(208, 112, 80, 26);
    Button2->setAutoDefault(false);
    connect(Button1, &QPushButton::clicked, this, &TIPEditForm::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
}

std::optional<TServerEntry> TIPEditForm::Execute(const QString& caption, const TServerEntry& entry) {
    setWindowTitle(caption);
    Edit1->setText(entry.Name);
    Edit2->setText(entry.Address);
    Edit1->setFocus();
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return TServerEntry{Edit1->text(), Edit2->text()};
}

void TIPEditForm::Button1Click() {
    if (Edit1->text().isEmpty()) {
        ShowMessageBox(this, "接続先名称が入力されていません", TMsgType::Error, TMsgButtons::Ok);
        return;
    }
    if (Edit2->text().isEmpty()) {
        ShowMessageBox(this, "IPアドレスが入力されていません", TMsgType::Error, TMsgButtons::Ok);
        return;
    }
    // The list file is CP932: an entry it cannot hold would fail every save.
    for (QLineEdit* edit : {Edit1, Edit2}) {
        const QString problem = StorableProblem(edit->text());
        if (!problem.isEmpty()) {
            ShowMessageBox(this, problem, TMsgType::Error, TMsgButtons::Ok);
            edit->setFocus();
            return;
        }
    }
    accept();
}
