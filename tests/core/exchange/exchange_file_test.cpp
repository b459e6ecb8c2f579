#include "core/exchange/exchange_file.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "core/platform/saporia_error.h"
#include "core/platform/sjis.h"
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
