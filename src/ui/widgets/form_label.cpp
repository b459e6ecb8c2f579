#include "ui/widgets/form_label.h"

#include <QLabel>

QLabel* AddLabel(QWidget* parent, const QString& text, int x, int y, const char* name) {
    auto* label = new QLabel(text, parent);
    if (name)
        label->setObjectName(name);
    label->move(x, y);
    label->adjustSize();
    return label;
}
