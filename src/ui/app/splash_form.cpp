#include "ui/app/splash_form.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>

namespace {

// Our own splash picture: a warm gradient with the program's name.
QPixmap SplashPicture() {
    QPixmap picture(300, 75);
    QPainter painter(&picture);
    QLinearGradient gradient(0, 0, 0, 75);
    gradient.setColorAt(0, QColor(255, 246, 228));
    gradient.setColorAt(1, QColor(236, 196, 140));
    painter.fillRect(picture.rect(), gradient);
    painter.setPen(QColor(140, 70, 20));
    painter.drawRect(picture.rect().adjusted(0, 0, -1, -1));
    QFont font = painter.font();
    font.setPointSize(20);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRect(16, 8, 280, 40), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Saporia"));
    return picture;
}

}  // namespace

TSplashForm::TSplashForm(QWidget* parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("SplashForm"));
    setFixedSize(300, 75);
    Image3 = new QLabel(this);
    Image3->setObjectName(QStringLiteral("Image3"));
    Image3->setGeometry(0, 0, 300, 75);
    Image3->setPixmap(SplashPicture());
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->move(216, 60);
    Label1->setText(QStringLiteral("起動中... [2.1.0.0]"));
    QFont font = Label1->font();
    font.setPointSize(7);
    Label1->setFont(font);
    Label1->adjustSize();
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}
