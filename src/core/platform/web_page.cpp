#include "core/platform/web_page.h"

#include <cerrno>
#include <utility>
#include <iconv.h>

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QRegularExpression>

#include "core/platform/saporia_error.h"
#include "core/platform/sjis.h"

TWebGet::TWebGet(QObject* parent) : QObject(parent), Manager(new QNetworkAccessManager(this)) {
    Deadline.setSingleShot(true);
    connect(&Deadline, &QTimer::timeout, this,
            [this] { Fail(QStringLiteral("応答がありません (%1 秒)").arg(Options.TimeoutMs / 1000.0)); });
}

TWebGet::~TWebGet() {
    // Destroyed with a GET in flight (program exit): end it without a signal.
    if (QNetworkReply* reply = TakeReply()) {
        reply->abort();
        reply->deleteLater();
    }
}

void TWebGet::Start(const QUrl& url, const TWebGetOptions& options) {
    if (Running())
        Abort();
    Options = options;
    Body.clear();
    const quint64 generation = ++Generation;
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty() || (scheme != u"http" && scheme != u"https")) {
        // Finished always comes after Start returns, as for a real transfer.
        Refusing = true;
        const QString error = QStringLiteral("http または https のアドレスではありません: %1").arg(url.toString());
        QMetaObject::invokeMethod(
            this,
            [this, generation, error] {
                if (generation != Generation || !Refusing)
                    return;
                Refusing = false;
                emit Finished(false, {}, error);
            },
            Qt::QueuedConnection);
        return;
    }
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(options.MaxRedirects);
    request.setHeader(QNetworkRequest::UserAgentHeader, QByteArrayLiteral("Saporia"));
    Reply = Manager->get(request);
    connect(Reply, &QNetworkReply::readyRead, this, &TWebGet::ReadMore);
    connect(Reply, &QNetworkReply::finished, this, &TWebGet::Complete);
    connect(Reply, &QNetworkReply::metaDataChanged, this, [this] {
        const QVariant length = Reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() > Options.MaxBytes)
            Fail(QStringLiteral("データが大きすぎます (%1 バイト)").arg(length.toLongLong()));
    });
    Deadline.start(options.TimeoutMs);
}

void TWebGet::Abort() {
    if (Refusing) {
        Refusing = false;
        emit Finished(false, {}, QStringLiteral("中止しました"));
        return;
    }
    if (Reply)
        Fail(QStringLiteral("中止しました"));
}

QNetworkReply* TWebGet::TakeReply() {
    Deadline.stop();
    QNetworkReply* reply = Reply;
    Reply = nullptr;
    if (reply)
        reply->disconnect(this);
    return reply;
}

void TWebGet::ReadMore() {
    Body += Reply->readAll();
    if (Body.size() > Options.MaxBytes)
        Fail(QStringLiteral("データが大きすぎます (%1 バイトを超えています)").arg(Options.MaxBytes));
}

void TWebGet::Fail(const QString& error) {
    QNetworkReply* reply = TakeReply();
    if (!reply)
        return;
    reply->abort();
    reply->deleteLater();
    Body.clear();
    emit Finished(false, {}, error);
}

void TWebGet::Complete() {
    if (!Reply)
        return;
    Body += Reply->readAll();
    QNetworkReply* reply = TakeReply();
    reply->deleteLater();
    TWebReply result;
    result.Status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    result.FinalUrl = reply->url();
    result.ContentType = reply->rawHeader("Content-Type");
    QString error;
    if (Body.size() > Options.MaxBytes)
        error = QStringLiteral("データが大きすぎます (%1 バイトを超えています)").arg(Options.MaxBytes);
    else if (result.Status >= 400)
        error = QStringLiteral("HTTP %1 %2")
                    .arg(result.Status)
                    .arg(reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString());
    else if (reply->error() == QNetworkReply::TooManyRedirectsError)
        error = QStringLiteral("転送が多すぎます (%1 回を超えています)").arg(Options.MaxRedirects);
    else if (reply->error() != QNetworkReply::NoError)
        error = reply->errorString();
    else if (result.Status >= 300)
        error = QStringLiteral("HTTP %1 (転送先がありません)").arg(result.Status);
    if (!error.isEmpty()) {
        Body.clear();
        emit Finished(false, {}, error);
        return;
    }
    result.Body = std::exchange(Body, {});
    emit Finished(true, result, {});
}

