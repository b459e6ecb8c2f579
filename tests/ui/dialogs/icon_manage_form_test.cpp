#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLabel>

#include "core/recipes/icon_file.h"
#include "support/dialog_driver.h"
#include "support/temp_app_dir.h"
#include "ui/dialogs/icon_manage_form.h"
#include "ui/platform/dialogs.h"

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
    void Delete(int n) {
        ClickChild(&Form, QStringLiteral("MkImg%1").arg(n).toLatin1().constData());
        Answers.Answer(TMsgResult::Yes);
        Form.BitBtn2Click();
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
        EXPECT_FALSE(Child<QWidget>(&f.Form, "BitBtn2")->isEnabled());
        // The same name again: No keeps the icon there.
        f.Answers.AnswerText(f.App.Path("pics/other/pan.png"));
        f.Answers.Answer(TMsgResult::No);
        f.Form.BitBtn1Click();
        EXPECT_EQ(QColor(QImage(f.App.Path("Icon/pan.bmp")).pixel(16, 16)), QColor(Qt::blue));
        f.Delete(0);
        f.Delete(1);
        // Each rebuild keeps one set of panels.
        EXPECT_EQ(f.Form.findChildren<QLabel*>(QRegularExpression("^MkImg")).size(), 1);
        ClickChild(&f.Form, "Button1");
    });
    f.Form.BuildIconGrid();
    f.Form.exec();
    EXPECT_TRUE(QDir(f.App.Path("Icon")).entryList(QDir::Files).isEmpty());
    EXPECT_TRUE(QFileInfo(f.App.Path("Icon/odd.bmp")).isDir());
    const QStringList texts = f.Answers.Texts();
    EXPECT_EQ(texts.count(IconOverwriteQuestion), 1);
    EXPECT_EQ(texts.filter(f.App.Path("Icon/odd.bmp")).size(), 1);  // the refusal names the entry
    EXPECT_EQ(texts.constLast(), IconRestartNotice);

    // Shown and closed without a change: no notice.
    f.Answers.ClearLog();
    WhenShown(&f.Form, [&] { f.Form.reject(); });
    f.Form.exec();
    EXPECT_TRUE(f.Answers.Texts().isEmpty());
}
