#pragma once

#include <QCoreApplication>
#include <QEventLoop>
#include <QGuiApplication>

// Lets pending paint and timer work run without letting a click or a key
// start a second command in the middle of the current one.
inline void LetPendingMessagesRun() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

// The hourglass for the lifetime of the object, restored however the
// enclosing work ends.
class TBusyCursor final {
public:
    TBusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TBusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;
};
