#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTest>

#include "support/dialog_driver.h"
#include "ui/dialogs/element_form.h"
#include "ui/widgets/icon_box.h"
#include "ui/dialogs/icon_form.h"
#include "ui/widgets/star_rating.h"
#include "ui/platform/dialogs.h"
#include "core/platform/file_io.h"
#include "ui/widgets/tiled_background.h"
#include "support/dialog_fixture.h"
#include "support/render_ui.h"
#include "support/temp_app_dir.h"

namespace {

struct TElementWindows {
    TElementForm Form;
    TIconForm Picker;
    TElementWindows() {
        Picker.BuildIconGrid(ColouredIcons(35));
        Form.SetIconPicker(&Picker);
    }
    int Stars(const QStringList& names) {
        int lit = 0;
        for (const QString& n : names)
            lit += Form.findChild<TStarImage*>(n)->Tag() == 1 ? 1 : 0;
        return lit;
    }
    QString Text(const char* name) {
        if (auto* combo = Child<QComboBox>(&Form, name))
            return combo->currentText();
        return Child<QLineEdit>(&Form, name)->text();
    }
};

const QStringList NiceNames{"Image5", "Image6", "Image7", "Image8", "Image9"};
const QStringList DifficultNames{"Image2", "Image3", "Image4", "Image10", "Image11"};

}  // namespace

TEST(ElementForm, ShowsStoredValuesAndClampsTheStars) {
    TTempAppDir app;
    app.WriteSjis("Cook/A/Status.txt", QStringLiteral("Icon=40\r\nImageFileName=RICE.bmp\r\nGroup=和食\r\nSalt=1.5\r\n"
                                                       "Calorie=300\r\nNiceValue=7\r\nDifficultValue=x\r\n"));
    TElementWindows w;
    w.Form.SetRecipe(app.Path("Cook/A/"), TwoUserIcons());
    w.Form.show();
    EXPECT_EQ(w.Stars(NiceNames), 5);
    EXPECT_EQ(w.Stars(DifficultNames), 0);
    EXPECT_EQ(Child<TIconBox>(&w.Form, "Image1")->Hint(), "34");
    EXPECT_FALSE(Child<TIconBox>(&w.Form, "Image1")->pixmap().isNull());
    EXPECT_EQ(w.Text("ComboBox3"), QStringLiteral("和食"));
    EXPECT_EQ(w.Text("Edit4"), "1.5");
    EXPECT_EQ(w.Text("Edit1"), "300");
    w.Form.hide();

    // A recipe without "Status.txt" starts from empty boxes, group and salt included.
    QDir().mkpath(app.Path("Cook/B"));
    w.Form.SetRecipe(app.Path("Cook/B/"), TwoUserIcons());
    w.Form.show();
    EXPECT_EQ(w.Text("ComboBox3"), "");
    EXPECT_EQ(w.Text("Edit4"), "");
    EXPECT_EQ(Child<TIconBox>(&w.Form, "Image1")->Hint(), "-1");
    EXPECT_EQ(w.Stars(NiceNames), 0);
    QTest::mouseClick(Child<QPushButton>(&w.Form, "Button1"), Qt::LeftButton);
    EXPECT_EQ(ReadSjisLines(app.Path("Cook/B/Status.txt")),
              QStringList({"Icon=-1", "NiceValue=0", "DifficultValue=0", "Date=" + TodayDateText()}));
    EXPECT_EQ(w.Form.result(), QDialog::Accepted);
}

TEST(ElementForm, OkRoundTripKeepsOtherLinesOrderAndDate) {
    TTempAppDir app;
    app.WriteSjis("Cook/A/Status.txt", QStringLiteral("Icon=3\r\nKind=汁物\r\nDate=2001/02/03\r\nMemo=x=y\r\n"
                                                       "Group=和食\r\nNiceValue=2\r\nDifficultValue=1\r\n"));
    TElementWindows w;
    w.Form.SetRecipe(app.Path("Cook/A/"), TwoUserIcons());
    w.Form.show();
    // Pick a user icon, change the rating and the price, then OK.
    QTest::mouseClick(Child<TIconBox>(&w.Form, "Image1"), Qt::LeftButton);
    QTest::mouseClick(w.Picker.findChild<QLabel*>("IconImage33"), Qt::LeftButton);
    QTest::mouseClick(w.Form.findChild<TStarImage*>("Image4"), Qt::LeftButton);
    QTest::keyClicks(Child<QLineEdit>(&w.Form, "Edit2"), "980");
    QTest::mouseClick(Child<QPushButton>(&w.Form, "Button1"), Qt::LeftButton);
    EXPECT_EQ(ReadSjisLines(app.Path("Cook/A/Status.txt")),
              QStringList({"Icon=33", QStringLiteral("Kind=汁物"), "Date=2001/02/03", "Memo=x=y",
                           QStringLiteral("Group=和食"), "NiceValue=2", "DifficultValue=3", "Price=980",
                           "ImageFileName=fish.bmp"}));
    EXPECT_EQ(w.Form.Saved().DifficultValue, 3);
    EXPECT_EQ(w.Form.Saved().IconHint, "33");

    // Shown again unchanged and saved: the file stays byte for byte.
    const QByteArray before = app.ReadBytes("Cook/A/Status.txt");
    w.Form.show();
    QTest::mouseClick(Child<QPushButton>(&w.Form, "Button1"), Qt::LeftButton);
    EXPECT_EQ(app.ReadBytes("Cook/A/Status.txt"), before);
}

TEST(ElementForm, FailedSaveKeepsTheDialogOpenAndReports) {
    TTempAppDir app;
    TElementWindows w;
    TDialogAnswerer answers;
    // The recipe folder went away under the dialog.
    w.Form.SetRecipe(app.Path("Cook/Gone/"), TwoUserIcons());
    WhenShown(&w.Form, [&] {
        QTest::mouseClick(Child<QPushButton>(&w.Form, "Button1"), Qt::LeftButton);
        EXPECT_TRUE(w.Form.isVisible());
        w.Form.reject();
    });
    EXPECT_EQ(w.Form.exec(), QDialog::Rejected);
    ASSERT_EQ(answers.Calls().size(), 1u);
    EXPECT_TRUE(answers.Calls()[0].Text.startsWith("Save Attributes Error. Msg="));
    EXPECT_FALSE(QDir(app.Path("Cook/Gone")).exists());
}

TEST(ElementForm, PickerAnswersClicksWhileTheDialogIsModal) {
    // As at start-up: the picker and the dialog both belong to the main window,
    // and the dialog runs modally; clicks reach the picker as window events.
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
    QPixmap tile(24, 24);
    tile.fill(QColor(250, 236, 214));
    QPainter(&tile).fillRect(0, 0, 12, 12, QColor(244, 222, 190));
    SetSharedBackImg(tile);
    WhenShown(form, [&] {
        RenderWidgetIfAsked(form, "element_form");
        QTest::mouseClick(Child<TIconBox>(form, "Image1"), Qt::LeftButton);
        EXPECT_TRUE(picker->isVisible());
        RenderWidgetIfAsked(picker, "icon_picker");
        QWidget* cell = picker->findChild<QWidget*>("IconImage7");
        const QPoint at = cell->mapTo(picker, cell->rect().center());
        QTest::mouseClick(picker->windowHandle(), Qt::LeftButton, Qt::NoModifier, at);
        EXPECT_EQ(Child<TIconBox>(form, "Image1")->Hint(), "7");
        EXPECT_FALSE(picker->isVisible());
        form->reject();
    });
    form->exec();
    SetSharedBackImg(QPixmap());
}
