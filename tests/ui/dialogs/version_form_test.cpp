#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>

#include "support/dialog_driver.h"
#include "support/fake_system_info.h"
#include "ui/dialogs/version_form.h"
#include "ui/platform/dialogs.h"

namespace {

// The program on "/home/cook", a volume of its own.
std::unique_ptr<TFakeSystemInfo> Machine(bool failDisplay, QStringList* volumesAsked) {
    auto machine = std::make_unique<TFakeSystemInfo>();
    machine->MountList = {{"/dev/sda1", "/", "ext4", "rw"}, {"/dev/sda2", "/home", "ext4", "rw"},
                          {"srv:/c", "/home/cook", "nfs4", "rw"}};
    machine->Megabytes = {{"/", 4096}, {"/home/cook", 2048}};
    machine->FailDisplay = failDisplay;
    machine->VolumesAsked = volumesAsked;
    return machine;
}

}  // namespace

TEST(VersionForm, ShowsTheVolumeOfTheProgramGathersAgainOnAnotherAndOpensTheLinks) {
    QStringList asked;
    TVersionForm form("/home/cook/saporia/", nullptr, Machine(false, &asked));
    QStringList opened;
    form.OpenAddress = [&](const QString& a) {
        opened << a;
        return !a.startsWith("mailto:");
    };
    TDialogAnswerer answers;
    form.show();
    auto* combo = Child<QComboBox>(&form, "ComboBox1");
    EXPECT_EQ(asked, QStringList({"/home/cook"}));
    EXPECT_EQ(Child<QLabel>(&form, "Label15")->text(), "2,048MB");
    combo->setCurrentIndex(0);
    EXPECT_EQ(Child<QLabel>(&form, "Label15")->text(), "4,096MB");
    form.hide();
    form.show();
    EXPECT_EQ(combo->currentText(), "/home/cook");  // the next showing starts on the program's volume again

    for (const char* link : {"Label5", "Image4"})
        ClickChild(&form, link);
    EXPECT_EQ(opened.value(0), QStringLiteral("file:///home/cook/saporia/help/index.html"));
    EXPECT_TRUE(opened.value(1).startsWith("mailto:"));
    EXPECT_EQ(answers.Texts().size(), 1);  // only the link that failed to open says so
}

TEST(VersionForm, AFailingSourceShowsTheErrorAndKeepsWhatWasGathered) {
    QStringList asked;
    TVersionForm form("/home/x/", nullptr, Machine(true, &asked));
    TDialogAnswerer answers;
    form.show();
    EXPECT_EQ(answers.Texts(), QStringList({"システム情報読み込みエラー. Msg=SystemInformation Error."}));
    EXPECT_EQ(Child<QLabel>(&form, "Label7")->text(), "16,777,216KB");  // what was gathered stays
}
