#include "ui/widgets/off_thread_work.h"

#include <exception>
#include <thread>

#include <QEventLoop>
#include <QMetaObject>

void RunOffWindowThread(const std::function<void()>& work) {
    QEventLoop loop;
    std::exception_ptr failure;
    // The quit is queued: it reaches the loop even when the work ends before
    // the loop has started.
    std::thread worker([&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec(QEventLoop::ExcludeUserInputEvents | QEventLoop::ExcludeSocketNotifiers);
    worker.join();
    if (failure)
        std::rethrow_exception(failure);
}
