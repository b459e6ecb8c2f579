#include "core/exchange/handheld_export.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "core/exchange/export_folder.h"
#include "core/exchange/html_writer.h"
#include "core/platform/jpeg.h"
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

QStringList PageLines(const QString& folder, const QString& file) {
    return FromSjis(ReadRaw(folder + QLatin1Char('/') + file)).split(QStringLiteral("\r\n"));
}

QString Link(const char* page, const char* text) {
    return QStringLiteral("<font size=\"-1\"><A HREF=\"%1\">%2</A></font>").arg(page, QString::fromUtf8(text));
}

}  // namespace

TEST(HandheldExport, ThumbnailLongerSideIs100) {
    const std::vector<std::pair<QSize, QSize>> rows{
        {{400, 300}, {100, 75}}, {{300, 400}, {75, 100}}, {{250, 250}, {100, 100}},
        {{50, 40}, {100, 80}},   {{1000, 5}, {100, 1}},
    };
    for (const auto& [photo, thumbnail] : rows)
        EXPECT_EQ(DecodeJpeg(HandheldThumbnail(SmallJpeg(photo.width(), photo.height()))).size(), thumbnail)
            << photo.width() << "x" << photo.height();
}

TEST(HandheldExport, PagesLinkBackAndForth) {
    const std::vector<QStringList> rows{
        // per page, the navigation line after the table ("" for none)
        {QString()},
        {Link("0001.html", "次へ"), Link("0000.html", "前へ") + "/" + Link("0002.html", "次へ"), Link("0001.html", "前へ")},
    };
    for (const QStringList& navigation : rows) {
        const int count = int(navigation.size());
        QTemporaryDir dir;
        QList<int> progress;
        ExportHandheld(dir.path(), MakeRows(dir.path() + QStringLiteral("/Cook"), count, true),
                       [&progress](int i) { progress.append(i); });
        for (int i = 0; i < count; ++i) {
            const QString number = HandheldPageNumber(i);
            const QStringList lines = PageLines(dir.path(), number + QStringLiteral(".html"));
            const qsizetype table = lines.indexOf(QString(18, ' ') + QStringLiteral("</table>"));
            ASSERT_GT(table, 0);
            const QString next = lines[table + 1].trimmed();
            EXPECT_EQ(next.startsWith(QStringLiteral("<font")) ? next : QString(), navigation[i]);
            EXPECT_TRUE(lines.contains(QString(18, ' ') + Link("index.html", "戻る")));
            EXPECT_TRUE(lines.contains(QString(35, ' ') + "<td align=\"center\" bgcolor=\"#EEEEEE\" width=\"80\">"
                                       "<img width=\"80\" src=\"" + number + ".jpg\"></td>"));
            EXPECT_EQ(DecodeJpeg(ReadRaw(dir.path() + QLatin1Char('/') + number + ".jpg")).size(), QSize(100, 66));
        }
        EXPECT_EQ(progress, count == 3 ? QList<int>{1} : QList<int>{});
        EXPECT_FALSE(QFile::exists(dir.path() + QLatin1Char('/') + HandheldPageNumber(count) + ".html"));
    }
}

TEST(HandheldExport, IndexRowsAreNumberedAndStriped) {
    QTemporaryDir dir;
    QList<THandheldRow> rows = MakeRows(dir.path() + QStringLiteral("/Cook"), 3, false);
    rows[2].Name = QStringLiteral("<i>鍋</i>");
    ExportHandheld(dir.path(), rows);
    const QStringList lines = PageLines(dir.path(), QStringLiteral("index.html"));
    const QString row = QString(23, ' '), cell = QString(31, ' ');
    const std::vector<std::tuple<QString, QString, QString>> expected{
        {"#FCFFE3", "0", "<A HREF=\"0000.html\">料理0</A>"}, {"#FFFFEE", "1", "<A HREF=\"0001.html\">料理1</A>"},
        {"#FCFFE3", "2", "<A HREF=\"0002.html\">&lt;i&gt;鍋&lt;/i&gt;</A>"}};
    qsizetype at = lines.indexOf(row + "</tr>");  // the heading row's end
    for (const auto& [colour, number, link] : expected) {
        EXPECT_EQ(lines[at + 1], row + "<tr bgcolor=\"" + colour + "\">");
        EXPECT_EQ(lines[at + 2], cell + "<td align=\"right\"><div>" + number + "</div></td>");
        EXPECT_EQ(lines[at + 3], cell + "<td><div>" + link + "</div></td>");
        at += 6;
    }
    EXPECT_EQ(lines[at + 1], QString(11, ' ') + "</table>");
    EXPECT_FALSE(PageLines(dir.path(), QStringLiteral("0000.html")).join("").contains(QStringLiteral("<img")));
    EXPECT_FALSE(QFile::exists(dir.path() + QStringLiteral("/0000.jpg")));
}

