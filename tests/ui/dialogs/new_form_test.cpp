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
    void TypeNameAndOk(const QString& name, bool wizard) {
        Child<QLineEdit>(&Names, "EditRecipeName")->setText(name);
        Child<QCheckBox>(&Names, "CheckBox1")->setChecked(wizard);
        QTest::mouseClick(Child<QPushButton>(&Names, "BtnOK"), Qt::LeftButton);
    }
    // Names the recipe and, given `steps`, runs them inside the wizard.
    std::optional<TCookItem> Run(const QString& root, const QString& name, std::function<void()> steps = {},
                                 const TIconNames& icons = {}) {
        WhenShown(&Names, [this, name, steps] {
            TypeNameAndOk(name, bool(steps));
            if (steps)
                WhenShown(&Wizard, steps);
        });
        return RunNewRecipe(&Names, &Wizard, root, icons);
    }
    void Next(int times = 1) {
        for (int i = 0; i < times; ++i)
            QTest::mouseClick(Child<QPushButton>(&Wizard, "BitBtnNext"), Qt::LeftButton);
    }
    void Type(const char* box, const QString& text) {
        if (auto* memo = Child<QPlainTextEdit>(&Wizard, box))
            memo->setPlainText(text);
        else if (auto* combo = Child<QComboBox>(&Wizard, box))
            combo->setEditText(text);
        else
            Child<QLineEdit>(&Wizard, box)->setText(text);
    }
};

}  // namespace

