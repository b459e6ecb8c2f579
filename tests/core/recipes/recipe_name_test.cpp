#include "core/recipes/recipe_name.h"

#include <gtest/gtest.h>

#include <QDir>

#include "core/platform/saporia_error.h"
#include "support/recipe_fixture.h"
#include "support/temp_app_dir.h"

namespace {

TEST(RecipeName, RefusesEveryNameThatCouldLeaveTheDataFolderOrBreakTheFile) {
    const QStringList bad = {
        QString(), QStringLiteral("   "), QStringLiteral("\t"), QStringLiteral("."), QStringLiteral(".."),
        QStringLiteral("../x"), QStringLiteral("a/b"), QStringLiteral("a\\b"), QStringLiteral("/etc"),
        QStringLiteral("a:b"), QStringLiteral("a*b"), QStringLiteral("a?b"), QStringLiteral("a\"b"),
        QStringLiteral("a<b"), QStringLiteral("a>b"), QStringLiteral("a|b"), QStringLiteral("カレー\tライス"),
        QStringLiteral("行1\n行2"), QStringLiteral("a\x7f"), QStringLiteral("寿司🍣"),
        QString(86, QChar(0x3042)),  // 172 bytes in CP932 but 258 in UTF-8
        QString(256, QLatin1Char('a')),
    };
    for (const QString& name : bad) {
        const QString problem = RecipeNameProblem(name);
        EXPECT_FALSE(problem.isEmpty()) << qPrintable(name);
        EXPECT_TRUE(problem.startsWith(QStringLiteral("レシピ名"))) << qPrintable(problem);
        EXPECT_THROW(CheckRecipeName(name), TSaporiaError) << qPrintable(name);
    }
    EXPECT_TRUE(RecipeNameProblem(QStringLiteral("寿司🍣")).contains(QStringLiteral("🍣")));
    EXPECT_TRUE(RecipeNameProblem(QStringLiteral("a:b")).contains(QStringLiteral("「:」")));

    const QStringList good = {
        QStringLiteral("肉じゃが"), QStringLiteral("　　"),  // full-width blanks survive Trim
        QStringLiteral("鮭のムニエル（レモン風味）"), QStringLiteral(".hidden"), QStringLiteral("a..b"),
        QStringLiteral("～波ダッシュ～"), QString(85, QChar(0x3042)), QString(255, QLatin1Char('a')),
    };
    for (const QString& name : good)
        EXPECT_EQ(RecipeNameProblem(name), QString()) << qPrintable(name);
}

TEST(RecipeName, FolderPathStaysADirectChildOfTheDataFolder) {
    TTempAppDir app;
    const QString root = DataRootOf(app.AppDir());
    EXPECT_EQ(root, app.AppDir() + QStringLiteral("Cook"));
    QDir().mkpath(root);
    EXPECT_EQ(RecipeFolderPath(root, QStringLiteral("肉じゃが")), root + QStringLiteral("/肉じゃが/"));
    EXPECT_EQ(RecipeFolderPath(root + QLatin1Char('/'), QStringLiteral("　　")), root + QStringLiteral("/　　/"));

    const auto before = FolderSnapshot(app.AppDir());
    for (const QString& name : {QStringLiteral("../x"), QStringLiteral("a/b"), QString(), QStringLiteral(".."),
                                QStringLiteral("a:b"), QStringLiteral("a\tb")})
        EXPECT_THROW(RecipeFolderPath(root, name), TSaporiaError) << qPrintable(name);
    EXPECT_EQ(FolderSnapshot(app.AppDir()), before);
    EXPECT_EQ(QDir(app.AppDir()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{QStringLiteral("Cook")});

    EXPECT_TRUE(IsDirectChildOf(root, root + QStringLiteral("/a/")));
    EXPECT_FALSE(IsDirectChildOf(root, root + QStringLiteral("/a/b")));
    EXPECT_FALSE(IsDirectChildOf(root, root + QStringLiteral("/../a")));
    EXPECT_FALSE(IsDirectChildOf(root, root + QStringLiteral("/.")));
    EXPECT_FALSE(IsDirectChildOf(root, root));
    EXPECT_FALSE(IsDirectChildOf(root, root + QStringLiteral("x/a")));
}

}  // namespace
