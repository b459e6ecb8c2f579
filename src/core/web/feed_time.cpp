#include "core/web/feed_time.h"

namespace {

constexpr qint64 IntervalMs = 300672;  // 0.00348 day

}  // namespace

QString FormatFeedTime(const QDateTime& time) { return time.toString(QStringLiteral("yyyy/MM/dd H:mm:ss")); }

QDateTime ParseFeedTime(const QString& text) {
    for (const QString& format : {QStringLiteral("yyyy/MM/dd H:mm:ss"), QStringLiteral("yyyy/MM/dd HH:mm:ss")}) {
        const QDateTime time = QDateTime::fromString(text, format);
        if (time.isValid())
            return time;
    }
    return QDateTime();
}

bool FeedDue(const QString& lastUpdate, const QDateTime& now) {
    const QDateTime last = ParseFeedTime(lastUpdate);
    if (!last.isValid())
        return true;
    return last.msecsTo(now) > IntervalMs;
}
