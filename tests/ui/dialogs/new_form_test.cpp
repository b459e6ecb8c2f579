#include <gtest/gtest.h>

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "core/platform/file_io.h"
#include "core/platform/jpeg.h"
#include "core/recipes/recipe_folder_ops.h"
#include "support/dialog_driver.h"
#include "support/dialog_fixture.h"
#include "support/temp_app_dir.h"
#include "ui/dialogs/icon_form.h"
#include "ui/dialogs/new_form.h"
#include "ui/dialogs/new_wizard_form.h"
#include "ui/platform/dialogs.h"

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
        ClickChild(&Names, "BtnOK");
    }
    // Names the recipe and, given `steps`, runs them inside the wizard.
    std::optional<TCookItem> Run(const QString& name, std::function<void()> steps, const TIconNames& icons = {}) {
        WhenShown(&Names, [this, name, steps] {
            TypeNameAndOk(name, true);
            WhenShown(&Wizard, steps);
        });
        return RunNewRecipe(&Names, &Wizard, App.Path("Cook"), icons);
    }
    void Next(int times = 1) {
        for (int i = 0; i < times; ++i)
            ClickChild(&Wizard, "BitBtnNext");
    }
    void Type(const char* memo, const QString& text) { Child<QPlainTextEdit>(&Wizard, memo)->setPlainText(text); }
    QStringList CookFolder() const { return QDir(App.Path("Cook")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot); }
};

}  // namespace

TEST(NewForm, RefusedNamesAndFailedCreationsKeepTheDialogsAndACancelCreatesNothing) {
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
    EXPECT_EQ(item->Name, "Plain");  // trimmed
    EXPECT_FALSE(Child<QCheckBox>(&w.Names, "CheckBox1")->isChecked());  // kept for the next use

    EXPECT_FALSE(w.Run("Soup", [&] {
                      w.Next(3);
                      ClickChild(&w.Wizard, "BitBtnCancel");
                  }).has_value());
    EXPECT_EQ(w.CookFolder(), QStringList({"Curry", "Plain"}));

    // A failed creation brings the wizard back on its last step with everything typed.
    int shownAgainOnStep = -1;
    const auto made = w.Run(QStringLiteral("親子丼"), [&] {
        w.Type("Memo1", QStringLiteral("鶏肉\n卵"));
        w.Next();
        w.Type("Memo2", QStringLiteral("煮る \U0001F373"));  // a character the recipe files cannot hold
        w.Next(3);
        WhenShown(&w.Wizard, [&] {
            shownAgainOnStep = w.Wizard.StepIndex();
            ClickChild(&w.Wizard, "BitBtnPrev");
            ClickChild(&w.Wizard, "BitBtnPrev");
            w.Type("Memo2", QStringLiteral("煮る"));
            w.Next(3);
        });
    });
    ASSERT_EQ(w.Answers.Texts().size(), 2);
    EXPECT_TRUE(w.Answers.Texts()[1].startsWith("New Recipe Error. Msg="));
    EXPECT_EQ(shownAgainOnStep, 3);
    EXPECT_TRUE(made.has_value());
    EXPECT_EQ(ReadSjisLines(w.App.Path("Cook/親子丼/材料.txt")), QStringList({QStringLiteral("鶏肉"), QStringLiteral("卵")}));
    EXPECT_EQ(ReadSjisLines(w.App.Path("Cook/親子丼/方法.txt")), QStringList({QStringLiteral("煮る")}));
}

TEST(NewForm, WizardFieldsReachTheRecipeBadPicturesAreRefusedAndTheNextShowingStartsClean) {
    TNewRecipeWindows w;
    w.App.WriteBytes("broken.jpg", "not a jpeg");
    w.Answers.AnswerText(w.App.Path("broken.jpg"));
    ClickChild(&w.Wizard, "SpeedButton1");
    EXPECT_TRUE(w.Answers.Texts().constLast().startsWith("Load Picture Error. Msg="));
    EXPECT_FALSE(w.Wizard.HasPhoto());
    // A deleted photo or an empty paste leaves none.
    QApplication::clipboard()->setImage(QImage(8, 8, QImage::Format_RGB32));
    w.Wizard.Paste2Click();
    w.Wizard.D1Click();
    EXPECT_FALSE(w.Wizard.HasPhoto());
    QApplication::clipboard()->clear();
    w.Wizard.Paste2Click();
    EXPECT_FALSE(w.Wizard.HasPhoto());

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
        ClickChild(&w.Wizard, "Image4");
        ClickChild(&w.Picker, "IconImage34");
        Child<QComboBox>(&w.Wizard, "ComboBox3")->setEditText(QStringLiteral("丼"));
        Child<QLineEdit>(&w.Wizard, "Edit1")->setText("650");
        ClickChild(&w.Wizard, "Image9");
        ClickChild(&w.Wizard, "Image11");
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
