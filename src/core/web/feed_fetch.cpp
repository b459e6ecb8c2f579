#include "core/web/feed_fetch.h"

#include <QFutureWatcher>
#include <QUrl>
#include <QtConcurrent/QtConcurrentRun>

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
    const QHash<quint64, QObject*> running = std::exchange(Gets, {});
    for (QObject* step : running) {
        step->disconnect(this);
        if (auto* get = qobject_cast<TWebGet*>(step))
            get->Abort();
        // A parse still running ends on its own; its result is dropped.
        step->deleteLater();
    }
}

void TFeedFetch::Done(quint64 siteId, bool ok, const TWebReply& reply, const QString& error) {
    if (!ok) {
        emit Finished(siteId, false, error);
        return;
    }
    // A long feed takes a while to parse: not on the window's thread.
    auto* parse = new QFutureWatcher<TFeedParseResult>(this);
    Gets.insert(siteId, parse);
    connect(parse, &QFutureWatcherBase::finished, this, [this, siteId, parse] {
        if (Gets.value(siteId) != parse)
            return;
        Gets.remove(siteId);
        parse->deleteLater();
        Parsed(siteId, parse->result());
    });
    parse->setFuture(QtConcurrent::run([body = reply.Body] { return ParseFeed(body); }));
}

void TFeedFetch::Parsed(quint64 siteId, const TFeedParseResult& feed) {
    if (!feed.Ok) {
        emit Finished(siteId, false, feed.Error);
        return;
    }
    if (TWebNode* site = Top.Find(siteId))
        ApplyFeed(*site, feed, Clock());
    emit Finished(siteId, true, QString());
}
