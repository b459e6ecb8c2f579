#include "core/lan/lan_client.h"

#include <QTcpSocket>
#include <QTimer>

#include "core/common/base64.h"
#include "core/platform/jpeg.h"
#include "core/platform/saporia_error.h"

TLanClient::TLanClient(QObject* parent)
    : QObject(parent), Socket(new QTcpSocket(this)), Timeout(new QTimer(this)), Quiet(new QTimer(this)) {
    Timeout->setSingleShot(true);
    Quiet->setSingleShot(true);
    connect(Timeout, &QTimer::timeout, this, &TLanClient::TimedOut);
    connect(Quiet, &QTimer::timeout, this, [this] {
        if (IsBusy && Reader.State() == TLanReplyState::MaybeComplete)
            Finish();
    });
    connect(Socket, &QTcpSocket::connected, this, [this] {
        if (!IsBusy)
            return;
        Open = true;
        emit Connected();
        Socket->write(Pending);
    });
    connect(Socket, &QTcpSocket::readyRead, this, &TLanClient::Read);
    connect(Socket, &QTcpSocket::disconnected, this, &TLanClient::Closed);
    connect(Socket, &QTcpSocket::errorOccurred, this, &TLanClient::Errored);
}

bool TLanClient::Request(const QString& host, quint16 port, const QByteArray& request) {
    if (IsBusy)
        return false;
    Socket->abort();
    IsBusy = true;
    Open = false;
    Pending = request;
    Reader.Reset();
    Reader.MaxBytes = MaxReplyBytes;
    Timeout->start(TimeoutMs);
    Socket->connectToHost(host, port);
    return true;
}

void TLanClient::Read() {
    const QByteArray bytes = Socket->readAll();
    if (!IsBusy)
        return;
    Reader.Feed(bytes);
    switch (Reader.State()) {
    case TLanReplyState::Complete:
        Finish();
        break;
    case TLanReplyState::TooLarge:
        Fail(TLanFailure::ReplyBroken);
        break;
    case TLanReplyState::MaybeComplete:
        Quiet->start(QuietMs);
        break;
    case TLanReplyState::NeedMore:
        Quiet->stop();
        break;
    }
}

void TLanClient::Closed() {
    if (IsBusy) {
        // Whatever is still buffered came before the close.
        if (Socket->bytesAvailable() > 0)
            Reader.Feed(Socket->readAll());
        const TLanReplyState state = Reader.State();
        if (state == TLanReplyState::Complete || state == TLanReplyState::MaybeComplete)
            Finish();
        else
            Fail(TLanFailure::ReplyBroken);
    }
    emit Disconnected();
}

void TLanClient::Errored() {
    if (!IsBusy || Socket->error() == QAbstractSocket::RemoteHostClosedError)
        return;  // the close itself ends the request
    Fail(Open ? TLanFailure::ReplyBroken : TLanFailure::ConnectFailed);
}

void TLanClient::TimedOut() {
    if (IsBusy)
        Fail(Open ? TLanFailure::ReplyBroken : TLanFailure::ConnectFailed);
}

void TLanClient::End() {
    IsBusy = false;
    Timeout->stop();
    Quiet->stop();
    Pending.clear();
    Socket->abort();
}

void TLanClient::Finish() {
    const TLanReply reply = ParseLanReply(Reader.Bytes());
    Reader.Reset();
    End();
    emit ReplyReceived(reply);
}

void TLanClient::Fail(TLanFailure failure) {
    Reader.Reset();
    End();
    emit Failed(failure);
}

TLanRecipe DecodeLanRecipe(const TLanReply& reply) {
    if (reply.Fields.size() < 4)
        throw TSaporiaError(QStringLiteral("recipe reply has %1 fields").arg(reply.Fields.size()));
    TLanRecipe recipe{reply.Fields[0], reply.Fields[1], QImage(), reply.Fields[3]};
    if (!reply.Fields[2].isEmpty()) {
        QByteArray jpeg;
        if (!Base64DecodeBuffer(reply.Fields[2], jpeg))
            throw TSaporiaError(QStringLiteral("photo is not Base64"));
        recipe.Photo = DecodeJpeg(jpeg);
    }
    return recipe;
}
