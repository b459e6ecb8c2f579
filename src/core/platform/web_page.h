#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;

struct TWebGetOptions {
    int TimeoutMs = 30000;  // the whole transfer, redirects included
    qint64 MaxBytes = 10 * 1024 * 1024;
    int MaxRedirects = 5;
};

struct TWebReply {
    QByteArray Body;
    QByteArray ContentType;  // the Content-Type header as sent
    QUrl FinalUrl;           // after redirects
    int Status = 0;
};

// One HTTP GET in flight at a time. Finished is emitted exactly once per
// Start: with the reply, or with an error text for the user (bad address,
// HTTP error status, too many redirects, timeout, oversized body, Abort).
class TWebGet final : public QObject {
    Q_OBJECT
public:
    explicit TWebGet(QObject* parent = nullptr);
    ~TWebGet() override;

    // Only http and https; a Start while running ends the earlier GET first.
    void Start(const QUrl& url, const TWebGetOptions& options = {});
    void Abort();
    bool Running() const { return Reply != nullptr || Refusing; }

signals:
    void Finished(bool ok, const TWebReply& reply, const QString& error);

private:
    void ReadMore();
    void Complete();
    void Fail(const QString& error);
    QNetworkReply* TakeReply();

    QNetworkAccessManager* Manager = nullptr;
    QNetworkReply* Reply = nullptr;
    QTimer Deadline;
    TWebGetOptions Options;
    QByteArray Body;
    bool Refusing = false;  // a refused address waits for its queued Finished
    quint64 Generation = 0;
};

// Runs one GET to its end in a local loop that lets no user input through.
// Throws TSaporiaError with the error text on failure.
TWebReply WebGet(const QUrl& url, const TWebGetOptions& options = {});

// The page's text, decoded by the charset of the Content-Type header, else of
// a <meta> tag, else as CP932. Knows Shift_JIS (read as CP932), EUC-JP and UTF-8.
QString DecodePage(const QByteArray& body, const QByteArray& contentType);