namespace {

// What an export leaves and how it ends: the files it wrote (relative path
// → bytes), its error (kind and text) and whether anything stayed after the
// failed export's folder took its work away.
struct TExportOutcome {
    QMap<QString, QByteArray> Files;
    QString Failure;
    bool LeftAfterFailure = false;
};

TExportOutcome ExportWith(const QList<THandheldRow>& rows, int workers, const QStringList& blocked) {
    QTemporaryDir out;
    TExportOutcome outcome;
    {
        TExportFolder folder(out.path(), HandheldFolderPrefix, QDateTime(QDate(2024, 3, 9), QTime(7, 5, 4)));
        for (const QString& name : blocked)
            QDir(folder.Path()).mkpath(name);  // a folder where a page goes: the page cannot be saved
        try {
            ExportHandheld(folder.Path(), rows, {}, workers);
            folder.Keep();
        } catch (const THtmlSaveError& error) {
            outcome.Failure = "save: " + QString(error.message()).replace(folder.Path(), QStringLiteral("OUT"));
        } catch (const TSaporiaError& error) {
            outcome.Failure = "error: " + error.message();
        }
        outcome.Files = FolderSnapshot(folder.Path());
        for (const QString& name : blocked)
            QDir(folder.Path()).rmdir(name);
    }
    outcome.LeftAfterFailure = !outcome.Failure.isEmpty() && !QDir(out.path()).isEmpty();
    return outcome;
}

}  // namespace

// Many threads read and write; the files, their bytes and the first failure
// are those of one thread, also past the first rows taken at a time, and a
// failed export leaves nothing.
TEST(HandheldExport, ManyThreadsWriteWhatOneThreadWrites) {
    QTemporaryDir dir;
    const QString root = dir.path() + QStringLiteral("/Cook");
    QList<THandheldRow> rows;
    for (int i = 0; i < 300; ++i) {
        const QString name = QStringLiteral("料理%1").arg(i);
        const QString folder = MakeRecipe(root, {.Name = name, .How = QStringLiteral("%1分").arg(i),
                                                 .Comment = QStringLiteral("メモ%1").arg(i), .Photo = i % 25 == 0});
        rows.append({name, QStringLiteral("主菜"), QStringLiteral("%1人分").arg(i), folder});
    }
    // A text that is no file (a folder in its place) gives an empty cell, on any thread.
    QFile::remove(rows[3].Folder + QStringLiteral("方法.txt"));
    QDir(rows[3].Folder).mkdir(QStringLiteral("方法.txt"));
    const QByteArray corrupt = QByteArray("\xFF\xD8\xFF\xE0") + "broken";

    struct TCase {
        const char* What;
        std::function<void(QList<THandheldRow>&)> Change;
        QStringList Blocked;
        const char* FailureStart;  // "" for none
    };
    // In order; a change on disk stays for the cases after it.
    const std::vector<TCase> cases{
        {"all readable", {}, {}, ""},
        {"a name the page cannot hold", [](QList<THandheldRow>& r) { r[140].Name = QStringLiteral("寿司🍣"); },
         {"0250.html"}, "save: "},
        {"corrupt photos",
         [&](QList<THandheldRow>& r) {
             WriteRaw(r[200].Folder + QStringLiteral("写真.jpg"), corrupt);
             WriteRaw(r[275].Folder + QStringLiteral("写真.jpg"), corrupt);
         },
         {}, "error: 料理200: 写真.jpg: "},
        {"a page that cannot be saved before a corrupt photo", {}, {"0150.html"}, "save: "},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        QList<THandheldRow> changed = rows;
        if (c.Change)
            c.Change(changed);
        const TExportOutcome one = ExportWith(changed, 1, c.Blocked);
        const TExportOutcome many = ExportWith(changed, 6, c.Blocked);
        const QString start = QString::fromUtf8(c.FailureStart);
        EXPECT_EQ(one.Failure.left(start.size()), start) << one.Failure.toStdString();
        EXPECT_EQ(one.Failure.isEmpty(), start.isEmpty());
        EXPECT_EQ(many.Failure, one.Failure);
        EXPECT_FALSE(one.LeftAfterFailure);
        EXPECT_FALSE(many.LeftAfterFailure);
        // What one thread wrote before its failure, many wrote alike.
        for (auto f = one.Files.cbegin(); f != one.Files.cend(); ++f)
            EXPECT_TRUE(many.Files.value(f.key()) == f.value()) << f.key().toStdString();
        if (start.isEmpty()) {
            EXPECT_EQ(many.Files.keys(), one.Files.keys());
            EXPECT_EQ(one.Files.size(), 300 + 12 + 1);
            EXPECT_FALSE(FromSjis(one.Files.value(QStringLiteral("0003.html"))).contains(QStringLiteral("分")));
            EXPECT_TRUE(FromSjis(one.Files.value(QStringLiteral("0004.html"))).contains(QStringLiteral("分")));
        }
    }
}
