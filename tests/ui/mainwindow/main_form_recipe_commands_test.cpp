#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "core/platform/jpeg.h"
#include "core/recipes/recipe_store.h"
#include "support/dialog_driver.h"
#include "support/main_form_fixture.h"

namespace {

// "Curry" (with a photo and a linked word) is open, "Stew" beside it.
class RecipeCommandsTest : public ::testing::Test, public TMainFormWithDialogs {
protected:
    void SetUp() override {
        MakeRecipe(DataRoot(), {.Name = "Curry", .StatusLines = QStringList{"Date=2020/01/01", "NiceValue=1"},
                                .Photo = true, .LinkWords = {QStringLiteral("生姜")}});
        MakeRecipe(DataRoot(), {.Name = "Stew"});
        Open();
        ClickRow("Curry");
    }
    QStringList DiskNames() const {
        return QDir(DataRoot()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
    }
};

}  // namespace

// Refused names (the name check's rule) leave disk and record alone; blanks ask nothing.
TEST_F(RecipeCommandsTest, RenameRefusalsLeaveTheDiskAndRecordAlone) {
    const QMap<QString, QByteArray> before = FolderSnapshot(DataRoot());
    Answers.AnswerCancel();  // the box returns the current name
    Trigger("miRecipeRename");
    for (const QString& bad : {QStringLiteral("Stew"), QStringLiteral("   ")}) {
        Answers.AnswerText(bad);
        Trigger("miRecipeRename");
    }
    EXPECT_EQ(FolderSnapshot(DataRoot()), before);
    EXPECT_EQ(Book().CookItems[0].Name, QStringLiteral("Curry"));
    EXPECT_EQ(Answers.Texts().filter(QStringLiteral("Rename Error. Msg=")).size(), 1);
}

TEST_F(RecipeCommandsTest, ReloadShowsProgressKeepsSortAndReenablesItself) {
    ClickHeader(0);
    ClickHeader(0);  // descending
    MakeRecipe(DataRoot(), {.Name = "Apple"});
    QString shownText;
    QTimer::singleShot(0, [&] { shownText = Progress.isVisible() ? Progress.Text() : QString(); });
    Trigger("miUpdate");
    EXPECT_EQ(shownText, QStringLiteral("更新中..."));
    EXPECT_FALSE(Progress.isVisible());
    EXPECT_EQ(RowNames(), QStringList({"Stew", "Curry", "Apple"}));
    EXPECT_TRUE(Find<QToolButton>("ToolButton5")->isEnabled());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

// The new-recipe walk with a photo file; the record kept agrees with a fresh scan.
TEST_F(RecipeCommandsTest, NewRecipeThroughTheWizardLandsOnDiskAndInTheList) {
    Dir.WriteBytes(QStringLiteral("dish.bmp"), SmallBmp(80, 60));
    const QString name = QStringLiteral("肉じゃが");
    WhenShown(&Names, [&] {
        Child<QLineEdit>(&Names, "EditRecipeName")->setText(name);
        Child<QCheckBox>(&Names, "CheckBox1")->setChecked(true);
        QTest::mouseClick(Child<QPushButton>(&Names, "BtnOK"), Qt::LeftButton);
        WhenShown(&Wizard, [&] {
            Child<QPlainTextEdit>(&Wizard, "Memo1")->setPlainText(QStringLiteral("じゃがいも"));
            QTest::mouseClick(Child<QPushButton>(&Wizard, "BitBtnNext"), Qt::LeftButton);
            QTest::mouseClick(Child<QPushButton>(&Wizard, "BitBtnNext"), Qt::LeftButton);
            Answers.AnswerText(Dir.Path(QStringLiteral("dish.bmp")));
            QTest::mouseClick(Child<QToolButton>(&Wizard, "SpeedButton1"), Qt::LeftButton);
            QTest::mouseClick(Child<QPushButton>(&Wizard, "BitBtnNext"), Qt::LeftButton);
            QTest::mouseClick(Child<QPushButton>(&Wizard, "BitBtnNext"), Qt::LeftButton);
        });
    });
    Trigger("S1");  // the thumbnail pane follows every command
    Trigger("miRecipeAdd");
    EXPECT_EQ(RowText(SelectedRow()), name);
    EXPECT_EQ(JpegSize(ReadRaw(Folder(name) + QStringLiteral("/写真.jpg"))), QSize(80, 60));
    const TCookScan scan = ::SearchCookFld(DataRoot(), Book().Icons);
    EXPECT_EQ(scan.Items, Book().CookItems);
    EXPECT_EQ(Find<QLabel>(QStringLiteral("Panel6"))->text(), QStringLiteral("ｻﾑﾈｲﾙ数：2"));
}

// The list's keys reach their commands; typed in a recipe pane they open nothing.
TEST_F(RecipeCommandsTest, ShortcutKeysOnTheListReachTheirCommands) {
    const std::tuple<Qt::Key, bool, QString> keys[] = {  // the key, on the list (else in a pane), what it shows
        {Qt::Key_D, true, QStringLiteral("Curryを削除してもよろしいですか？")},
        {Qt::Key_E, true, Element.objectName()},
        {Qt::Key_E, false, QString()},
    };
    Form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
    for (const auto& [key, onList, shown] : keys) {
        Answers.ClearLog();
        QString dialog;
        QTimer::singleShot(0, [&] {
            if (Element.isVisible()) {
                dialog = Element.objectName();
                Element.reject();
            }
        });
        QWidget* target = onList ? List()->CurrentView() : Find<QWidget>("memFoodstuff");
        target->setFocus();
        QTest::keyClick(target, key, Qt::ControlModifier);
        QApplication::processEvents();
        EXPECT_EQ(Answers.Texts().value(0, dialog), shown) << key;  // questions unanswered: No / Cancel
    }
    EXPECT_EQ(DiskNames(), QStringList({"Curry", "Stew"}));
}
