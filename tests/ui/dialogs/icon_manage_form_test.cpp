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
#include "core/platform/jpeg.h"
#include "support/render_ui.h"
#include "support/temp_app_dir.h"

namespace {

struct TIconFolder {
    TTempAppDir App;
    TIconManageForm Form;
    TDialogAnswerer Answers;
    TIconFolder() { Form.SetAppDir(App.AppDir()); }

    void Picture(const QString& relative, const char* format, QColor colour) {
        QImage image(40, 40, QImage::Format_RGB32);
        image.fill(colour);
        QDir().mkpath(QFileInfo(App.Path(relative)).path());
        if (QByteArray(format) == "JPG")
            App.WriteBytes(relative, EncodeJpeg(image));
        else
            ASSERT_TRUE(image.save(App.Path(relative), format));
    }
    QStringList Files() const {
        return QDir(App.Path("Icon")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
    }
    QColor Centre(const char* icon) const { return QImage(App.Path(icon)).pixel(16, 16); }
    void Select(int n) { QTest::mouseClick(Form.findChild<QLabel*>(QStringLiteral("MkImg%1").arg(n)), Qt::LeftButton); }
    void Add(const QString& picture, std::optional<TMsgResult> overwrite = {}) {
        Answers.AnswerText(App.Path(picture));
        if (overwrite)
            Answers.Answer(*overwrite);
        Form.BitBtn1Click();
    }
    void Delete(int n, TMsgResult answer) {
        Select(n);
        Answers.Answer(answer);
        Form.BitBtn2Click();
    }
    QStringList Messages() const {
        QStringList texts;
        for (const TDialogCall& call : Answers.Calls())
            if (call.Kind == TDialogKind::Message)
                texts << call.Text;
        return texts;
    }
};

}  // namespace

TEST(IconManageForm, ListsBitmapsWithPlaceholdersForOddEntries) {
    TIconFolder f;
    f.Picture("Icon/b.bmp", "BMP", Qt::red);
    f.Picture("Icon/A.BMP", "BMP", Qt::green);
    f.App.WriteBytes("Icon/broken.bmp", "not a bitmap");
    f.App.WriteBytes("Icon/readme.txt", "x");
    QDir().mkpath(f.App.Path("Icon/folder.bmp"));
    f.Form.BuildIconGrid();
    ASSERT_EQ(f.Form.PanelCount(), 4);
    QStringList hints;
    for (int n = 0; n < 4; ++n)
        hints << f.Form.findChild<QLabel*>(QStringLiteral("MkImg%1").arg(n))->property("Hint").toString();
    EXPECT_EQ(hints, QStringList({"A.BMP", "b.bmp", "broken.bmp", "folder.bmp"}));
    EXPECT_EQ(f.Form.findChild<QWidget*>("MkPnl1")->pos(), QPoint(60, 5));
    EXPECT_EQ(f.Form.findChild<QWidget*>("MkPnl3")->pos(), QPoint(170, 5));
    EXPECT_FALSE(Child<QPushButton>(&f.Form, "BitBtn2")->isEnabled());
    f.Select(2);
    EXPECT_EQ(f.Form.Selection(), 2);
    EXPECT_TRUE(Child<QPushButton>(&f.Form, "BitBtn2")->isEnabled());
    // Rebuilding keeps one set of panels.
    f.Form.BuildIconGrid();
    EXPECT_EQ(f.Form.findChildren<QLabel*>(QRegularExpression("^MkImg")).size(), 4);
    EXPECT_EQ(f.Form.Selection(), -1);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(IconManageForm, AddOverwriteDeleteAndRestartNotice) {
    TIconFolder f;
    f.Picture("pics/pan.png", "PNG", Qt::blue);
    f.Picture("pics/pot.JPG", "JPG", Qt::yellow);
    f.Picture("pics/other/pan.gif", "BMP", Qt::red);
    f.App.WriteBytes("pics/drawing.emf", "metafile");
    WhenShown(&f.Form, [&] {
        f.Add("pics/pan.png");
        f.Add("pics/pot.JPG");
        EXPECT_EQ(f.Files(), QStringList({"pan.bmp", "pot.bmp"}));
        EXPECT_EQ(QImage(f.App.Path("Icon/pan.bmp")).size(), QSize(32, 32));
        EXPECT_EQ(f.Centre("Icon/pan.bmp"), QColor(Qt::blue));
        // Same name again: No keeps the file, Yes replaces it.
        f.Add("pics/other/pan.gif", TMsgResult::No);
        EXPECT_EQ(f.Centre("Icon/pan.bmp"), QColor(Qt::blue));
        f.Add("pics/other/pan.gif", TMsgResult::Yes);
        EXPECT_EQ(f.Centre("Icon/pan.bmp"), QColor(Qt::red));
        // A metafile cannot be read here: an error, nothing written.
        f.Add("pics/drawing.emf");
        EXPECT_FALSE(QFileInfo::exists(f.App.Path("Icon/drawing.bmp")));
        f.Delete(1, TMsgResult::No);
        EXPECT_EQ(f.Files().size(), 2);
        f.Delete(1, TMsgResult::Yes);
        EXPECT_EQ(f.Files(), QStringList({"pan.bmp"}));
        EXPECT_EQ(f.Form.PanelCount(), 1);
        QTest::mouseClick(Child<QPushButton>(&f.Form, "Button1"), Qt::LeftButton);
    });
    f.Form.BuildIconGrid();
    f.Form.exec();
    const QStringList texts = f.Answers.Texts();
    EXPECT_TRUE(texts.contains(IconOverwriteQuestion));
    EXPECT_TRUE(texts.contains(QStringLiteral("「pot」を削除してもよろしいですか？")));
    EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [](const QString& t) { return t.startsWith("Add Icon Error. Msg="); }));
    EXPECT_EQ(texts.back(), IconRestartNotice);

    // Shown and closed without a change: no notice.
    f.Answers.ClearLog();
    WhenShown(&f.Form, [&] { f.Form.reject(); });
    f.Form.exec();
    EXPECT_TRUE(f.Answers.Texts().isEmpty());
}

TEST(IconManageForm, FailedDeleteAndSaveAreReportedAndChangeNothing) {
    TIconFolder f;
    f.Picture("Icon/keep.bmp", "BMP", Qt::green);
    f.Picture("pics/odd.png", "PNG", Qt::blue);
    // Entries that cannot be replaced or removed as files.
    QDir().mkpath(f.App.Path("Icon/odd.bmp/inside"));
    WhenShown(&f.Form, [&] {
        RenderWidgetIfAsked(&f.Form, "icon_manage_form");
        f.Delete(1, TMsgResult::Yes);
        f.Add("pics/odd.png", TMsgResult::Yes);
        EXPECT_FALSE(f.Form.IconsChanged());
        EXPECT_EQ(f.Form.PanelCount(), 2);
        f.Form.reject();
    });
    f.Form.BuildIconGrid();
    f.Form.exec();
    const QStringList texts = f.Messages();
    ASSERT_EQ(texts.size(), 4);
    EXPECT_EQ(texts[0], QStringLiteral("「odd」を削除してもよろしいですか？"));
    EXPECT_TRUE(texts[1].contains(f.App.Path("Icon/odd.bmp"))) << texts[1].toStdString();
    EXPECT_EQ(texts[2], IconOverwriteQuestion);
    EXPECT_TRUE(texts[3].startsWith("Add Icon Error. Msg=")) << texts[3].toStdString();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(f.Files(), QStringList({"keep.bmp", "odd.bmp"}));
    EXPECT_TRUE(QFileInfo(f.App.Path("Icon/odd.bmp")).isDir());
}
