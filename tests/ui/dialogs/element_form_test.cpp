#include <gtest/gtest.h>

#include <QDir>
#include <QLineEdit>

#include "core/platform/file_io.h"
#include "support/dialog_driver.h"
#include "support/dialog_fixture.h"
#include "support/temp_app_dir.h"
#include "ui/dialogs/element_form.h"
#include "ui/dialogs/icon_form.h"
#include "ui/platform/dialogs.h"
#include "ui/widgets/icon_box.h"

namespace {

// As at start-up: the picker and the dialog belong to the main window.
struct TElementWindows {
    TTempAppDir App;
    QWidget MainWindow;
    TIconForm* Picker = new TIconForm(&MainWindow);
    TElementForm* Form = new TElementForm(&MainWindow);
    TElementWindows() {
        MainWindow.resize(400, 300);
        MainWindow.show();
        Picker->BuildIconGrid(ColouredIcons(35));
        Form->SetIconPicker(Picker);
    }
    void Open(const QString& recipe) {
        Form->SetRecipe(App.Path("Cook/" + recipe + "/"), TwoUserIcons());
        Form->show();
    }
    TIconBox* Icon() const { return Child<TIconBox>(Form, "Image1"); }
    void Ok() { ClickChild(Form, "Button1"); }
};

}  // namespace

TEST(ElementForm, StoredValuesAndEditsAreSavedAFreshRecipeStartsEmptyAndAFailedSaveKeepsTheDialog) {
    TElementWindows w;
    TDialogAnswerer answers;
    w.App.WriteSjis("Cook/A/Status.txt", QStringLiteral("Icon=40\r\nImageFileName=RICE.bmp\r\nDate=2001/02/03\r\n"
                                                         "Memo=x=y\r\nGroup=和食\r\nSalt=1.5\r\nCalorie=300\r\n"
                                                         "NiceValue=7\r\nDifficultValue=1\r\n"));
    w.Form->SetRecipe(w.App.Path("Cook/A/"), TwoUserIcons());
    // Modal, as the main window runs it: the picker still answers clicks as window events.
    WhenShown(w.Form, [&] {
        EXPECT_EQ(w.Icon()->Hint(), "34");
        QTest::mouseClick(w.Icon(), Qt::LeftButton);
        EXPECT_TRUE(w.Picker->isVisible());
        QWidget* cell = w.Picker->findChild<QWidget*>("IconImage33");
        QTest::mouseClick(w.Picker->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                          cell->mapTo(w.Picker, cell->rect().center()));
        EXPECT_EQ(w.Icon()->pixmap().toImage().pixel(5, 5), ColouredIcons(35)[33].toImage().pixel(5, 5));
        EXPECT_FALSE(w.Picker->isVisible());
        ClickChild(w.Form, "Image4");
        Child<QLineEdit>(w.Form, "Edit2")->setText("980");
        w.Ok();
    });
    EXPECT_EQ(w.Form->exec(), QDialog::Accepted);
    EXPECT_EQ(ReadSjisLines(w.App.Path("Cook/A/Status.txt")),
              QStringList({"Icon=33", "ImageFileName=fish.bmp", "Date=2001/02/03", "Memo=x=y",
                           QStringLiteral("Group=和食"), "Salt=1.5", "Calorie=300", "NiceValue=5", "DifficultValue=3",
                           "Price=980"}));
    EXPECT_EQ(w.Form->Saved().DifficultValue, 3);
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

    // The recipe folder went away under the dialog: reported, the dialog stays, nothing is made.
    w.Open("Gone");
    w.Ok();
    EXPECT_TRUE(w.Form->isVisible());
    ASSERT_EQ(answers.Texts().size(), 1);
    EXPECT_TRUE(answers.Texts()[0].startsWith("Save Attributes Error. Msg="));
    EXPECT_FALSE(QDir(w.App.Path("Cook/Gone")).exists());
}

// From the keyboard alone: Enter on the icon opens the picker rather than
// pressing O K, and the ratings set with keys are the ones saved.
TEST(ElementForm, IconAndRatingsFromTheKeyboard) {
    TElementWindows w;
    TDialogAnswerer answers;
    QDir().mkpath(w.App.Path("Cook/K"));
    w.Open("K");
    QApplication::setActiveWindow(w.Form);
    // The first stop is not the icon: Enter at once still presses O K.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(w.Form->result(), QDialog::Accepted);
    EXPECT_FALSE(w.Picker->isVisible());
    w.Open("K");
    w.Icon()->setFocus();
    QTest::keyClick(w.Icon(), Qt::Key_Return);
    EXPECT_TRUE(w.Picker->isVisible());
    EXPECT_TRUE(w.Form->isVisible());
    w.Picker->hide();
    QTest::keyClick(Child<QWidget>(w.Form, "Shape1"), Qt::Key_4);
    QTest::keyClick(Child<QWidget>(w.Form, "Shape2"), Qt::Key_Right);
    w.Ok();
    EXPECT_EQ(w.Form->result(), QDialog::Accepted);
    EXPECT_EQ(w.Form->Saved().NiceValue, 4);
    EXPECT_EQ(w.Form->Saved().DifficultValue, 1);
}
