#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>
#include <QTreeWidget>

#include "support/dialog_driver.h"
#include "support/main_form_fixture.h"
#include "ui/dialogs/list_column_select_form.h"

namespace {

const QString Question = QStringLiteral("レシピが変更されています、保存しますか？");
const QString Edited = QStringLiteral("\n塩 少々");

// A window with two recipes, "肉じゃが" open with an unsaved ingredient line.
struct TSaveCase : TMainFormWithDialogs {
    std::unique_ptr<TListColumnSelectForm> Chooser;
    QByteArray Original;
    TMsgResult Given = TMsgResult::Cancel;  // the answer to the question

    TSaveCase() {
        MakeRecipe(DataRoot(), {.Name = QStringLiteral("肉じゃが"), .Foodstuff = QStringLiteral("じゃがいも"),
                                .StatusLines = QStringList{"Group=和食"}});
        MakeRecipe(DataRoot(), {.Name = QStringLiteral("サラダ"), .Foodstuff = QStringLiteral("レタス"),
                                .StatusLines = QStringList{"Group=洋食"}});
        Original = ReadRaw(Folder(QStringLiteral("肉じゃが")) + QStringLiteral("/材料.txt"));
        Open();
        Chooser = std::make_unique<TListColumnSelectForm>(Form.get());
        Windows.ListColumnSelectForm = Chooser.get();
        ClickRow(QStringLiteral("肉じゃが"));
        TypeInto(Find<QTextEdit>(QStringLiteral("memFoodstuff")), Edited);
    }
    // The ingredients file of the edited recipe wherever it is now; empty
    // when it went with its folder.
    QString FoodstuffFile() const {
        for (const QString& name : {QStringLiteral("肉じゃが"), QStringLiteral("新じゃが")})
            if (QDir(Folder(name)).exists())
                return Folder(name) + QStringLiteral("/材料.txt");
        return {};
    }
};

struct TTrigger {
    const char* Name;
    std::function<void(TSaveCase&)> Act;
    std::function<bool(TSaveCase&)> WentOn;  // whether the command did its work
    std::function<void(TSaveCase&)> Before = [](TSaveCase&) {};  // answers dialogs ahead of the question
};

}  // namespace

