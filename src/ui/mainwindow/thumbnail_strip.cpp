#include "ui/mainwindow/thumbnail_strip.h"

#include <algorithm>
#include <utility>

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

#include "core/search/thumbnail_loader.h"
#include "ui/widgets/tiled_background.h"

namespace {

constexpr int ThumbnailPitch = 85;
constexpr int ThumbnailLeft = 5;
constexpr int LabelOffset = 52;
constexpr int LabelHeight = 12;
constexpr int ThumbnailGroupSize = 50;
// Widgets made at once when places are shown, then per turn of the event
// loop: a few hundred cost a few milliseconds, thousands would freeze the window.
constexpr int FirstWidgets = 200;
constexpr int WidgetsPerTurn = 150;

}  // namespace

// One picture of the strip, drawn from its place when painted, so only the
// pictures in view are ever looked up or asked for.
class TThumbnailImage final : public QWidget {
public:
    TThumbnailImage(QWidget* parent, TThumbnailStrip* strip, int index)
        : QWidget(parent), Strip(strip), Index(index) {}

    QImage Fresh;            // just decoded, drawn once without a lookup
    bool Requested = false;  // asked for since last decoded

protected:
    void paintEvent(QPaintEvent*) override {
        QImage image = std::exchange(Fresh, {});
        if (image.isNull())
            image = Strip->PictureOf(Index);
        if (image.isNull()) {
            if (!Requested) {
                Requested = true;
                Strip->RequestPicture(Index);
            }
            return;
        }
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(ThumbnailRect(image.size()), image);
    }

private:
    TThumbnailStrip* Strip = nullptr;
    const int Index = 0;
};

TThumbnailStrip::TThumbnailStrip(QWidget* paintBox, QLabel* header, QObject* parent)
    : QObject(parent), PaintBox1(paintBox), Panel6(header) {
    PaintBox1->installEventFilter(this);
    CreateTimer.setSingleShot(true);
    connect(&CreateTimer, &QTimer::timeout, this, [this] { CreateSomeWidgets(WidgetsPerTurn); });
    DropTimer.setSingleShot(true);
    connect(&DropTimer, &QTimer::timeout, this, &TThumbnailStrip::DropBrokenPlaces);
    Loader = new TThumbnailLoader(PictureCache, 0, this);
    connect(Loader, &TThumbnailLoader::Loaded, this, &TThumbnailStrip::Loaded);
    connect(Loader, &TThumbnailLoader::Finished, this, &TThumbnailStrip::LoadingFinished);
}

TThumbnailStrip::~TThumbnailStrip() {
    delete Loader;
}

void TThumbnailStrip::SetThumbnails(const std::vector<TThumbnail>& thumbnails) {
    Loader->Cancel();
    std::vector<TPlace> places;
    places.reserve(thumbnails.size());
    for (const TThumbnail& thumbnail : thumbnails)
        places.push_back({thumbnail.Record, thumbnail.Name, {}, {}, thumbnail.Image, -1, false});
    PlaceOfJob.clear();
    PlannedRoot.clear();
    Bind(std::move(places));
}

void TThumbnailStrip::ShowPlanned(std::vector<TThumbnailSlot> planned, const QString& dataRoot) {
    // Those in view are painted at once: a photo gone since must not hold a place there.
    const auto [first, last] = PlacesInView();
    CheckThumbnailSlots(planned, first, last, PictureCache);
    PlannedRoot = dataRoot;
    std::vector<TPlace> places;
    places.reserve(planned.size());
    QStringList paths;
    std::vector<bool> known;
    for (const TThumbnailSlot& slot : planned) {
        places.push_back({slot.Record, slot.Name, slot.Path, slot.Stamp, {}, static_cast<int>(paths.size()), false});
        paths.append(slot.Path);
        known.push_back(slot.Cached);
    }
    PlaceOfJob.resize(planned.size());
    for (size_t i = 0; i < planned.size(); ++i)
        PlaceOfJob[i] = static_cast<int>(i);
    Loader->Start(paths, known);
    Bind(std::move(places));
}

TShownThumbnails TThumbnailStrip::Shown() const {
    TShownThumbnails shown{PlannedRoot, {}};
    shown.Slots.reserve(Places.size());
    for (const TPlace& place : Places)
        if (!place.Broken)
            shown.Slots.push_back({place.Record, place.Name, place.Path, place.Stamp, false, true});
    return shown;
}

