#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QPlainTextEdit>

#include "core/platform/file_io.h"
#include "core/settings/settings_store.h"
#include "support/dialog_driver.h"
#include "support/temp_app_dir.h"
#include "ui/app/program_main.h"
#include "ui/app/window_table.h"
#include "ui/app/windows.h"
#include "ui/dialogs/element_form.h"
#include "ui/dialogs/new_wizard_form.h"
#include "ui/options/option_form.h"
#include "ui/platform/dialogs.h"

TEST(OptionWindows, SettingsReachTheirWindowsAtStartAndOnOkAndAreWrittenAtDestruction) {
    TTempAppDir dir;
    dir.WriteSjis(QFileInfo(SettingsFilePath(dir.AppDir())).fileName(), "[COOKELEMENT]\r\nTYPE=和食,洋食,\r\n");
    TDialogAnswerer answers;
    TSettingsStore store(SettingsFilePath(dir.AppDir()));
    TWindows w;
    {
        TWindowTable windows;
        CreateWindows(windows, w, store, dir.AppDir());
        const QList<QComboBox*> kinds = {Child<QComboBox>(w.ElementForm, "ComboBox1"),
                                         Child<QComboBox>(w.NewWizardForm, "ComboBox1")};
        const auto items = [&](const QComboBox* combo) {
            QStringList texts;
            for (int i = 0; i < combo->count(); ++i)
                texts << combo->itemText(i);
            return texts;
        };
        for (const QComboBox* combo : kinds)
            EXPECT_EQ(items(combo), QStringList({"和食", "洋食", ""}));
        w.OptionForm->show();
        Child<QPlainTextEdit>(w.OptionForm, "Memo1")->setPlainText("中華\nパスタ");
        ClickChild(w.OptionForm, "BitBtnOK");
        for (const QComboBox* combo : kinds)
            EXPECT_EQ(items(combo), QStringList({"中華", "パスタ"}));
        EXPECT_FALSE(ReadSjisText(store.Path()).contains("TYPE=中華"));  // nothing written while running
    }
    // Written where the options window is destroyed, before the main window goes.
    EXPECT_TRUE(ReadSjisText(store.Path()).contains("TYPE=中華,パスタ,"));
    EXPECT_EQ(answers.Unanswered(), 0);
}

TEST(OptionWindows, AFailedWriteOfTheOptionKeysIsReportedAndTheRestGoOn) {
    TTempAppDir dir;
    TDialogAnswerer answers;
    TSettingsStore store(SettingsFilePath(dir.AppDir()));
    TWindows w;
    {
        TWindowTable windows;
        CreateWindows(windows, w, store, dir.AppDir());
        QDir().mkpath(store.Path());  // a folder where the file should be, once the defaults were taken
    }
    EXPECT_EQ(answers.Texts(), QStringList({store.Path() + " に書き込めません"}));
    EXPECT_TRUE(QFileInfo::exists(dir.Path("Column.dat")));  // the main window still wrote its files
}
