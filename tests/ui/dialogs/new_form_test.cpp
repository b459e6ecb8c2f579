#include <gtest/gtest.h>

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
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
#include "core/recipes/recipe_folder_ops.h"
#include "support/dialog_fixture.h"
#include "support/temp_app_dir.h"

namespace {

struct TNewRecipeWindows {
    TTempAppDir App;
    TDialogAnswerer Answers;
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
    std::optional<TCookItem> Run(const QString& name, std::function<void()> steps = {},
                                 const TIconNames& icons = {}) {
        WhenShown(&Names, [this, name, steps] {
            TypeNameAndOk(name, bool(steps));
            if (steps)
                WhenShown(&Wizard, steps);
        });
        return RunNewRecipe(&Names, &Wizard, App.Path("Cook"), icons);
    }
    void Click(const char* button) { QTest::mouseClick(Child<QPushButton>(&Wizard, button), Qt::LeftButton); }
    void Next(int times = 1) {
        for (int i = 0; i < times; ++i)
            Click("BitBtnNext");
    }
    void Type(const char* memo, const QString& text) { Child<QPlainTextEdit>(&Wizard, memo)->setPlainText(text); }
    QStringList CookFolder() const {
        return QDir(App.Path("Cook")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    }
};

}  // namespace

TEST(NewForm, ARefusedNameKeepsTheDialogAndAPlainRecipeTakesTheTrimmedName) {
    TNewRecipeWindows w;
    QDir().mkpath(w.App.Path("Cook/Curry"));
    bool openAfterRefusal = false;
    WhenShown(&w.Names, [&] {
        w.TypeNameAndOk(" Curry ", false);
        openAfterRefusal = w.Names.isVisible();
        w.TypeNameAndOk(" Plain ", false);
    });
    const auto item = RunNewRecipe(&w.Names, &w.Wizard, w.App.Path("Cook"), {});
    EXPECT_TRUE(openAfterRefusal);
    EXPECT_EQ(w.Answers.Texts(), QStringList({RecipeNameExistsMessage}));
    ASSERT_TRUE(item.has_value());
    EXPECT_EQ(item->Name, "Plain");
    EXPECT_EQ(w.CookFolder(), QStringList({"Curry", "Plain"}));
    // The check box keeps the user's choice for the next use.
    EXPECT_FALSE(Child<QCheckBox>(&w.Names, "CheckBox1")->isChecked());
}

TEST(NewForm, TheWizardShowsTheNameAndACancelCreatesNothing) {
    TNewRecipeWindows w;
    QString shownName;
    const auto item = w.Run("Soup", [&] {
        shownName = Child<QLabel>(&w.Wizard, "Label3")->text();
        w.Next(3);
        w.Click("BitBtnCancel");
    });
    EXPECT_FALSE(item.has_value());
    EXPECT_EQ(shownName, "Soup");
    EXPECT_TRUE(w.CookFolder().isEmpty());
}

TEST(NewForm, AFailedCreationBringsTheWizardBackWithEverythingTyped) {
    TNewRecipeWindows w;
    int shownAgainOnStep = -1;
    const auto item = w.Run(QStringLiteral("親子丼"), [&] {
        w.Type("Memo1", QStringLiteral("鶏肉\n卵"));
        w.Next();
        // A character the recipe files cannot hold.
        w.Type("Memo2", QStringLiteral("煮る \U0001F373"));
        w.Next(3);
        WhenShown(&w.Wizard, [&] {
            shownAgainOnStep = w.Wizard.StepIndex();
            w.Click("BitBtnPrev");
            w.Click("BitBtnPrev");
            w.Type("Memo2", QStringLiteral("煮る"));
            w.Next(3);
        });
    });
    ASSERT_EQ(w.Answers.Calls().size(), 1u);
    EXPECT_TRUE(w.Answers.Calls()[0].Text.startsWith("New Recipe Error. Msg="));
    EXPECT_EQ(shownAgainOnStep, 3);
    ASSERT_TRUE(item.has_value());
    EXPECT_EQ(ReadSjisLines(w.App.Path("Cook/親子丼/材料.txt")),
              QStringList({QStringLiteral("鶏肉"), QStringLiteral("卵")}));
    EXPECT_EQ(ReadSjisLines(w.App.Path("Cook/親子丼/方法.txt")), QStringList({QStringLiteral("煮る")}));
}

TEST(NewForm, WizardFieldsReachTheRecipeAndTheNextShowingStartsClean) {
    TNewRecipeWindows w;
    QImage wide(400, 100, QImage::Format_RGB32);
    wide.fill(QColor(200, 100, 40));
    QApplication::clipboard()->setImage(wide);
    const auto item = w.Run(QStringLiteral("親子丼"), [&] {
        w.Next(2);
        w.Wizard.Paste2Click();
        // A wide photo is scaled into the box keeping its shape.
        auto* box = Child<QLabel>(&w.Wizard, "Image1");
        EXPECT_EQ(box->pixmap().width(), box->width());
        EXPECT_NEAR(box->pixmap().height(), box->width() / 4, 1);
        w.Next();
        QTest::mouseClick(Child<TIconBox>(&w.Wizard, "Image4"), Qt::LeftButton);
        QTest::mouseClick(w.Picker.findChild<QLabel*>("IconImage34"), Qt::LeftButton);
        Child<QComboBox>(&w.Wizard, "ComboBox3")->setEditText(QStringLiteral("丼"));
        Child<QLineEdit>(&w.Wizard, "Edit1")->setText("650");
        QTest::mouseClick(Child<TStarImage>(&w.Wizard, "Image9"), Qt::LeftButton);
        QTest::mouseClick(Child<TStarImage>(&w.Wizard, "Image11"), Qt::LeftButton);
        w.Next();
    }, TwoUserIcons());
    ASSERT_TRUE(item.has_value());
    EXPECT_EQ(ReadSjisLines(w.App.Path("Cook/親子丼/Status.txt")),
              QStringList({"Icon=34", "Calorie=650", "Date=" + TodayDateText(), QStringLiteral("Group=丼"),
                           "NiceValue=5", "DifficultValue=2", "ImageFileName=rice.bmp"}));
    EXPECT_EQ(JpegSize(w.App.ReadBytes("Cook/親子丼/写真.jpg")), QSize(400, 100));
    EXPECT_EQ(item->PhotoMark, PhotoMarkPresent);

    // Everything but the group is cleared for the next recipe.
    WhenShown(&w.Wizard, [&] {
        EXPECT_EQ(w.Wizard.StepIndex(), 0);
        EXPECT_FALSE(w.Wizard.HasPhoto());
        EXPECT_TRUE(Child<QLineEdit>(&w.Wizard, "Edit1")->text().isEmpty());
        EXPECT_EQ(Child<QComboBox>(&w.Wizard, "ComboBox3")->currentText(), QStringLiteral("丼"));
        w.Wizard.reject();
    });
    w.Wizard.exec();
}

TEST(NewForm, ABrokenPictureIsRefusedAndAnEmptyPasteOrDeleteLeavesNoPhoto) {
    TNewRecipeWindows w;
    w.App.WriteBytes("broken.jpg", "not a jpeg");
    w.Answers.AnswerText(w.App.Path("broken.jpg"));
    QTest::mouseClick(Child<QToolButton>(&w.Wizard, "SpeedButton1"), Qt::LeftButton);
    EXPECT_FALSE(w.Wizard.HasPhoto());
    EXPECT_TRUE(w.Answers.Calls().back().Text.startsWith("Load Picture Error. Msg="));
    QApplication::clipboard()->setImage(QImage(8, 8, QImage::Format_RGB32));
    w.Wizard.Paste2Click();
    w.Wizard.D1Click();
    EXPECT_FALSE(w.Wizard.HasPhoto());
    QApplication::clipboard()->clear();
    w.Wizard.Paste2Click();
    EXPECT_FALSE(w.Wizard.HasPhoto());
}
