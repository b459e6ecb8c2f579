#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QTreeWidget>

#include "support/dialog_driver.h"
#include "support/main_form_fixture.h"
#include "ui/dialogs/list_column_select_form.h"
#include "ui/widgets/star_rating.h"

namespace {

const QString Question = QStringLiteral("レシピが変更されています、保存しますか？");
const QString Edited = QStringLiteral("\n塩 少々");

// A window with two recipes (only "サラダ" in a group), "肉じゃが" open with an unsaved ingredient line.
struct TSaveCase : TMainFormWithDialogs {
    std::unique_ptr<TListColumnSelectForm> Chooser;
    QByteArray Original;
    TMsgResult Given = TMsgResult::Cancel;  // the answer to the question
    QStringList Before;                      // the rows' order between two header clicks

    TSaveCase() {
        MakeRecipe(DataRoot(), {.Name = "肉じゃが", .Foodstuff = "じゃがいも"});
        MakeRecipe(DataRoot(), {.Name = "サラダ", .Foodstuff = "レタス", .StatusLines = QStringList{"Group=和食"}});
        Original = ReadRaw(Folder(QStringLiteral("肉じゃが")) + QStringLiteral("/材料.txt"));
        Open();
        Chooser = std::make_unique<TListColumnSelectForm>(Form.get());
        Windows.ListColumnSelectForm = Chooser.get();
        ClickRow(QStringLiteral("肉じゃが"));
        TypeInto(Find<QTextEdit>(QStringLiteral("memFoodstuff")), Edited);
    }
    // The edited recipe's ingredients file wherever it is now; empty when it went.
    QString FoodstuffFile() const {
        for (const QString& name : {QStringLiteral("肉じゃが"), QStringLiteral("新じゃが")})
            if (QDir(Folder(name)).exists())
                return Folder(name) + QStringLiteral("/材料.txt");
        return {};
    }
    void KeyDown() {
        List()->CurrentView()->setFocus();
        QTest::keyClick(List()->CurrentView(), SelectedRow() == 0 ? Qt::Key_Down : Qt::Key_Up);
    }
    void HideFirstColumn() {
        QTimer::singleShot(0, [this] {
            Chooser->ListView1->topLevelItem(0)->setCheckState(0, Qt::Unchecked);
            Chooser->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
        });
        Trigger(QStringLiteral("miDisplayDetailConfig"));
    }
    void AddPlain(const QString& name) {
        WhenShown(&Names, [this, name] {
            Child<QLineEdit>(&Names, "EditRecipeName")->setText(name);
            Child<QCheckBox>(&Names, "CheckBox1")->setChecked(false);
            QTest::mouseClick(Child<QPushButton>(&Names, "BtnOK"), Qt::LeftButton);
        });
        Trigger(QStringLiteral("miRecipeAdd"));
    }
    void CloseWindow() {
        if (Form->close()) {
            Chooser.reset();
            Form.reset();
        }
    }
    bool Shows(const QString& name) const { return RowText(SelectedRow()) == name; }
    bool Exists(const QString& name) const { return QDir(Folder(name)).exists(); }
};

struct TTrigger {
    const char* Name;
    std::function<void(TSaveCase&)> Act;
    std::function<bool(TSaveCase&)> WentOn;  // whether the command did its work
    std::function<void(TSaveCase&)> Before = [](TSaveCase&) {};  // answers dialogs ahead of the question
};

}  // namespace

