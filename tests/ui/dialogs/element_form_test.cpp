#include <gtest/gtest.h>

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "support/dialog_driver.h"
#include "ui/dialogs/element_form.h"
#include "ui/widgets/icon_box.h"
#include "ui/dialogs/icon_form.h"
#include "ui/widgets/star_rating.h"
#include "ui/platform/dialogs.h"
#include "core/platform/file_io.h"
#include "support/dialog_fixture.h"
#include "support/render_ui.h"
#include "support/temp_app_dir.h"

namespace {

struct TElementWindows {
    TTempAppDir App;
    TElementForm Form;
    TIconForm Picker;
    TElementWindows() {
        Picker.BuildIconGrid(ColouredIcons(35));
        Form.SetIconPicker(&Picker);
    }
    void Open(const QString& recipe) {
        Form.SetRecipe(App.Path("Cook/" + recipe + "/"), TwoUserIcons());
        Form.show();
    }
    void Ok() { QTest::mouseClick(Child<QPushButton>(&Form, "Button1"), Qt::LeftButton); }
};

}  // namespace

TEST(ElementForm, StoredValuesAndEditsAreSavedAndAFreshRecipeStartsEmpty) {
    TElementWindows w;
    w.App.WriteSjis("Cook/A/Status.txt", QStringLiteral("Icon=40\r\nImageFileName=RICE.bmp\r\nDate=2001/02/03\r\n"
                                                         "Memo=x=y\r\nGroup=和食\r\nSalt=1.5\r\nCalorie=300\r\n"
                                                         "NiceValue=7\r\nDifficultValue=1\r\n"));
    w.Open("A");
    EXPECT_EQ(Child<TIconBox>(&w.Form, "Image1")->Hint(), "34");
    EXPECT_FALSE(Child<TIconBox>(&w.Form, "Image1")->pixmap().isNull());
    QTest::mouseClick(Child<TIconBox>(&w.Form, "Image1"), Qt::LeftButton);
    QTest::mouseClick(w.Picker.findChild<QLabel*>("IconImage33"), Qt::LeftButton);
    QTest::mouseClick(w.Form.findChild<TStarImage*>("Image4"), Qt::LeftButton);
    Child<QLineEdit>(&w.Form, "Edit2")->setText("980");
    w.Ok();
    EXPECT_EQ(ReadSjisLines(w.App.Path("Cook/A/Status.txt")),
              QStringList({"Icon=33", "ImageFileName=fish.bmp", "Date=2001/02/03", "Memo=x=y",
                           QStringLiteral("Group=和食"), "Salt=1.5", "Calorie=300", "NiceValue=5", "DifficultValue=3",
                           "Price=980"}));
    EXPECT_EQ(w.Form.Saved().DifficultValue, 3);
    // Shown again unchanged and saved: the file stays byte for byte.
    const QByteArray before = w.App.ReadBytes("Cook/A/Status.txt");
    w.Open("A");
    w.Ok();
    EXPECT_EQ(w.App.ReadBytes("Cook/A/Status.txt"), before);

    // A recipe without "Status.txt" takes nothing of the last one, group and salt included.
    QDir().mkpath(w.App.Path("Cook/B"));
    w.Open("B");
    w.Ok();
    EXPECT_EQ(ReadSjisLines(w.App.Path("Cook/B/Status.txt")),
              QStringList({"Icon=-1", "NiceValue=0", "DifficultValue=0", "Date=" + TodayDateText()}));
}

TEST(ElementForm, FailedSaveKeepsTheDialogOpenAndReports) {
    TElementWindows w;
    TDialogAnswerer answers;
    // The recipe folder went away under the dialog.
    w.Form.SetRecipe(w.App.Path("Cook/Gone/"), TwoUserIcons());
    WhenShown(&w.Form, [&] {
        w.Ok();
        EXPECT_TRUE(w.Form.isVisible());
        w.Form.reject();
    });
    EXPECT_EQ(w.Form.exec(), QDialog::Rejected);
    ASSERT_EQ(answers.Calls().size(), 1u);
    EXPECT_TRUE(answers.Calls()[0].Text.startsWith("Save Attributes Error. Msg="));
    EXPECT_FALSE(QDir(w.App.Path("Cook/Gone")).exists());
}

// As at start-up: picker and dialog belong to the main window and the dialog is modal.
TEST(ElementForm, PickerAnswersClicksWhileTheDialogIsModal) {
    TTempAppDir app;
    app.WriteSjis("Cook/A/Status.txt", QStringLiteral("Icon=1\r\n"));
    QWidget mainWindow;
    mainWindow.resize(400, 300);
    mainWindow.show();
    auto* picker = new TIconForm(&mainWindow);
    picker->BuildIconGrid(ColouredIcons(35));
    auto* form = new TElementForm(&mainWindow);
    form->SetIconPicker(picker);
    form->SetRecipe(app.Path("Cook/A/"), TwoUserIcons());
    WhenShown(form, [&] {
        RenderWidgetIfAsked(form, "element_form");
        QTest::mouseClick(Child<TIconBox>(form, "Image1"), Qt::LeftButton);
        EXPECT_TRUE(picker->isVisible());
        RenderWidgetIfAsked(picker, "icon_picker");
        QWidget* cell = picker->findChild<QWidget*>("IconImage7");
        QTest::mouseClick(picker->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                          cell->mapTo(picker, cell->rect().center()));
        EXPECT_EQ(Child<TIconBox>(form, "Image1")->Hint(), "7");
        EXPECT_EQ(Child<TIconBox>(form, "Image1")->pixmap().toImage().pixel(5, 5),
                  ColouredIcons(35)[7].toImage().pixel(5, 5));
        EXPECT_FALSE(picker->isVisible());
        form->reject();
    });
    form->exec();
}
