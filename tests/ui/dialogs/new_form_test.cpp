#include <gtest/gtest.h>

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "support/dialog_driver.h"
#include "ui/widgets/icon_box.h"
#include "ui/dialogs/icon_form.h"
#include "ui/dialogs/new_form.h"
#include "ui/dialogs/new_wizard_form.h"
#include "ui/widgets/star_rating.h"
#include "ui/platform/dialogs.h"
#include "core/platform/file_io.h"
#include "core/platform/jpeg.h"
#include "core/platform/sjis.h"
#include "support/dialog_fixture.h"
#include "support/render_ui.h"
#include "support/temp_app_dir.h"

namespace {

struct TNewRecipeWindows {
    TNewForm Names;
    TNewWizardForm Wizard;
    TIconForm Picker;
    TNewRecipeWindows() {
        Picker.BuildIconGrid(ColouredIcons(35));
        Wizard.SetIconPicker(&Picker);
    }
};

void TypeNameAndOk(TNewForm* names, const QString& name, bool wizard) {
    Child<QLineEdit>(names, "EditRecipeName")->setText(name);
    Child<QCheckBox>(names, "CheckBox1")->setChecked(wizard);
    QTest::mouseClick(Child<QPushButton>(names, "BtnOK"), Qt::LeftButton);
}

void ClickNext(TNewWizardForm* wizard, int times) {
    for (int i = 0; i < times; ++i)
        QTest::mouseClick(Child<QPushButton>(wizard, "BitBtnNext"), Qt::LeftButton);
}

}  // namespace

