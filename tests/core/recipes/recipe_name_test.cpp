#include "core/recipes/recipe_name.h"

#include <gtest/gtest.h>

#include <QDir>

#include "core/platform/saporia_error.h"
#include "support/recipe_fixture.h"
#include "support/temp_app_dir.h"

TEST(RecipeName, RefusesEveryNameThatCouldLeaveTheDataFolderOrBreakTheFile) {
    const QStringList bad = {
        QString(), "   ", "\t", ".", "..", "../x", "a/b", "a\\b", "/etc", "a:b", "a*b", "a?b", "a\"b", "a<b", "a>b",
        "a|b", "カレー\tライス", "行1\n行2", "a\x7f", "寿司🍣",
        QString(86, QChar(0x3042)),  // 172 bytes in CP932 but 258 in UTF-8
        QString(256, QLatin1Char('a')),
    };
    for (const QString& name : bad) {
        EXPECT_TRUE(RecipeNameProblem(name).startsWith("レシピ名")) << qPrintable(name);
        EXPECT_THROW(CheckRecipeName(name), TSaporiaError) << qPrintable(name);
    }
    EXPECT_TRUE(RecipeNameProblem("寿司🍣").contains("🍣"));
    EXPECT_TRUE(RecipeNameProblem("a:b").contains("「:」"));

    const QStringList good = {
        "肉じゃが", "　　",  // full-width blanks survive Trim
        "鮭のムニエル（レモン風味）", ".hidden", "a..b", "～波ダッシュ～", QString(85, QChar(0x3042)),
        QString(255, QLatin1Char('a')),
    };
    for (const QString& name : good)
        EXPECT_EQ(RecipeNameProblem(name), QString()) << qPrintable(name);
}

TEST(RecipeName, FolderPathStaysADirectChildOfTheDataFolder) {
    TTempAppDir app;
    const QString root = DataRootOf(app.AppDir());
    QDir().mkpath(root);
    EXPECT_EQ(RecipeFolderPath(root + "/", "　　"), root + "/　　/");
    for (const char* name : {"../x", "a/b", "", "..", "a:b", "a\tb"})
        EXPECT_THROW(RecipeFolderPath(root, name), TSaporiaError) << name;
    EXPECT_EQ(QDir(app.AppDir()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"Cook"});
    EXPECT_TRUE(QDir(root).isEmpty());

    const struct {
        const char* Path;
        bool Child;
    } rows[] = {{"/a/", true}, {"/a/b", false}, {"/../a", false}, {"/.", false}, {"", false}, {"x/a", false}};
    for (const auto& row : rows)
        EXPECT_EQ(IsDirectChildOf(root, root + row.Path), row.Child) << row.Path;
}
