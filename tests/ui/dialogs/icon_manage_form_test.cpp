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

void WritePicture(const TTempAppDir& app, const QString& relative, const char* format, QColor colour) {
    QImage image(40, 40, QImage::Format_RGB32);
    image.fill(colour);
    QDir().mkpath(QFileInfo(app.Path(relative)).path());
    if (QByteArray(format) == "JPG")
        app.WriteBytes(relative, EncodeJpeg(image));
    else
        ASSERT_TRUE(image.save(app.Path(relative), format));
}

QStringList IconFiles(const TTempAppDir& app) {
    return QDir(app.Path("Icon")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
}

}  // namespace

TEST(IconManageForm, ListsBitmapsWithPlaceholdersForOddEntries) {
    TTempAppDir app;
    WritePicture(app, "Icon/b.bmp", "BMP", Qt::red);
    WritePicture(app, "Icon/A.BMP", "BMP", Qt::green);
    app.WriteBytes("Icon/broken.bmp", "not a bitmap");
    app.WriteBytes("Icon/readme.txt", "x");
    QDir().mkpath(app.Path("Icon/folder.bmp"));
    TIconManageForm form;
    form.SetAppDir(app.AppDir());
    form.BuildIconGrid();
    ASSERT_EQ(form.PanelCount(), 4);
    QStringList hints;
    for (int n = 0; n < 4; ++n)
        hints << form.findChild<QLabel*>(QStringLiteral("MkImg%1").arg(n))->property("Hint").toString();
    EXPECT_EQ(hints, QStringList({"A.BMP", "b.bmp", "broken.bmp", "folder.bmp"}));
    EXPECT_EQ(form.findChild<QWidget*>("MkPnl1")->pos(), QPoint(60, 5));
    EXPECT_EQ(form.findChild<QWidget*>("MkPnl3")->pos(), QPoint(170, 5));
    EXPECT_FALSE(Child<QPushButton>(&form, "BitBtn2")->isEnabled());
    QTest::mouseClick(form.findChild<QLabel*>("MkImg2"), Qt::LeftButton);
    EXPECT_EQ(form.Selection(), 2);
    EXPECT_TRUE(Child<QPushButton>(&form, "BitBtn2")->isEnabled());
    // Rebuilding twice keeps one set of panels.
    form.BuildIconGrid();
    EXPECT_EQ(form.findChildren<QLabel*>(QRegularExpression("^MkImg")).size(), 4);
    EXPECT_EQ(form.Selection(), -1);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(IconManageForm, AddOverwriteDeleteAndRestartNotice) {
    TTempAppDir app;
    WritePicture(app, "pics/pan.png", "PNG", Qt::blue);
    WritePicture(app, "pics/pot.JPG", "JPG", Qt::yellow);
    WritePicture(app, "pics/other/pan.gif", "BMP", Qt::red);
    app.WriteBytes("pics/drawing.emf", "metafile");
    TIconManageForm form;
    form.SetAppDir(app.AppDir());
    TDialogAnswerer answers;

    WhenShown(&form, [&] {
        answers.AnswerText(app.Path("pics/pan.png"));
        form.BitBtn1Click();
        answers.AnswerText(app.Path("pics/pot.JPG"));
        form.BitBtn1Click();
        EXPECT_EQ(IconFiles(app), QStringList({"pan.bmp", "pot.bmp"}));
        QImage icon(app.Path("Icon/pan.bmp"));
        EXPECT_EQ(icon.size(), QSize(32, 32));
        EXPECT_EQ(QColor(icon.pixel(16, 16)), QColor(Qt::blue));

        // Same name again: No keeps the file, Yes replaces it.
        answers.AnswerText(app.Path("pics/other/pan.gif"));
        answers.Answer(TMsgResult::No);
        form.BitBtn1Click();
        EXPECT_EQ(QColor(QImage(app.Path("Icon/pan.bmp")).pixel(16, 16)), QColor(Qt::blue));
        answers.AnswerText(app.Path("pics/other/pan.gif"));
        answers.Answer(TMsgResult::Yes);
        form.BitBtn1Click();
        EXPECT_EQ(QColor(QImage(app.Path("Icon/pan.bmp")).pixel(16, 16)), QColor(Qt::red));

        // A metafile cannot be read here: an error, nothing written.
        answers.AnswerText(app.Path("pics/drawing.emf"));
        form.BitBtn1Click();
        EXPECT_FALSE(QFileInfo::exists(app.Path("Icon/drawing.bmp")));

        // Delete asks with the name between the brackets.
        QTest::mouseClick(form.findChild<QLabel*>("MkImg1"), Qt::LeftButton);
        answers.Answer(TMsgResult::No);
        form.BitBtn2Click();
        EXPECT_EQ(IconFiles(app).size(), 2);
        QTest::mouseClick(form.findChild<QLabel*>("MkImg1"), Qt::LeftButton);
        answers.Answer(TMsgResult::Yes);
        form.BitBtn2Click();
        EXPECT_EQ(IconFiles(app), QStringList({"pan.bmp"}));
        EXPECT_EQ(form.PanelCount(), 1);
        QTest::mouseClick(Child<QPushButton>(&form, "Button1"), Qt::LeftButton);
    });
    form.BuildIconGrid();
    form.exec();
    const QStringList texts = answers.Texts();
    EXPECT_TRUE(texts.contains(IconOverwriteQuestion));
    EXPECT_TRUE(texts.contains(QStringLiteral("「pot」を削除してもよろしいですか？")));
    EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [](const QString& t) { return t.startsWith("Add Icon Error. Msg="); }));
    EXPECT_EQ(texts.back(), IconRestartNotice);

    // Shown and closed without a change: no notice.
    answers.ClearLog();
    WhenShown(&form, [&] { form.reject(); });
    form.exec();
    EXPECT_TRUE(answers.Texts().isEmpty());
}

