#include "core/lan/server_list.h"

#include "core/common/comma_text.h"
#include "core/platform/file_io.h"

namespace {

QString Quoted(QString text) {
    text.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

}  // namespace

QString ServerListPath(const QString& appDir) { return appDir + QStringLiteral("ServerList.dat"); }

QString ServerListLine(const TServerEntry& entry) {
    return Quoted(entry.Name) + QLatin1Char(',') + Quoted(entry.Address);
}

TServerEntries ReadServerList(const QString& path) {
    TServerEntries entries;
    if (!EntryExists(path))  // a link leading nowhere is unreadable, not missing
        return entries;
    for (const QString& line : ReadSjisLines(path, MaxStoreFileBytes)) {
        const QStringList fields = SplitCommaText(line);
        if (fields.isEmpty())
            continue;
        entries.append({fields[0], fields.value(1)});
    }
    return entries;
}

void WriteServerList(const QString& path, const TServerEntries& entries) {
    QStringList lines;
    lines.reserve(entries.size());
    for (const TServerEntry& entry : entries)
        lines.append(ServerListLine(entry));
    WriteSjisLines(path, lines);
}
