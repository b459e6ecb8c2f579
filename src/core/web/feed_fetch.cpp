#include "core/web/feed_fetch.h"

#include <QUrl>

#include "core/web/feed_time.h"

bool ApplyFeed(TWebNode& site, const TFeedParseResult& feed, const QDateTime& now) {
    if (!feed.Ok)
        return false;
    site.News = feed.News;
    site.LastUpdate = FormatFeedTime(now);
    return true;
}

TFeedFetch::TFeedFetch(TWebNode& top, QObject* parent) : QObject(parent), Top(top) {}

TFeedFetch::~TFeedFetch() { AbortAll(); }

bool TFeedFetch::Start(const TWebNode& site) {
    const quint64 id = site.Id();
    if (Gets.contains(id))
        return false;
    auto* get = new TWebGet(this);
    Gets.insert(id, get);
    connect(get, &TWebGet::Finished, this, [this, id, get](bool ok, const TWebReply& reply, const QString& error) {
        if (Gets.value(id) != get)
            return;
        Gets.remove(id);
        get->deleteLater();
        Done(id, ok, reply, error);
    });
    get->Start(QUrl(site.URL.trimmed()), Options);
    return true;
}

void TFeedFetch::AbortAll() {
    const QHash<quint64, TWebGet*> running = std::exchange(Gets, {});
    for (TWebGet* get : running) {
        get->disconnect(this);
        get->Abort();
        get->deleteLater();
    }
}

void TFeedFetch::Done(quint64 siteId, bool ok, const TWebReply& reply, const QString& error) {
    if (!ok) {
        emit Finished(siteId, false, error);
        return;
    }
    const TFeedParseResult feed = ParseFeed(reply.Body);
    if (!feed.Ok) {
        emit Finished(siteId, false, feed.Error);
        return;
    }
    if (TWebNode* site = Top.Find(siteId))
        ApplyFeed(*site, feed, Clock());
    emit Finished(siteId, true, QString());
}