// Every way of leaving the open recipe asks the one question first; Yes saves
// and goes on, No drops the edit and goes on, Cancel leaves everything.
TEST(SaveQuestion, EveryTriggerHonoursYesNoAndCancel) {
    const TTrigger triggers[] = {
        {"row change", [](TSaveCase& c) { c.ClickRow(QStringLiteral("サラダ")); },
         [](TSaveCase& c) { return c.RowText(c.SelectedRow()) == QStringLiteral("サラダ"); }},
        {"key",
         [](TSaveCase& c) {
             QAbstractItemView* view = c.List()->CurrentView();
             view->setFocus();
             QTest::keyClick(view, c.SelectedRow() == 0 ? Qt::Key_Down : Qt::Key_Up);
         },
         [](TSaveCase& c) { return c.RowText(c.SelectedRow()) == QStringLiteral("サラダ"); }},
        {"refill", [](TSaveCase& c) { c.Form->setProperty("refilled", c.Form->IndicateList(-1)); },
         [](TSaveCase& c) { return c.Form->property("refilled").toBool() && c.SelectedRow() < 0; }},
        {"refinement",
         [](TSaveCase& c) {
             auto* box = c.Find<QComboBox>(QStringLiteral("cbSearchRefinement"));
             box->setFocus();
             box->setEditText(QStringLiteral("塩"));
             QTest::mouseClick(c.Find<QPushButton>(QStringLiteral("btnSearchRefinement")), Qt::LeftButton);
         },
         // Yes saves first, so the search already finds the new line.
         [](TSaveCase& c) {
             return c.Book().FindCareerList.contains(QStringLiteral("塩")) &&
                    c.RowCount() == (c.Given == TMsgResult::Yes ? 1 : 0);
         }},
        {"group filter", [](TSaveCase& c) { c.ChooseGroup(QStringLiteral("洋食")); },
         [](TSaveCase& c) { return c.RowNames() == QStringList{QStringLiteral("サラダ")}; }},
        {"column chooser",
         [](TSaveCase& c) {
             QTimer::singleShot(0, [&c] {
                 c.Chooser->ListView1->topLevelItem(0)->setCheckState(0, Qt::Unchecked);
                 c.Chooser->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
             });
             c.Trigger(QStringLiteral("miDisplayDetailConfig"));
         },
         [](TSaveCase& c) { return !c.Book().ColumnTable[0].Use; }},
        {"new",
         [](TSaveCase& c) {
             WhenShown(&c.Names, [&c] {
                 Child<QLineEdit>(&c.Names, "EditRecipeName")->setText(QStringLiteral("New"));
                 Child<QCheckBox>(&c.Names, "CheckBox1")->setChecked(false);
                 QTest::mouseClick(Child<QPushButton>(&c.Names, "BtnOK"), Qt::LeftButton);
             });
             c.Trigger(QStringLiteral("miRecipeAdd"));
         },
         [](TSaveCase& c) { return QDir(c.Folder(QStringLiteral("New"))).exists(); }},
        {"rename", [](TSaveCase& c) { c.Trigger(QStringLiteral("miRecipeRename")); },
         [](TSaveCase& c) { return QDir(c.Folder(QStringLiteral("新じゃが"))).exists(); },
         [](TSaveCase& c) { c.Answers.AnswerText(QStringLiteral("新じゃが")); }},
        {"delete", [](TSaveCase& c) { c.Trigger(QStringLiteral("miRecipeDelete")); },
         [](TSaveCase& c) { return !QDir(c.Folder(QStringLiteral("肉じゃが"))).exists(); },
         [](TSaveCase& c) { c.Answers.Answer(TMsgResult::Yes); }},  // "...を削除してもよろしいですか？"
        {"reload",
         [](TSaveCase& c) {
             MakeRecipe(c.DataRoot(), {.Name = QStringLiteral("追加")});
             c.Trigger(QStringLiteral("miUpdate"));
         },
         [](TSaveCase& c) { return c.RowCount() == 3; }},
        {"close",
         [](TSaveCase& c) {
             if (c.Form->close()) {
                 c.Chooser.reset();
                 c.Form.reset();
             }
         }, [](TSaveCase& c) { return c.Form == nullptr; }},
    };
    const TMsgResult answers[] = {TMsgResult::Yes, TMsgResult::No, TMsgResult::Cancel};
    const QByteArray saved = RecipeFileBytes(QStringLiteral("じゃがいも") + Edited);

    for (const TTrigger& trigger : triggers) {
        for (TMsgResult answer : answers) {
            SCOPED_TRACE(std::string(trigger.Name) + " / " + std::to_string(int(answer)));
            TSaveCase c;
            c.Answers.ClearLog();
            trigger.Before(c);
            c.Answers.Answer(answer);
            c.Given = answer;
            const bool cancel = answer == TMsgResult::Cancel;
            trigger.Act(c);
            QApplication::processEvents();

            EXPECT_EQ(c.Answers.Texts().count(Question), 1) << c.Answers.Texts().join('|').toStdString();
            EXPECT_EQ(trigger.WentOn(c), !cancel);
            const QString file = c.FoodstuffFile();
            if (!file.isEmpty()) {
                EXPECT_EQ(ReadRaw(file), answer == TMsgResult::Yes ? saved : c.Original);
            }
            if (c.Form) {
                EXPECT_EQ(c.Marker(),
                          cancel ? QStringLiteral("変更有り") : QString());
                if (cancel) {
                    EXPECT_TRUE(c.Find<QTextEdit>(QStringLiteral("memFoodstuff"))->toPlainText().endsWith(
                        QStringLiteral("塩 少々")));
                }
            }
        }
    }
}
