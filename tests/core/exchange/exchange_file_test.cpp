#include "core/exchange/exchange_file.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "core/platform/saporia_error.h"
#include "core/platform/sjis.h"
#include "core/platform/text_codes.h"
#include "core/platform/xml_dom.h"
#include "core/recipes/recipe_folder.h"
#include "support/recipe_fixture.h"

namespace {

struct TExchangeDirs {
    QTemporaryDir Dir;
    QString Root = Dir.path() + QStringLiteral("/Cook");
    QString Mail = Dir.path() + QStringLiteral("/mail");
    TExchangeDirs() { QDir().mkpath(Mail), QDir().mkpath(Root); }
};

// Exports the recipe folder of `item` as a user would see it in the panes.
QString Export(const TExchangeDirs& dirs, const TCookItem& item) {
    const TRecipeContent content = ReadRecipeFolder(dirs.Root + QLatin1Char('/') + item.Name);
    const QString path = ExchangeFilePath(dirs.Mail + QLatin1Char('/') + item.Name);
    WriteRaw(path, WriteExchangeFile(
                       ExchangeRecipeOf(item, content.Foodstuff, content.How, content.Comment, content.Photo)));
    return path;
}

QString ImportError(const QString& root, const QString& path) {
    try {
        ImportExchangeFile(root, path, 40);
    } catch (const TSaporiaError& error) {
        return error.message();
    }
    return {};
}

QByteArray Rpk(const QString& body) { return "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n" + ToSjis(body); }

// The file as the document writer gives it with the photo's text in the
// document, through the text conversion like every other text.
QByteArray WholeDocumentFile(const TExchangeRecipe& recipe) {
    QDomDocument document = NewXmlDocument(QStringLiteral("root"));
    QDomElement root = document.documentElement();
    QDomElement status = ChildElement(root, QStringLiteral("Status"));
    for (qsizetype i = 0; i < ExchangeStatusKeys().size(); ++i)
        SetChildText(status, ExchangeStatusKeys()[i], recipe.Status.value(i));
    SetChildText(root, QStringLiteral("Material"), EncodeTextCodes(ToCrLf(recipe.Material)));
    SetChildText(root, QStringLiteral("Method"), EncodeTextCodes(ToCrLf(recipe.Method)));
    SetChildText(root, QStringLiteral("Picture"), QString::fromLatin1(recipe.Picture.toBase64()));
    SetChildText(root, QStringLiteral("Comment"), EncodeTextCodes(ToCrLf(recipe.Comment)));
    for (const QString& text : {recipe.Material, recipe.Method, recipe.Comment})
        ToSjis(text);
    for (const QString& value : recipe.Status)
        ToSjis(value);
    return XmlToBytes(document);
}

// What reading a file gives, as one comparable text.
std::string ReadOutcome(const QByteArray& bytes) {
    try {
        const TExchangeRecipe r = ReadExchangeFile(bytes);
        return (r.Status.join(u'|') + u'#' + r.Material + u'#' + r.Method + u'#' + r.Comment + u'#' +
                QString::fromLatin1(r.Picture.toBase64()))
            .toStdString();
    } catch (const TSaporiaError& error) {
        return "error: " + error.message().toStdString();
    }
}

QByteArray EveryByteValue() {
    QByteArray bytes;
    for (int i = 0; i < 3 * 256; ++i)
        bytes.append(char(i % 256));
    return bytes;
}

QByteArray LargePhoto(qsizetype size) {
    QByteArray photo = SmallJpeg(64, 48);
    for (quint32 x = 12345; photo.size() < size;)
        photo.append(char((x = x * 1103515245 + 12345) >> 24));
    return photo;
}

}  // namespace

