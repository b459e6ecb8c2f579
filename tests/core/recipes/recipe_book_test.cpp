#include <gtest/gtest.h>

#include <optional>

#include <QDir>
#include <QFileInfo>

#include "core/platform/saporia_error.h"
#include "core/platform/sjis.h"
#include "core/recipes/recipe_book.h"
#include "core/search/find_career.h"
#include "support/recipe_fixture.h"
#include "support/temp_app_dir.h"

namespace {

struct TColumnCase {
    const char* Name;
    std::optional<QByteArray> File;  // nullopt: no file
    bool Throws;
    bool WrittenBack;
};

class RecipeBookColumnTest : public ::testing::TestWithParam<TColumnCase> {};

TColumnCase ColumnCases[] = {
    {"absent_takes_the_defaults", std::nullopt, false, true},
    {"well_formed_is_read", FormatColumnTable({{QStringLiteral("料理名"), 70, true}, {QStringLiteral("種類"), 50, false}}),
     false, true},
    {"malformed_is_kept_as_it_is", QByteArray("<Document><List><Column><Caption>"), true, false},
};

}  // namespace

// A table is written back only when it came from the file or the defaults;
// a file that could not be used must survive the run byte for byte.
TEST_P(RecipeBookColumnTest, ReadAndWriteBack) {
    const TColumnCase& c = GetParam();
    TTempAppDir dir;
    const QString path = dir.AppDir() + ColumnFileName;
    if (c.File)
        WriteRaw(path, *c.File);
    TRecipeBook book(dir.AppDir());
    if (c.Throws)
        EXPECT_THROW(book.ReadColumnTable(), TSaporiaError);
    else
        book.ReadColumnTable();
    const TColumnTable read = c.File && !c.Throws ? ParseColumnTable(FromSjis(*c.File)) : DefaultColumnTable();
    EXPECT_EQ(book.ColumnTable, read);
    EXPECT_EQ(book.ColumnTableWriteBack(), c.WrittenBack);

    book.WriteColumnTable({read[0].Caption}, {123});
    if (c.WrittenBack) {
        TColumnTable expected = read;
        expected[0].Width = 123;
        EXPECT_EQ(ReadRaw(path), FormatColumnTable(expected));
    } else {
        EXPECT_EQ(ReadRaw(path), *c.File);
    }
}

INSTANTIATE_TEST_SUITE_P(Files, RecipeBookColumnTest, ::testing::ValuesIn(ColumnCases),
                         [](const auto& info) { return std::string(info.param.Name); });

// The history is written at exit only when this run read it: an unreadable
// file is left alone, a file never read is not replaced by an empty one.
TEST(RecipeBookTest, SearchHistoryIsWrittenOnlyWhenRead) {
    struct TCase {
        const char* Name;
        std::optional<QString> File;  // nullopt: a folder blocks the name
        bool Read;
        bool Throws;
        std::optional<QString> After;  // nullopt: the file stays as it was
    };
    const TCase cases[] = {
        {"read", QStringLiteral("鶏肉\r\n卵\r\n"), true, false, QStringLiteral("玉ねぎ\r\n鶏肉\r\n卵\r\n")},
        {"absent", QString(), true, false, QStringLiteral("玉ねぎ\r\n")},
        {"never_read", QStringLiteral("鶏肉\r\n"), false, false, std::nullopt},
        {"unreadable", std::nullopt, true, true, std::nullopt},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TTempAppDir dir;
        const QString path = dir.AppDir() + FindCareerFileName;
        if (!c.File)
            ASSERT_TRUE(QDir().mkpath(path));
        else if (!c.File->isEmpty())
            dir.WriteSjis(FindCareerFileName, *c.File);
        const QByteArray before = QFileInfo(path).isFile() ? ReadRaw(path) : QByteArray();
        TRecipeBook book(dir.AppDir());
        if (c.Read) {
            if (c.Throws)
                EXPECT_THROW(book.ReadFindCareer(), TSaporiaError);
            else
                book.ReadFindCareer();
        }
        book.Refine(QStringLiteral("玉ねぎ"));
        book.WriteFindCareer();
        if (c.After)
            EXPECT_EQ(ReadRaw(path), ToSjis(*c.After));
        else if (!c.File)
            EXPECT_TRUE(QFileInfo(path).isDir());
        else
            EXPECT_EQ(ReadRaw(path), before);
    }
}

TEST(RecipeBookTest, ScanReplacesTheRecordsAndRefineFiltersThem) {
    TTempAppDir dir;
    TRecipeBook book(dir.AppDir());
    MakeRecipe(book.DataRoot(), {.Name = QStringLiteral("親子丼"), .Foodstuff = QStringLiteral("鶏肉\n卵")});
    MakeRecipe(book.DataRoot(), {.Name = QStringLiteral("湯豆腐"), .Foodstuff = QStringLiteral("豆腐")});
    MakeRecipe(book.DataRoot(), {.Name = QStringLiteral("水"), .Foodstuff = std::nullopt});
    EXPECT_TRUE(book.SearchCookFld().isEmpty());
    ASSERT_EQ(book.CookItems.size(), 3);

    book.Refine(QStringLiteral("卵"));
    QStringList visible;
    for (const TCookItem& item : book.CookItems)
        if (item.Visible)
            visible << item.Name;
    EXPECT_EQ(visible, QStringList{QStringLiteral("親子丼")});
    EXPECT_EQ(book.FindCareerList.value(0), QStringLiteral("卵"));

    // A rescan forgets removed folders and the refinement's flags.
    ASSERT_TRUE(QDir(book.DataRoot() + QStringLiteral("/湯豆腐")).removeRecursively());
    EXPECT_TRUE(book.SearchCookFld().isEmpty());
    ASSERT_EQ(book.CookItems.size(), 2);
    for (const TCookItem& item : book.CookItems)
        EXPECT_TRUE(item.Visible) << item.Name.toStdString();
}
