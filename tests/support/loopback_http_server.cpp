#include "support/loopback_http_server.h"

#include <QNetworkProxy>
#include <QTcpSocket>

TLoopbackHttpServer::TLoopbackHttpServer() {
    QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
    Server.listen(QHostAddress::LocalHost, 0);
    connect(&Server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = Server.nextPendingConnection()) {
            socket->setParent(this);
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { Answer(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

void TLoopbackHttpServer::Route(const QByteArray& path, const TLoopbackRoute& route) { Routes[path] = route; }

QUrl TLoopbackHttpServer::Url(const QByteArray& path) const {
    return QUrl(QStringLiteral("http://127.0.0.1:%1").arg(Server.serverPort()) + QString::fromUtf8(path));
}

int TLoopbackHttpServer::Requests(const QByteArray& path) const {
    const auto it = Counts.find(path);
    return it == Counts.end() ? 0 : it->second;
}

void TLoopbackHttpServer::Answer(QTcpSocket* socket) {
    QByteArray request = socket->property("request").toByteArray() + socket->readAll();
    socket->setProperty("request", request);
    if (!request.contains("\r\n\r\n") || socket->property("answered").toBool())
        return;
    socket->setProperty("answered", true);
    const QList<QByteArray> words = request.left(request.indexOf("\r\n")).split(' ');
    const QByteArray path = words.size() > 1 ? words[1] : QByteArray("/");
    ++Counts[path];
    const auto it = Routes.find(path);
    TLoopbackRoute route = it != Routes.end() ? it->second : TLoopbackRoute::Error(404);
    if (route.NeverAnswer)
        return;
    QByteArray head = "HTTP/1.1 " + QByteArray::number(route.RedirectTo.isEmpty() ? route.Status : 302) + " X\r\n";
    if (!route.RedirectTo.isEmpty())
        head += "Location: " + route.RedirectTo + "\r\n";
    head += "Content-Type: " + route.ContentType + "\r\nContent-Length: " + QByteArray::number(route.Body.size()) +
            "\r\nConnection: close\r\n\r\n";
    socket->write(head + route.Body);
    socket->disconnectFromHost();
}
