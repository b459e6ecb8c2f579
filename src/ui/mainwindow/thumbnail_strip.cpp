#include "ui/mainwindow/thumbnail_strip.h"

#include <algorithm>
#include <utility>

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include "core/search/thumbnail_loader.h"
#include "ui/widgets/tiled_background.h"

namespace {

constexpr int ThumbnailPitch = 85;
constexpr int ThumbnailLeft = 5;
constexpr int LabelOffset = 52;
constexpr int LabelHeight = 12;

// A name runs to the strip's right edge.
int LabelWidth(const QWidget* paintBox) { return std::max(ThumbnailSide, paintBox->width() - ThumbnailLeft); }

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
    Viewport = PaintBox1->parentWidget();
    if (Viewport)
        Viewport->installEventFilter(this);
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

// The places around the view: a screen above and below it, so scrolling by a
// line or a page finds its widgets made. Reckoned from the viewport, so a
// pane about to be shown has them too.
std::pair<int, int> TThumbnailStrip::PlacesWithWidgets() const {
    if (Count == 0)
        return {0, -1};
    const QSize view = Viewport ? Viewport->size() : PaintBox1->size();
    const QRect seen = QRect(-PaintBox1->pos(), view.expandedTo(QSize(1, ThumbnailPitch)));
    const int margin = seen.height();
    const int first = std::max(0, (seen.top() - margin) / ThumbnailPitch);
    const int last = std::min(Count - 1, std::max(0, seen.bottom() + margin) / ThumbnailPitch);
    return {first, std::max(first - 1, last)};
}

void TThumbnailStrip::FreeThumbnails() {
    Loader->Cancel();
    DropTimer.stop();
    Places.clear();
    PlaceOfJob.clear();
    PlannedRoot.clear();
    TrimWidgets(0);
    Count = 0;
    PaintBox1->setMinimumHeight(0);
    // A closed pane holds no pictures; what is known of each photo stays.
    PictureCache.DropPictures();
}

bool TThumbnailStrip::Loading() const { return Loader->Busy(); }

bool TThumbnailStrip::ViewFilled() {
    const auto [first, inView] = PlacesInView();
    const int last = std::min(Count - 1, inView);
    for (int n = first; n <= last; ++n)
        if (!ImageOf(n) || PictureOf(n).isNull())
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
    DropTimer.stop();
    std::swap(Places, places);
    Count = static_cast<int>(Places.size());
    TrimWidgets(Count);
    // A refill mostly shows the same photos in the same places: those widgets stay as they are.
    for (const auto& [n, pair] : Pairs)
        if (n >= static_cast<int>(places.size()) || !SamePicture(places[static_cast<size_t>(n)], Places[static_cast<size_t>(n)]))
            BindWidget(n);
    PaintBox1->setMinimumHeight(Count * ThumbnailPitch + ThumbnailLeft);
    SyncWidgets();
    ShowCount();
}

bool TThumbnailStrip::SamePicture(const TPlace& a, const TPlace& b) {
    return a.Name == b.Name && a.Path == b.Path && a.Stamp == b.Stamp && a.Image.cacheKey() == b.Image.cacheKey();
}

// Makes the widgets of the places around the view and destroys the others.
void TThumbnailStrip::SyncWidgets() {
    const auto [first, last] = PlacesWithWidgets();
    for (auto it = Pairs.begin(); it != Pairs.end();)
        it = it->first >= first && it->first <= last ? std::next(it) : DestroyPair(it);
    for (int n = first; n <= last; ++n)
        if (!Pairs.contains(n))
            CreatePair(n);
}

void TThumbnailStrip::CreatePair(int n) {
    QFont small = PaintBox1->font();
    if (small.pointSizeF() > 1)
        small.setPointSizeF(small.pointSizeF() - 1);
    const int top = n * ThumbnailPitch + ThumbnailLeft;
    auto* image = new TThumbnailImage(PaintBox1, this, n);
    image->setObjectName(QStringLiteral("MkImg%1").arg(n));
    image->setCursor(Qt::PointingHandCursor);
    image->setGeometry(ThumbnailLeft, top, ThumbnailSide, ThumbnailSide);
    image->installEventFilter(this);
    auto* label = new QLabel(PaintBox1);
    label->setObjectName(QStringLiteral("MkLbl%1").arg(n));
    label->setTextFormat(Qt::PlainText);
    label->setFont(small);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    label->setGeometry(ThumbnailLeft, top + LabelOffset, LabelWidth(PaintBox1), LabelHeight);
    Pairs[n] = {image, label};
    BindWidget(n);
    image->show();
    label->show();
}

TThumbnailImage* TThumbnailStrip::ImageOf(int n) const {
    const auto found = Pairs.find(n);
    return found == Pairs.end() ? nullptr : found->second.Image;
}

void TThumbnailStrip::BindWidget(int n) {
    const TPlace& place = Places[static_cast<size_t>(n)];
    const TPair& pair = Pairs.at(n);
    pair.Image->setToolTip(place.Name);
    pair.Image->Fresh = {};
    pair.Image->Requested = false;
    pair.Image->update();
    pair.Label->setText(place.Name);
}

void TThumbnailStrip::TrimWidgets(int count) {
    for (auto it = Pairs.lower_bound(count); it != Pairs.end();)
        it = DestroyPair(it);
}

TThumbnailStrip::TPairs::iterator TThumbnailStrip::DestroyPair(TPairs::iterator it) {
    delete it->second.Image;
    delete it->second.Label;
    return Pairs.erase(it);
}

void TThumbnailStrip::Loaded(int job, const QImage& image, bool readable) {
    if (job < 0 || job >= static_cast<int>(PlaceOfJob.size()) || PlaceOfJob[static_cast<size_t>(job)] < 0)
        return;
    const int n = PlaceOfJob[static_cast<size_t>(job)];
    if (!readable) {
        Places[static_cast<size_t>(n)].Broken = true;
        DropTimer.start(0);  // once for all that arrive together
        return;
    }
    TThumbnailImage* widget = ImageOf(n);
    if (!widget)
        return;  // drawn from the cache once its widget exists
    widget->Requested = false;
    // Without a picture (decoded ahead, not kept) a place in view asks again when painted.
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
    if (watched == PaintBox1 || watched == Viewport) {
        switch (event->type()) {
        case QEvent::Paint:
            if (watched == PaintBox1) {
                const QRect exposed = static_cast<QPaintEvent*>(event)->rect();
                QPainter painter(PaintBox1);
                painter.fillRect(exposed, Qt::white);
                PaintTiledBackground(painter, SharedBackImg(), PaintBox1->size(), exposed);
                return true;
            }
            break;
        case QEvent::Move:  // scrolled
        case QEvent::Resize:
        case QEvent::Show:
            if (Count > 0)
                SyncWidgets();
            if (event->type() == QEvent::Resize && watched == PaintBox1)
                for (const auto& [n, pair] : Pairs)
                    pair.Label->resize(LabelWidth(PaintBox1), LabelHeight);
            break;
        case QEvent::ParentChange:
            if (watched == PaintBox1) {
                if (Viewport)
                    Viewport->removeEventFilter(this);
                Viewport = PaintBox1->parentWidget();
                if (Viewport)
                    Viewport->installEventFilter(this);
            }
            break;
        default:
            break;
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
