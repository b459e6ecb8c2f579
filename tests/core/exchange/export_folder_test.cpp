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
// what it held.
TEST(ExportFolder, AFailedExportLeavesWhatWasThereBefore) {
    const std::vector<std::pair<QStringList, bool>> rows{
        {{}, false},                          // a new folder
        {{"index.html", "mine.txt"}, true},   // the same second again
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
            error = ErrorOf([&] { ExportHandheld(folder.Path(), rows); });
            EXPECT_TRUE(Entries(stamped).contains(QStringLiteral("0000.html")));  // the first row was written
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