std::pair<int, int> TThumbnailStrip::PlacesInView() const {
    const QRect seen = PaintBox1->visibleRegion().boundingRect();
    // Picture n covers rows n * pitch + left onwards, ThumbnailSide of them: a
    // place whose picture lies just past an edge is not in view, and counting
    // it would wait on a picture nothing paints.
    if (seen.isEmpty() || seen.bottom() < ThumbnailLeft)
        return {0, -1};
    const int above = seen.top() - ThumbnailLeft - ThumbnailSide;
    return {above < 0 ? 0 : above / ThumbnailPitch + 1, (seen.bottom() - ThumbnailLeft) / ThumbnailPitch};
}

void TThumbnailStrip::FreeThumbnails() {
    Loader->Cancel();
    CreateTimer.stop();
    DropTimer.stop();
    Places.clear();
    PlaceOfJob.clear();
    PlannedRoot.clear();
    const bool visible = PaintBox1->isVisible() && !Images.empty();
    if (visible)
        PaintBox1->hide();
    TrimWidgets(0);
    Count = 0;
    PaintBox1->setMinimumHeight(0);
    if (visible)
        PaintBox1->show();
}

bool TThumbnailStrip::Loading() const { return Loader->Busy() || CreateTimer.isActive(); }

bool TThumbnailStrip::ViewFilled() {
    const auto [first, inView] = PlacesInView();
    const int last = std::min(Count - 1, inView);
    for (int n = first; n <= last; ++n)
        if (n >= static_cast<int>(Images.size()) || PictureOf(n).isNull())
            return false;
    return true;
}

void TThumbnailStrip::FinishLoading() {
    while (Loading()) {
        Loader->WaitForDone();
        QCoreApplication::processEvents();
    }
}

void TThumbnailStrip::Bind(std::vector<TPlace> places) {
    CreateTimer.stop();
    DropTimer.stop();
    std::swap(Places, places);
    Count = static_cast<int>(Places.size());
    TrimWidgets(Count);
    // A refill mostly shows the same photos in the same places: those widgets stay as they are.
    for (int n = 0; n < static_cast<int>(Images.size()); ++n)
        if (n >= static_cast<int>(places.size()) || !SamePicture(places[static_cast<size_t>(n)], Places[static_cast<size_t>(n)]))
            BindWidget(n);
    PaintBox1->setMinimumHeight(Count * ThumbnailPitch + ThumbnailLeft);
    CreateSomeWidgets(FirstWidgets);
    ShowCount();
}

bool TThumbnailStrip::SamePicture(const TPlace& a, const TPlace& b) {
    return a.Name == b.Name && a.Path == b.Path && a.Stamp == b.Stamp && a.Image.cacheKey() == b.Image.cacheKey();
}

void TThumbnailStrip::CreateSomeWidgets(int most) {
    const int first = static_cast<int>(Images.size());
    const int last = std::min(Count, first + most);
    if (first >= last)
        return;
    QFont small = PaintBox1->font();
    if (small.pointSizeF() > 1)
        small.setPointSizeF(small.pointSizeF() - 1);
    // Each group is filled while hidden and shown once: shown one by one, each
    // new picture would be weighed against all its siblings.
    std::vector<QWidget*> fresh;
    for (int n = first; n < last; ++n) {
        const int g = n / ThumbnailGroupSize;
        if (g >= static_cast<int>(Groups.size())) {
            auto* group = new QWidget(PaintBox1);
            group->setGeometry(0, g * ThumbnailGroupSize * ThumbnailPitch,
                               std::max(ThumbnailSide + ThumbnailLeft, PaintBox1->width()),
                               ThumbnailGroupSize * ThumbnailPitch);
            Groups.push_back(group);
            fresh.push_back(group);
        }
        QWidget* group = Groups[static_cast<size_t>(g)];
        const int top = (n % ThumbnailGroupSize) * ThumbnailPitch + ThumbnailLeft;
        auto* image = new TThumbnailImage(group, this, n);
        image->setObjectName(QStringLiteral("MkImg%1").arg(n));
        image->setCursor(Qt::PointingHandCursor);
        image->setGeometry(ThumbnailLeft, top, ThumbnailSide, ThumbnailSide);
        image->installEventFilter(this);
        Images.push_back(image);
        auto* label = new QLabel(group);
        label->setObjectName(QStringLiteral("MkLbl%1").arg(n));
        label->setTextFormat(Qt::PlainText);
        label->setFont(small);
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        label->setGeometry(ThumbnailLeft, top + LabelOffset,
                           std::max(ThumbnailSide, PaintBox1->width() - ThumbnailLeft), LabelHeight);
        Labels.push_back(label);
        BindWidget(n);
        image->show();
        label->show();
    }
    for (QWidget* group : fresh)
        group->show();
    if (static_cast<int>(Images.size()) < Count)
        CreateTimer.start(0);
}

