#include "ui/mainwindow/thumbnail_strip.h"

#include <algorithm>

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

#include "ui/widgets/tiled_background.h"

namespace {

constexpr int ThumbnailPitch = 85;
constexpr int ThumbnailLeft = 5;
constexpr int LabelOffset = 52;
constexpr int LabelHeight = 12;
constexpr int ThumbnailGroupSize = 50;

// One picture of the strip, drawn fitted into its square when painted, so
// only the pictures in view are ever scaled.
class TThumbnailImage final : public QWidget {
public:
    TThumbnailImage(QWidget* parent, QImage image) : QWidget(parent), Image(std::move(image)) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(ThumbnailRect(Image.size()), Image);
    }

private:
    QImage Image;
};

}  // namespace

TThumbnailStrip::TThumbnailStrip(QWidget* paintBox, QLabel* header, QObject* parent)
    : QObject(parent), PaintBox1(paintBox), Panel6(header) {
    PaintBox1->installEventFilter(this);
}

void TThumbnailStrip::SetThumbnails(const std::vector<TThumbnail>& thumbnails) {
    FreeThumbnails();
    // The pictures are put on a hidden box and shown with it at once: shown
    // one by one, each new picture would be weighed against all before it.
    const bool visible = PaintBox1->isVisible();
    if (visible)
        PaintBox1->hide();
    PaintBox1->setUpdatesEnabled(false);
    QFont small = PaintBox1->font();
    if (small.pointSizeF() > 1)
        small.setPointSizeF(small.pointSizeF() - 1);
    Pictures.reserve(thumbnails.size() * 2);
    QWidget* group = nullptr;
    for (const TThumbnail& thumbnail : thumbnails) {
        // The pictures stand in groups of a few dozen: every picture shown
        // is weighed against its siblings, so thousands of siblings in one
        // parent would make showing the strip slow.
        if (Count % ThumbnailGroupSize == 0) {
            group = new QWidget(PaintBox1);
            group->setGeometry(0, Count * ThumbnailPitch, std::max(ThumbnailSide + ThumbnailLeft, PaintBox1->width()),
                               ThumbnailGroupSize * ThumbnailPitch);
            group->show();
            Groups.push_back(group);
        }
        const int top = (Count % ThumbnailGroupSize) * ThumbnailPitch + ThumbnailLeft;
        auto* image = new TThumbnailImage(group, thumbnail.Image);
        image->setObjectName(QStringLiteral("MkImg%1").arg(Count));
        image->setToolTip(thumbnail.Name);
        image->setCursor(Qt::PointingHandCursor);
        image->setGeometry(ThumbnailLeft, top, ThumbnailSide, ThumbnailSide);
        image->installEventFilter(this);
        image->show();
        Pictures.push_back(image);

        auto* label = new QLabel(thumbnail.Name, group);
        label->setObjectName(QStringLiteral("MkLbl%1").arg(Count));
        label->setFont(small);
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        label->setGeometry(ThumbnailLeft, top + LabelOffset, std::max(ThumbnailSide, PaintBox1->width() - ThumbnailLeft),
                           LabelHeight);
        label->show();
        Pictures.push_back(label);
        ++Count;
    }
    PaintBox1->setMinimumHeight(Count * ThumbnailPitch + ThumbnailLeft);
    PaintBox1->setUpdatesEnabled(true);
    if (visible)
        PaintBox1->show();
    if (Panel6)
        Panel6->setText(QStringLiteral("ｻﾑﾈｲﾙ数：") + QString::number(Count));
}

void TThumbnailStrip::FreeThumbnails() {
    const bool visible = PaintBox1->isVisible() && !Pictures.empty();
    if (visible)
        PaintBox1->hide();
    PaintBox1->setUpdatesEnabled(false);
    for (auto it = Pictures.rbegin(); it != Pictures.rend(); ++it)
        delete *it;
    Pictures.clear();
    for (auto it = Groups.rbegin(); it != Groups.rend(); ++it)
        delete *it;
    Groups.clear();
    Count = 0;
    PaintBox1->setMinimumHeight(0);
    PaintBox1->setUpdatesEnabled(true);
    if (visible)
        PaintBox1->show();
}

bool TThumbnailStrip::eventFilter(QObject* watched, QEvent* event) {
    if (watched == PaintBox1) {
        if (event->type() == QEvent::Paint) {
            QPainter painter(PaintBox1);
            painter.fillRect(PaintBox1->rect(), Qt::white);
            PaintTiledBackground(painter, SharedBackImg(), PaintBox1->size());
            return true;
        }
        return false;
    }
    if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (auto* image = dynamic_cast<TThumbnailImage*>(watched)) {
            emit ThumbnailClicked(image->toolTip());
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
