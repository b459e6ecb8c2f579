#include "ui/widgets/panel_layout.h"

#include <QFrame>
#include <QVBoxLayout>

QFrame* NewPanel(QWidget* parent, const QString& name) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(name);
    return frame;
}

QVBoxLayout* NewColumn(QWidget* parent) {
    auto* layout = new QVBoxLayout(parent);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    return layout;
}
