#include "core/exchange/recipe_html_export.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "core/exchange/html_writer.h"
#include "core/platform/sjis.h"
#include "support/recipe_fixture.h"

TEST(RecipeHtmlExport, PageIsTheFixedLinesByteForByte) {
    QTemporaryDir dir;
    const QString folder = MakeRecipe(dir.path() + QStringLiteral("/Cook"),
                                      {.Name = "肉じゃが", .Foodstuff = "じゃがいも\n牛肉", .How = "200g 3個", .Photo = true});
    ExportRecipeHtml(dir.path(), QStringLiteral("肉じゃが"), folder);
    QString golden = QStringLiteral(R"(<html>
         <head>
                  <title>肉じゃが</title>
         </head>
         <body>
                  <table>
                            <tr>
                                   <th colspan=2 bgcolor="#BBEEFF"><font size="+2">肉じゃが</font></th>
                            </tr>
                            <tr>
                                   <th align="left" bgcolor="#EEEEEE">じゃがいも<br>牛肉<br>
</th>
                                   <th align="center" bgcolor="#EEEEEE" width="10"><img src="Image.jpg"></th>
                            </tr>
                            <tr>
                                   <th colspan=2  align="left" bgcolor="#EEEEFF"><font color="#FF0000">2</font><font color="#FF0000">0</font><font color="#FF0000">0</font>g <font color="#FF0000">3</font>個<br>
</th>
                            </tr>
                            <tr>
                                   <th colspan=2  align="left" bgcolor="#EEEEFF"></th>
                            </tr>
                  </table>
         </body>
</html>
)");
    EXPECT_EQ(ReadRaw(dir.path() + QStringLiteral("/index.html")), ToSjis(golden.replace("\n", "\r\n")));
    EXPECT_EQ(ReadRaw(dir.path() + QStringLiteral("/Image.jpg")), ReadRaw(folder + QStringLiteral("写真.jpg")));
}

TEST(RecipeHtmlExport, CellsEscapeMarkupAndColourOnlyAsciiDigits) {
    const std::vector<std::pair<QStringList, QString>> rows{
        {{"２０分"}, "２０分<br>\r\n"},
        {{"<script>alert(1)</script> & co"},
         "&lt;script&gt;alert(<font color=\"#FF0000\">1</font>)&lt;/script&gt; &amp; co<br>\r\n"},
        {{}, ""},
        {{"", ""}, "<br><br>\r\n"},
    };
    for (const auto& [method, cell] : rows)
        EXPECT_EQ(ColourDigits(HtmlCell(method)), cell) << method.join('|').toStdString();
}

TEST(RecipeHtmlExport, NamesAreEscapedAndAMissingPhotoHasNoCell) {
    QTemporaryDir dir;
    const QString folder =
        MakeRecipe(dir.path() + QStringLiteral("/Cook"), {.Name = "x", .Foodstuff = std::nullopt, .How = std::nullopt});
    ExportRecipeHtml(dir.path(), QStringLiteral("<b>鍋&鍋</b>"), folder);
    const QString page = FromSjis(ReadRaw(dir.path() + QStringLiteral("/index.html")));
    EXPECT_TRUE(page.contains(QStringLiteral("<title>&lt;b&gt;鍋&amp;鍋&lt;/b&gt;</title>")));
    EXPECT_FALSE(page.contains(QStringLiteral("<b>")));
    EXPECT_FALSE(page.contains(QStringLiteral("<img")));
    EXPECT_FALSE(QFile::exists(dir.path() + QStringLiteral("/Image.jpg")));
    EXPECT_TRUE(page.contains(QStringLiteral("<th align=\"left\" bgcolor=\"#EEEEEE\"></th>")));
}

TEST(RecipeHtmlExport, StampedFolders) {
    QTemporaryDir dir;
    const QDateTime at(QDate(2024, 3, 9), QTime(7, 5, 4));
    const QString made = MakeStampedFolder(dir.path(), QStringLiteral("PSP_COOK_"), at);
    EXPECT_EQ(made, dir.path() + QStringLiteral("/PSP_COOK_20240309070504"));
    WriteRaw(made + QStringLiteral("/index.html"), "old");
    // The same second again: the folder is used as it is.
    EXPECT_EQ(MakeStampedFolder(dir.path(), QStringLiteral("PSP_COOK_"), at), made);
    EXPECT_EQ(ReadRaw(made + QStringLiteral("/index.html")), QByteArray("old"));
    // A chosen folder that does not exist: one level only, so it fails.
    try {
        MakeStampedFolder(dir.path() + QStringLiteral("/new"), QString(), at);
        ADD_FAILURE() << "made a folder two levels deep";
    } catch (const TExportFolderError& error) {
        EXPECT_EQ(error.message(), dir.path() + QStringLiteral("/new/20240309070504フォルダの作成に失敗しました。"));
    }
    EXPECT_FALSE(QDir(dir.path() + QStringLiteral("/new")).exists());
}
