#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "support/dialog_driver.h"
#include "core/recipes/icon_file.h"
#include "ui/dialogs/icon_manage_form.h"
#include "ui/platform/dialogs.h"
#include "support/temp_app_dir.h"

namespace {

struct TIconFolder {
    TTempAppDir App;
    TIconManageForm Form;
    TDialogAnswerer Answers;
    TIconFolder() { Form.SetAppDir(App.AppDir()); }

    void Picture(const QString& relative, QColor colour) {
        QImage image(40, 40, QImage::Format_RGB32);
        image.fill(colour);
        QDir().mkpath(QFileInfo(App.Path(relative)).path());
        ASSERT_TRUE(image.save(App.Path(relative), "PNG"));
    }
    QStringList Files() const { return QDir(App.Path("Icon")).entryList(QDir::Files, QDir::Name); }
    QColor Centre(const char* icon) const { return QImage(App.Path(icon)).pixel(16, 16); }
    void Select(int n) { QTest::mouseClick(Form.findChild<QLabel*>(QStringLiteral("MkImg%1").arg(n)), Qt::LeftButton); }
    QStringList Messages() const {
        QStringList texts;
        for (const TDialogCall& call : Answers.Calls())
            if (call.Kind == TDialogKind::Message)
                texts << call.Text;
        return texts;
    }
};

}  // namespace

TEST(IconManageForm, AddOverwriteAskedDeleteAndARefusalThenTheRestartNotice) {
    TIconFolder f;
    f.Picture("pics/pan.png", Qt::blue);
    f.Picture("pics/other/pan.png", Qt::red);
    // An odd entry: shown with a placeholder, and it cannot be removed as a file.
    QDir().mkpath(f.App.Path("Icon/odd.bmp"));
    WhenShown(&f.Form, [&] {
        f.Answers.AnswerText(f.App.Path("pics/pan.png"));
        f.Form.BitBtn1Click();
        EXPECT_EQ(f.Form.findChild<QWidget*>("MkPnl1")->pos(), QPoint(60, 5));
        EXPECT_FALSE(Child<QPushButton>(&f.Form, "BitBtn2")->isEnabled());
        // The same name again: No keeps the icon there.
        f.Answers.AnswerText(f.App.Path("pics/other/pan.png"));
        f.Answers.Answer(TMsgResult::No);
        f.Form.BitBtn1Click();
        EXPECT_EQ(f.Centre("Icon/pan.bmp"), QColor(Qt::blue));
        f.Select(0);
        f.Answers.Answer(TMsgResult::Yes);
        f.Form.BitBtn2Click();
        f.Select(1);
        f.Answers.Answer(TMsgResult::Yes);
        f.Form.BitBtn2Click();
        // Each rebuild keeps one set of panels.
        EXPECT_EQ(f.Form.findChildren<QLabel*>(QRegularExpression("^MkImg")).size(), 1);
        QTest::mouseClick(Child<QPushButton>(&f.Form, "Button1"), Qt::LeftButton);
    });
    f.Form.BuildIconGrid();
    f.Form.exec();
    EXPECT_EQ(f.Files(), QStringList());
    EXPECT_TRUE(QFileInfo(f.App.Path("Icon/odd.bmp")).isDir());
    const QStringList texts = f.Messages();
    ASSERT_EQ(texts.size(), 5);
    EXPECT_EQ(texts[0], IconOverwriteQuestion);
    EXPECT_EQ(texts[1], QStringLiteral("「odd」を削除してもよろしいですか？"));
    EXPECT_TRUE(texts[2].contains(f.App.Path("Icon/odd.bmp"))) << texts[2].toStdString();
    EXPECT_EQ(texts[4], IconRestartNotice);

    // Shown and closed without a change: no notice.
    f.Answers.ClearLog();
    WhenShown(&f.Form, [&] { f.Form.reject(); });
    f.Form.exec();
    EXPECT_TRUE(f.Answers.Texts().isEmpty());
}
