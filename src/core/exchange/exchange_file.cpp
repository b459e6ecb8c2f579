#include "core/exchange/exchange_file.h"

#include <QFileInfo>
#include <QSet>
#include <QXmlStreamReader>

#include "core/common/base64.h"
#include "core/platform/file_io.h"
#include "core/platform/jpeg.h"
#include "core/platform/saporia_error.h"
#include "core/platform/sjis.h"
#include "core/platform/text_codes.h"
#include "core/platform/xml_dom.h"
#include "core/recipes/status_file.h"

namespace {

const QString RootName = QStringLiteral("root");
const QString StatusName = QStringLiteral("Status");
const QString MaterialName = QStringLiteral("Material");
const QString MethodName = QStringLiteral("Method");
const QString PictureName = QStringLiteral("Picture");
const QString CommentName = QStringLiteral("Comment");

QString Coded(const QString& paneText) { return EncodeTextCodes(ToCrLf(paneText)); }

// The text of one element, children's text included; the reader stands on
// its start and ends on its end.
QString ElementText(QXmlStreamReader& reader) {
    return reader.readElementText(QXmlStreamReader::IncludeChildElements);
}

}  // namespace

const QStringList& ExchangeStatusKeys() {
    static const QStringList keys{StatusKey::Icon,  StatusKey::Kind,     StatusKey::Amount,
                                  StatusKey::Calorie, StatusKey::Price, StatusKey::WorkTime,
                                  StatusKey::Date,  StatusKey::Group,    StatusKey::Salt};
    return keys;
}

TExchangeRecipe ExchangeRecipeOf(const TCookItem& item, const QString& material, const QString& method,
                                 const QString& comment, const QByteArray& picture) {
    TExchangeRecipe recipe;
    recipe.Status = {QString::number(item.Icon), item.Kind,  item.Amount, item.Calorie, item.Price,
                     item.WorkTime,              item.Date,  item.Group,  item.Salt};
    recipe.Material = material;
    recipe.Method = method;
    recipe.Comment = comment;
    recipe.Picture = picture;
    return recipe;
}

QByteArray WriteExchangeFile(const TExchangeRecipe& recipe) {
    QDomDocument document = NewXmlDocument(RootName);
    QDomElement root = document.documentElement();
    QDomElement status = ChildElement(root, StatusName);
    for (qsizetype i = 0; i < ExchangeStatusKeys().size(); ++i)
        SetChildText(status, ExchangeStatusKeys()[i], recipe.Status.value(i));
    SetChildText(root, MaterialName, Coded(recipe.Material));
    SetChildText(root, MethodName, Coded(recipe.Method));
    SetChildText(root, PictureName, QString::fromLatin1(Base64EncodeBuffer(recipe.Picture)));
    SetChildText(root, CommentName, Coded(recipe.Comment));
    // The texts must arrive as they are: no character reference stands in
    // for one CP932 cannot hold.
    for (const QString& text : {recipe.Material, recipe.Method, recipe.Comment})
        ToSjis(text);
    for (const QString& value : recipe.Status)
        ToSjis(value);
    return XmlToBytes(document);
}

