#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QtTest/QTest>

#include "ui/dialogs/version_form.h"
#include "ui/platform/dialogs.h"
#include "core/platform/saporia_error.h"
#include "support/render_ui.h"

namespace {

struct TFakeState {
    bool FailDisplay = false;
    QStringList VolumesAsked;
};

class TFakeSources final : public TSystemInfoSources {
public:
    explicit TFakeSources(TFakeState* state) : State(state) {}
    QString OsText() const override { return "Fake Linux"; }
    QString BrowserText() const override { return "Fake Browser"; }
    void Memory(qint64& total, qint64& available) const override {
        total = 8'000'000LL * 1024;
        available = 1'000'000LL * 1024;
    }
    QList<TMountEntry> Mounts() const override {
        return {{"proc", "/proc", "proc", "rw"},
                {"/dev/sda1", "/", "ext4", "rw"},
                {"/dev/sda2", "/home", "ext4", "rw"},
                {"srv:/c", "/home/cook", "nfs4", "rw"}};
    }
    TVolumeStats Volume(const TMountEntry& mount) const override {
        State->VolumesAsked << mount.MountPoint;
        TVolumeStats s;
        s.Ok = true;
        s.TotalBytes = mount.MountPoint == "/home/cook" ? 2048LL << 20 : 4096LL << 20;
        s.FreeBytes = 1LL << 20;
        s.NameMax = 255;
        return s;
    }
    bool IsRemovable(const QString&) const override { return false; }
    TDisplayInfo Display() const override {
        if (State->FailDisplay)
            throw TSaporiaError("no display");
        return {1280, 1024, 96};
    }

private:
    TFakeState* State;
};

}  // namespace

TEST(VersionForm, ShowsVersionAndTheVolumeOfTheProgram) {
    TFakeState state;
    TVersionForm form("/home/cook/saporia/", nullptr, std::make_unique<TFakeSources>(&state));
    TDialogAnswerer answers;
    form.show();
    EXPECT_EQ(form.windowTitle(), "バージョン情報");
    EXPECT_EQ(form.findChild<QLabel*>("Label1")->text(), "Version：2.1.0.0");
    EXPECT_EQ(form.findChild<QLabel*>("Label2")->text(), "Date：2011/05/20");
    auto* combo = form.findChild<QComboBox*>("ComboBox1");
    ASSERT_EQ(combo->count(), 3);  // no /proc
    EXPECT_EQ(combo->currentText(), "/home/cook");
    EXPECT_EQ(state.VolumesAsked, QStringList({"/home/cook"}));
    EXPECT_EQ(form.findChild<QLabel*>("Label7")->text(), "8,000,000KB");
    EXPECT_EQ(form.findChild<QLabel*>("Label8")->text(), "1,000,000KB");
    EXPECT_EQ(form.findChild<QLabel*>("Label9")->text(), "Fake Linux");
    EXPECT_EQ(form.findChild<QLabel*>("Label15")->text(), "2,048MB");
    EXPECT_TRUE(form.findChild<QPlainTextEdit*>("Memo1")->toPlainText().startsWith(
        "ネットワークドライブ\n"));
    EXPECT_EQ(form.findChild<QPlainTextEdit*>("Memo2")->toPlainText(),
              "ディスプレイサイズ\t1280×1024\nディスプレイ解像度\t96dpi");

    // Another volume: gathered again; the next showing starts on the program's volume.
    combo->setCurrentIndex(0);
    EXPECT_EQ(form.findChild<QLabel*>("Label15")->text(), "4,096MB");
    form.hide();
    form.show();
    EXPECT_EQ(combo->currentText(), "/home/cook");
    EXPECT_TRUE(answers.Texts().isEmpty());
    RenderWidgetIfAsked(&form, "version_form");
}

TEST(VersionForm, AFailingSourceShowsTheErrorAndKeepsTheValues) {
    TFakeState state;
    state.FailDisplay = true;
    TVersionForm form("/home/x/", nullptr, std::make_unique<TFakeSources>(&state));
    TDialogAnswerer answers;
    form.show();
    ASSERT_EQ(answers.Texts().size(), 1);
    EXPECT_EQ(answers.Texts()[0], "システム情報読み込みエラー. Msg=SystemInformation Error.");
    EXPECT_EQ(form.findChild<QLabel*>("Label7")->text(), "8,000,000KB");
    EXPECT_EQ(form.findChild<QLabel*>("Label15")->text(), "4,096MB");
    EXPECT_EQ(form.findChild<QComboBox*>("ComboBox1")->currentText(), "/home");
    EXPECT_TRUE(form.findChild<QPlainTextEdit*>("Memo2")->toPlainText().isEmpty());
}

TEST(VersionForm, LinksOpenTheHomePageAndAMail) {
    TFakeState state;
    TVersionForm form("/", nullptr, std::make_unique<TFakeSources>(&state));
    QStringList opened;
    bool openWorks = true;
    form.OpenAddress = [&](const QString& a) {
        opened << a;
        return openWorks;
    };
    TDialogAnswerer answers;
    form.show();
    QTest::mouseClick(form.findChild<QLabel*>("Label3"), Qt::LeftButton);
    QTest::mouseClick(form.findChild<QLabel*>("Label5"), Qt::LeftButton);
    QTest::mouseClick(form.findChild<QLabel*>("Image4"), Qt::LeftButton);
    ASSERT_EQ(opened.size(), 3);
    EXPECT_EQ(opened[0], TVersionForm::HomePageAddress());
    EXPECT_TRUE(opened[2].startsWith("mailto:"));
    EXPECT_TRUE(opened[2].endsWith("?subject=Saporia 2.1.0.0&body=【内 容】%0D%0A"));
    EXPECT_TRUE(answers.Texts().isEmpty());
    openWorks = false;
    QTest::mouseClick(form.findChild<QLabel*>("Image4"), Qt::LeftButton);
    EXPECT_EQ(answers.Texts().size(), 1);
}