TEST(NewForm, RefusedNamesWarnAndKeepTheDialogOpen) {
    TTempAppDir app;
    const QString root = app.Path("Cook");
    QDir().mkpath(root + "/Curry");
    TNewRecipeWindows w;
    TDialogAnswerer answers;
    QStringList shownWhileOpen;
    WhenShown(&w.Names, [&] {
        for (const QString& bad : {QStringLiteral("   "), QStringLiteral(" Curry "), QStringLiteral("../x"),
                                   QStringLiteral("a/b"), QStringLiteral(".."), QStringLiteral("x|y")}) {
            TypeNameAndOk(&w.Names, bad, false);
            shownWhileOpen.append(w.Names.isVisible() ? "open" : "closed");
        }
        Child<QLineEdit>(&w.Names, "EditRecipeName")->setText(QStringLiteral("肉じゃが"));
        RenderWidgetIfAsked(&w.Names, "new_form");
        QTest::mouseClick(Child<QPushButton>(&w.Names, "BtnCancel"), Qt::LeftButton);
    });
    EXPECT_FALSE(RunNewRecipe(&w.Names, &w.Wizard, root, {}).has_value());
    EXPECT_EQ(shownWhileOpen, QStringList(6, "open"));
    const QStringList texts = answers.Texts();
    ASSERT_EQ(texts.size(), 6);
    EXPECT_EQ(texts[0], "料理名称を入力してください。");
    EXPECT_EQ(texts[1], "既に存在する料理名です。");
    EXPECT_EQ(QDir(root).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList({"Curry"}));
    EXPECT_EQ(QDir(app.AppDir()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList({"Cook"}));
}

TEST(NewForm, WizardStepsCaptionsAndCancelCreatesNothing) {
    TTempAppDir app;
    TNewRecipeWindows w;
    QStringList seen;
    WhenShown(&w.Names, [&] {
        TypeNameAndOk(&w.Names, "Soup", true);
        WhenShown(&w.Wizard, [&] {
            auto* next = Child<QPushButton>(&w.Wizard, "BitBtnNext");
            auto* prev = Child<QPushButton>(&w.Wizard, "BitBtnPrev");
            auto state = [&] {
                return w.Wizard.windowTitle() + "|" + Child<QLabel>(&w.Wizard, "Label1")->text() + "|" +
                       (prev->isVisible() ? "prev" : "-") + "|" + next->text();
            };
            seen << Child<QLabel>(&w.Wizard, "Label3")->text() << state();
            ClickNext(&w.Wizard, 3);
            seen << state();
            EXPECT_TRUE(Child<QWidget>(&w.Wizard, "Panel4")->isVisible());
            EXPECT_FALSE(Child<QWidget>(&w.Wizard, "Panel1")->isVisible());
            QTest::mouseClick(prev, Qt::LeftButton);
            seen << state();
            QTest::mouseClick(Child<QPushButton>(&w.Wizard, "BitBtnCancel"), Qt::LeftButton);
        });
    });
    EXPECT_FALSE(RunNewRecipe(&w.Names, &w.Wizard, app.Path("Cook"), {}).has_value());
    EXPECT_EQ(seen, QStringList({"Soup", "新規作成ウィザード(1/4)|1．材料登録|-|次へ(&N) >",
                                 "新規作成ウィザード(4/4)|4．属性登録|prev|完了",
                                 "新規作成ウィザード(3/4)|3．料理画像登録|prev|次へ(&N) >"}));
    EXPECT_FALSE(QFileInfo::exists(app.Path("Cook/Soup")));
    EXPECT_FALSE(w.Names.isVisible());
}

TEST(NewForm, UntouchedWizardWritesIconDateGroupAndZeroRatings) {
    TTempAppDir app;
    TNewRecipeWindows w;
    // The group box keeps its text from the last use.
    Child<QComboBox>(&w.Wizard, "ComboBox3")->setEditText(QStringLiteral("和食"));
    WhenShown(&w.Names, [&] {
        TypeNameAndOk(&w.Names, QStringLiteral("  味噌汁  "), true);
        WhenShown(&w.Wizard, [&] { ClickNext(&w.Wizard, 4); });
    });
    const std::optional<TCookItem> item = RunNewRecipe(&w.Names, &w.Wizard, app.Path("Cook"), {});
    ASSERT_TRUE(item.has_value());
    EXPECT_EQ(item->Name, QStringLiteral("味噌汁"));
    EXPECT_EQ(item->NiceValue, 0);
    EXPECT_EQ(item->DifficultValue, 0);
    const QByteArray status = app.ReadBytes("Cook/味噌汁/Status.txt");
    EXPECT_EQ(status, "Icon=-1\r\nDate=" + TodayDateText().toLatin1() +
                          "\r\nGroup=\x98\x61\x90\x48\r\nNiceValue=0\r\nDifficultValue=0\r\n");
    EXPECT_FALSE(QFileInfo::exists(app.Path("Cook/味噌汁/写真.jpg")));
}

TEST(NewForm, AFailedCreationBringsTheWizardBackWithEverythingTyped) {
    TTempAppDir app;
    TNewRecipeWindows w;
    TDialogAnswerer answers;
    int shownAgainOnStep = -1;
    QString methodShownAgain;
    WhenShown(&w.Names, [&] {
        TypeNameAndOk(&w.Names, QStringLiteral("親子丼"), true);
        WhenShown(&w.Wizard, [&] {
            Child<QPlainTextEdit>(&w.Wizard, "Memo1")->setPlainText(QStringLiteral("鶏肉\n卵"));
            ClickNext(&w.Wizard, 1);
            // A character the recipe files cannot hold.
            Child<QPlainTextEdit>(&w.Wizard, "Memo2")->setPlainText(QStringLiteral("煮る \U0001F373"));
            ClickNext(&w.Wizard, 2);
            QTest::mouseClick(w.Wizard.findChild<TStarImage*>("Image7"), Qt::LeftButton);
            WhenShown(&w.Wizard, [&] {
                shownAgainOnStep = w.Wizard.StepIndex();
                methodShownAgain = Child<QPlainTextEdit>(&w.Wizard, "Memo2")->toPlainText();
                QTest::mouseClick(Child<QPushButton>(&w.Wizard, "BitBtnPrev"), Qt::LeftButton);
                QTest::mouseClick(Child<QPushButton>(&w.Wizard, "BitBtnPrev"), Qt::LeftButton);
                Child<QPlainTextEdit>(&w.Wizard, "Memo2")->setPlainText(QStringLiteral("煮る"));
                ClickNext(&w.Wizard, 3);
            });
            ClickNext(&w.Wizard, 1);
        });
    });
    const std::optional<TCookItem> item = RunNewRecipe(&w.Names, &w.Wizard, app.Path("Cook"), {});
    ASSERT_EQ(answers.Calls().size(), 1u);
    EXPECT_TRUE(answers.Calls()[0].Text.startsWith("New Recipe Error. Msg=")) << answers.Calls()[0].Text.toStdString();
    EXPECT_EQ(shownAgainOnStep, 3);
    EXPECT_EQ(methodShownAgain, QStringLiteral("煮る \U0001F373"));
    ASSERT_TRUE(item.has_value());
    EXPECT_EQ(item->NiceValue, 3);
    EXPECT_EQ(ReadSjisLines(app.Path("Cook/親子丼/材料.txt")), QStringList({QStringLiteral("鶏肉"), QStringLiteral("卵")}));
    EXPECT_EQ(ReadSjisLines(app.Path("Cook/親子丼/方法.txt")), QStringList({QStringLiteral("煮る")}));

    // The next new recipe starts from an empty wizard again.
    w.Wizard.show();
    EXPECT_EQ(w.Wizard.StepIndex(), 0);
    EXPECT_TRUE(Child<QPlainTextEdit>(&w.Wizard, "Memo1")->toPlainText().isEmpty());
    w.Wizard.hide();
}

TEST(NewForm, FullWizardWritesTwelveLinesAndTheBitmapPhotoAsJpeg) {
    TTempAppDir app;
    QImage bitmap(64, 48, QImage::Format_RGB32);
    bitmap.fill(QColor(10, 200, 30));
    const QString bmpPath = app.Path("photo.BMP");
    ASSERT_TRUE(bitmap.save(bmpPath, "BMP"));

    TNewRecipeWindows w;
    TDialogAnswerer answers;
    answers.AnswerText(bmpPath);
    WhenShown(&w.Names, [&] {
        TypeNameAndOk(&w.Names, QStringLiteral("親子丼"), true);
        WhenShown(&w.Wizard, [&] {
            Child<QPlainTextEdit>(&w.Wizard, "Memo1")->setPlainText(QStringLiteral("鶏肉\n卵"));
            ClickNext(&w.Wizard, 1);
            Child<QPlainTextEdit>(&w.Wizard, "Memo2")->setPlainText(QStringLiteral("煮る"));
            ClickNext(&w.Wizard, 1);
            QTest::mouseClick(Child<QToolButton>(&w.Wizard, "SpeedButton1"), Qt::LeftButton);
            EXPECT_TRUE(w.Wizard.HasPhoto());
            ClickNext(&w.Wizard, 1);
            QTest::mouseClick(Child<TIconBox>(&w.Wizard, "Image4"), Qt::LeftButton);
            QTest::mouseClick(w.Picker.findChild<QLabel*>("IconImage34"), Qt::LeftButton);
            Child<QComboBox>(&w.Wizard, "ComboBox3")->setEditText(QStringLiteral("丼"));
            Child<QComboBox>(&w.Wizard, "ComboBox1")->setEditText(QStringLiteral("主食"));
            Child<QComboBox>(&w.Wizard, "ComboBox2")->setEditText(QStringLiteral("1人分"));
            QTest::keyClicks(Child<QLineEdit>(&w.Wizard, "Edit1"), "650");
            QTest::keyClicks(Child<QLineEdit>(&w.Wizard, "Edit2"), "400");
            Child<QLineEdit>(&w.Wizard, "Edit3")->setText(QStringLiteral("20分"));
            QTest::keyClicks(Child<QLineEdit>(&w.Wizard, "Edit4"), "3.2");
            QTest::mouseClick(Child<TStarImage>(&w.Wizard, "Image9"), Qt::LeftButton);
            QTest::mouseClick(Child<TStarImage>(&w.Wizard, "Image11"), Qt::LeftButton);
            ClickNext(&w.Wizard, 1);
        });
    });
    const std::optional<TCookItem> item = RunNewRecipe(&w.Names, &w.Wizard, app.Path("Cook"), TwoUserIcons());
    ASSERT_TRUE(item.has_value());
    EXPECT_EQ(ReadSjisLines(app.Path("Cook/親子丼/Status.txt")),
              QStringList({"Icon=34", QStringLiteral("Kind=主食"), QStringLiteral("Amount=1人分"), "Calorie=650",
                           "Price=400", QStringLiteral("WorkTime=20分"), "Date=" + TodayDateText(),
                           QStringLiteral("Group=丼"), "Salt=3.2", "NiceValue=5", "DifficultValue=2",
                           "ImageFileName=rice.bmp"}));
    EXPECT_EQ(app.ReadBytes("Cook/親子丼/材料.txt"), ToSjis(QStringLiteral("鶏肉\r\n卵\r\n")));
    const QByteArray photo = app.ReadBytes("Cook/親子丼/写真.jpg");
    ASSERT_TRUE(LooksLikeJpeg(photo));
    EXPECT_EQ(JpegSize(photo), QSize(64, 48));
    EXPECT_EQ(item->PhotoMark, PhotoMarkPresent);
    EXPECT_EQ(item->Icon, 34);

    // The next showing starts clean except for the group.
    WhenShown(&w.Wizard, [&] {
        EXPECT_FALSE(w.Wizard.HasPhoto());
        EXPECT_EQ(Child<TIconBox>(&w.Wizard, "Image4")->Hint(), "-1");
        EXPECT_TRUE(Child<QLineEdit>(&w.Wizard, "Edit1")->text().isEmpty());
        EXPECT_EQ(Child<QComboBox>(&w.Wizard, "ComboBox3")->currentText(), QStringLiteral("丼"));
        EXPECT_EQ(Child<TStarImage>(&w.Wizard, "Image5")->Tag(), -1);
        w.Wizard.reject();
    });
    w.Wizard.exec();
}

TEST(NewForm, PlainDialogWritesOneDateLineAndTwoEmptyFiles) {
    TTempAppDir app;
    TNewRecipeWindows w;
    WhenShown(&w.Names, [&] { TypeNameAndOk(&w.Names, "Plain", false); });
    const std::optional<TCookItem> item = RunNewRecipe(&w.Names, &w.Wizard, app.Path("Cook"), {});
    ASSERT_TRUE(item.has_value());
    EXPECT_EQ(app.ReadBytes("Cook/Plain/Status.txt"), "Date=" + TodayDateText().toLatin1() + "\r\n");
    EXPECT_TRUE(app.ReadBytes("Cook/Plain/材料.txt").isEmpty());
    EXPECT_TRUE(app.ReadBytes("Cook/Plain/方法.txt").isEmpty());
    EXPECT_EQ(item->NiceValue, -1);
    EXPECT_EQ(item->Icon, -1);
    // The check box keeps the user's choice for the next use.
    EXPECT_FALSE(Child<QCheckBox>(&w.Names, "CheckBox1")->isChecked());
}

TEST(NewForm, PhotoLoadPasteAndDelete) {
    TTempAppDir app;
    TNewWizardForm wizard;
    TDialogAnswerer answers;
    app.WriteBytes("notes.txt", "text");
    app.WriteBytes("broken.jpg", "not a jpeg");
    answers.AnswerText(app.Path("notes.txt"));
    wizard.L1Click();
    EXPECT_FALSE(wizard.HasPhoto());
    answers.AnswerText(app.Path("broken.jpg"));
    wizard.L1Click();
    EXPECT_FALSE(wizard.HasPhoto());
    ASSERT_EQ(answers.Calls().size(), 3u);
    EXPECT_TRUE(answers.Calls().back().Text.startsWith("Load Picture Error. Msg="));

    QImage picture(20, 10, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    const QByteArray jpeg = EncodeJpeg(picture);
    app.WriteBytes("camera.JPG", jpeg);
    answers.AnswerText(app.Path("camera.JPG"));
    wizard.L1Click();
    ASSERT_TRUE(wizard.HasPhoto());
    // A JPEG file is kept byte for byte.
    EXPECT_EQ(wizard.Collected().PhotoJpeg, jpeg);
    wizard.D1Click();
    EXPECT_FALSE(wizard.HasPhoto());

    QApplication::clipboard()->clear();
    wizard.Paste2Click();
    EXPECT_FALSE(wizard.HasPhoto());
    QApplication::clipboard()->setImage(picture);
    wizard.Paste2Click();
    ASSERT_TRUE(wizard.HasPhoto());
    EXPECT_EQ(JpegSize(wizard.Collected().PhotoJpeg), QSize(20, 10));

    // Shown on its step: a wide photo is scaled into the box keeping its shape.
    wizard.show();
    ClickNext(&wizard, 1);
    Child<QPlainTextEdit>(&wizard, "Memo2")->setPlainText(QStringLiteral("鍋に水を入れる。\n沸いたら具を入れる。"));
    RenderWidgetIfAsked(&wizard, "new_wizard_step2");
    ClickNext(&wizard, 1);
    QImage wide(400, 100, QImage::Format_RGB32);
    wide.fill(QColor(200, 100, 40));
    QApplication::clipboard()->setImage(wide);
    wizard.Paste2Click();
    auto* box = Child<QLabel>(&wizard, "Image1");
    const QSize shown = box->pixmap().size();
    EXPECT_EQ(shown.width(), box->width());
    EXPECT_NEAR(shown.height(), box->width() / 4, 1);
    RenderWidgetIfAsked(&wizard, "new_wizard_step3");
    wizard.hide();
}
