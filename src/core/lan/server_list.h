#pragma once

#include <QList>
#include <QString>

// "ServerList.dat" beside the program: one line per server, "name","address",
// CP932 with CR LF line ends, a quote inside doubled.

struct TServerEntry {
    QString Name;
    QString Address;
    bool operator==(const TServerEntry&) const = default;
};
using TServerEntries = QList<TServerEntry>;

QString ServerListPath(const QString& appDir);

// The entries of the file in order; none when it does not exist. A line with
// one field keeps an empty address; a blank line is no entry. Throws
// TSaporiaError when the file is there but cannot be read.
TServerEntries ReadServerList(const QString& path);

// Replaces the file atomically. Throws TSaporiaError, naming the character,
// when CP932 cannot hold an entry (nothing is written then).
void WriteServerList(const QString& path, const TServerEntries& entries);

// One line of the file, without its line end.
QString ServerListLine(const TServerEntry& entry);
