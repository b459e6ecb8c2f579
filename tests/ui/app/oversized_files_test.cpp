#include <gtest/gtest.h>

#include <QFileInfo>

#include "core/platform/file_io.h"
#include "core/recipes/status_file.h"
#include "core/settings/settings.h"
#include "core/settings/settings_store.h"
#include "support/recipe_fixture.h"
#include "support/sparse_file.h"
#include "support/temp_app_dir.h"
#include "ui/app/program_main.h"
#include "ui/app/window_table.h"
#include "ui/app/windows.h"
#include "ui/mainwindow/main_form.h"
#include "ui/platform/dialogs.h"

// Each file the program reads at start, just past its limit: the start says
// so in one box, goes on with the defaults, and neither the start nor the exit
// writes over the file.
TEST(OversizedFiles, StartReportsEachOnceAndLeavesItAsItWas) {
    const QByteArray xml = "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?><Document><Folder Name=\"x\"></Folder>";
    const qint64 store = MaxStoreFileBytes + 1;
    const std::vector<std::tuple<QString, QByteArray, qint64>> rows{
        {QString(), "[TITLE]\r\nNAME=x\r\n", store},  // the settings file
        {"Column.dat", xml, store},
        {"FindCareer.dat", "x\r\n", store},
        {"Material.dat", "x\r\n", store},
        {"RSS.dat", xml, store},
        {"Bookmark.dat", xml, store},
        {"Cook/焼き魚/Status.txt", "Kind=x\r\n", MaxStatusFileBytes + 1},
    };
    for (const auto& [file, head, size] : rows) {
        TTempAppDir dir;
        MakeRecipe(dir.AppDir() + QStringLiteral("Cook"), {.Name = QStringLiteral("焼き魚")});
        const QString path = file.isEmpty() ? SettingsFilePath(dir.AppDir()) : dir.Path(file);
        SCOPED_TRACE(path.toStdString());
        const TFileStamp before = MakeSparseFile(path, head, size);
        ASSERT_EQ(before.Size, size);
        TDialogAnswerer answers;
        TSettingsStore settings(SettingsFilePath(dir.AppDir()));
        TWindows w;
        {
            TWindowTable windows;
            CreateWindows(windows, w, settings, dir.AppDir());
            w.MainForm->close();  // the layout keys are written at the close
        }
        const QStringList texts = answers.Texts();
        ASSERT_EQ(texts.size(), 1) << texts.join('|').toStdString();
        EXPECT_TRUE(texts[0].contains(QFileInfo(path).fileName() + QStringLiteral(" は大きすぎるため読み込めません")))
            << texts[0].toStdString();
        EXPECT_EQ(StampOf(path, head.size()), before);
        for (const char* aside : {".tmp", ".bad"})
            EXPECT_FALSE(QFileInfo::exists(path + aside)) << aside;
    }
}
