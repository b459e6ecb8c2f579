#include "ui/widgets/icon_box.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "core/common/helpers.h"

TIconBox::TIconBox(QWidget* parent) : QLabel(parent) {
    setFixedSize(32, 32);
    setCursor(Qt::PointingHandCursor);
    setAlignment(Qt::AlignCenter);
    setFocusPolicy(Qt::StrongFocus);
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

void TIconBox::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter)) {
        emit Clicked();
        return;
    }
    QLabel::keyPressEvent(event);
}

void TIconBox::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter p(this);
    p.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}
