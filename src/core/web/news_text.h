#pragma once

#include <QString>

// The news texts of the RSS reader as it shows them. A description may be
// megabytes long; the list row takes only its beginning, so showing a site
// never lays a whole description out.

// Lines and characters per line a news row shows of a description.
inline constexpr int NewsRowLines = 3;
inline constexpr int NewsRowLineChars = 256;

// The first NewsRowLines lines of the description (split at CR LF, CR or
// LF, rejoined with LF), each cut to NewsRowLineChars characters; "…" ends
// the text when anything was left out.
QString NewsRowText(const QString& description);

// The description for the text pane: every "<br />", in any letter case, a
// line break (CR LF). No other markup is touched.
QString NewsDetailText(const QString& description);
