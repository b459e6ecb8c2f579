#pragma once

#include <map>
#include <vector>

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include "core/search/thumbnails.h"

class QLabel;
class QWidget;
class TThumbnailImage;
class TThumbnailLoader;

// Puts the thumbnails on the main window's thumbnail pane: one picture and
// one name label per thumbnail ("MkImg" n, "MkLbl" n) on the scroll box's
// paint box, which it tiles with the window background picture, and the
// count in the header. A click on a picture reports the recipe's name.
//
// A planned strip (ShowPlanned) gets its places at once and its pictures as
// the loader decodes them, those painted first; the pictures are drawn from
// the cache, so the strip holds no copy of them. Only the places in view and
// a screen above and below have their widgets: they are made and destroyed as
// the strip scrolls, so a long strip costs no more than a short one, and the
// places of a refill keep the widgets already there.
class TThumbnailStrip final : public QObject {
    Q_OBJECT
public:
    TThumbnailStrip(QWidget* paintBox, QLabel* header, QObject* parent = nullptr);
    ~TThumbnailStrip() override;

    // Replaces the pictures with decoded ones; the header shows the new count.
    void SetThumbnails(const std::vector<TThumbnail>& thumbnails);
    // Replaces the pictures with places planned against Cache() in `dataRoot`;
    // the pictures not in it are decoded on worker threads (the batch in flight
    // is cancelled). Unchecked places in view are stat'ed now, the rest when
    // painted: a photo changed since is decoded again, a removed one leaves.
    void ShowPlanned(std::vector<TThumbnailSlot> planned, const QString& dataRoot = {});
    // The places shown, for the next plan to take over.
    TShownThumbnails Shown() const;
    // The decoded pictures, kept across refills and pane closings.
    TThumbnailCache& Cache() { return PictureCache; }
    // Cancels the decoding and destroys the pictures (the cache keeps what it
    // knows of each photo, not the pictures); the header keeps its last text.
    void FreeThumbnails();
    int ThumbnailCount() const { return Count; }
    // True while pictures of the strip are still being decoded.
    bool Loading() const;
    // True when every place in view shows its picture.
    bool ViewFilled();
    // Blocks until the decoding is done, reporting what arrived; for tests
    // and benchmarks.
    void FinishLoading();

signals:
    void ThumbnailClicked(const QString& name);
    // Every planned picture of the strip was decoded (or found unreadable).
    void LoadingFinished();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class TThumbnailImage;
    struct TPlace {
        int Record = -1;
        QString Name;
        QString Path;      // empty for a decoded thumbnail
        TPhotoStamp Stamp;
        QImage Image;      // a decoded thumbnail's picture
        int Job = -1;      // its slot in the loader's batch
        bool Broken = false;
    };

    struct TPair {
        TThumbnailImage* Image = nullptr;  // MkImg n
        QLabel* Label = nullptr;           // MkLbl n
    };
    using TPairs = std::map<int, TPair>;  // by place, only around the view

    void Bind(std::vector<TPlace> places);
    static bool SamePicture(const TPlace& a, const TPlace& b);
    void SyncWidgets();
    void CreatePair(int n);
    void BindWidget(int n);
    void TrimWidgets(int count);
    TPairs::iterator DestroyPair(TPairs::iterator it);
    TThumbnailImage* ImageOf(int n) const;
    void Loaded(int job, const QImage& image, bool readable);
    void DropBrokenPlaces();
    void RequestPicture(int n);
    QImage PictureOf(int n);
    void ShowCount();
    std::pair<int, int> PlacesInView() const;
    std::pair<int, int> PlacesWithWidgets() const;

    QWidget* PaintBox1 = nullptr;
    QLabel* Panel6 = nullptr;
    TThumbnailCache PictureCache;
    TThumbnailLoader* Loader = nullptr;  // deleted first: its workers use the cache
    std::vector<TPlace> Places;
    QString PlannedRoot;
    std::vector<int> PlaceOfJob;
    TPairs Pairs;
    QPointer<QWidget> Viewport;  // the paint box's parent, watched for resizes
    QTimer DropTimer;
    int Count = 0;
};