TWebReply WebGet(const QUrl& url, const TWebGetOptions& options) {
    TWebGet get;
    QEventLoop loop;
    bool ok = false;
    TWebReply result;
    QString error;
    QObject::connect(&get, &TWebGet::Finished, &loop,
                     [&](bool good, const TWebReply& reply, const QString& message) {
                         ok = good;
                         result = reply;
                         error = message;
                         loop.quit();
                     });
    get.Start(url, options);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (!ok)
        throw TSaporiaError(error);
    return result;
}

namespace {

enum class TCharset { Unknown, Sjis, EucJp, Utf8 };

TCharset CharsetNamed(QByteArray name) {
    name = name.trimmed().toLower();
    if (name.startsWith('"') || name.startsWith('\''))
        name = name.mid(1);
    while (!name.isEmpty() && (name.endsWith('"') || name.endsWith('\'')))
        name.chop(1);
    if (name == "utf-8" || name == "utf8")
        return TCharset::Utf8;
    if (name == "euc-jp" || name == "x-euc-jp" || name == "eucjp" || name == "euc-jp-ms")
        return TCharset::EucJp;
    if (name == "shift_jis" || name == "shift-jis" || name == "sjis" || name == "x-sjis" || name == "windows-31j" ||
        name == "cp932" || name == "ms932" || name == "ms_kanji")
        return TCharset::Sjis;
    return TCharset::Unknown;
}

// "charset=" inside a header value or the head of a page.
TCharset CharsetIn(const QByteArray& text) {
    static const QRegularExpression pattern(QStringLiteral(R"(charset\s*=\s*["']?([A-Za-z0-9_\-]+))"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pattern.match(QString::fromLatin1(text));
    return match.hasMatch() ? CharsetNamed(match.captured(1).toLatin1()) : TCharset::Unknown;
}

// EUC-JP through iconv; a byte iconv refuses becomes U+FFFD and decoding goes on.
QString FromEucJp(const QByteArray& bytes) {
    iconv_t cd = iconv_open("UTF-8", "EUC-JP-MS");
    if (cd == reinterpret_cast<iconv_t>(-1))
        cd = iconv_open("UTF-8", "EUC-JP");
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw TSaporiaError(QStringLiteral("文字コード変換 (EUC-JP) を開けません"));
    QByteArray out;
    out.reserve(bytes.size() * 3 / 2 + 16);
    char* in = const_cast<char*>(bytes.constData());
    size_t inLeft = static_cast<size_t>(bytes.size());
    char buffer[4096];
    while (inLeft > 0) {
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        const size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, outPtr - buffer);
        if (rc == static_cast<size_t>(-1) && errno != E2BIG) {
            out.append("\xEF\xBF\xBD");
            ++in;
            --inLeft;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    iconv_close(cd);
    return QString::fromUtf8(out);
}

}  // namespace

QString DecodePage(const QByteArray& body, const QByteArray& contentType) {
    TCharset charset = CharsetIn(contentType);
    if (charset == TCharset::Unknown && body.startsWith("\xEF\xBB\xBF"))
        charset = TCharset::Utf8;
    if (charset == TCharset::Unknown) {
        // Only a <meta> tag can name it; it must come early in the head.
        static const QRegularExpression meta(QStringLiteral(R"(<meta\b[^>]*>)"),
                                             QRegularExpression::CaseInsensitiveOption);
        const QString head = QString::fromLatin1(body.left(8192));
        for (auto it = meta.globalMatch(head); it.hasNext() && charset == TCharset::Unknown;)
            charset = CharsetIn(it.next().captured().toLatin1());
    }
    switch (charset) {
    case TCharset::Utf8:
        return QString::fromUtf8(body.startsWith("\xEF\xBB\xBF") ? body.mid(3) : body);
    case TCharset::EucJp:
        return FromEucJp(body);
    default:
        return FromSjis(body);
    }
}
