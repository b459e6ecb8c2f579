#include "core/exchange/web_recipe_loader.h"

#include <QTimer>

#include "core/exchange/web_recipe.h"
#include "core/platform/saporia_error.h"
#include "core/platform/sjis.h"

TWebRecipeLoader::TWebRecipeLoader(QObject* parent) : QObject(parent), Get(new TWebGet(this)) {
    connect(Get, &TWebGet::Finished, this, [this](bool ok, const TWebReply& reply, const QString& error) {
        if (Stage == TStage::Page)
            PageDone(ok, reply, error);
        else if (Stage == TStage::Photo)
            PhotoDone(ok, reply, error);
    });
}

void TWebRecipeLoader::Start(const QString& address) {
    Abort();
    Result = TWebRecipeLoad();
    Stage = TStage::Page;
    // TWebGet refuses what is not http or https with its own Finished.
    Get->Start(QUrl(address), Options);
}

void TWebRecipeLoader::StartLines(const QStringList& lines, const QUrl& base) {
    Abort();
    Result = TWebRecipeLoad();
    Scan(lines, base);
}

void TWebRecipeLoader::Scan(const QStringList& lines, const QUrl& base) {
    Result.PageLines = lines;
    Result.Page = ReplaceUnencodable(ParsePage(lines), Result.Replaced);
    const QUrl photo = PhotoAddress(Result.Page.PhotoUrl, base);
    if (photo.isEmpty()) {
        Result.Ok = true;
        Stage = TStage::Photo;
        // Finished always comes from the event loop, as after a download.
        QTimer::singleShot(0, this, [this] {
            if (Stage == TStage::Photo && !Get->Running())
                Finish();
        });
        return;
    }
    Stage = TStage::Photo;
    Get->Start(photo, Options);
}

void TWebRecipeLoader::Abort() {
    if (Get->Running()) {
        Get->Abort();  // its Finished ends the stage as an error
    } else if (Stage != TStage::Idle) {
        Result.Ok = false;
        Result.Error = QStringLiteral("中止しました");
        Finish();
    }
    Stage = TStage::Idle;
}

void TWebRecipeLoader::PageDone(bool ok, const TWebReply& reply, const QString& error) {
    if (!ok) {
        Result.Error = error;
        Finish();
        return;
    }
    const QString text = NormaliseMarkup(DecodePage(reply.Body, reply.ContentType));
    Scan(SplitLines(text), reply.FinalUrl);
}

void TWebRecipeLoader::PhotoDone(bool ok, const TWebReply& reply, const QString& error) {
    Q_UNUSED(error);
    // A photo that cannot be fetched leaves the recipe without one; one that
    // arrives but is no picture is an error, the fields staying as they were.
    if (ok) {
        try {
            Result.PhotoJpeg = PhotoJpegOf(reply.Body, &Result.Photo);
        } catch (const TSaporiaError& photoError) {
            Result.Ok = false;
            Result.Error = photoError.message();
            Finish();
            return;
        }
    }
    Result.Ok = true;
    Finish();
}

void TWebRecipeLoader::Finish() {
    Stage = TStage::Idle;
    emit Finished(Result);
}
