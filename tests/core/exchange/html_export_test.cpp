#include "core/exchange/recipe_html_export.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "core/exchange/html_writer.h"
#include "core/platform/sjis.h"
#include "support/recipe_fixture.h"

namespace {

QString Blanks(int n) { return QString(n, QLatin1Char(' ')); }

}  // namespace

TEST(RecipeHtmlExport, PageIsTheFixedLinesByteForByte) {
    QTemporaryDir dir;
    const QString root = dir.path() + QStringLiteral("/Cook");
    const QString folder = MakeRecipe(root, {.Name = QStringLiteral("肉じゃが"),
                                             .Foodstuff = QStringLiteral("じゃがいも\n牛肉"),
                                             .How = QStringLiteral("200g 3個"),
                                             .Photo = true});
    const QString out = dir.path() + QStringLiteral("/out");
    QDir().mkpath(out);
    ExportRecipeHtml(out, QStringLiteral("肉じゃが"), folder);

    const QString th = QStringLiteral("<th colspan=2  align=\"left\" bgcolor=\"#EEEEFF\">");
    const QString red = QStringLiteral("<font color=\"#FF0000\">%1</font>");
    const QStringList lines{
        QStringLiteral("<html>"),
        Blanks(9) + QStringLiteral("<head>"),
        Blanks(18) + QStringLiteral("<title>肉じゃが</title>"),
        Blanks(9) + QStringLiteral("</head>"),
        Blanks(9) + QStringLiteral("<body>"),
        Blanks(18) + QStringLiteral("<table>"),
        Blanks(28) + QStringLiteral("<tr>"),
        Blanks(35) + QStringLiteral("<th colspan=2 bgcolor=\"#BBEEFF\"><font size=\"+2\">肉じゃが</font></th>"),
        Blanks(28) + QStringLiteral("</tr>"),
        Blanks(28) + QStringLiteral("<tr>"),
        Blanks(35) + QStringLiteral("<th align=\"left\" bgcolor=\"#EEEEEE\">じゃがいも<br>牛肉<br>"),
        QStringLiteral("</th>"),
        Blanks(35) + QStringLiteral("<th align=\"center\" bgcolor=\"#EEEEEE\" width=\"10\"><img src=\"Image.jpg\"></th>"),
        Blanks(28) + QStringLiteral("</tr>"),
        Blanks(28) + QStringLiteral("<tr>"),
        Blanks(35) + th + red.arg(2) + red.arg(0) + red.arg(0) + QStringLiteral("g ") + red.arg(3) +
            QStringLiteral("個<br>"),
        QStringLiteral("</th>"),
        Blanks(28) + QStringLiteral("</tr>"),
        Blanks(28) + QStringLiteral("<tr>"),
        Blanks(35) + th + QStringLiteral("</th>"),
        Blanks(28) + QStringLiteral("</tr>"),
        Blanks(18) + QStringLiteral("</table>"),
        Blanks(9) + QStringLiteral("</body>"),
        QStringLiteral("</html>"),
    };
    EXPECT_EQ(ReadRaw(out + QStringLiteral("/index.html")), ToSjis(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
    EXPECT_EQ(ReadRaw(out + QStringLiteral("/Image.jpg")), ReadRaw(folder + QStringLiteral("写真.jpg")));
}

TEST(RecipeHtmlExport, CellsEscapeMarkupAndColourOnlyAsciiDigits) {
    const struct {
        QStringList Method;
        QString Cell;
    } rows[] = {
        {{QStringLiteral("200g 3個")},
         QStringLiteral("<font color=\"#FF0000\">2</font><font color=\"#FF0000\">0</font><font color=\"#FF0000\">0</font>"
                        "g <font color=\"#FF0000\">3</font>個<br>\r\n")},
        {{QStringLiteral("２０分")}, QStringLiteral("２０分<br>\r\n")},
        {{QStringLiteral("<script>alert(1)</script> & co")},
         QStringLiteral("&lt;script&gt;alert(<font color=\"#FF0000\">1</font>)&lt;/script&gt; &amp; co<br>\r\n")},
        {{}, QString()},
        {{QString(), QString()}, QStringLiteral("<br><br>\r\n")},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ColourDigits(HtmlCell(row.Method)), row.Cell) << row.Method.join('|').toStdString();
}

TEST(RecipeHtmlExport, NamesAreEscapedAndAMissingPhotoHasNoCell) {
    QTemporaryDir dir;
    const QString folder = MakeRecipe(dir.path() + QStringLiteral("/Cook"),
                                      {.Name = QStringLiteral("x"), .Foodstuff = std::nullopt, .How = std::nullopt});
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
    EXPECT_TRUE(QDir(made).exists());
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