void TThumbnailStrip::BindWidget(int n) {
    const TPlace& place = Places[static_cast<size_t>(n)];
    TThumbnailImage* image = Images[static_cast<size_t>(n)];
    image->setToolTip(place.Name);
    image->Fresh = {};
    image->Requested = false;
    image->update();
    Labels[static_cast<size_t>(n)]->setText(place.Name);
}

void TThumbnailStrip::TrimWidgets(int count) {
    if (static_cast<int>(Images.size()) <= count)
        return;
    // Disabling updates walks every child: only worth it when many go.
    const bool many = static_cast<int>(Images.size()) - count > ThumbnailGroupSize;
    if (many)
        PaintBox1->setUpdatesEnabled(false);
    while (static_cast<int>(Images.size()) > count) {
        delete Images.back();
        Images.pop_back();
        delete Labels.back();
        Labels.pop_back();
    }
    const int groups = (count + ThumbnailGroupSize - 1) / ThumbnailGroupSize;
    while (static_cast<int>(Groups.size()) > groups) {
        delete Groups.back();
        Groups.pop_back();
    }
    if (many)
        PaintBox1->setUpdatesEnabled(true);
}

void TThumbnailStrip::Loaded(int job, const QImage& image) {
    if (job < 0 || job >= static_cast<int>(PlaceOfJob.size()) || PlaceOfJob[static_cast<size_t>(job)] < 0)
        return;
    const int n = PlaceOfJob[static_cast<size_t>(job)];
    if (image.isNull()) {
        Places[static_cast<size_t>(n)].Broken = true;
        DropTimer.start(0);  // once for all that arrive together
        return;
    }
    if (n >= static_cast<int>(Images.size()))
        return;  // drawn from the cache once its widget exists
    TThumbnailImage* widget = Images[static_cast<size_t>(n)];
    widget->Requested = false;
    if (!widget->visibleRegion().isEmpty()) {
        widget->Fresh = image;
        widget->update();
    }
}

// A photo found unreadable leaves the strip, as if it had never had one.
void TThumbnailStrip::DropBrokenPlaces() {
    std::vector<TPlace> kept;
    kept.reserve(Places.size());
    std::fill(PlaceOfJob.begin(), PlaceOfJob.end(), -1);
    for (TPlace& place : Places) {
        if (place.Broken)
            continue;
        if (place.Job >= 0)
            PlaceOfJob[static_cast<size_t>(place.Job)] = static_cast<int>(kept.size());
        kept.push_back(std::move(place));
    }
    Bind(std::move(kept));
}

void TThumbnailStrip::RequestPicture(int n) {
    if (n < Count && Places[static_cast<size_t>(n)].Job >= 0 && !Places[static_cast<size_t>(n)].Broken)
        Loader->Request(Places[static_cast<size_t>(n)].Job);
}

// Stat'ed each time it is drawn: a refill takes places over unchecked, and a
// photo changed or removed meanwhile must not show its old picture.
QImage TThumbnailStrip::PictureOf(int n) {
    if (n >= Count)
        return {};
    TPlace& place = Places[static_cast<size_t>(n)];
    if (!place.Image.isNull() || place.Path.isEmpty() || place.Broken)
        return place.Image;
    const TPhotoStamp now = PhotoStampOf(place.Path);
    if (!now.Exists()) {
        place.Broken = true;
        DropTimer.start(0);
        return {};
    }
    place.Stamp = now;  // a new version misses the cache and is decoded again
    return PictureCache.Find(place.Path, place.Stamp).value_or(QImage());
}

void TThumbnailStrip::ShowCount() {
    if (Panel6)
        Panel6->setText(QStringLiteral("ｻﾑﾈｲﾙ数：") + QString::number(Count));
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
