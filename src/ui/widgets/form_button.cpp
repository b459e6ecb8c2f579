#include "ui/widgets/form_button.h"

#include <QPushButton>
#include <QRect>

QPushButton* AddButton(QWidget* parent, const char* name, const QString& text, const QRect& geometry) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(geometry);
    button->setAutoDefault(false);
    return button;
}
