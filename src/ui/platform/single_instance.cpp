#include "ui/platform/single_instance.h"

#include <unistd.h>

#include <QLocalServer>
#include <QLocalSocket>
#include <QWidget>

namespace {

const QByteArray RaiseCommand = "RAISE\n";
constexpr int ConnectTimeoutMs = 1000;

}  // namespace

TSingleInstance::TSingleInstance(const QString& serverName, QObject* parent)
    : QObject(parent), ServerName(serverName) {}

TSingleInstance::~TSingleInstance() {
    if (Server)
        Server->close();
}

QString TSingleInstance::DefaultServerName() {
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        user = QString::number(getuid());
    return QStringLiteral("saporia-") + user;
}

bool TSingleInstance::AskRunningCopy() {
    QLocalSocket socket;
    socket.connectToServer(ServerName);
    if (!socket.waitForConnected(ConnectTimeoutMs))
        return false;
    socket.write(RaiseCommand);
    socket.waitForBytesWritten(ConnectTimeoutMs);
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(ConnectTimeoutMs);
    return true;
}

bool TSingleInstance::Start() {
    if (AskRunningCopy())
        return false;
    Server = new QLocalServer(this);
    Server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!Server->listen(ServerName)) {
        // Nobody answered, so a socket file left behind is stale.
        QLocalServer::removeServer(ServerName);
        if (!Server->listen(ServerName)) {
            // A copy that started at the same moment may have won the race.
            if (AskRunningCopy())
                return false;
            // Without a socket this copy still runs; it only cannot be found.
            return true;
        }
    }
    connect(Server, &QLocalServer::newConnection, this, &TSingleInstance::OnNewConnection);
    return true;
}

void TSingleInstance::OnNewConnection() {
    while (QLocalSocket* socket = Server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            const QByteArray data = socket->readAll();
            if (!data.contains("RAISE"))
                return;
            if (Window)
                RestoreAndRaise(Window);
            emit RaiseRequested();
        });
    }
}

void TSingleInstance::RestoreAndRaise(QWidget* window) {
    if (!window)
        return;
    Qt::WindowStates state = window->windowState();
    if (state & Qt::WindowMinimized)
        window->setWindowState((state & ~Qt::WindowMinimized) | Qt::WindowActive);
    window->show();
    window->raise();
    window->activateWindow();
}