TEST(ExchangeFile, ExportDeleteImportGivesTheSameFiles) {
    // 1.2 MB: a real picture with data after its end, as some cameras write.
    const QByteArray photo = SmallJpeg(40, 30) + QByteArray(1200 * 1024, '\x5A');
    const std::vector<std::tuple<QString, QString, QString, bool>> rows{
        {"肉じゃが", "じゃがいも\t3個\n牛肉 & 玉ねぎ <大>\n[下味] 50%*", "甘め", true},
        {"blanks", "   ", " \t ", false},
    };
    for (const auto& [name, foodstuff, comment, hasPhoto] : rows) {
        SCOPED_TRACE(name.toStdString());
        TExchangeDirs dirs;
        const QString folder = MakeRecipe(dirs.Root, {.Name = name, .Foodstuff = foodstuff, .How = "煮る\n\n20分",
                                                      .Comment = comment,
                                                      .StatusLines = QStringList{"Icon=3", "Kind=主菜", "Amount=2人分",
                                                                                "Date=2024/05/01", "Salt=1.5"}});
        if (hasPhoto)
            WriteRaw(folder + QStringLiteral("/写真.jpg"), photo);
        const QMap<QString, QByteArray> before = FolderSnapshot(folder);
        TCookItem item;
        item.Name = name, item.Icon = 3, item.Kind = "主菜", item.Amount = "2人分", item.Date = "2024/05/01";
        item.Salt = "1.5";
        const QString path = Export(dirs, item);
        ASSERT_TRUE(QDir(folder).removeRecursively());
        const TCookItem imported = ImportExchangeFile(dirs.Root, path, 40);
        EXPECT_EQ(FolderSnapshot(folder), before);
        EXPECT_EQ(imported.Name, name);
        EXPECT_EQ(imported.Icon, 3);
        EXPECT_EQ(imported.PhotoMark, hasPhoto ? PhotoMarkPresent : PhotoMarkAbsent);
    }
}

TEST(ExchangeFile, TextsAreCodedAndAMissingPhotoIsAnEmptyPicture) {
    TExchangeRecipe recipe;
    recipe.Status = QStringList(9, QString());
    recipe.Material = QStringLiteral("a\tb&c<d[e\r\nf\ng");
    const QString file = FromSjis(WriteExchangeFile(recipe));
    EXPECT_TRUE(file.startsWith(QStringLiteral("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>")));
    EXPECT_TRUE(file.contains(QStringLiteral("<Material>a@#09;b@#38;c@#60;d@#91;e@#13;@#10;f@#13;@#10;g</Material>")))
        << file.toStdString();
    EXPECT_TRUE(file.contains(QStringLiteral("<Picture/>")) || file.contains(QStringLiteral("<Picture></Picture>")));
    const TExchangeRecipe back = ReadExchangeFile(ToSjis(file));
    EXPECT_EQ(back.Material, QStringLiteral("a\tb&c<d[e\r\nf\r\ng"));
    EXPECT_TRUE(back.Picture.isEmpty());
}

TEST(ExchangeFile, FileNamesAndRecipeNames) {
    const std::vector<std::pair<QString, QString>> saves{{"/m/curry", "/m/curry.rpk"},
        {"/m/curry.txt", "/m/curry.txt.rpk"}, {"/m/curry.RPK", "/m/curry.RPK.rpk"}, {"/m/curry.rpk", "/m/curry.rpk"},
        {"/m.rpk/curry", "/m.rpk/curry.rpk"}};
    for (const auto& [chosen, saved] : saves)
        EXPECT_EQ(ExchangeFilePath(chosen), saved);
    const std::vector<std::pair<QString, QString>> names{
        {"/m/a.rpk.rpk", "a.rpk"}, {"/m/a.RPK", "a.RPK"}, {"/m/curry.txt.rpk", "curry.txt"}, {"/x.rpk/b.rpk", "b"}};
    for (const auto& [path, name] : names)
        EXPECT_EQ(RecipeNameOfExchangeFile(path), name);
}

TEST(ExchangeFile, CurryTxtExportsAndImportsUnderItsNameOnce) {
    TExchangeDirs dirs;
    MakeRecipe(dirs.Root, {.Name = QStringLiteral("curry.txt")});
    TCookItem item;
    item.Name = QStringLiteral("curry.txt");
    const QString path = Export(dirs, item);
    EXPECT_TRUE(path.endsWith(QStringLiteral("/curry.txt.rpk")));
    ASSERT_TRUE(QDir(dirs.Root + QStringLiteral("/curry.txt")).removeRecursively());
    EXPECT_EQ(ImportExchangeFile(dirs.Root, path, 40).Name, QStringLiteral("curry.txt"));
    // Twice: refused, the first import untouched.
    const QMap<QString, QByteArray> first = FolderSnapshot(dirs.Root);
    EXPECT_EQ(ImportError(dirs.Root, path), ImportExistsMessage);
    EXPECT_EQ(FolderSnapshot(dirs.Root), first);
}

