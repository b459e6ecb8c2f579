#pragma once

#include <cstdint>

#include <QByteArray>
#include <QImage>
#include <QObject>
#include <QString>

#include "core/lan/lan_protocol.h"
#include "core/lan/lan_reply_reader.h"

class QTcpSocket;
class QTimer;

enum class TLanFailure : std::uint8_t {
    ConnectFailed,  // the server could not be reached
    ReplyBroken,    // closed, silent or oversized before a whole reply came
};

// One request at a time to a recipe server: connects, sends the request,
// gathers the reply until it is whole and closes. Every outcome (a reply, a
// failure, the time-out) ends the request, so Busy never sticks.
class TLanClient final : public QObject {
    Q_OBJECT
public:
    explicit TLanClient(QObject* parent = nullptr);

    int TimeoutMs = 10 * 1000;  // the whole request, connecting included
    int QuietMs = 100;          // a reply that could be whole is taken after this pause
    qsizetype MaxReplyBytes = TLanReplyReader::DefaultMaxBytes;

    bool Busy() const { return IsBusy; }
    // Starts a request; false (and nothing done) while one is outstanding.
    bool Request(const QString& host, quint16 port, const QByteArray& request);

signals:
    void Connected();
    void Disconnected();
    void ReplyReceived(const TLanReply& reply);
    void Failed(TLanFailure failure);

private:
    void Read();
    void Closed();
    void Errored();
    void TimedOut();
    void Finish();
    void Fail(TLanFailure failure);
    void End();

    QTcpSocket* Socket = nullptr;
    QTimer* Timeout = nullptr;
    QTimer* Quiet = nullptr;
    TLanReplyReader Reader;
    QByteArray Pending;
    bool IsBusy = false;
    bool Open = false;  // connected during this request
};

// A recipe as the client shows it.
struct TLanRecipe {
    QString Foodstuff;
    QString How;
    QImage Photo;  // null when the recipe has none
    QString Comment;
};

// The recipe of an "ITM:" reply. Throws TSaporiaError for fewer than four
// fields or a photo that is not Base64 of a JPEG picture.
TLanRecipe DecodeLanRecipe(const TLanReply& reply);
