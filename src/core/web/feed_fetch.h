#pragma once

#include <functional>

#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QString>

#include "core/platform/web_page.h"
#include "core/web/feed_parser.h"
#include "core/web/web_node.h"

// Puts a good feed's news into the site and stamps its last update; a failed
// load or parse changes nothing.
bool ApplyFeed(TWebNode& site, const TFeedParseResult& feed, const QDateTime& now);

// The feed fetches of the RSS tree, each running without blocking the
// program, download and parse alike. A fetch finds its site again by id when
// it ends: a site deleted meanwhile is left alone. Only a good load replaces
// the stored news and the last update; an error or a time-out keeps both.
class TFeedFetch final : public QObject {
    Q_OBJECT
public:
    explicit TFeedFetch(TWebNode& top, QObject* parent = nullptr);
    // Aborts what is still running; an aborted fetch changes nothing.
    ~TFeedFetch() override;

    void SetClock(std::function<QDateTime()> clock) { Clock = std::move(clock); }
    void SetOptions(const TWebGetOptions& options) { Options = options; }

    // Starts fetching the site; false when a fetch of it is already running.
    bool Start(const TWebNode& site);
    bool Running(quint64 siteId) const { return Gets.contains(siteId); }
    int RunningCount() const { return static_cast<int>(Gets.size()); }
    void AbortAll();

signals:
    // Once per started fetch, when it ends (not for an aborted one).
    void Finished(quint64 siteId, bool ok, const QString& error);

private:
    void Done(quint64 siteId, bool ok, const TWebReply& reply, const QString& error);
    void Parsed(quint64 siteId, const TFeedParseResult& feed);

    TWebNode& Top;
    std::function<QDateTime()> Clock = [] { return QDateTime::currentDateTime(); };
    TWebGetOptions Options;
    QHash<quint64, QObject*> Gets;  // per running fetch: its download, then its parse
};
