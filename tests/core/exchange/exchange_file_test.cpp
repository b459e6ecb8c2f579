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
    TExchangeDirs() { QDir().mkpath(Mail); QDir().mkpath(Root); }
};

// Exports the recipe folder `name` as a user would see it in the panes.
QString Export(const TExchangeDirs& dirs, const QString& name, const QString& chosen, const TCookItem& item) {
    const QString folder = dirs.Root + QLatin1Char('/') + name;
    const TRecipeContent content = ReadRecipeFolder(folder);
    const TExchangeRecipe recipe =
        ExchangeRecipeOf(item, content.Foodstuff, content.How, content.Comment, content.Photo);
    const QString path = ExchangeFilePath(dirs.Mail + QLatin1Char('/') + chosen);
    WriteRaw(path, WriteExchangeFile(recipe));
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

QByteArray Rpk(const QString& body) {
    return "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n" + ToSjis(body);
}

}  // namespace

TEST(ExchangeFile, ExportDeleteImportGivesTheSameFiles) {
    // A photo of 1.2 MB: a real picture with data after its end, as some
    // cameras write.
    const QByteArray photo = SmallJpeg(40, 30) + QByteArray(1200 * 1024, '\x5A');
    const struct {
        const char* Name;
        QString Foodstuff;
        QString Comment;
        bool Photo;
    } rows[] = {
        {"肉じゃが", QStringLiteral("じゃがいも\t3個\n牛肉 & 玉ねぎ <大>\n[下味] 50%*"), QStringLiteral("甘め"), true},
        {"blanks", QStringLiteral("   "), QStringLiteral(" \t "), false},
    };
    for (const auto& row : rows) {
        TExchangeDirs dirs;
        const QString name = QString::fromUtf8(row.Name);
        MakeRecipe(dirs.Root, {.Name = name, .Foodstuff = row.Foodstuff, .How = QStringLiteral("煮る\n\n20分"),
                               .Comment = row.Comment,
                               .StatusLines = QStringList{"Icon=3", "Kind=主菜", "Amount=2人分", "Date=2024/05/01",
                                                          "Salt=1.5"}});
        if (row.Photo)
            WriteRaw(dirs.Root + QLatin1Char('/') + name + QStringLiteral("/写真.jpg"), photo);
        const QMap<QString, QByteArray> before = FolderSnapshot(dirs.Root + QLatin1Char('/') + name);
        TCookItem item;
        item.Name = name;
        item.Icon = 3;
        item.Kind = QStringLiteral("主菜");
        item.Amount = QStringLiteral("2人分");
        item.Date = QStringLiteral("2024/05/01");
        item.Salt = QStringLiteral("1.5");
        const QString path = Export(dirs, name, name, item);
        ASSERT_TRUE(QDir(dirs.Root + QLatin1Char('/') + name).removeRecursively());

        const TCookItem imported = ImportExchangeFile(dirs.Root, path, 40);
        EXPECT_EQ(FolderSnapshot(dirs.Root + QLatin1Char('/') + name), before) << row.Name;
        EXPECT_EQ(imported.Name, name);
        EXPECT_EQ(imported.Icon, 3);
        EXPECT_EQ(imported.PhotoMark, row.Photo ? PhotoMarkPresent : PhotoMarkAbsent);
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
    const struct {
        const char* Chosen;
        const char* Saved;
    } saves[] = {{"/m/curry", "/m/curry.rpk"},
                 {"/m/curry.txt", "/m/curry.txt.rpk"},
                 {"/m/curry.RPK", "/m/curry.RPK.rpk"},
                 {"/m/curry.rpk", "/m/curry.rpk"},
                 {"/m.rpk/curry", "/m.rpk/curry.rpk"}};
    for (const auto& row : saves)
        EXPECT_EQ(ExchangeFilePath(QString::fromUtf8(row.Chosen)), QString::fromUtf8(row.Saved)) << row.Chosen;
    const struct {
        const char* Path;
        const char* Name;
    } names[] = {{"/m/curry.rpk", "curry"},
                 {"/m/a.rpk.rpk", "a.rpk"},
                 {"/m/a.RPK", "a.RPK"},
                 {"/m/curry.txt.rpk", "curry.txt"},
                 {"/x.rpk/b.rpk", "b"}};
    for (const auto& row : names)
        EXPECT_EQ(RecipeNameOfExchangeFile(QString::fromUtf8(row.Path)), QString::fromUtf8(row.Name)) << row.Path;
}

TEST(ExchangeFile, CurryTxtExportsAndImportsUnderItsName) {
    TExchangeDirs dirs;
    MakeRecipe(dirs.Root, {.Name = QStringLiteral("curry.txt")});
    TCookItem item;
    item.Name = QStringLiteral("curry.txt");
    const QString path = Export(dirs, item.Name, item.Name, item);
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
    const QByteArray jpegText = SmallJpeg().toBase64();
    const struct {
        const char* FileName;
        QByteArray Bytes;
        const char* Problem;  // part of the message
    } rows[] = {
        {"broken.rpk", Rpk(QStringLiteral("<root><Status><Kind>a</Status></root>")), "XML"},
        {"empty.rpk", QByteArray(), "XML"},
        {"base64.rpk", Rpk(QStringLiteral("<root><Picture>@@@@</Picture></root>")), "Base64"},
        {"cut.rpk", Rpk(QStringLiteral("<root><Picture>") + QString::fromLatin1(jpegText.left(jpegText.size() - 3)) +
                        QStringLiteral("</Picture></root>")),
         "Base64"},
        {"text.rpk", Rpk(QStringLiteral("<root><Picture>aGVsbG8gd29ybGQ=</Picture></root>")), "JPEG"},
        {"header.rpk", Rpk(QStringLiteral("<root><Picture>/9j/AAAAAAAA</Picture></root>")), ""},
        {"inject.rpk", Rpk(QStringLiteral("<root><Status><Kind>主菜&#13;&#10;ImageFileName=x</Kind></Status></root>")),
         "改行"},
        {"inject2.rpk", Rpk(QStringLiteral("<root><Status><Date>2024\nIcon=1</Date></Status></root>")), "改行"},
        {".rpk", Rpk(good), "レシピ名"},
        {"..rpk", Rpk(good), "レシピ名"},
        {"a:b.rpk", Rpk(good), "レシピ名"},
        {"a\\b.rpk", Rpk(good), "レシピ名"},
    };
    for (const auto& row : rows) {
        TExchangeDirs dirs;
        const QString path = dirs.Mail + QLatin1Char('/') + QString::fromUtf8(row.FileName);
        WriteRaw(path, row.Bytes);
        const QString error = ImportError(dirs.Root, path);
        EXPECT_FALSE(error.isEmpty()) << row.FileName;
        EXPECT_TRUE(error.contains(QString::fromUtf8(row.Problem))) << row.FileName << " " << error.toStdString();
        EXPECT_TRUE(FolderSnapshot(dirs.Root).isEmpty()) << row.FileName;
        EXPECT_TRUE(QDir(dirs.Root).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty())
            << row.FileName;
    }
}

TEST(ExchangeFile, IconsAndStatusLinesOnImport) {
    const struct {
        const char* Status;
        QStringList Lines;
        int Icon;
    } rows[] = {
        {"<Icon>5</Icon><Kind>主菜</Kind>", {"Icon=5", "Kind=主菜"}, 5},
        {"<Icon>-1</Icon><Kind>主菜</Kind>", {"Kind=主菜"}, -1},
        {"<Icon>40</Icon>", {}, -1},
        {"<Icon>x</Icon><Salt>2</Salt><Date>2024/01/02</Date>", {"Date=2024/01/02", "Salt=2"}, -1},
        // Another root name and the keys in another order: read by name.
        {"<Salt>1</Salt><Amount>4</Amount><Other>z</Other>", {"Amount=4", "Salt=1"}, -1},
    };
    for (const auto& row : rows) {
        TExchangeDirs dirs;
        const QString path = dirs.Mail + QStringLiteral("/r.rpk");
        WriteRaw(path, Rpk(QStringLiteral("<recipe><Status>") + QString::fromUtf8(row.Status) +
                           QStringLiteral("</Status></recipe>")));
        const TCookItem item = ImportExchangeFile(dirs.Root, path, 40);
        EXPECT_EQ(item.Icon, row.Icon) << row.Status;
        EXPECT_EQ(ReadRaw(dirs.Root + QStringLiteral("/r/Status.txt")),
                  ToSjis(row.Lines.isEmpty() ? QString() : row.Lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")))
            << row.Status;
        EXPECT_EQ(ReadRaw(dirs.Root + QStringLiteral("/r/材料.txt")), QByteArray()) << row.Status;
    }
}
