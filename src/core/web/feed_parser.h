#pragma once

#include <vector>

#include <QByteArray>
#include <QString>

#include "core/web/web_node.h"

// What a feed gave: its news in feed order, or why it could not be read.
// A well-formed document in none of the known forms is good and has no news.
struct TFeedParseResult {
    bool Ok = false;
    QString Error;
    std::vector<TNewsItem> News;
};

// Reads RSS 1.0 (root "xmlns" exactly "http://purl.org/rss/1.0/", items
// directly under the root, a later child of the same name winning), RSS 0.91
// and 2.0 (root "version", items directly under the first "channel", the
// first child of each name). The three checks are not exclusive. The date is
// "dc:date" only. Decoded by byte-order mark or declared encoding, else UTF-8
// when valid, else Shift_JIS.
TFeedParseResult ParseFeed(const QByteArray& bytes);
