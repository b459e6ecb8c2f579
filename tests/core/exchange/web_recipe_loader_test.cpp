#include "core/exchange/web_recipe_loader.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include "core/exchange/web_recipe.h"
#include "core/platform/saporia_error.h"
#include "core/platform/sjis.h"
#include "support/loopback_http_server.h"
#include "support/recipe_fixture.h"

namespace {

QByteArray FixtureUtf8(const char* name) {
    QFile file(QStringLiteral(SAPORIA_SOURCE_DIR "/tests/core/exchange/data/") + QLatin1String(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return file.readAll();
}

TWebRecipeLoad Load(TWebRecipeLoader& loader, const QString& address) {
    QSignalSpy spy(&loader, &TWebRecipeLoader::Finished);
    loader.Start(address);
    EXPECT_TRUE(spy.wait(10000)) << address.toStdString();
    EXPECT_EQ(spy.count(), 1);
    return spy.isEmpty() ? TWebRecipeLoad() : spy.first().first().value<TWebRecipeLoad>();
}

}  // namespace

TEST(WebRecipeLoader, PagesPhotosAndFailures) {
    qRegisterMetaType<TWebRecipeLoad>();
    const QByteArray photo = SmallJpeg(40, 30);
    const QByteArray sjisPage = ToSjis(QString::fromUtf8(FixtureUtf8("recipe_browser_form.html")));
    QByteArray missingPhoto = FixtureUtf8("recipe_plain_form.html");
    missingPhoto.replace("/photos/nikujaga.jpg", "/photos/none.jpg");
    QByteArray notPicture = missingPhoto;
    notPicture.replace("/photos/none.jpg", "/photos/text.jpg");
    QByteArray foreignPhoto = missingPhoto;
    foreignPhoto.replace("/photos/none.jpg", "file:///etc/passwd");

    TLoopbackHttpServer server;
    server.Route("/sjis", TLoopbackRoute::Page(sjisPage, "text/html; charset=Shift_JIS"));
    server.Route("/utf8", TLoopbackRoute::Page(FixtureUtf8("recipe_plain_form.html"), "text/html"));
    server.Route("/photos/nikujaga.jpg", TLoopbackRoute::Page(photo, "image/jpeg"));
    server.Route("/photos/text.jpg", TLoopbackRoute::Page("hello", "image/jpeg"));
    server.Route("/missing-photo", TLoopbackRoute::Page(missingPhoto, "text/html; charset=utf-8"));
    server.Route("/not-picture", TLoopbackRoute::Page(notPicture, "text/html; charset=utf-8"));
    server.Route("/foreign-photo", TLoopbackRoute::Page(foreignPhoto, "text/html; charset=utf-8"));
    server.Route("/moved", TLoopbackRoute::Redirect("/recipe/utf8"));
    server.Route("/recipe/utf8", TLoopbackRoute::Page(FixtureUtf8("recipe_plain_form.html"), "text/html"));
    server.Route("/silent", TLoopbackRoute::Silent());
    server.Route("/huge", TLoopbackRoute::Page(QByteArray(6 * 1024 * 1024, 'x')));

    const struct {
        const char* Path;
        bool Ok;
        QString Title;
        bool Photo;
    } rows[] = {
        {"/sjis", true, QStringLiteral("肉じゃが"), true},
        {"/utf8", true, QStringLiteral("肉じゃが"), true},
        {"/moved", true, QStringLiteral("肉じゃが"), true},  // the photo resolved against the final page
        {"/missing-photo", true, QStringLiteral("肉じゃが"), false},
        {"/foreign-photo", true, QStringLiteral("肉じゃが"), false},
        {"/not-picture", false, QString(), false},
        {"/silent", false, QString(), false},
        {"/huge", false, QString(), false},
        {"/nowhere", false, QString(), false},
    };
    TWebRecipeLoader loader;
    loader.SetOptions({1500, 5LL * 1024 * 1024, 5});
    for (const auto& row : rows) {
        const TWebRecipeLoad result = Load(loader, server.Url(row.Path).toString());
        EXPECT_EQ(result.Ok, row.Ok) << row.Path << " " << result.Error.toStdString();
        EXPECT_EQ(result.Ok, result.Error.isEmpty()) << row.Path;
        EXPECT_FALSE(loader.Running()) << row.Path;
        if (!row.Ok)
            continue;
        EXPECT_EQ(result.Page.Title, row.Title) << row.Path;
        EXPECT_EQ(result.Page.Amount, QStringLiteral("2人分")) << row.Path;
        EXPECT_EQ(result.Page.Steps.size(), 5) << row.Path;
        EXPECT_EQ(result.PhotoJpeg, row.Photo ? photo : QByteArray()) << row.Path;
        EXPECT_EQ(result.Photo.isNull() ? QSize() : result.Photo.size(), row.Photo ? QSize(40, 30) : QSize()) << row.Path;
    }
    EXPECT_EQ(server.Requests("/photos/none.jpg"), 1);
    const TWebRecipeLoad notHttp = Load(loader, QStringLiteral("file:///etc/passwd"));
    EXPECT_FALSE(notHttp.Ok);
}

TEST(WebRecipeLoader, RegistrationStaysInsideTheDataFolder) {
    QTemporaryDir dir;
    const QString root = dir.path() + QStringLiteral("/Cook");
    QDir().mkpath(root);
    const QString today = QStringLiteral("2024/05/06");
    TWebRecipe good{QStringLiteral("肉じゃが"), QStringLiteral("2人分"), {QStringLiteral("（2人分）"), QStringLiteral("●牛肉 … 200g")},
                    {QStringLiteral("1.切る"), QStringLiteral("2.煮る")}, SmallJpeg()};
    RegisterWebRecipe(root, good, today);
    const QString folder = root + QStringLiteral("/肉じゃが/");
    EXPECT_EQ(ReadRaw(folder + QStringLiteral("材料.txt")), ToSjis(QStringLiteral("（2人分）\r\n●牛肉 … 200g\r\n")));
    EXPECT_EQ(ReadRaw(folder + QStringLiteral("方法.txt")), ToSjis(QStringLiteral("1.切る\r\n2.煮る\r\n")));
    EXPECT_EQ(ReadRaw(folder + QStringLiteral("Status.txt")), ToSjis(QStringLiteral("Amount=2人分\r\nDate=2024/05/06\r\n")));
    EXPECT_EQ(ReadRaw(folder + QStringLiteral("写真.jpg")), SmallJpeg());
    EXPECT_FALSE(QFile::exists(folder + QStringLiteral("コメント.txt")));

    const QMap<QString, QByteArray> before = FolderSnapshot(dir.path());
    for (const char* title : {"../evil", "a/b", "", "  ", "..", "a:b", "肉じゃが"}) {
        TWebRecipe bad = good;
        bad.Title = QString::fromUtf8(title);
        bad.Amount = QStringLiteral("1\r\nIcon=3");
        EXPECT_THROW(RegisterWebRecipe(root, bad, today), TSaporiaError) << title;
    }
    EXPECT_EQ(FolderSnapshot(dir.path()), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{QStringLiteral("Cook")});

    // A value never adds lines to the attribute file.
    good.Title = QStringLiteral("鍋");
    good.Amount = QStringLiteral("1\r\nIcon=3");
    RegisterWebRecipe(root, good, today);
    EXPECT_FALSE(FromSjis(ReadRaw(root + QStringLiteral("/鍋/Status.txt"))).contains(QStringLiteral("\nIcon")));
}

TEST(WebRecipeLoader, PageTitledEvilWritesNothingOutside) {
    QTemporaryDir dir;
    const QString root = dir.path() + QStringLiteral("/Cook");
    QDir().mkpath(root);
    QByteArray page = FixtureUtf8("recipe_plain_form.html");
    page.replace("肉じゃが\n", "../evil\n");
    TLoopbackHttpServer server;
    server.Route("/evil", TLoopbackRoute::Page(page, "text/html; charset=utf-8"));
    server.Route("/photos/nikujaga.jpg", TLoopbackRoute::Page(SmallJpeg(), "image/jpeg"));
    TWebRecipeLoader loader;
    const TWebRecipeLoad result = Load(loader, server.Url("/evil").toString());
    ASSERT_TRUE(result.Ok) << result.Error.toStdString();
    EXPECT_EQ(result.Page.Title, QStringLiteral("../evil"));
    const TWebRecipe recipe{result.Page.Title, result.Page.Amount, result.Page.Ingredients, result.Page.Steps,
                            result.PhotoJpeg};
    EXPECT_THROW(RegisterWebRecipe(root, recipe, QStringLiteral("2024/01/01")), TSaporiaError);
    EXPECT_TRUE(FolderSnapshot(dir.path()).isEmpty());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{QStringLiteral("Cook")});
}

TEST(WebRecipeLoader, ImportLoopRunsUntilRegisterOrCancel) {
    const struct {
        QList<int> Answers;
        int Runs;
        int Reloads;
    } rows[] = {
        {{6, 6, 1}, 3, 1}, {{1}, 1, 1}, {{2}, 1, 0}, {{6, 2}, 2, 0}, {{6, 0}, 2, 0},
    };
    for (const auto& row : rows) {
        int asked = 0;
        int reloads = 0;
        const int runs = RunWebImportLoop([&] { return row.Answers.value(asked++, 2); }, [&] { ++reloads; });
        EXPECT_EQ(runs, row.Runs);
        EXPECT_EQ(asked, row.Runs);
        EXPECT_EQ(reloads, row.Reloads);
    }
}

TEST(WebRecipeLoader, PhotoAddresses) {
    const QUrl page(QStringLiteral("https://example.org/recipe/1"));
    const struct {
        const char* Found;
        const char* Address;
    } rows[] = {
        {"/p/a.jpg", "https://example.org/p/a.jpg"}, {"a.jpg", "https://example.org/recipe/a.jpg"},
        {"http://img.example.org/a.jpg", "http://img.example.org/a.jpg"}, {"//cdn.example.org/a.jpg", "https://cdn.example.org/a.jpg"},
        {"file:///etc/passwd", ""}, {"javascript:alert(1)", ""}, {"", ""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(PhotoAddress(QString::fromUtf8(row.Found), page).toString(), QString::fromUtf8(row.Address)) << row.Found;
}
