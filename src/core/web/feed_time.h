#pragma once

#include <QDateTime>
#include <QString>

// A site's last-fetch time as stored: "yyyy/MM/dd H:mm:ss", local time,
// whatever the machine's locale.
QString FormatFeedTime(const QDateTime& time);
// Reads that form, with or without a leading zero in the hour; an invalid
// date for any other text.
QDateTime ParseFeedTime(const QString& text);

// A site is fetched on selection when it was never fetched (an unreadable
// time counts as never) or more than 0.00348 day (300.672 s) has passed.
bool FeedDue(const QString& lastUpdate, const QDateTime& now);
