#pragma once

#include <QByteArray>
#include <QImage>
#include <QMetaType>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QUrl>

#include "core/exchange/recipe_page_parser.h"
#include "core/platform/web_page.h"

// Loads a recipe page, scans it and downloads its photo into memory.
struct TWebRecipeLoad {
    bool Ok = false;
    QString Error;           // for the user, when !Ok
    QStringList PageLines;   // the page as scanned (normalised markup)
    TParsedPage Page;        // with characters CP932 cannot hold replaced
    int Replaced = 0;        // how many were replaced
    QByteArray PhotoJpeg;    // empty: no photo
    QImage Photo;
};
Q_DECLARE_METATYPE(TWebRecipeLoad)

class TWebRecipeLoader final : public QObject {
    Q_OBJECT
public:
    explicit TWebRecipeLoader(QObject* parent = nullptr);

    // Page and photo limits; 20 s and 5 MiB unless set.
    void SetOptions(const TWebGetOptions& options) { Options = options; }

    // Loads the address as typed. Finished comes exactly once per start.
    void Start(const QString& address);
    // Scans lines already at hand (the page text edited by hand), then
    // downloads the photo they name, resolved against `base`.
    void StartLines(const QStringList& lines, const QUrl& base);
    void Abort();
    bool Running() const { return Stage != TStage::Idle; }

signals:
    void Finished(const TWebRecipeLoad& result);

private:
    enum class TStage { Idle, Page, Photo };
    void Scan(const QStringList& lines, const QUrl& base);
    void PageDone(bool ok, const TWebReply& reply, const QString& error);
    void PhotoDone(bool ok, const TWebReply& reply, const QString& error);
    void Finish();

    TWebGet* Get = nullptr;
    TWebGetOptions Options{20000, 5LL * 1024 * 1024, 5};
    TStage Stage = TStage::Idle;
    TWebRecipeLoad Result;
};
