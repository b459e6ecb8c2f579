#include "core/exchange/handheld_export.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "core/platform/jpeg.h"
#include "core/platform/saporia_error.h"
#include "core/platform/sjis.h"
#include "support/recipe_fixture.h"

namespace {

QList<THandheldRow> MakeRows(const QString& root, int count, bool photos) {
    QList<THandheldRow> rows;
    for (int i = 0; i < count; ++i) {
        const QString name = QStringLiteral("料理%1").arg(i);
        const QString folder = MakeRecipe(root, {.Name = name, .How = QStringLiteral("%1分").arg(i), .Photo = photos});
        rows.append({name, QStringLiteral("主菜"), QStringLiteral("%1人分").arg(i + 1), folder});
    }
    return rows;
}

QString Page(const QString& folder, const QString& file) { return FromSjis(ReadRaw(folder + QLatin1Char('/') + file)); }

}  // namespace

TEST(HandheldExport, ThumbnailLongerSideIs100) {
    const struct {
        QSize Photo;
        QSize Thumbnail;
    } rows[] = {
        {{400, 300}, {100, 75}}, {{300, 400}, {75, 100}}, {{250, 250}, {100, 100}},
        {{50, 40}, {100, 80}},   {{1000, 5}, {100, 1}},   {{3, 900}, {1, 100}},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(HandheldThumbnailSize(row.Photo), row.Thumbnail);
        const QByteArray thumbnail = HandheldThumbnail(SmallJpeg(row.Photo.width(), row.Photo.height()));
        EXPECT_EQ(DecodeJpeg(thumbnail).size(), row.Thumbnail) << row.Photo.width() << "x" << row.Photo.height();
    }
}

TEST(HandheldExport, PagesLinkBackAndForth) {
    const struct {
        int Count;
        QStringList Navigation;  // per page, the line after the table ("" for none)
    } rows[] = {
        {1, {QString()}},
        {3,
         {QStringLiteral("<font size=\"-1\"><A HREF=\"0001.html\">次へ</A></font>"),
          QStringLiteral("<font size=\"-1\"><A HREF=\"0000.html\">前へ</A></font>/"
                         "<font size=\"-1\"><A HREF=\"0002.html\">次へ</A></font>"),
          QStringLiteral("<font size=\"-1\"><A HREF=\"0001.html\">前へ</A></font>")}},
    };
    for (const auto& row : rows) {
        QTemporaryDir dir;
        const QList<THandheldRow> recipes = MakeRows(dir.path() + QStringLiteral("/Cook"), row.Count, true);
        QList<int> progress;
        ExportHandheld(dir.path(), recipes, [&progress](int i) { progress.append(i); });
        for (int i = 0; i < row.Count; ++i) {
            const QString number = HandheldPageNumber(i);
            const QStringList lines = Page(dir.path(), number + QStringLiteral(".html")).split(QStringLiteral("\r\n"));
            const qsizetype table = lines.indexOf(QString(18, ' ') + QStringLiteral("</table>"));
            ASSERT_GT(table, 0);
            const QString navigation = lines[table + 1].trimmed();
            EXPECT_EQ(navigation.startsWith(QStringLiteral("<font")) ? navigation : QString(), row.Navigation[i]);
            EXPECT_TRUE(lines.contains(QString(18, ' ') + QStringLiteral("<font size=\"-1\"><A HREF=\"index.html\">戻る</A></font>")));
            EXPECT_TRUE(lines.contains(QString(35, ' ') +
                                       QStringLiteral("<td align=\"center\" bgcolor=\"#EEEEEE\" width=\"80\"><img width=\"80\" src=\"") +
                                       number + QStringLiteral(".jpg\"></td>")));
            EXPECT_EQ(DecodeJpeg(ReadRaw(dir.path() + QLatin1Char('/') + number + QStringLiteral(".jpg"))).size(),
                      QSize(100, 66));
        }
        EXPECT_EQ(progress, row.Count == 3 ? QList<int>{1} : QList<int>{});
        EXPECT_FALSE(QFile::exists(dir.path() + QLatin1Char('/') + HandheldPageNumber(row.Count) + QStringLiteral(".html")));
    }
}

TEST(HandheldExport, IndexRowsAreNumberedAndStriped) {
    QTemporaryDir dir;
    QList<THandheldRow> rows = MakeRows(dir.path() + QStringLiteral("/Cook"), 3, false);
    rows[2].Name = QStringLiteral("<i>鍋</i>");
    ExportHandheld(dir.path(), rows);
    const QStringList lines = Page(dir.path(), QStringLiteral("index.html")).split(QStringLiteral("\r\n"));
    const QString cell = QString(31, ' ');
    const struct {
        const char* Colour;
        const char* Number;
        const char* Link;
    } expected[] = {{"#FCFFE3", "0", "<A HREF=\"0000.html\">料理0</A>"},
                    {"#FFFFEE", "1", "<A HREF=\"0001.html\">料理1</A>"},
                    {"#FCFFE3", "2", "<A HREF=\"0002.html\">&lt;i&gt;鍋&lt;/i&gt;</A>"}};
    qsizetype at = lines.indexOf(QString(23, ' ') + QStringLiteral("</tr>"));  // the heading row's end
    for (const auto& row : expected) {
        EXPECT_EQ(lines[at + 1], QString(23, ' ') + QStringLiteral("<tr bgcolor=\"%1\">").arg(QLatin1String(row.Colour)));
        EXPECT_EQ(lines[at + 2], cell + QStringLiteral("<td align=\"right\"><div>%1</div></td>").arg(QLatin1String(row.Number)));
        EXPECT_EQ(lines[at + 3], cell + QStringLiteral("<td><div>") + QString::fromUtf8(row.Link) + QStringLiteral("</div></td>"));
        at += 6;
    }
    EXPECT_EQ(lines[at + 1], QString(11, ' ') + QStringLiteral("</table>"));
    EXPECT_FALSE(Page(dir.path(), QStringLiteral("0000.html")).contains(QStringLiteral("<img")));
    EXPECT_FALSE(QFile::exists(dir.path() + QStringLiteral("/0000.jpg")));
}

TEST(HandheldExport, ACorruptPhotoStopsBeforeTheIndex) {
    QTemporaryDir dir;
    const QList<THandheldRow> rows = MakeRows(dir.path() + QStringLiteral("/Cook"), 3, true);
    WriteRaw(rows[1].Folder + QStringLiteral("写真.jpg"), "\xFF\xD8\xFF\xE0 not really");
    EXPECT_THROW(ExportHandheld(dir.path(), rows), TSaporiaError);
    EXPECT_TRUE(QFile::exists(dir.path() + QStringLiteral("/0000.html")));
    EXPECT_FALSE(QFile::exists(dir.path() + QStringLiteral("/0001.html")));
    EXPECT_FALSE(QFile::exists(dir.path() + QStringLiteral("/index.html")));
}