TEST(ExchangeFile, BadFilesWriteNothing) {
    const QString good = QStringLiteral("<root><Status><Kind>主菜</Kind></Status><Material>a</Material></root>");
    const QString jpeg = QString::fromLatin1(SmallJpeg().toBase64());
    auto picture = [](const QString& text) { return Rpk("<root><Picture>" + text + "</Picture></root>"); };
    // file name, contents, part of the message
    const std::vector<std::tuple<QString, QByteArray, QString>> rows{
        {"broken.rpk", Rpk("<root><Status><Kind>a</Status></root>"), "XML"},
        {"empty.rpk", QByteArray(), "XML"},
        {"base64.rpk", picture("@@@@"), "Base64"},
        {"cut.rpk", picture(jpeg.left(jpeg.size() - 3)), "Base64"},
        {"text.rpk", picture("aGVsbG8gd29ybGQ="), "JPEG"},
        {"header.rpk", picture("/9j/AAAAAAAA"), ""},
        {"inject.rpk", Rpk("<root><Status><Kind>主菜&#13;&#10;ImageFileName=x</Kind></Status></root>"), "改行"},
        {".rpk", Rpk(good), "レシピ名"},
        {"..rpk", Rpk(good), "レシピ名"},
        {"a\\b.rpk", Rpk(good), "レシピ名"},
    };
    for (const auto& [fileName, bytes, problem] : rows) {
        SCOPED_TRACE(fileName.toStdString());
        TExchangeDirs dirs;
        WriteRaw(dirs.Mail + QLatin1Char('/') + fileName, bytes);
        const QString error = ImportError(dirs.Root, dirs.Mail + QLatin1Char('/') + fileName);
        EXPECT_FALSE(error.isEmpty());
        EXPECT_TRUE(error.contains(problem)) << error.toStdString();
        EXPECT_TRUE(QDir(dirs.Root).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty());
    }
}

TEST(ExchangeFile, IconsAndStatusLinesOnImport) {
    const std::vector<std::tuple<QString, QStringList, int>> rows{
        {"<Icon>5</Icon><Kind>主菜</Kind>", {"Icon=5", "Kind=主菜"}, 5},
        {"<Icon>-1</Icon><Kind>主菜</Kind>", {"Kind=主菜"}, -1},
        {"<Icon>40</Icon>", {}, -1},
        {"<Icon>x</Icon><Salt>2</Salt><Date>2024/01/02</Date>", {"Date=2024/01/02", "Salt=2"}, -1},
        // Another root name and the keys in another order: read by name.
        {"<Salt>1</Salt><Amount>4</Amount><Other>z</Other>", {"Amount=4", "Salt=1"}, -1},
    };
    for (const auto& [status, lines, icon] : rows) {
        SCOPED_TRACE(status.toStdString());
        TExchangeDirs dirs;
        WriteRaw(dirs.Mail + QStringLiteral("/r.rpk"), Rpk("<recipe><Status>" + status + "</Status></recipe>"));
        EXPECT_EQ(ImportExchangeFile(dirs.Root, dirs.Mail + QStringLiteral("/r.rpk"), 40).Icon, icon);
        EXPECT_EQ(ReadRaw(dirs.Root + QStringLiteral("/r/Status.txt")), ToSjis(lines.isEmpty() ? QString() : lines.join("\r\n") + "\r\n"));
        EXPECT_EQ(ReadRaw(dirs.Root + QStringLiteral("/r/材料.txt")), QByteArray());
    }
}

