#include "ui/web/book_mark_folder_form.h"

#include <QLineEdit>
#include <QPushButton>

#include "core/web/entry_check.h"
#include "ui/platform/dialogs.h"
#include "ui/web/web_form_look.h"
#include "ui/widgets/tiled_paint_box.h"
#include "ui/widgets/window_place.h"
#include "ui/widgets/form_label.h"

TBookMarkFolderForm::TBookMarkFolderForm(QWidget* mainWindow) : QDialog(mainWindow) {
    setObjectName(QStringLiteral("BookMarkFolderForm"));
    SetUpWebDialog(this, 330, 110);
    AddLabel(this, QStringLiteral("ﾌｫﾙﾀﾞ名"), 12, 16, "Label1");
    Edit1 = AddWebEdit(this, "Edit1", 12, 36, 306);
    BitBtn1 = AddWebButton(this, "BitBtn1", QStringLiteral("O K"), 134, 72);
    BitBtn2 = AddWebButton(this, "BitBtn2", QStringLiteral("キャンセル"), 229, 72);
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &TBookMarkFolderForm::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

void TBookMarkFolderForm::Prepare(const QString& caption, const QString& name) {
    setWindowTitle(caption);
    Edit1->setText(name);
    Edit1->setFocus();
    CentreOnMain(this);
}

QString TBookMarkFolderForm::Name() const { return Edit1->text(); }

void TBookMarkFolderForm::BitBtn1Click() {
    const TEntryProblem problem = CheckFolderName(Edit1->text());
    if (!problem.Ok()) {
        ShowErrorBox(this, problem.Message);
        Edit1->setFocus();
        return;
    }
    accept();
}

void TBookMarkFolderForm::paintEvent(QPaintEvent*) { PaintSharedBackground(this); }

