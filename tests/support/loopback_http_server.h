#pragma once

#include <map>

#include <QByteArray>
#include <QObject>
#include <QTcpServer>
#include <QUrl>

struct TLoopbackRoute {
    int Status = 200;
    QByteArray ContentType = "text/html";
    QByteArray Body;
    QByteArray RedirectTo;     // answers 302 with this Location
    bool NeverAnswer = false;  // reads the request and keeps the connection silent

    static TLoopbackRoute Page(const QByteArray& body, const QByteArray& contentType = "text/html") {
        return {200, contentType, body, {}, false};
    }
    static TLoopbackRoute Error(int status) { return {status, "text/plain", "error", {}, false}; }
    static TLoopbackRoute Redirect(const QByteArray& to) { return {302, "text/plain", {}, to, false}; }
    static TLoopbackRoute Silent() { return {200, {}, {}, {}, true}; }
};

// A small HTTP server on 127.0.0.1 with a free port, answering in the test's
// own event loop. Unknown paths answer 404. It also turns proxies off, so the
// loopback requests never leave the machine.
class TLoopbackHttpServer final : public QObject {
public:
    TLoopbackHttpServer();

    void Route(const QByteArray& path, const TLoopbackRoute& route);
    QUrl Url(const QByteArray& path) const;
    int Requests(const QByteArray& path) const;

private:
    void Answer(class QTcpSocket* socket);

    QTcpServer Server;
    std::map<QByteArray, TLoopbackRoute> Routes;
    std::map<QByteArray, int> Counts;
};