TEST(ExchangeFile, WrittenBytesAreTheWholeDocumentsAndReadBack) {
    const QStringList status{"3", "主菜", "2人分 & <多め>", "", "\"300\" 'yen'", "", "2024/05/01", "g", "1.5"};
    const QString stray = QString(QChar(0xF7A0)) + QChar(0xF781) + u' ' + QChar(0xF7FD);
    struct TRow { const char* Name; QStringList Status; QString Text; QByteArray Photo; };
    const TRow rows[] = {
        {"empty", QStringList(9, QString()), QString(), QByteArray()},
        {"texts", status, "じゃがいも\t3個\n牛肉 & 玉ねぎ <大>\r\n[下味] 50%*", SmallJpeg()},
        {"stray bytes", status, "a" + stray + "\r\nb", SmallJpeg() + "x"},
        {"control character in a key", {"1", QString("a") + QChar(1) + "b"}, "t", SmallJpeg() + "xy"},
        {"every byte value", status, "t", SmallJpeg() + EveryByteValue()},
        {"every byte value + 1", status, "t", SmallJpeg() + EveryByteValue() + "\xFF"},
        {"large photo", status, "t", LargePhoto(5400 * 1024)},
        {"emoji", status, QStringLiteral("🍛"), SmallJpeg()},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        TExchangeRecipe recipe;
        recipe.Status = row.Status;
        recipe.Material = row.Text, recipe.Method = row.Text + u'm', recipe.Comment = u'c' + row.Text;
        recipe.Picture = row.Photo;
        std::optional<QByteArray> written;
        std::optional<QByteArray> whole;
        try {
            written = WriteExchangeFile(recipe);
        } catch (const TSaporiaError&) {
        }
        try {
            whole = WholeDocumentFile(recipe);
        } catch (const TSaporiaError&) {
        }
        ASSERT_EQ(written.has_value(), whole.has_value());
        EXPECT_EQ(written.has_value(), std::string(row.Name) != "emoji");  // refused, not referenced
        if (!written)
            continue;
        EXPECT_TRUE(*written == *whole) << written->size() << " " << whole->size();
        const TExchangeRecipe back = ReadExchangeFile(*written);
        EXPECT_EQ(back.Picture, recipe.Picture);
        EXPECT_EQ(back.Material + back.Method + back.Comment,
                  ToCrLf(recipe.Material + recipe.Method + recipe.Comment));
        if (row.Status == status) {
            EXPECT_EQ(back.Status, status);
        }
    }
}

// A file of our own has its photo read from the bytes; wherever the first
// "<Picture>" stands, the file reads as it does through the text.
TEST(ExchangeFile, PhotoReadFromTheBytesAsThroughTheText) {
    const QString jpeg = QString::fromLatin1(SmallJpeg().toBase64());
    const QString wrapped = jpeg.left(20) + "\r\n" + jpeg.mid(20, 30) + "\n " + jpeg.mid(50);
    const QString other = QString::fromLatin1((SmallJpeg(8, 8) + "z").toBase64());
    const QString bodies[] = {
        "<root><Material>m</Material><Picture>" + jpeg + "</Picture><Comment>c</Comment></root>",
        "<root><Picture>" + wrapped + "</Picture></root>",
        "<root><Picture> \r\n\t</Picture><Comment>c</Comment></root>",
        "<root><Picture>" + jpeg + "</Picture><Picture>" + other + "</Picture></root>",
        "<root><x><Picture>" + other + "</Picture></x><Picture>" + jpeg + "</Picture></root>",
        "<root><Status><Picture>" + other + "</Picture><Kind>k</Kind></Status><Picture>" + jpeg + "</Picture></root>",
        "<root><!-- <Picture>" + other + "</Picture> --><Picture>" + jpeg + "</Picture></root>",
        "<root><Material><![CDATA[<Picture>" + other + "</Picture>]]></Material><Picture>" + jpeg + "</Picture></root>",
        QStringLiteral("<root><Material>a") + QChar(0xF781) + "</Material><Picture>" + jpeg + "</Picture></root>",
        "<root><Picture>" + jpeg + "</Picture ></root>",
        "<root><Picture>" + jpeg.left(8) + "&#65;" + jpeg.mid(9) + "</Picture></root>",
        "<root><Picture>QUJD=QUJD</Picture></root>",
        "<root><Picture>aGVsbG8gd29ybGQ=</Picture></root>",
        "<root><Picture>" + jpeg + "</Picture><Comment>c</Commen></root>",
        "<root><Picture>" + jpeg + "</Picture><Comment>c</Comment></root><x/>",
    };
    for (const QString& body : bodies) {
        SCOPED_TRACE(body.left(120).toStdString());
        // The declaration in other letters is read whole through the text.
        const QByteArray own = Rpk(body);
        const QByteArray other = "<?xml version=\"1.0\" encoding=\"shift_jis\"?>\r\n" + ToSjis(body);
        EXPECT_EQ(ReadOutcome(own), ReadOutcome(other));
    }
}
