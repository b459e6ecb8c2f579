#include "ui/widgets/picture_box.h"

#include <QPainter>

TPictureBox::TPictureBox(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(false);
    setMouseTracking(true);
}

void TPictureBox::SetPicture(const QImage& picture) {
    Image = picture;
    if (!Fitted)
        resize(Image.isNull() ? QSize(1, 1) : Image.size());
    update();
}

void TPictureBox::SetFit(bool fit) {
    Fitted = fit;
    if (!Fitted && !Image.isNull())
        resize(Image.size());
    update();
}

QRect TPictureBox::PictureRect() const {
    if (Image.isNull())
        return {};
    if (!Fitted)
        return QRect(QPoint(0, 0), Image.size());
    const QSize scaled = Image.size().scaled(size(), Qt::KeepAspectRatio);
    return QRect(QPoint((width() - scaled.width()) / 2, (height() - scaled.height()) / 2), scaled);
}

void TPictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (Image.isNull())
        return;
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(PictureRect(), Image);
}

void TPictureBox::mouseMoveEvent(QMouseEvent* event) {
    emit MouseMoved();
    QWidget::mouseMoveEvent(event);
}
