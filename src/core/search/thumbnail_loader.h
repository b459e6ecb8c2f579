#pragma once

#include <atomic>
#include <deque>
#include <vector>

#include <QImage>
#include <QMutex>
#include <QObject>
#include <QString>
#include <QThreadPool>

#include "core/search/thumbnail_cache.h"

// Decodes the photos of the thumbnail strip on worker threads into the cache
// and reports each one to the owner's thread as it is done. Slots asked for
// by Request (those in view) go first, the rest in order, every one of them:
// each decode tells whether the photo is readable. Once the cache is nearly
// full, a picture decoded ahead is neither kept nor carried to the owner's
// thread, only whether it is readable, so a huge strip cannot push the
// pictures in view out of the cache nor pile pictures up on their way.
// The workers run at a lower priority and only decode: the cache is filled on
// the owner's thread, where the budget is weighed in the order of arrival.
// Start and Cancel never wait for a worker: the results of a cancelled batch
// are recorded in the cache but not reported. The destructor waits for the
// decodes in flight.
class TThumbnailLoader final : public QObject {
    Q_OBJECT
public:
    // `threads` 0: one per core.
    explicit TThumbnailLoader(TThumbnailCache& cache, int threads = 0, QObject* parent = nullptr);
    ~TThumbnailLoader() override;

    // Cancels the batch in flight and decodes `paths` (slot n is paths[n]).
    // Slots marked in `known` (known readable to the cache) are decoded only
    // when requested; an empty path never is.
    void Start(const QStringList& paths, const std::vector<bool>& known = {});
    // Decodes this slot next (again, if its picture left the cache).
    void Request(int slot);
    void Cancel();
    // True while a worker runs or results wait to be reported.
    bool Busy() const;
    // Blocks until the workers are idle; for tests and benchmarks.
    void WaitForDone();
    int Threads() const { return Pool.maxThreadCount(); }
    // The workers of a loader made with `threads` 0.
    static int DefaultThreads();
    // The nice value of the workers.
    static constexpr int WorkerNice = 10;

signals:
    // The slot's photo was decoded: `readable` false when the file is not a
    // readable photo. The image is its thumbnail, or null when the picture is
    // not kept (decoded ahead past the cache's budget, only to judge it).
    void Loaded(int slot, const QImage& image, bool readable);
    // Every slot of the batch was reported.
    void Finished();

private:
    enum class TSlotState : unsigned char { Pending, Taken, Done };
    struct TResult {
        quint64 Batch = 0;
        int Slot = -1;
        QImage Image;
        // Decoded now: recorded in the cache on the owner's thread.
        QString Path;
        TPhotoStamp Stamp;
        bool Decoded = false;
        bool Readable = false;
        bool Requested = false;
    };

    void Work();
    bool TakeLocked(int& slot, QString& path, bool& requested);
    void Deliver();
    void SpawnWorkersLocked(int wanted);

    TThumbnailCache& Cache;
    QThreadPool Pool;
    mutable QMutex Mutex;
    quint64 Batch = 0;
    QStringList Paths;
    std::vector<TSlotState> States;
    std::deque<int> Priority;
    int Cursor = 0;        // next slot in order
    int Outstanding = 0;   // slots of this batch not yet reported
    int Workers = 0;       // workers running
    std::vector<TResult> Results;
    bool DeliveryPosted = false;
};
