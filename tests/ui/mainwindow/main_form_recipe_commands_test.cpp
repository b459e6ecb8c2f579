#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QToolButton>

#include "support/dialog_driver.h"
#include "ui/widgets/icon_box.h"
#include "ui/widgets/star_rating.h"
#include "support/main_form_fixture.h"
#include "core/recipes/recipe_store.h"
#include "core/search/thumbnails.h"
#include "core/platform/file_io.h"
#include "core/platform/jpeg.h"
#include "support/render_ui.h"
#include "core/settings/settings_store.h"

namespace {

const QString Question = QStringLiteral("レシピが変更されています、保存しますか？");

class RecipeCommandsTest : public ::testing::Test, public TMainFormWithDialogs {
protected:
    QStringList DiskNames() const {
        return QDir(DataRoot()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
    }
    QStringList RecordNames() const {
        QStringList names;
        for (const TCookItem& item : Book().CookItems)
            names << item.Name;
        return names;
    }

    // The whole new-recipe walk as a user does it: name, four wizard steps.
    void CreateThroughWizard(const QString& name, const QString& foodstuff, const QString& photoPath, int nice,
                             int iconCell) {
        WhenShown(&Names, [=, this] {
            Child<QLineEdit>(&Names, "EditRecipeName")->setText(name);
            Child<QCheckBox>(&Names, "CheckBox1")->setChecked(true);
            QTest::mouseClick(Child<QPushButton>(&Names, "BtnOK"), Qt::LeftButton);
            WhenShown(&Wizard, [=, this] {
                RenderWidgetIfAsked(&Wizard, "recipe_walk_wizard1");
                Child<QPlainTextEdit>(&Wizard, "Memo1")->setPlainText(foodstuff);
                QTest::mouseClick(Child<QPushButton>(&Wizard, "BitBtnNext"), Qt::LeftButton);
                Child<QPlainTextEdit>(&Wizard, "Memo2")->setPlainText(QStringLiteral("作る"));
                QTest::mouseClick(Child<QPushButton>(&Wizard, "BitBtnNext"), Qt::LeftButton);
                if (!photoPath.isEmpty()) {
                    Answers.AnswerText(photoPath);
                    QTest::mouseClick(Child<QToolButton>(&Wizard, "SpeedButton1"), Qt::LeftButton);
                }
                QTest::mouseClick(Child<QPushButton>(&Wizard, "BitBtnNext"), Qt::LeftButton);
                if (iconCell >= 0) {
                    QTest::mouseClick(Child<TIconBox>(&Wizard, "Image4"), Qt::LeftButton);
                    QTest::mouseClick(Picker.findChild<QLabel*>(QStringLiteral("IconImage%1").arg(iconCell)),
                                      Qt::LeftButton);
                }
                if (nice > 0)
                    QTest::mouseClick(Wizard.findChild<TStarImage*>(QStringLiteral("Image%1").arg(4 + nice)),
                                      Qt::LeftButton);
                RenderWidgetIfAsked(&Wizard, "recipe_walk_wizard4");
                QTest::mouseClick(Child<QPushButton>(&Wizard, "BitBtnNext"), Qt::LeftButton);
            });
        });
        Form->findChild<QAction*>("miRecipeAdd")->trigger();
    }
};

}  // namespace

// The window asks, goes on only with Yes and refills; what may be deleted
// is the folder operations' rule.
TEST_F(RecipeCommandsTest, DeleteRemovesTheConfirmedRecipeWithItsLinkedPictures) {
    MakeRecipe(DataRoot(), {.Name = "Curry", .Photo = true, .LinkWords = {QStringLiteral("生姜")}});
    MakeRecipe(DataRoot(), {.Name = "Stew"});
    TMainForm& form = Open();
    ClickRow("Curry");
    Answers.Answer(TMsgResult::No);
    form.findChild<QAction*>("miRecipeDelete")->trigger();
    EXPECT_EQ(DiskNames(), QStringList({"Curry", "Stew"}));

    Answers.Answer(TMsgResult::Yes);
    form.findChild<QAction*>("miRecipeDelete")->trigger();
    EXPECT_EQ(Answers.Texts().back(), QStringLiteral("Curryを削除してもよろしいですか？"));
    EXPECT_EQ(DiskNames(), QStringList({"Stew"}));
    EXPECT_EQ(RowNames(), QStringList({"Stew"}));
    EXPECT_EQ(SelectedRow(), -1);
    EXPECT_TRUE(Recipe->Path().isEmpty());
    EXPECT_EQ(Marker(), QString());
}

TEST_F(RecipeCommandsTest, RenameRefusalsLeaveTheDiskAndRecordAlone) {
    MakeRecipe(DataRoot(), {.Name = "Curry", .LinkWords = {QStringLiteral("生姜")}});
    MakeRecipe(DataRoot(), {.Name = "Stew"});
    TMainForm& form = Open();
    ClickRow("Curry");
    const QMap<QString, QByteArray> before = FolderSnapshot(DataRoot());

    Answers.AnswerCancel();  // the box returns the current name
    form.findChild<QAction*>("miRecipeRename")->trigger();
    for (const QString& bad : {QStringLiteral("Stew"), QStringLiteral("../x"), QStringLiteral("   ")}) {
        Answers.AnswerText(bad);
        form.findChild<QAction*>("miRecipeRename")->trigger();
    }
    EXPECT_EQ(FolderSnapshot(DataRoot()), before);
    EXPECT_EQ(RecordNames(), QStringList({"Curry", "Stew"}));
    int errors = 0;
    for (const TDialogCall& call : Answers.Calls())
        errors += call.Text.startsWith("Rename Error. Msg=") ? 1 : 0;
    EXPECT_EQ(errors, 2);  // blanks only are no name: nothing asked

    Answers.AnswerText(QStringLiteral("カレー"));
    form.findChild<QAction*>("miRecipeRename")->trigger();
    EXPECT_EQ(DiskNames(), QStringList({"Stew", QStringLiteral("カレー")}));
    EXPECT_TRUE(QFileInfo::exists(Folder(QStringLiteral("カレー")) + QStringLiteral("/LinkPic/生姜.jpg")));
    EXPECT_EQ(RowText(SelectedRow()), QStringLiteral("カレー"));
    EXPECT_EQ(Recipe->Path(), Folder(QStringLiteral("カレー")) + "/");
}

// Attributes changed while the panes hold unsaved edits: the record takes
// them, the edits stay and no save question comes.
TEST_F(RecipeCommandsTest, AttributesKeepUnsavedEdits) {
    MakeRecipe(DataRoot(), {.Name = "Soup", .StatusLines = QStringList{"Date=2020/01/01", "NiceValue=1"}});
    Open();
    ClickRow("Soup");
    TypeInto(Find<QTextEdit>("MemoHow"), "stir");
    WhenShown(&Element, [&] {
        QTest::mouseClick(Element.findChild<TStarImage*>("Image9"), Qt::LeftButton);
        QTest::mouseClick(Child<QPushButton>(&Element, "Button1"), Qt::LeftButton);
    });
    Trigger("E2");
    EXPECT_TRUE(ReadSjisLines(Folder("Soup") + "/Status.txt").contains("NiceValue=5"));
    EXPECT_EQ(Book().CookItems[0].NiceValue, 5);
    EXPECT_TRUE(Find<QTextEdit>("MemoHow")->toPlainText().endsWith("stir"));
    EXPECT_EQ(Marker(), QStringLiteral("変更有り"));
    EXPECT_FALSE(Answers.Texts().contains(Question));
}

TEST_F(RecipeCommandsTest, ReloadShowsProgressKeepsSortAndReenablesItself) {
    MakeRecipe(DataRoot(), {.Name = "B"});
    MakeRecipe(DataRoot(), {.Name = "A"});
    TMainForm& form = Open();
    ClickHeader(0);
    ClickHeader(0);  // descending
    ASSERT_EQ(RowNames(), QStringList({"B", "A"}));
    MakeRecipe(DataRoot(), {.Name = "C"});
    QString shownText;
    bool shown = false;
    QTimer::singleShot(0, [&] {
        shown = Progress.isVisible();
        shownText = Progress.Text();
    });
    form.findChild<QAction*>("miUpdate")->trigger();
    EXPECT_TRUE(shown);
    EXPECT_EQ(shownText, QStringLiteral("更新中..."));
    EXPECT_FALSE(Progress.isVisible());
    EXPECT_EQ(RowNames(), QStringList({"C", "B", "A"}));
    EXPECT_TRUE(form.findChild<QAction*>("miUpdate")->isEnabled());
    EXPECT_TRUE(form.findChild<QToolButton*>("ToolButton5")->isEnabled());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(RecipeCommandsTest, NewUserWalkCreateThreeRenameOneDeleteOne) {
    QImage bitmap(80, 60, QImage::Format_RGB32);
    bitmap.fill(QColor(200, 100, 50));
    ASSERT_TRUE(bitmap.save(Dir.Path("dish.bmp"), "BMP"));
    WriteRaw(Dir.Path("camera.JPG"), SmallJpeg(40, 30));
    TMainForm& form = Open();
    form.findChild<QAction*>("S1")->trigger();  // the thumbnail pane follows every command

    CreateThroughWizard(QStringLiteral("肉じゃが"), QStringLiteral("じゃがいも\n牛肉"), Dir.Path("dish.bmp"), 4, 5);
    CreateThroughWizard(QStringLiteral("味噌汁"), QStringLiteral("味噌"), Dir.Path("camera.JPG"), 2, -1);
    CreateThroughWizard(QStringLiteral("サラダ"), QStringLiteral("レタス"), QString(), 0, -1);
    EXPECT_EQ(RowNames().size(), 3);
    EXPECT_EQ(RowText(SelectedRow()), QStringLiteral("サラダ"));

    Answers.AnswerText(QStringLiteral("豚汁"));
    ClickRow(QStringLiteral("味噌汁"));
    form.findChild<QAction*>("miRecipeRename")->trigger();
    ClickRow(QStringLiteral("サラダ"));
    Answers.Answer(TMsgResult::Yes);
    form.findChild<QAction*>("miRecipeDelete")->trigger();

    EXPECT_EQ(DiskNames(), QStringList({QStringLiteral("肉じゃが"), QStringLiteral("豚汁")}));
    QStringList listed = RowNames();
    listed.sort();
    EXPECT_EQ(listed, DiskNames());
    // What a fresh scan reads agrees with the records the commands kept.
    TCookScan scan = ::SearchCookFld(DataRoot(), Book().Icons);
    ASSERT_EQ(scan.Items.size(), Book().CookItems.size());
    for (const TCookItem& onDisk : scan.Items) {
        const auto kept = std::find_if(Book().CookItems.begin(), Book().CookItems.end(),
                                       [&](const TCookItem& i) { return i.Name == onDisk.Name; });
        ASSERT_NE(kept, Book().CookItems.end());
        EXPECT_EQ(kept->NiceValue, onDisk.NiceValue);
        EXPECT_EQ(kept->Icon, onDisk.Icon);
        EXPECT_EQ(kept->PhotoMark, onDisk.PhotoMark);
    }
    const std::vector<TThumbnail> thumbs = BuildThumbnailList(Book().CookItems, QString(), DataRoot());
    EXPECT_EQ(thumbs.size(), 2u);
    EXPECT_EQ(Find<QLabel>(QStringLiteral("Panel6"))->text(), QStringLiteral("ｻﾑﾈｲﾙ数：2"));
    EXPECT_EQ(JpegSize(ReadRaw(Folder(QStringLiteral("肉じゃが")) + QStringLiteral("/写真.jpg"))), QSize(80, 60));
    EXPECT_EQ(ReadRaw(Folder(QStringLiteral("豚汁")) + QStringLiteral("/写真.jpg")), SmallJpeg(40, 30));
    EXPECT_TRUE(ReadSjisLines(Folder(QStringLiteral("肉じゃが")) + "/Status.txt").contains("NiceValue=4"));
    EXPECT_TRUE(ReadSjisLines(Folder(QStringLiteral("肉じゃが")) + "/Status.txt").contains("Icon=5"));
    ClickRow(QStringLiteral("肉じゃが"));
    RenderWidgetIfAsked(&form, "recipe_walk_main");
}

// Every item and button of a command that changes the recipe follows its
// command, also when view-only mode came from the layout before the handlers
// were bound;
// the double click on a row asks for no attributes either.
TEST_F(RecipeCommandsTest, ViewOnlyModeKeepsEveryPlaceOfTheChangingCommandsOff) {
    MakeRecipe(DataRoot(), {.Name = "A"});
    Dir.WriteSjis(QFileInfo(SettingsFilePath(AppDir())).fileName(), QStringLiteral("[MODE]\r\nONLYVIEW=1\r\n"));
    TMainForm& form = Open();
    ClickRow("A");
    const char* const changing[] = {"miRecipeDelete", "Delete2", "ToolButtonDelRecipe", "miRecipeRename", "R1",
                                    "ToolButtonEditRecipe", "miRecipeSave", "tbtnSave", "miRecipeAttrEdit", "E2",
                                    "ToolButtonEditAttr"};
    auto enabled = [&](const char* name) {
        if (auto* action = form.findChild<QAction*>(name))
            return action->isEnabled();
        return Find<QAbstractButton>(name)->isEnabled();
    };
    for (const bool viewOnly : {true, false}) {
        for (const char* name : changing)
            EXPECT_EQ(enabled(name), !viewOnly) << name;
        EXPECT_TRUE(enabled("miRecipeAdd"));
        EXPECT_TRUE(enabled("ToolButtonNewRecipe"));
        // A double click opens the attribute dialog only outside view-only mode.
        bool opened = false;
        QTimer::singleShot(0, [&] {
            opened = Element.isVisible();
            if (opened)
                Element.reject();
        });
        emit List()->DoubleClicked();
        QApplication::processEvents();
        EXPECT_EQ(opened, !viewOnly);
        form.findChild<QToolButton*>("tbtnModeChange")->click();
    }
}

// The list's keys reach their commands; the pop-up's key belongs to the
// list, so typing it in a recipe pane opens nothing.
TEST_F(RecipeCommandsTest, ShortcutKeysOnTheListReachTheirCommands) {
    MakeRecipe(DataRoot(), {.Name = "Soup"});
    TMainForm& form = Open();
    ClickRow("Soup");
    struct TKey {
        Qt::Key Key;
        const char* Target;  // the list, or the ingredient pane
        QString Shown;       // the question asked, or the dialog's object name
    };
    const TKey keys[] = {
        {Qt::Key_D, "CookListView", QStringLiteral("Soupを削除してもよろしいですか？")},
        {Qt::Key_R, "CookListView", QStringLiteral("変更したい名称を入力して下さい")},
        {Qt::Key_E, "CookListView", Element.objectName()},
        {Qt::Key_E, "memFoodstuff", QString()},
        {Qt::Key_N, "CookListView", Names.objectName()},
    };
    for (const TKey& k : keys) {
        SCOPED_TRACE(k.Target + std::string(" ") + char(k.Key));
        Answers.ClearLog();
        QString dialog;
        QTimer::singleShot(0, [&] {
            for (QDialog* open : {static_cast<QDialog*>(&Element), static_cast<QDialog*>(&Names)})
                if (open->isVisible()) {
                    dialog = open->objectName();
                    open->reject();
                }
        });
        form.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
        QWidget* target = qstrcmp(k.Target, "CookListView") == 0 ? List()->CurrentView() : Find<QWidget>(k.Target);
        target->setFocus();
        QTest::keyClick(target, k.Key, Qt::ControlModifier);
        QApplication::processEvents();
        EXPECT_EQ(Answers.Texts().value(0, dialog), k.Shown);  // questions unanswered: No / Cancel
    }
    EXPECT_EQ(DiskNames(), QStringList({"Soup"}));
}
