#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QtTest/QTest>

#include "ui/dialogs/version_form.h"
#include "ui/platform/dialogs.h"
#include "core/platform/saporia_error.h"

namespace {

class TFakeSources final : public TSystemInfoSources {
public:
    TFakeSources(bool failDisplay, QStringList* volumesAsked) : FailDisplay(failDisplay), VolumesAsked(volumesAsked) {}
    QString OsText() const override { return "Debian GNU/Linux 12 (bookworm) (Linux 6.18.44-fc-v1272 x86_64)"; }
    QString BrowserText() const override { return "Fake Browser"; }
    void Memory(qint64& total, qint64& available) const override {
        total = 8'000'000LL * 1024;
        available = 1'000'000LL * 1024;
    }
    QList<TMountEntry> Mounts() const override {
        return {{"/dev/sda1", "/", "ext4", "rw"}, {"/dev/sda2", "/home", "ext4", "rw"},
                {"srv:/c", "/home/cook", "nfs4", "rw"}};
    }
    TVolumeStats Volume(const TMountEntry& mount) const override {
        *VolumesAsked << mount.MountPoint;
        TVolumeStats s;
        s.Ok = true;
        s.TotalBytes = mount.MountPoint == "/home/cook" ? 2048LL << 20 : 4096LL << 20;
        return s;
    }
    bool IsRemovable(const QString&) const override { return false; }
    TDisplayInfo Display() const override {
        if (FailDisplay)
            throw TSaporiaError("no display");
        return {1280, 1024, 96};
    }

private:
    bool FailDisplay;
    QStringList* VolumesAsked;
};

}  // namespace

TEST(VersionForm, ShowsTheVolumeOfTheProgramGathersAgainOnAnotherAndOpensTheLinks) {
    QStringList asked;
    TVersionForm form("/home/cook/saporia/", nullptr, std::make_unique<TFakeSources>(false, &asked));
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
    TVersionForm form("/home/x/", nullptr, std::make_unique<TFakeSources>(true, &asked));
    TDialogAnswerer answers;
    form.show();
    EXPECT_EQ(answers.Texts(), QStringList({"システム情報読み込みエラー. Msg=SystemInformation Error."}));
    EXPECT_EQ(form.findChild<QLabel*>("Label7")->text(), "8,000,000KB");
    EXPECT_EQ(form.findChild<QComboBox*>("ComboBox1")->currentText(), "/home");
    EXPECT_TRUE(form.findChild<QPlainTextEdit*>("Memo2")->toPlainText().isEmpty());
}
