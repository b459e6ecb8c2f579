#include "core/search/thumbnail_loader.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>

#include <QMetaObject>
#include <QMutexLocker>

#include "core/platform/allocator_arenas.h"
#include "core/search/thumbnail_cache.h"
#include "core/search/thumbnails.h"

TThumbnailLoader::TThumbnailLoader(TThumbnailCache& cache, int threads, QObject* parent)
    : QObject(parent), Cache(cache) {
    // Every core: the workers' lower priority leaves the window's thread and
    // a search started meanwhile the time they need.
    Pool.setMaxThreadCount(threads > 0 ? threads : DefaultThreads());
}

int TThumbnailLoader::DefaultThreads() { return std::max(1, QThread::idealThreadCount()); }

TThumbnailLoader::~TThumbnailLoader() {
    Cancel();
    Pool.waitForDone();
}

void TThumbnailLoader::Start(const QStringList& paths, const std::vector<bool>& known) {
    const QMutexLocker lock(&Mutex);
    ++Batch;
    Paths = paths;
    States.assign(static_cast<size_t>(paths.size()), TSlotState::Pending);
    Priority.clear();
    Cursor = 0;
    Outstanding = 0;
    for (qsizetype i = 0; i < paths.size(); ++i) {
        if (paths[i].isEmpty() || (static_cast<size_t>(i) < known.size() && known[static_cast<size_t>(i)]))
            States[static_cast<size_t>(i)] = TSlotState::Done;
        else
            ++Outstanding;
    }
    SpawnWorkersLocked(Outstanding);
}

void TThumbnailLoader::Request(int slot) {
    const QMutexLocker lock(&Mutex);
    if (slot < 0 || slot >= static_cast<int>(States.size()) || Paths[slot].isEmpty())
        return;
    TSlotState& state = States[static_cast<size_t>(slot)];
    if (state == TSlotState::Taken)
        return;
    if (state == TSlotState::Done) {
        state = TSlotState::Pending;  // its picture left the cache
        ++Outstanding;
    }
    // The latest request is the slot painted last: nearest to what the user looks at.
    Priority.push_front(slot);
    SpawnWorkersLocked(1);
}

void TThumbnailLoader::Cancel() {
    const QMutexLocker lock(&Mutex);
    ++Batch;
    Paths.clear();
    States.clear();
    Priority.clear();
    Cursor = 0;
    Outstanding = 0;
}

bool TThumbnailLoader::Busy() const {
    const QMutexLocker lock(&Mutex);
    return Workers > 0 || DeliveryPosted;
}

void TThumbnailLoader::WaitForDone() { Pool.waitForDone(); }

void TThumbnailLoader::SpawnWorkersLocked(int wanted) {
    const int room = Pool.maxThreadCount() - Workers;
    for (int i = 0; i < std::min(room, wanted); ++i) {
        ++Workers;
        Pool.start([this] { Work(); });
    }
}

bool TThumbnailLoader::TakeLocked(int& slot, QString& path, bool& requested) {
    auto take = [&](int s) {
        States[static_cast<size_t>(s)] = TSlotState::Taken;
        slot = s;
        path = Paths[s];
        return true;
    };
    while (!Priority.empty()) {
        const int s = Priority.front();
        Priority.pop_front();
        if (s < static_cast<int>(States.size()) && States[static_cast<size_t>(s)] == TSlotState::Pending) {
            requested = true;
            return take(s);
        }
    }
    requested = false;
    for (; Cursor < static_cast<int>(States.size()); ++Cursor)
        if (States[static_cast<size_t>(Cursor)] == TSlotState::Pending)
            return take(Cursor++);
    return false;
}

void TThumbnailLoader::Work() {
    // Pictures are background work: a worker yields to the window's thread
    // and to a search the user starts, yet still runs on a busy machine.
    thread_local const bool lowered = setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), WorkerNice) == 0;
    Q_UNUSED(lowered);
    for (;;) {
        int slot = -1;
        QString path;
        quint64 batch = 0;
        bool requested = false;
        {
            const QMutexLocker lock(&Mutex);
            if (!TakeLocked(slot, path, requested)) {
                --Workers;
                return;
            }
            batch = Batch;
        }
        // Stamped before reading: a photo changed while it is decoded keeps a
        // stamp that no longer matches, so it is decoded again next time.
        TResult result{batch, slot, {}, path, PhotoStampOf(path)};
        if (result.Stamp.Exists())
            result.Image = FindOrMakeThumbnail(Cache, path, result.Stamp, result.Decoded);
        result.Readable = !result.Image.isNull();
        result.Requested = requested;
        // Past the budget, a picture decoded ahead would only push out those
        // in view: only its verdict goes on.
        if (!requested && result.Decoded && Cache.NearlyFull())
            result.Image = QImage();
        const QMutexLocker lock(&Mutex);
        Results.push_back(std::move(result));
        if (!DeliveryPosted) {
            DeliveryPosted = true;
            QMetaObject::invokeMethod(this, &TThumbnailLoader::Deliver, Qt::QueuedConnection);
        }
    }
}

void TThumbnailLoader::Deliver() {
    std::vector<TResult> results;
    bool finished = false;
    {
        const QMutexLocker lock(&Mutex);
        results.swap(Results);
        DeliveryPosted = false;
    }
    // What a decode found holds whatever batch asked for it.
    for (TResult& r : results) {
        if (!r.Decoded)
            continue;
        if (r.Readable && !r.Image.isNull() && (r.Requested || !Cache.NearlyFull()))
            Cache.Insert(r.Path, r.Stamp, r.Image);
        else
            Cache.Remember(r.Path, r.Stamp, r.Readable);
    }
    {
        const QMutexLocker lock(&Mutex);
        std::erase_if(results, [this](const TResult& r) { return r.Batch != Batch; });
        for (const TResult& r : results)
            States[static_cast<size_t>(r.Slot)] = TSlotState::Done;
        const int before = Outstanding;
        Outstanding -= static_cast<int>(results.size());
        finished = before > 0 && Outstanding == 0;
    }
    for (const TResult& r : results)
        emit Loaded(r.Slot, r.Image, r.Readable);
    if (!finished)
        return;
    // The workers' buffers (files, full decodes) lie over their own heaps;
    // once a strip is done they go back to the system.
    results.clear();
    ReturnFreedMemory();
    emit Finished();
}
