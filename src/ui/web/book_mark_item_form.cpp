#include "ui/web/book_mark_item_form.h"

#include <QLineEdit>
#include <QPushButton>

#include "core/web/entry_check.h"
#include "ui/platform/dialogs.h"
#include "ui/web/web_form_look.h"
#include "ui/widgets/tiled_paint_box.h"
#include "ui/widgets/window_place.h"
#include "ui/widgets/form_label.h"

TBookMarkItemForm::TBookMarkItemForm(QWidget* mainWindow) : QDialog(mainWindow) {
    setObjectName(QStringLiteral("BookMarkItemForm"));
    SetUpWebDialog(this, 430, 160);
    AddLabel(this, QStringLiteral("タイトル"), 12, 16, "Label1");
    Edit1 = AddWebEdit(this, "Edit1", 12, 34, 406);
    AddLabel(this, QStringLiteral("URL"), 12, 66, "Label2");
    Edit2 = AddWebEdit(this, "Edit2", 12, 84, 406);
    BitBtn1 = AddWebButton(this, "BitBtn1", QStringLiteral("O K"), 234, 122);
    BitBtn2 = AddWebButton(this, "BitBtn2", QStringLiteral("キャンセル"), 329, 122);
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &TBookMarkItemForm::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

void TBookMarkItemForm::Prepare(const QString& caption, const QString& title, const QString& url) {
    setWindowTitle(caption);
    Edit1->setText(title);
    Edit2->setText(url);
    Edit1->setFocus();
    CentreOnMain(this);
}

QString TBookMarkItemForm::Title() const { return Edit1->text(); }
QString TBookMarkItemForm::Url() const { return Edit2->text(); }

void TBookMarkItemForm::BitBtn1Click() {
    const TEntryProblem problem = CheckEntry(Edit1->text(), Edit2->text());
    if (!problem.Ok()) {
        ShowErrorBox(this, problem.Message);
        (problem.Field == TEntryField::Address ? Edit2 : Edit1)->setFocus();
        return;
    }
    accept();
}

void TBookMarkItemForm::paintEvent(QPaintEvent*) { PaintSharedBackground(this); }