TEST(NewForm, RefusedNamesWarnAndKeepTheDialogOpen) {
    TTempAppDir app;
    const QString root = app.Path("Cook");
    QDir().mkpath(root + "/Curry");
    TNewRecipeWindows w;
    TDialogAnswerer answers;
    const std::pair<QString, QString> rows[] = {
        {"   ", "料理名称を入力してください。"}, {" Curry ", "既に存在する料理名です。"}, {"../x", "レシピ名"}};
    QStringList shownWhileOpen;
    WhenShown(&w.Names, [&] {
        for (const auto& [name, text] : rows) {
            w.TypeNameAndOk(name, false);
            shownWhileOpen << (w.Names.isVisible() ? "open" : "closed");
        }
        Child<QLineEdit>(&w.Names, "EditRecipeName")->setText(QStringLiteral("肉じゃが"));
        RenderWidgetIfAsked(&w.Names, "new_form");
        QTest::mouseClick(Child<QPushButton>(&w.Names, "BtnCancel"), Qt::LeftButton);
    });
    EXPECT_FALSE(RunNewRecipe(&w.Names, &w.Wizard, root, {}).has_value());
    EXPECT_EQ(shownWhileOpen, QStringList(3, "open"));
    ASSERT_EQ(answers.Texts().size(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(answers.Texts()[i].startsWith(rows[i].second)) << answers.Texts()[i].toStdString();
    EXPECT_EQ(QDir(app.AppDir()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList({"Cook"}));
    EXPECT_EQ(QDir(root).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList({"Curry"}));
}

TEST(NewForm, WizardStepsCaptionsAndCancelCreatesNothing) {
    TTempAppDir app;
    TNewRecipeWindows w;
    QStringList seen;
    const auto result = w.Run(app.Path("Cook"), "Soup", [&] {
        auto* prev = Child<QPushButton>(&w.Wizard, "BitBtnPrev");
        auto state = [&] {
            return w.Wizard.windowTitle() + "|" + Child<QLabel>(&w.Wizard, "Label1")->text() + "|" +
                   (prev->isVisible() ? "prev" : "-") + "|" + Child<QPushButton>(&w.Wizard, "BitBtnNext")->text();
        };
        seen << Child<QLabel>(&w.Wizard, "Label3")->text() << state();
        w.Next(3);
        seen << state();
        QTest::mouseClick(prev, Qt::LeftButton);
        seen << state();
        QTest::mouseClick(Child<QPushButton>(&w.Wizard, "BitBtnCancel"), Qt::LeftButton);
    });
    EXPECT_FALSE(result.has_value());
    EXPECT_EQ(seen, QStringList({"Soup", "新規作成ウィザード(1/4)|1．材料登録|-|次へ(&N) >",
                                 "新規作成ウィザード(4/4)|4．属性登録|prev|完了",
                                 "新規作成ウィザード(3/4)|3．料理画像登録|prev|次へ(&N) >"}));
    EXPECT_FALSE(QFileInfo::exists(app.Path("Cook/Soup")));
}

TEST(NewForm, PlainAndUntouchedWizardWriteTheirFewLines) {
    TTempAppDir app;
    TNewRecipeWindows w;
    // The group box keeps its text from the last use.
    Child<QComboBox>(&w.Wizard, "ComboBox3")->setEditText(QStringLiteral("和食"));
    const QByteArray date = "Date=" + TodayDateText().toLatin1() + "\r\n";
    struct TRow {
        QString Typed, Name;
        bool Wizard;
        QByteArray Status;
        int Nice;
    };
    const TRow rows[] = {
        {"Plain", "Plain", false, date, -1},
        {"  味噌汁  ", "味噌汁", true, "Icon=-1\r\n" + date + "Group=\x98\x61\x90\x48\r\nNiceValue=0\r\nDifficultValue=0\r\n", 0},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Typed.toStdString());
        std::function<void()> steps;
        if (row.Wizard)
            steps = [&] { w.Next(4); };
        const auto item = w.Run(app.Path("Cook"), row.Typed, steps);
        ASSERT_TRUE(item.has_value());
        EXPECT_EQ(item->Name, row.Name);
        EXPECT_EQ(item->NiceValue, row.Nice);
        EXPECT_EQ(app.ReadBytes("Cook/" + row.Name + "/Status.txt"), row.Status);
        // The check box keeps the user's choice for the next use.
        EXPECT_EQ(Child<QCheckBox>(&w.Names, "CheckBox1")->isChecked(), row.Wizard);
    }
}

TEST(NewForm, AFailedCreationBringsTheWizardBackWithEverythingTyped) {
    TTempAppDir app;
    TNewRecipeWindows w;
    TDialogAnswerer answers;
    int shownAgainOnStep = -1;
    QString methodShownAgain;
    const auto item = w.Run(app.Path("Cook"), QStringLiteral("親子丼"), [&] {
        w.Type("Memo1", QStringLiteral("鶏肉\n卵"));
        w.Next();
        // A character the recipe files cannot hold.
        w.Type("Memo2", QStringLiteral("煮る \U0001F373"));
        w.Next(2);
        QTest::mouseClick(Child<TStarImage>(&w.Wizard, "Image7"), Qt::LeftButton);
        WhenShown(&w.Wizard, [&] {
            shownAgainOnStep = w.Wizard.StepIndex();
            methodShownAgain = Child<QPlainTextEdit>(&w.Wizard, "Memo2")->toPlainText();
            QTest::mouseClick(Child<QPushButton>(&w.Wizard, "BitBtnPrev"), Qt::LeftButton);
            QTest::mouseClick(Child<QPushButton>(&w.Wizard, "BitBtnPrev"), Qt::LeftButton);
            w.Type("Memo2", QStringLiteral("煮る"));
            w.Next(3);
        });
        w.Next();
    });
    ASSERT_EQ(answers.Calls().size(), 1u);
    EXPECT_TRUE(answers.Calls()[0].Text.startsWith("New Recipe Error. Msg=")) << answers.Calls()[0].Text.toStdString();
    EXPECT_EQ(shownAgainOnStep, 3);
    EXPECT_EQ(methodShownAgain, QStringLiteral("煮る \U0001F373"));
    ASSERT_TRUE(item.has_value());
    EXPECT_EQ(item->NiceValue, 3);
    EXPECT_EQ(ReadSjisLines(app.Path("Cook/親子丼/材料.txt")), QStringList({QStringLiteral("鶏肉"), QStringLiteral("卵")}));
    EXPECT_EQ(ReadSjisLines(app.Path("Cook/親子丼/方法.txt")), QStringList({QStringLiteral("煮る")}));
}

TEST(NewForm, FullWizardWritesEveryFieldAndTheNextShowingStartsClean) {
    TTempAppDir app;
    QImage bitmap(64, 48, QImage::Format_RGB32);
    bitmap.fill(QColor(10, 200, 30));
    ASSERT_TRUE(bitmap.save(app.Path("photo.BMP"), "BMP"));
    TNewRecipeWindows w;
    TDialogAnswerer answers;
    answers.AnswerText(app.Path("photo.BMP"));
    const auto item = w.Run(app.Path("Cook"), QStringLiteral("親子丼"), [&] {
        w.Type("Memo1", QStringLiteral("鶏肉\n卵"));
        w.Next(2);
        QTest::mouseClick(Child<QToolButton>(&w.Wizard, "SpeedButton1"), Qt::LeftButton);
        w.Next();
        QTest::mouseClick(Child<TIconBox>(&w.Wizard, "Image4"), Qt::LeftButton);
        QTest::mouseClick(w.Picker.findChild<QLabel*>("IconImage34"), Qt::LeftButton);
        const std::pair<const char*, QString> boxes[] = {
            {"ComboBox3", "丼"}, {"ComboBox1", "主食"}, {"ComboBox2", "1人分"}, {"Edit1", "650"},
            {"Edit2", "400"},    {"Edit3", "20分"},   {"Edit4", "3.2"}};
        for (const auto& [box, text] : boxes)
            w.Type(box, text);
        QTest::mouseClick(Child<TStarImage>(&w.Wizard, "Image9"), Qt::LeftButton);
        QTest::mouseClick(Child<TStarImage>(&w.Wizard, "Image11"), Qt::LeftButton);
        w.Next();
    }, TwoUserIcons());
    ASSERT_TRUE(item.has_value());
    EXPECT_EQ(ReadSjisLines(app.Path("Cook/親子丼/Status.txt")),
              QStringList({"Icon=34", QStringLiteral("Kind=主食"), QStringLiteral("Amount=1人分"), "Calorie=650",
                           "Price=400", QStringLiteral("WorkTime=20分"), "Date=" + TodayDateText(),
                           QStringLiteral("Group=丼"), "Salt=3.2", "NiceValue=5", "DifficultValue=2",
                           "ImageFileName=rice.bmp"}));
    EXPECT_EQ(JpegSize(app.ReadBytes("Cook/親子丼/写真.jpg")), QSize(64, 48));
    EXPECT_EQ(item->PhotoMark, PhotoMarkPresent);

    // Everything but the group is cleared for the next recipe.
    WhenShown(&w.Wizard, [&] {
        EXPECT_EQ(w.Wizard.StepIndex(), 0);
        EXPECT_TRUE(Child<QPlainTextEdit>(&w.Wizard, "Memo1")->toPlainText().isEmpty());
        EXPECT_FALSE(w.Wizard.HasPhoto());
        EXPECT_EQ(Child<TIconBox>(&w.Wizard, "Image4")->Hint(), "-1");
        EXPECT_TRUE(Child<QLineEdit>(&w.Wizard, "Edit1")->text().isEmpty());
        EXPECT_EQ(Child<QComboBox>(&w.Wizard, "ComboBox3")->currentText(), QStringLiteral("丼"));
        EXPECT_EQ(Child<TStarImage>(&w.Wizard, "Image5")->Tag(), -1);
        w.Wizard.reject();
    });
    w.Wizard.exec();
}

TEST(NewForm, PhotoLoadPasteDeleteAndScaling) {
    TTempAppDir app;
    TNewWizardForm wizard;
    TDialogAnswerer answers;
    app.WriteBytes("broken.jpg", "not a jpeg");
    answers.AnswerText(app.Path("broken.jpg"));
    wizard.L1Click();
    EXPECT_FALSE(wizard.HasPhoto());
    ASSERT_EQ(answers.Calls().size(), 2u);
    EXPECT_TRUE(answers.Calls().back().Text.startsWith("Load Picture Error. Msg="));

    QApplication::clipboard()->clear();
    wizard.Paste2Click();
    EXPECT_FALSE(wizard.HasPhoto());

    // Shown on its step: a wide photo is scaled into the box keeping its shape.
    wizard.show();
    QTest::mouseClick(Child<QPushButton>(&wizard, "BitBtnNext"), Qt::LeftButton);
    Child<QPlainTextEdit>(&wizard, "Memo2")->setPlainText(QStringLiteral("鍋に水を入れる。\n沸いたら具を入れる。"));
    RenderWidgetIfAsked(&wizard, "new_wizard_step2");
    QTest::mouseClick(Child<QPushButton>(&wizard, "BitBtnNext"), Qt::LeftButton);
    QImage wide(400, 100, QImage::Format_RGB32);
    wide.fill(QColor(200, 100, 40));
    QApplication::clipboard()->setImage(wide);
    wizard.Paste2Click();
    auto* box = Child<QLabel>(&wizard, "Image1");
    EXPECT_EQ(box->pixmap().width(), box->width());
    EXPECT_NEAR(box->pixmap().height(), box->width() / 4, 1);
    EXPECT_EQ(JpegSize(wizard.Collected().PhotoJpeg), QSize(400, 100));
    RenderWidgetIfAsked(&wizard, "new_wizard_step3");
    wizard.D1Click();
    EXPECT_FALSE(wizard.HasPhoto());
    wizard.hide();
}
