#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QPushButton>

#include "ui/app/program_main.h"
#include "ui/app/window_table.h"
#include "ui/app/windows.h"
#include "ui/dialogs/element_form.h"
#include "ui/dialogs/new_wizard_form.h"
#include "ui/platform/dialogs.h"
#include "core/platform/file_io.h"
#include "ui/options/option_form.h"
#include "core/settings/settings_store.h"
#include "support/temp_app_dir.h"

namespace {

QStringList Items(const QComboBox* combo) {
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

}  // namespace

TEST(OptionWindows, SettingsReachTheirWindowsAtStartAndOnOk) {
    TTempAppDir dir;
    dir.WriteSjis(QFileInfo(SettingsFilePath(dir.AppDir())).fileName(), "[COOKELEMENT]\r\nTYPE=和食,洋食,\r\n");
    TDialogAnswerer answers;
    TSettingsStore store(SettingsFilePath(dir.AppDir()));
    TWindows w;
    {
        TWindowTable windows;
        CreateWindows(windows, w, store, dir.AppDir());
        const QList<QComboBox*> kinds = {w.ElementForm->findChild<QComboBox*>("ComboBox1"),
                                         w.NewWizardForm->findChild<QComboBox*>("ComboBox1")};
        for (const QComboBox* combo : kinds)
            EXPECT_EQ(Items(combo), QStringList({"和食", "洋食", ""}));

        w.OptionForm->show();
        w.OptionForm->findChild<QPlainTextEdit*>("Memo1")->setPlainText("中華\nパスタ");
        w.OptionForm->findChild<QPushButton*>("BitBtnOK")->click();
        for (const QComboBox* combo : kinds)
            EXPECT_EQ(Items(combo), QStringList({"中華", "パスタ"}));
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
    QDir().mkpath(store.Path());  // a folder where the file should be
    TWindows w;
    {
        TWindowTable windows;
        CreateWindows(windows, w, store, dir.AppDir());
    }
    ASSERT_EQ(answers.Texts().size(), 1);
    EXPECT_EQ(answers.Texts()[0], store.Path() + " に書き込めません");
    EXPECT_TRUE(QFileInfo(store.Path()).isDir());
    EXPECT_TRUE(QFileInfo::exists(dir.Path("Column.dat")));  // the main window still wrote its files
}