// Every way of leaving the open recipe asks first: Yes saves, No drops the edit, Cancel stays.
TEST(SaveQuestion, EveryTriggerHonoursYesNoAndCancel) {
    using C = TSaveCase;
    const TTrigger triggers[] = {
        {"row change", [](C& c) { c.ClickRow("サラダ"); }, [](C& c) { return c.Shows("サラダ"); }},
        {"key", [](C& c) { c.KeyDown(); }, [](C& c) { return c.Shows("サラダ"); }},
        {"refill", [](C& c) { c.Form->setProperty("refilled", c.Form->IndicateList(-1)); },
         [](C& c) { return c.Form->property("refilled").toBool() && c.SelectedRow() < 0; }},
        // Yes saves first, so the search already finds the new line.
        {"refinement", [](C& c) { c.Refine("塩"); },
         [](C& c) { return c.Book().FindCareerList.contains("塩") && c.RowCount() == (c.Given == TMsgResult::Yes); }},
        // Cancel puts the box back to the group the rows still show.
        {"group filter", [](C& c) { c.ChooseGroup("和食"); },
         [](C& c) {
             const bool chosen = c.Find<QComboBox>("ComboBoxGroup")->currentText() == "和食";
             EXPECT_EQ(c.RowCount(), chosen ? 1 : 2);
             return chosen;
         }},
        {"column chooser", [](C& c) { c.HideFirstColumn(); }, [](C& c) { return !c.Book().ColumnTable[0].Use; }},
        {"new", [](C& c) { c.AddPlain("New"); }, [](C& c) { return c.Exists("New"); }},
        {"rename", [](C& c) { c.Trigger("miRecipeRename"); },
         [](C& c) { return c.Shows("新じゃが") && c.Recipe->Path() == c.Folder("新じゃが") + "/"; },
         [](C& c) { c.Answers.AnswerText("新じゃが"); }},
        {"delete", [](C& c) { c.Trigger("miRecipeDelete"); },
         [](C& c) { return !c.Exists("肉じゃが") && !c.RowNames().contains("肉じゃが") && c.Recipe->Path().isEmpty(); },
         [](C& c) { c.Answers.Answer(TMsgResult::Yes); }},  // "...を削除してもよろしいですか？"
        {"reload",
         [](C& c) {
             MakeRecipe(c.DataRoot(), {.Name = "追加"});
             c.Trigger("miUpdate");
         },
         [](C& c) { return c.RowCount() == 3; }},
        {"close", [](C& c) { c.CloseWindow(); }, [](C& c) { return c.Form == nullptr; }},
    };
    const QByteArray saved = RecipeFileBytes(QStringLiteral("じゃがいも") + Edited);
    for (const TTrigger& trigger : triggers) {
        for (TMsgResult answer : {TMsgResult::Yes, TMsgResult::No, TMsgResult::Cancel}) {
            SCOPED_TRACE(std::string(trigger.Name) + " / " + std::to_string(int(answer)));
            TSaveCase c;
            c.Answers.ClearLog();
            trigger.Before(c);
            c.Answers.Answer(answer);
            c.Given = answer;
            trigger.Act(c);
            QApplication::processEvents();
            const bool cancel = answer == TMsgResult::Cancel;
            EXPECT_EQ(c.Answers.Texts().count(Question), 1) << c.Answers.Texts().join('|').toStdString();
            EXPECT_EQ(trigger.WentOn(c), !cancel);
            if (const QString file = c.FoodstuffFile(); !file.isEmpty()) {
                EXPECT_EQ(ReadRaw(file), answer == TMsgResult::Yes ? saved : c.Original);
            }
            if (c.Form) {
                EXPECT_EQ(c.Marker(), cancel ? QStringLiteral("変更有り") : QString());
                if (cancel) {
                    EXPECT_TRUE(c.Find<QTextEdit>("memFoodstuff")->toPlainText().endsWith("塩 少々"));
                }
            }
        }
    }
}

// Sorting and new attributes do not leave the recipe: no question, the edit stays unsaved.
TEST(SaveQuestion, SortAndAttributesKeepTheEditAndAskNothing) {
    using C = TSaveCase;
    const TTrigger actions[] = {
        {"sort", [](C& c) { c.ClickHeader(0); c.Before = c.RowNames(); c.ClickHeader(0); },
         [](C& c) { return c.RowNames() != c.Before; }},
        {"attributes",
         [](C& c) {
             WhenShown(&c.Element, [&c] {
                 QTest::mouseClick(c.Element.findChild<TStarImage*>("Image9"), Qt::LeftButton);
                 QTest::mouseClick(Child<QPushButton>(&c.Element, "Button1"), Qt::LeftButton);
             });
             c.Trigger("E2");
         },
         [](C& c) { return c.Book().CookItems[c.Book().CookItems[0].Name == "肉じゃが" ? 0 : 1].NiceValue == 5; }},
    };
    for (const TTrigger& action : actions) {
        SCOPED_TRACE(action.Name);
        TSaveCase c;
        c.Answers.ClearLog();
        action.Act(c);
        EXPECT_TRUE(action.WentOn(c));
        EXPECT_TRUE(c.Answers.Calls().empty()) << c.Answers.Texts().join('|').toStdString();
        EXPECT_TRUE(c.Shows("肉じゃが"));
        EXPECT_EQ(c.Marker(), QStringLiteral("変更有り"));
        EXPECT_TRUE(c.Find<QTextEdit>("memFoodstuff")->toPlainText().endsWith("塩 少々"));
        EXPECT_EQ(ReadRaw(c.FoodstuffFile()), c.Original);
    }
}
