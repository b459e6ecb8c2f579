#include "ui/widgets/star_rating.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace {

QPixmap StarPicture(const QColor& fill, const QColor& edge) {
    QPixmap pix(16, 16);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const double r = (i % 2 == 0) ? 7.2 : 3.0;
        const double a = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
        const QPointF pt(8 + r * std::cos(a), 8.4 + r * std::sin(a));
        if (i == 0)
            path.moveTo(pt);
        else
            path.lineTo(pt);
    }
    path.closeSubpath();
    p.setPen(QPen(edge, 1));
    p.setBrush(fill);
    p.drawPath(path);
    return pix;
}

}  // namespace

TStarImage::TStarImage(QWidget* parent) : QLabel(parent) {
    setFixedSize(16, 16);
    setCursor(Qt::PointingHandCursor);
    SetLit(false);
}

void TStarImage::SetLit(bool lit) {
    TagValue = lit ? 1 : -1;
    setPixmap(lit ? TStarRating::LitPicture() : TStarRating::UnlitPicture());
}

void TStarImage::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        emit Clicked();
    QLabel::mousePressEvent(event);
}

TStarRating::TStarRating(const QStringList& imageNames, QWidget* parent) : QWidget(parent) {
    setFixedSize(82, 17);
    setFocusPolicy(Qt::StrongFocus);
    for (int i = 0; i < 5; ++i) {
        auto* star = new TStarImage(this);
        star->setObjectName(i < imageNames.size() ? imageNames[i] : QString());
        star->move(1 + i * 16, 1);
        Stars[size_t(i)] = star;
        connect(star, &TStarImage::Clicked, this, [this, i] {
            setFocus(Qt::MouseFocusReason);
            Choose(i + 1);
        });
    }
}

int TStarRating::Value() const {
    int lit = 0;
    for (auto* star : Stars)
        lit += star->IsLit() ? 1 : 0;
    return lit;
}

void TStarRating::SetValue(int value) {
    for (int i = 0; i < 5; ++i)
        Stars[size_t(i)]->SetLit(i < value);
}

void TStarRating::Choose(int value) {
    SetValue(value);
    emit ValueChanged(Value());
}

void TStarRating::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && key >= Qt::Key_0 && key <= Qt::Key_5)
        Choose(key - Qt::Key_0);
    else if (plain && (key == Qt::Key_Right || key == Qt::Key_Up))
        Choose(std::min(Value() + 1, 5));
    else if (plain && (key == Qt::Key_Left || key == Qt::Key_Down))
        Choose(std::max(Value() - 1, 0));
    else
        QWidget::keyPressEvent(event);
}

QPixmap TStarRating::LitPicture() {
    static const QPixmap pix = StarPicture(QColor(255, 200, 0), QColor(170, 110, 0));
    return pix;
}

QPixmap TStarRating::UnlitPicture() {
    static const QPixmap pix = StarPicture(QColor(225, 225, 225), QColor(150, 150, 150));
    return pix;
}

void TStarRating::paintEvent(QPaintEvent*) {
    QPainter p(this);
    // While the row has the focus its box takes a tint of the highlight colour.
    const QColor highlight = palette().color(QPalette::Highlight);
    p.fillRect(rect(), hasFocus() ? QColor::fromRgbF(1 - 0.25 * (1 - highlight.redF()),
                                                     1 - 0.25 * (1 - highlight.greenF()),
                                                     1 - 0.25 * (1 - highlight.blueF()))
                                  : QColor(Qt::white));
    p.setPen(hasFocus() ? highlight : QColor(Qt::black));
    p.drawRect(0, 0, width() - 1, height() - 1);
}
