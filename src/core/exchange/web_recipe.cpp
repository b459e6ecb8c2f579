#include "core/exchange/web_recipe.h"

#include "core/exchange/imported_recipe.h"
#include "core/platform/jpeg.h"
#include "core/platform/saporia_error.h"
#include "core/recipes/recipe_folder.h"
#include "core/recipes/status_file.h"

TCookItem RegisterWebRecipe(const QString& dataRoot, const TWebRecipe& recipe, const QString& today) {
    TImportedRecipe imported;
    imported.Name = recipe.Title;
    imported.Foodstuff = recipe.Ingredients.join(QLatin1Char('\n'));
    imported.How = recipe.Steps.join(QLatin1Char('\n'));
    imported.Photo = recipe.PhotoJpeg;
    imported.Status.SetValue(StatusKey::Amount, recipe.Amount);
    imported.Status.SetValue(StatusKey::Date, today);
    return WriteImportedRecipe(dataRoot, imported);
}

int RunWebImportLoop(const std::function<int()>& runDialog, const std::function<void()>& reload) {
    int runs = 0;
    for (;;) {
        ++runs;
        const int result = runDialog();
        if (result == WebImportRegister) {
            reload();
            return runs;
        }
        if (result != WebImportRegisterNext)
            return runs;
    }
}

QUrl PhotoAddress(const QString& found, const QUrl& page) {
    if (found.isEmpty())
        return {};
    const QUrl url = page.resolved(QUrl(found));
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || (scheme != QLatin1String("http") && scheme != QLatin1String("https")))
        return {};
    return url;
}

QByteArray PhotoJpegOf(const QByteArray& bytes, QImage* decoded) {
    if (LooksLikeJpeg(bytes)) {
        QImage image = DecodeJpeg(bytes);
        if (decoded)
            *decoded = image;
        return bytes;
    }
    QImage image;
    if (bytes.isEmpty() || !image.loadFromData(bytes) || image.isNull())
        throw TSaporiaError(QStringLiteral("画像として読み込めません"));
    if (qint64(image.width()) * image.height() > MaxJpegPixels)
        throw TSaporiaError(QStringLiteral("画像が大きすぎます"));
    if (decoded)
        *decoded = image;
    return EncodeJpeg(image, PhotoJpegQuality);
}
