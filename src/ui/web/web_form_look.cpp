#include "ui/web/web_form_look.h"

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>


QPushButton* AddWebButton(QWidget* parent, const char* name, const QString& text, int x, int y, int width) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(x, y, width, 27);
    return button;
}

QLineEdit* AddWebEdit(QWidget* parent, const char* name, int x, int y, int width) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setGeometry(x, y, width, 22);
    return edit;
}

void SetUpWebDialog(QDialog* dialog, int width, int height) {
    dialog->setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint);
    dialog->setModal(true);
    dialog->setFixedSize(width, height);
}

