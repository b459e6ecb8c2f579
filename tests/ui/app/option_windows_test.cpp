#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QPushButton>

#include "ui/app/program_main.h"
#include "ui/app/window_table.h"
#include "ui/dialogs/element_form.h"
#include "ui/dialogs/list_column_select_form.h"
#include "ui/dialogs/new_wizard_form.h"
#include "ui/dialogs/version_form.h"
#include "ui/mainwindow/main_form.h"
#include "ui/platform/dialogs.h"
#include "core/platform/file_io.h"
#include "ui/options/option_form.h"
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
    dir.WriteSjis(QFileInfo(SettingsFilePath(dir.AppDir())).fileName(),
                  "[COOKELEMENT]\r\nTYPE=和食,洋食,\r\n[TITLE]\r\nNAME=わが家の味\r\n");
    TDialogAnswerer answers;
    {
        TWindowTable windows;
        CreateWindows(windows, dir.AppDir());
        ASSERT_NE(OptionForm, nullptr);
        ASSERT_NE(VersionForm, nullptr);
        ASSERT_NE(ListColumnSelectForm, nullptr);
        ASSERT_NE(ElementForm, nullptr);
        ASSERT_NE(NewWizardForm, nullptr);
        EXPECT_EQ(MainForm->windowTitle(), "わが家の味");
        EXPECT_EQ(Items(ElementForm->findChild<QComboBox*>("ComboBox1")), QStringList({"和食", "洋食", ""}));
        EXPECT_EQ(Items(NewWizardForm->findChild<QComboBox*>("ComboBox1")), QStringList({"和食", "洋食", ""}));

        OptionForm->show();
        OptionForm->findChild<QPlainTextEdit*>("Memo1")->setPlainText("中華\nパスタ");
        OptionForm->findChild<QPushButton*>("BitBtnOK")->click();
        EXPECT_EQ(Items(ElementForm->findChild<QComboBox*>("ComboBox1")), QStringList({"中華", "パスタ"}));
        EXPECT_EQ(Items(NewWizardForm->findChild<QComboBox*>("ComboBox1")), QStringList({"中華", "パスタ"}));
    }
    // Destroyed in reverse order: the option keys are written at the end.
    EXPECT_EQ(OptionForm, nullptr);
    EXPECT_TRUE(ReadSjisText(SettingsFilePath(dir.AppDir())).contains("TYPE=中華,パスタ,"));
}
