#include "ui/widgets/icon_box.h"

#include <QMouseEvent>

#include "core/common/helpers.h"

TIconBox::TIconBox(QWidget* parent) : QLabel(parent) {
    setFixedSize(32, 32);
    setCursor(Qt::PointingHandCursor);
    setAlignment(Qt::AlignCenter);
}

int TIconBox::IconIndex() const {
    return ToIntDef(HintText, -1);
}

void TIconBox::SetIcon(const QString& hint, const QPixmap& picture) {
    HintText = hint;
    setPixmap(picture);
}

void TIconBox::Clear() {
    HintText = QStringLiteral("-1");
    setPixmap(QPixmap());
}

void TIconBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        emit Clicked();
    QLabel::mousePressEvent(event);
}
