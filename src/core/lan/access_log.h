#pragma once

#include <deque>

#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>

// The server's access log lines: "接続 " or "切断 ", then the time, the peer's
// address and its host name padded to 25, 15 and 25 characters (a longer
// value is kept whole).
QString AccessLogLine(bool connect, const QDateTime& time, const QString& address, const QString& hostName);

// Makes the lines as connections come and go. The host name comes from a
// reverse lookup that runs in the background, so a slow name server never
// holds the program up; lines come out in the order of the events, each
// once its name is known.
class TAccessLog final : public QObject {
    Q_OBJECT
public:
    explicit TAccessLog(QObject* parent = nullptr);

    // Looks names up; off: the host name stays empty (tests).
    bool LookupNames = true;

    void Add(bool connect, const QString& address);

signals:
    void LineReady(const QString& line);

private:
    struct TEntry {
        bool Connect = false;
        QDateTime Time;
        QString Address;
    };
    void Lookup(const QString& address);
    void Flush();

    std::deque<TEntry> Waiting;
    QHash<QString, QString> Names;  // address -> host name
    QSet<QString> InFlight;
};
