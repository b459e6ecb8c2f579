#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QtTest/QTest>

#include "ui/dialogs/version_form.h"
#include "ui/platform/dialogs.h"
#include "support/fake_system_info.h"

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
    bool openWorks = true;
    form.OpenAddress = [&](const QString& a) {
        opened << a;
        return openWorks;
    };
    TDialogAnswerer answers;
    form.show();
    auto* combo = form.findChild<QComboBox*>("ComboBox1");
    EXPECT_EQ(combo->currentText(), "/home/cook");
    EXPECT_EQ(asked, QStringList({"/home/cook"}));
    EXPECT_EQ(form.findChild<QLabel*>("Label15")->text(), "2,048MB");
    EXPECT_FALSE(form.findChild<QPlainTextEdit*>("Memo2")->toPlainText().isEmpty());
    combo->setCurrentIndex(0);
    EXPECT_EQ(form.findChild<QLabel*>("Label15")->text(), "4,096MB");
    // The next showing starts on the program's volume again.
    form.hide();
    form.show();
    EXPECT_EQ(combo->currentText(), "/home/cook");

    for (const char* link : {"Label3", "Label5", "Image4"})
        QTest::mouseClick(form.findChild<QLabel*>(link), Qt::LeftButton);
    ASSERT_EQ(opened.size(), 3);
    EXPECT_EQ(opened[1], QStringLiteral("file:///home/cook/saporia/help/index.html"));
    EXPECT_TRUE(opened[2].startsWith("mailto:"));
    // Only the link that fails to open says so.
    openWorks = false;
    QTest::mouseClick(form.findChild<QLabel*>("Image4"), Qt::LeftButton);
    EXPECT_EQ(answers.Texts().size(), 1);
}

TEST(VersionForm, AFailingSourceShowsTheErrorAndKeepsTheValues) {
    QStringList asked;
    TVersionForm form("/home/x/", nullptr, Machine(true, &asked));
    TDialogAnswerer answers;
    form.show();
    EXPECT_EQ(answers.Texts(), QStringList({"システム情報読み込みエラー. Msg=SystemInformation Error."}));
    EXPECT_EQ(form.findChild<QLabel*>("Label7")->text(), "16,777,216KB");
    EXPECT_EQ(form.findChild<QComboBox*>("ComboBox1")->currentText(), "/home");
    EXPECT_TRUE(form.findChild<QPlainTextEdit*>("Memo2")->toPlainText().isEmpty());
}
