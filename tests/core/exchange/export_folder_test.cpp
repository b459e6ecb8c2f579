#include "core/exchange/export_folder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "core/exchange/handheld_export.h"
#include "core/exchange/html_writer.h"
#include "core/exchange/recipe_html_export.h"
#include "support/recipe_fixture.h"
#include "support/small_disk.h"

namespace {

const QDateTime At(QDate(2024, 3, 9), QTime(7, 5, 4));

QStringList Entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

}  // namespace

// A failed export takes away what it wrote and only that: a folder it made
// goes, one that was there (a second export in the same second) stays with
// what it held, a page the export wrote again included.
TEST(ExportFolder, AFailedExportLeavesWhatWasThereBefore) {
    const std::vector<std::pair<QStringList, bool>> rows{
        {{}, false},                          // a new folder
        {{"0000.html", "index.html", "mine.txt"}, true},  // the same second again
    };
    for (const auto& [before, existed] : rows) {
        QTemporaryDir dir;
        const QString stamped = dir.path() + QStringLiteral("/PSP_COOK_20240309070504");
        for (const QString& name : before)
            WriteRaw(stamped + QLatin1Char('/') + name, "old");
        QList<THandheldRow> rows;
        for (const char* name : {"焼き魚", "煮物"})
            rows.append({QString::fromUtf8(name), QString(), QString(),
                         MakeRecipe(dir.path() + QStringLiteral("/Cook"), {.Name = name, .Photo = true})});
        WriteRaw(rows[1].Folder + QStringLiteral("写真.jpg"), "\xFF\xD8\xFF\xE0" "broken");
        QString error;
        {
            TExportFolder folder(dir.path(), HandheldFolderPrefix, At);
            EXPECT_EQ(folder.Path(), stamped);
            error = ErrorOf([&] { ExportHandheld(folder, rows); });
            // The first row was written, aside: nothing in place changes before the export is whole.
            EXPECT_EQ(Entries(stamped).size(), before.size() + 2);
            for (const QString& name : before)
                EXPECT_EQ(ReadRaw(stamped + QLatin1Char('/') + name), QByteArray("old"));
        }
        EXPECT_TRUE(error.startsWith(QStringLiteral("煮物: 写真.jpg: JPEG画像を読み込めません"))) << error.toStdString();
        EXPECT_EQ(QFileInfo(stamped).isDir(), existed);
        EXPECT_EQ(Entries(stamped), before);
        for (const QString& name : before)
            EXPECT_EQ(ReadRaw(stamped + QLatin1Char('/') + name), QByteArray("old"));
    }
}

// A disk that fills up during the page: nothing of the export stays.
TEST(ExportFolder, AFullDiskLeavesNoHalfExport) {
    TSmallDisk disk(64);
    if (!disk.Available())
        GTEST_SKIP() << "no small file system here";
    QTemporaryDir dir;
    const QString recipe = MakeRecipe(dir.path() + QStringLiteral("/Cook"),
                                      {.Name = "焼き魚", .Foodstuff = QString(8000, QChar(u'卵'))});
    {
        TExportFolder folder(disk.Root(), QString(), At);
        disk.Fill();
        EXPECT_THROW(ExportRecipeHtml(folder.Path(), QStringLiteral("焼き魚"), recipe), THtmlSaveError);
    }
    EXPECT_EQ(Entries(disk.Root()), QStringList({"filler"}));
}

// The same second again, on a disk that may fill up: until the new export is
// whole, the earlier one's files keep their bytes, whichever file fails; a
// whole export replaces them and leaves nothing aside.
TEST(ExportFolder, AReusedFolderKeepsItsBytesUntilTheExportIsWhole) {
    QTemporaryDir dir;
    const QString cook = dir.path() + QStringLiteral("/Cook");
    const QString recipe = MakeRecipe(cook, {.Name = "焼き魚", .Photo = true});
    const QString bigRecipe = MakeRecipe(cook, {.Name = "煮物", .How = QString(150000, QChar(u'卵')), .Photo = true});
    const auto html = [](const QString& from) {
        return [from](TExportFolder& folder) { ExportRecipeHtml(folder, QStringLiteral("焼き魚"), from); };
    };
    // A kind of 300 KB makes the index the one file that does not fit.
    const auto handheld = [&recipe](TExportFolder& folder) {
        ExportHandheld(folder, {{QStringLiteral("焼き魚"), QString(150000, QChar(u'主')), QString(), recipe}});
    };
    constexpr qint64 Room = 64 * 1024;  // the small files fit, a 300 KB one does not
    struct TRow {
        const char* What;
        QString Prefix;
        QStringList Held;  // the earlier export's files
        std::function<void(TExportFolder&)> Export;
        QStringList Written;  // the files of Held it replaces; empty: the export fails
    };
    const std::vector<TRow> rows{
        {"html, the page does not fit", QString(), {"Image.jpg", "index.html"}, html(bigRecipe), {}},
        {"handheld, the index does not fit", HandheldFolderPrefix, {"0000.html", "0000.jpg", "index.html"},
         handheld, {}},
        {"html, whole", QString(), {"Image.jpg", "index.html", "mine.txt"}, html(recipe), {"Image.jpg", "index.html"}},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.What);
        TSmallDisk disk(1024);
        if (!disk.Available())
            GTEST_SKIP() << "no small file system here";
        const QString stamped = disk.Root() + row.Prefix + QStringLiteral("20240309070504");
        for (const QString& name : row.Held)
            WriteRaw(stamped + QLatin1Char('/') + name, "old");
        disk.Fill(Room);
        QString error;
        {
            TExportFolder folder(disk.Root(), row.Prefix, At);
            error = ErrorOf([&] {
                row.Export(folder);
                folder.Keep();
            });
        }
        EXPECT_EQ(error.isEmpty(), !row.Written.isEmpty()) << error.toStdString();
        QStringList held = row.Held;
        held.sort();
        EXPECT_EQ(Entries(stamped), held);  // nothing aside left
        for (const QString& name : row.Held)
            EXPECT_EQ(ReadRaw(stamped + QLatin1Char('/') + name) == "old", !row.Written.contains(name))
                << name.toStdString();
    }
}