TEST(IconManageForm, FailedDeleteAndSaveAreReportedAndChangeNothing) {
    TTempAppDir app;
    WritePicture(app, "Icon/keep.bmp", "BMP", Qt::green);
    WritePicture(app, "pics/odd.png", "PNG", Qt::blue);
    // Entries that cannot be replaced or removed as files.
    QDir().mkpath(app.Path("Icon/odd.bmp/inside"));
    TIconManageForm form;
    form.SetAppDir(app.AppDir());
    TDialogAnswerer answers;
    WhenShown(&form, [&] {
        RenderWidgetIfAsked(&form, "icon_manage_form");
        EXPECT_EQ(form.PanelCount(), 2);
        QTest::mouseClick(form.findChild<QLabel*>("MkImg1"), Qt::LeftButton);
        answers.Answer(TMsgResult::Yes);
        form.BitBtn2Click();
        EXPECT_TRUE(QFileInfo(app.Path("Icon/odd.bmp")).isDir());
        EXPECT_FALSE(form.IconsChanged());

        answers.AnswerText(app.Path("pics/odd.png"));
        answers.Answer(TMsgResult::Yes);
        form.BitBtn1Click();
        EXPECT_TRUE(QFileInfo(app.Path("Icon/odd.bmp")).isDir());
        EXPECT_FALSE(form.IconsChanged());
        EXPECT_EQ(form.PanelCount(), 2);
        form.reject();
    });
    form.BuildIconGrid();
    form.exec();
    QStringList texts;
    for (const TDialogCall& call : answers.Calls())
        if (call.Kind == TDialogKind::Message)
            texts << call.Text;
    ASSERT_EQ(texts.size(), 4);
    EXPECT_EQ(texts[0], QStringLiteral("「odd」を削除してもよろしいですか？"));
    EXPECT_TRUE(texts[1].contains(app.Path("Icon/odd.bmp"))) << texts[1].toStdString();
    EXPECT_EQ(texts[2], IconOverwriteQuestion);
    EXPECT_TRUE(texts[3].startsWith("Add Icon Error. Msg=")) << texts[3].toStdString();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(IconFiles(app), QStringList({"keep.bmp", "odd.bmp"}));
}