TExchangeRecipe ReadExchangeFile(const QByteArray& bytes) {
    // A stream reader keeps a text of blanks only, which the DOM would drop.
    QXmlStreamReader reader(DecodeXmlBytes(bytes));
    TExchangeRecipe recipe;
    recipe.Status = QStringList(ExchangeStatusKeys().size(), QString());
    QString picture;
    QSet<QString> seen;
    int depth = 0;
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::EndElement) {
            --depth;
            continue;
        }
        if (token != QXmlStreamReader::StartElement)
            continue;
        ++depth;
        if (depth != 2)
            continue;
        const QString name = reader.name().toString();
        // The first child of a name counts, as a lookup by name finds it.
        const bool first = !seen.contains(name);
        seen.insert(name);
        if (name == StatusName) {
            QSet<QString> seenKeys;
            while (reader.readNextStartElement()) {
                const QString key = reader.name().toString();
                const QString value = ElementText(reader);
                const qsizetype index = ExchangeStatusKeys().indexOf(key);
                if (first && index >= 0 && !seenKeys.contains(key))
                    recipe.Status[index] = value;
                seenKeys.insert(key);
            }
        } else {
            const QString text = ElementText(reader);
            if (first && name == MaterialName)
                recipe.Material = DecodeTextCodes(text);
            else if (first && name == MethodName)
                recipe.Method = DecodeTextCodes(text);
            else if (first && name == CommentName)
                recipe.Comment = DecodeTextCodes(text);
            else if (first && name == PictureName)
                picture = text;
        }
        --depth;  // the element was read to its end
    }
    if (reader.hasError())
        throw TSaporiaError(QStringLiteral("XMLとして読めません (%1行 %2桁): %3")
                                .arg(reader.lineNumber())
                                .arg(reader.columnNumber())
                                .arg(reader.errorString()));
    for (qsizetype i = 0; i < recipe.Status.size(); ++i) {
        if (recipe.Status[i].contains(QLatin1Char('\r')) || recipe.Status[i].contains(QLatin1Char('\n')))
            throw TSaporiaError(QStringLiteral("%1 の値に改行が含まれています").arg(ExchangeStatusKeys()[i]));
    }
    if (!Trim(picture).isEmpty()) {
        if (!Base64DecodeBuffer(picture, recipe.Picture))
            throw TSaporiaError(QStringLiteral("写真のデータ (Base64) が壊れています"));
        if (!LooksLikeJpeg(recipe.Picture))
            throw TSaporiaError(QStringLiteral("写真がJPEG画像ではありません"));
        JpegSize(recipe.Picture);  // throws for a broken header or a picture too large
    }
    return recipe;
}

QString ExchangeFilePath(const QString& chosen) {
    const QString fileName = QFileInfo(chosen).fileName();
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    const QString extension = dot < 0 ? QString() : fileName.mid(dot);
    return extension == ExchangeExtension ? chosen : chosen + ExchangeExtension;
}

QString RecipeNameOfExchangeFile(const QString& path) {
    QString name = QFileInfo(path).fileName();
    const qsizetype at = name.indexOf(ExchangeExtension);
    if (at >= 0)
        name.remove(at, ExchangeExtension.size());
    return name;
}

TImportedRecipe ImportedRecipeOf(const QString& name, const TExchangeRecipe& recipe, int iconCount) {
    TImportedRecipe imported;
    imported.Name = name;
    imported.Foodstuff = recipe.Material;
    imported.How = recipe.Method;
    imported.Comment = recipe.Comment;
    imported.Photo = recipe.Picture;
    for (qsizetype i = 0; i < ExchangeStatusKeys().size(); ++i) {
        QString value = recipe.Status.value(i);
        if (ExchangeStatusKeys()[i] == StatusKey::Icon) {
            bool ok = false;
            const int icon = value.toInt(&ok);
            // An index into another copy's own icons may mean nothing here.
            if (!ok || icon < 0 || icon >= iconCount)
                value.clear();
        }
        imported.Status.SetValue(ExchangeStatusKeys()[i], value);
    }
    return imported;
}

TExchangeRecipe LoadExchangeFile(const QString& path) {
    if (QFileInfo(path).size() > MaxExchangeFileBytes)
        throw TSaporiaError(QStringLiteral("ファイルが大きすぎます: ") + path);
    return ReadExchangeFile(ReadFileBytes(path));
}

TCookItem ImportExchangeFile(const QString& dataRoot, const QString& path, int iconCount) {
    const QString name = RecipeNameOfExchangeFile(path);
    const QString problem = ImportNameProblem(dataRoot, name);
    if (!problem.isEmpty())
        throw TSaporiaError(problem);
    return WriteImportedRecipe(dataRoot, ImportedRecipeOf(name, LoadExchangeFile(path), iconCount));
}
