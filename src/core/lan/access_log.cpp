#include "core/lan/access_log.h"

#include <QHostInfo>

namespace {

// Bounds for a flood of peers: the name cache is dropped past this, and the
// oldest waiting lines go out without a name.
constexpr qsizetype MaxCachedNames = 1024;
constexpr std::size_t MaxWaitingLines = 2000;

}  // namespace

QString AccessLogLine(bool connect, const QDateTime& time, const QString& address, const QString& hostName) {
    const QString word = connect ? QStringLiteral("接続 ") : QStringLiteral("切断 ");
    const QString when = time.toString(QStringLiteral("yyyy/MM/dd H:mm:ss"));
    return word + when.leftJustified(25) + address.leftJustified(15) + hostName.leftJustified(25);
}

TAccessLog::TAccessLog(QObject* parent) : QObject(parent) {}

void TAccessLog::Add(bool connect, const QString& address) {
    Waiting.push_back({connect, QDateTime::currentDateTime(), address});
    if (LookupNames && !Names.contains(address))
        Lookup(address);
    Flush();
}

void TAccessLog::Lookup(const QString& address) {
    if (InFlight.contains(address))
        return;
    InFlight.insert(address);
    QHostInfo::lookupHost(address, this, [this, address](const QHostInfo& info) {
        InFlight.remove(address);
        if (Names.size() >= MaxCachedNames)
            Names.clear();
        Names.insert(address, info.error() == QHostInfo::NoError ? info.hostName() : QString());
        Flush();
    });
}

void TAccessLog::Flush() {
    while (!Waiting.empty()) {
        const TEntry& entry = Waiting.front();
        const bool known = !LookupNames || Names.contains(entry.Address);
        if (!known && Waiting.size() <= MaxWaitingLines) {
            Lookup(entry.Address);  // again, if the cache let its name go
            return;
        }
        const QString line = AccessLogLine(entry.Connect, entry.Time, entry.Address, Names.value(entry.Address));
        Waiting.pop_front();
        emit LineReady(line);
    }
}
