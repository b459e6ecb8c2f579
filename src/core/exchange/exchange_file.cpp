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

const QByteArray EmptyPicture = QByteArrayLiteral("<Picture/>");
const QByteArray PictureOpen = QByteArrayLiteral("<Picture>");
const QByteArray PictureClose = QByteArrayLiteral("</Picture>");
// Our own files start so; only then is the photo looked for in the bytes.
const QByteArray OwnDeclaration = QByteArrayLiteral("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>");

QString Coded(const QString& paneText) { return EncodeTextCodes(ToCrLf(paneText)); }

// The text of one element, children's text included; the reader stands on
// its start and ends on its end.
QString ElementText(QXmlStreamReader& reader) {
    return reader.readElementText(QXmlStreamReader::IncludeChildElements);
}

// The file's text for the parser. In a file of our own the photo is one run
// of Base64 right after the first "<Picture>": that run stays bytes and only
// the rest is decoded ("<" and ">" are never part of a two-byte CP932
// character, so the two sides decode as they would whole). The parse then
// checks that the run was the first Picture of the root.
struct TExchangeText {
    QString Text;
    qsizetype PictureAt = -1;  // offset in Text just after the "<Picture>" of the run; -1: no run
    QByteArrayView PictureRun;
};

TExchangeText WholeText(const QByteArray& bytes) {
    TExchangeText text;
    text.Text = DecodeXmlBytes(bytes);
    return text;
}

TExchangeText SplitExchangeText(const QByteArray& bytes) {
    const qsizetype open = bytes.startsWith(OwnDeclaration) ? bytes.indexOf(PictureOpen) : -1;
    if (open < 0)
        return WholeText(bytes);
    const qsizetype begin = open + PictureOpen.size();
    const char* end = bytes.cbegin() + begin + Base64TextLength(QByteArrayView(bytes).sliced(begin));
    if (!QByteArrayView(end, bytes.cend()).startsWith(PictureClose))
        return WholeText(bytes);
    TExchangeText text;
    text.Text = FromSjis(bytes.constData(), begin);
    text.PictureAt = text.Text.size();
    text.Text += FromSjis(end, bytes.cend() - end);
    text.PictureRun = QByteArrayView(bytes.cbegin() + begin, end);
    return text;
}

struct TParsedExchange {
    TExchangeRecipe Recipe;
    QString PictureText;
    bool PictureInRun = false;  // the first Picture is the run cut out of the text
    QString XmlError;
};

TParsedExchange ParseExchangeText(const TExchangeText& text) {
    // A stream reader keeps a text of blanks only, which the DOM would drop.
    QXmlStreamReader reader(text.Text);
    TParsedExchange parsed;
    TExchangeRecipe& recipe = parsed.Recipe;
    recipe.Status = QStringList(ExchangeStatusKeys().size(), QString());
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
            const bool atRun = first && name == PictureName && reader.characterOffset() == text.PictureAt;
            const QString elementText = ElementText(reader);
            if (first && name == MaterialName)
                recipe.Material = DecodeTextCodes(elementText);
            else if (first && name == MethodName)
                recipe.Method = DecodeTextCodes(elementText);
            else if (first && name == CommentName)
                recipe.Comment = DecodeTextCodes(elementText);
            else if (first && name == PictureName)
                parsed.PictureText = elementText, parsed.PictureInRun = atRun;
        }
        --depth;  // the element was read to its end
    }
    if (reader.hasError())
        parsed.XmlError = QStringLiteral("XMLとして読めません (%1行 %2桁): %3")
                              .arg(reader.lineNumber())
                              .arg(reader.columnNumber())
                              .arg(reader.errorString());
    return parsed;
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
    SetChildText(root, PictureName, QString());
    SetChildText(root, CommentName, Coded(recipe.Comment));
    // The texts must arrive as they are: no character reference stands in
    // for one CP932 cannot hold.
    for (const QString& text : {recipe.Material, recipe.Method, recipe.Comment})
        ToSjis(text);
    for (const QString& value : recipe.Status)
        ToSjis(value);
    const QByteArray texts = XmlToBytes(document);
    if (recipe.Picture.isEmpty())
        return texts;
    // Base64 needs neither escaping nor conversion: its bytes go where the
    // empty element stands. No text can hold a raw "<", so the first one is it.
    const qsizetype at = texts.indexOf(EmptyPicture);
    QByteArray file;
    file.reserve(texts.size() + Base64EncodedSize(recipe.Picture.size()) + PictureOpen.size() + PictureClose.size());
    file.append(QByteArrayView(texts).first(at)).append(PictureOpen);
    Base64Append(recipe.Picture, file);
    file.append(PictureClose).append(QByteArrayView(texts).sliced(at + EmptyPicture.size()));
    return file;
}

TExchangeRecipe ReadExchangeFile(const QByteArray& bytes) {
    TExchangeText text = SplitExchangeText(bytes);
    TParsedExchange parsed = ParseExchangeText(text);
    // The run was not the photo (it stood in a comment, another element, a
    // text), or an error message must count its characters: read it whole.
    if (text.PictureAt >= 0 && (!parsed.PictureInRun || !parsed.XmlError.isEmpty()))
        parsed = ParseExchangeText(text = WholeText(bytes));
    if (!parsed.XmlError.isEmpty())
        throw TSaporiaError(parsed.XmlError);
    TExchangeRecipe& recipe = parsed.Recipe;
    for (qsizetype i = 0; i < recipe.Status.size(); ++i) {
        if (recipe.Status[i].contains(QLatin1Char('\r')) || recipe.Status[i].contains(QLatin1Char('\n')))
            throw TSaporiaError(QStringLiteral("%1 の値に改行が含まれています").arg(ExchangeStatusKeys()[i]));
    }
    const bool hasPicture =
        parsed.PictureInRun ? !text.PictureRun.trimmed().isEmpty() : !Trim(parsed.PictureText).isEmpty();
    if (hasPicture) {
        const bool decoded = parsed.PictureInRun ? Base64DecodeBuffer(text.PictureRun, recipe.Picture)
                                                 : Base64DecodeBuffer(parsed.PictureText, recipe.Picture);
        if (!decoded)
            throw TSaporiaError(QStringLiteral("写真のデータ (Base64) が壊れています"));
        if (!LooksLikeJpeg(recipe.Picture))
            throw TSaporiaError(QStringLiteral("写真がJPEG画像ではありません"));
        JpegSize(recipe.Picture);  // throws for a broken header or a picture too large
    }
    return std::move(recipe);
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
