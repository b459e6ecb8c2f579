#include "core/common/parallel_chunks.h"

#include <algorithm>
#include <vector>

#include <QThreadPool>
#include <QtConcurrent/QtConcurrentMap>

void ForEachChunk(size_t count, size_t chunk, int workers, const std::function<void(size_t, size_t)>& run) {
    if (workers == 1 || count <= chunk) {
        run(0, count);
        return;
    }
    std::vector<size_t> starts;
    for (size_t b = 0; b < count; b += chunk)
        starts.push_back(b);
    const auto each = [&](size_t b) { run(b, std::min(b + chunk, count)); };
    if (workers <= 0) {
        QtConcurrent::blockingMap(QThreadPool::globalInstance(), starts, each);
        return;
    }
    QThreadPool pool;
    pool.setMaxThreadCount(workers);
    QtConcurrent::blockingMap(&pool, starts, each);
}
