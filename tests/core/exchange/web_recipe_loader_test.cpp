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

QByteArray Fixture(const char* name) {
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

// The plain fixture page with one text replaced.
QByteArray PlainPage(const QByteArray& from, const QByteArray& to) {
    return Fixture("recipe_plain_form.html").replace(from, to);
}

}  // namespace

TEST(WebRecipeLoader, PagesPhotosAndFailures) {
    qRegisterMetaType<TWebRecipeLoad>();
    const QByteArray photo = SmallJpeg(40, 30);
    const QByteArray html = "text/html; charset=utf-8";
    TLoopbackHttpServer server;
    server.Route("/sjis", TLoopbackRoute::Page(ToSjis(QString::fromUtf8(Fixture("recipe_browser_form.html"))),
                                               "text/html; charset=Shift_JIS"));
    server.Route("/recipe/utf8", TLoopbackRoute::Page(Fixture("recipe_plain_form.html"), "text/html"));
    server.Route("/photos/nikujaga.jpg", TLoopbackRoute::Page(photo, "image/jpeg"));
    server.Route("/photos/text.jpg", TLoopbackRoute::Page("hello", "image/jpeg"));
    server.Route("/missing-photo", TLoopbackRoute::Page(PlainPage("/photos/nikujaga.jpg", "/photos/none.jpg"), html));
    server.Route("/not-picture", TLoopbackRoute::Page(PlainPage("/photos/nikujaga.jpg", "/photos/text.jpg"), html));
    server.Route("/foreign-photo", TLoopbackRoute::Page(PlainPage("/photos/nikujaga.jpg", "file:///etc/passwd"), html));
    server.Route("/moved", TLoopbackRoute::Redirect("/recipe/utf8"));
    server.Route("/silent", TLoopbackRoute::Silent());
    server.Route("/huge", TLoopbackRoute::Page(QByteArray(6 * 1024 * 1024, 'x')));
    // path, loaded, title, photo
    const std::vector<std::tuple<const char*, bool, QString, bool>> rows{
        {"/sjis", true, "肉じゃが", true},
        {"/moved", true, "肉じゃが", true},  // UTF-8; the photo resolved against the final page
        {"/missing-photo", true, "肉じゃが", false},
        {"/foreign-photo", true, "肉じゃが", false},
        {"/not-picture", false, "", false},
        {"/silent", false, "", false},
        {"/huge", false, "", false},
        {"/nowhere", false, "", false},
    };
    TWebRecipeLoader loader;
    loader.SetOptions({1500, 5LL * 1024 * 1024, 5});
    for (const auto& [path, ok, title, hasPhoto] : rows) {
        SCOPED_TRACE(path);
        const TWebRecipeLoad result = Load(loader, server.Url(path).toString());
        EXPECT_EQ(result.Ok, ok) << result.Error.toStdString();
        EXPECT_EQ(result.Ok, result.Error.isEmpty());
        EXPECT_FALSE(loader.Running());
        if (!ok)
            continue;
        EXPECT_EQ(result.Page.Title, title);
        EXPECT_EQ(result.Page.Amount, QStringLiteral("2人分"));
        EXPECT_EQ(result.Page.Steps.size(), 5);
        EXPECT_EQ(result.PhotoJpeg, hasPhoto ? photo : QByteArray());
        EXPECT_EQ(result.Photo.isNull() ? QSize() : result.Photo.size(), hasPhoto ? QSize(40, 30) : QSize());
    }
    EXPECT_EQ(server.Requests("/photos/none.jpg"), 1);
    EXPECT_FALSE(Load(loader, QStringLiteral("file:///etc/passwd")).Ok);
}

TEST(WebRecipeLoader, RegistrationStaysInsideTheDataFolder) {
    QTemporaryDir dir;
    const QString root = dir.path() + QStringLiteral("/Cook");
    QDir().mkpath(root);
    TWebRecipe good{"肉じゃが", "2人分", {"（2人分）", "●牛肉 … 200g"}, {"1.切る", "2.煮る"}, SmallJpeg()};
    RegisterWebRecipe(root, good, "2024/05/06");
    const QString folder = root + QStringLiteral("/肉じゃが/");
    EXPECT_EQ(ReadRaw(folder + QStringLiteral("材料.txt")), ToSjis("（2人分）\r\n●牛肉 … 200g\r\n"));
    EXPECT_EQ(ReadRaw(folder + QStringLiteral("方法.txt")), ToSjis("1.切る\r\n2.煮る\r\n"));
    EXPECT_EQ(ReadRaw(folder + QStringLiteral("Status.txt")), ToSjis("Amount=2人分\r\nDate=2024/05/06\r\n"));
    EXPECT_EQ(ReadRaw(folder + QStringLiteral("写真.jpg")), SmallJpeg());
    EXPECT_FALSE(QFile::exists(folder + QStringLiteral("コメント.txt")));

    const QMap<QString, QByteArray> before = FolderSnapshot(dir.path());
    for (const char* title : {"../evil", "a/b", "", "..", "肉じゃが"}) {
        TWebRecipe bad = good;
        bad.Title = QString::fromUtf8(title);
        EXPECT_THROW(RegisterWebRecipe(root, bad, "2024/05/06"), TSaporiaError) << title;
    }
    EXPECT_EQ(FolderSnapshot(dir.path()), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"Cook"});

    // A value never adds lines to the attribute file.
    good.Title = QStringLiteral("鍋");
    good.Amount = QStringLiteral("1\r\nIcon=3");
    RegisterWebRecipe(root, good, "2024/05/06");
    EXPECT_FALSE(FromSjis(ReadRaw(root + QStringLiteral("/鍋/Status.txt"))).contains(QStringLiteral("\nIcon")));
}

TEST(WebRecipeLoader, ImportLoopRunsUntilRegisterOrCancel) {
    // the dialog's answers, runs, reloads
    const std::vector<std::tuple<QList<int>, int, int>> rows{
        {{6, 6, 1}, 3, 1}, {{1}, 1, 1}, {{2}, 1, 0}, {{6, 2}, 2, 0}, {{6, 0}, 2, 0}};
    for (const auto& [answers, runs, reloads] : rows) {
        int asked = 0, reloaded = 0;
        EXPECT_EQ(RunWebImportLoop([&] { return answers.value(asked++, 2); }, [&] { ++reloaded; }), runs);
        EXPECT_EQ(asked, runs);
        EXPECT_EQ(reloaded, reloads);
    }
}

TEST(WebRecipeLoader, PhotoAddresses) {
    const QUrl page(QStringLiteral("https://example.org/recipe/1"));
    const std::vector<std::pair<QString, QString>> rows{
        {"a.jpg", "https://example.org/recipe/a.jpg"}, {"//cdn.example.org/a.jpg", "https://cdn.example.org/a.jpg"},
        {"http://img.example.org/a.jpg", "http://img.example.org/a.jpg"}, {"javascript:alert(1)", ""}, {"", ""},
    };
    for (const auto& [found, address] : rows)
        EXPECT_EQ(PhotoAddress(found, page).toString(), address) << found.toStdString();
}
