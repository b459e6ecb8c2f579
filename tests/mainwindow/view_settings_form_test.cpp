#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableView>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>

#include "mainwindow/control_bar_widget.h"
#include "mainwindow/cook_list_view_widget.h"
#include "mainwindow/gesture_trail_widget.h"
#include "mainwindow/main_form.h"
#include "platform/dialogs.h"
#include "settings/option_form.h"
#include "support/temp_app_dir.h"

namespace {

struct TMainFixture {
    TTempAppDir Dir;
    TDialogAnswerer Answers;
    TMainForm Form{Dir.AppDir()};
    int Deletes = 0, Renames = 0, Saves = 0, Attributes = 0, Reloads = 0;

    TMainFixture() {
        // Stand-ins for the recipe commands, so their enabling can be watched.
        for (QObject* c : std::initializer_list<QObject*>{Form.miRecipeDelete, Form.Delete2, Form.ToolButtonDelRecipe})
            Form.Wire(c, [this] { ++Deletes; });
        for (QObject* c : std::initializer_list<QObject*>{Form.miRecipeRename, Form.R1})
            Form.Wire(c, [this] { ++Renames; });
        for (QObject* c : std::initializer_list<QObject*>{Form.miRecipeSave, Form.tbtnSave})
            Form.Wire(c, [this] { ++Saves; });
        for (QObject* c : std::initializer_list<QObject*>{Form.miRecipeAttrEdit, Form.E2, Form.ToolButtonEditAttr})
            Form.Wire(c, [this] { ++Attributes; });
        Form.Wire(Form.miUpdate, [this] { ++Reloads; });
        Form.SetEditMode(true);
    }
    QString Marker() const { return Form.PanelStatus->text(); }
    QList<QObject*> RecipeCommands() const {
        return {Form.miRecipeDelete, Form.Delete2, Form.ToolButtonDelRecipe, Form.miRecipeRename, Form.R1,
                Form.miRecipeSave, Form.tbtnSave, Form.miRecipeAttrEdit, Form.E2, Form.ToolButtonEditAttr};
    }
    static bool Enabled(QObject* c) {
        if (auto* a = qobject_cast<QAction*>(c))
            return a->isEnabled();
        return static_cast<QWidget*>(c)->isEnabled();
    }
    void Drag(QPoint start, std::initializer_list<QPoint> path) {
        QWidget* port = Form.CookListView->ReportView()->viewport();
        auto send = [&](QEvent::Type t, QPoint p, Qt::MouseButton b, Qt::MouseButtons held) {
            QMouseEvent e(t, p, port->mapToGlobal(p), b, held, Qt::NoModifier);
            QApplication::sendEvent(port, &e);
        };
        send(QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
        for (QPoint p : path)
            send(QEvent::MouseMove, p, Qt::NoButton, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, *(path.end() - 1), Qt::LeftButton, Qt::NoButton);
        QApplication::processEvents();
    }
};

}  // namespace

TEST(ViewSettings, MarkerSurvivesFontAndWordWrapChanges) {
    TMainFixture f;
    for (const bool modified : {true, false}) {
        f.Form.SetModified(modified);
        const QString expected = modified ? "変更有り" : "";
        f.Form.miFontSizeMax->trigger();
        EXPECT_EQ(f.Marker(), expected);
        EXPECT_EQ(f.Form.memFoodstuff->font().pointSize(), 13);
        f.Form.tbtnWordWrap->click();
        EXPECT_EQ(f.Marker(), expected);
        f.Form.tbtnWordWrap->click();
        EXPECT_EQ(f.Marker(), expected);
        f.Form.memFoodstuff->setPlainText("卵 2個");  // a real edit still marks
        EXPECT_EQ(f.Marker(), "変更有り");
        f.Form.SetModified(modified);
    }
}

TEST(ViewSettings, ToolBarTicksFollowVisibility) {
    TMainFixture f;
    f.Form.show();
    f.Form.miToolbarClick();
    EXPECT_TRUE(f.Form.miTbDisplayform->isChecked());
    f.Form.miTbDisplayform->trigger();  // hides the view-style bar
    EXPECT_TRUE(f.Form.ToolBar2->isHidden());
    f.Form.miToolbarClick();
    EXPECT_FALSE(f.Form.miTbDisplayform->isChecked());
    EXPECT_TRUE(f.Form.miTbShortcut->isChecked());
    f.Form.miTbDisplayform->trigger();
    f.Form.miToolbarClick();
    EXPECT_TRUE(f.Form.miTbDisplayform->isChecked());
}

TEST(ViewSettings, ViewOnlyModeLocksRecipeCommandsAndGestures) {
    TMainFixture f;
    f.Form.show();
    for (QObject* c : f.RecipeCommands())
        EXPECT_TRUE(TMainFixture::Enabled(c)) << c->objectName().toStdString();

    f.Form.miModeChange->trigger();
    EXPECT_TRUE(f.Form.ViewOnly);
    EXPECT_TRUE(f.Form.ControlBar1->isHidden());
    EXPECT_FALSE(f.Form.ControlBar2->isHidden());
    // A new selection puts the edit mode on again; the commands stay off.
    f.Form.SetEditMode(true);
    for (QObject* c : f.RecipeCommands())
        EXPECT_FALSE(TMainFixture::Enabled(c)) << c->objectName().toStdString();
    f.Form.miRecipeDelete->trigger();
    f.Form.E2->trigger();
    EXPECT_EQ(f.Deletes + f.Attributes, 0);

    // No save question.
    f.Form.SetModified(true);
    EXPECT_TRUE(f.Form.QuerySaveChanges());
    EXPECT_TRUE(f.Answers.Calls().empty());

    // No gestures.
    const QPoint start(100, 100);
    f.Drag(start, {start + QPoint(0, -30), start});
    EXPECT_EQ(f.Reloads, 0);
    EXPECT_TRUE(f.Form.StatusPanel1->text().isEmpty());

    f.Form.tbtnModeChange->click();
    EXPECT_FALSE(f.Form.ViewOnly);
    for (QObject* c : f.RecipeCommands())
        EXPECT_TRUE(TMainFixture::Enabled(c)) << c->objectName().toStdString();
    f.Drag(start, {start + QPoint(0, -30), start});
    EXPECT_EQ(f.Reloads, 1);
}

TEST(ViewSettings, GesturesOnTheListRunTheRecipeCommands) {
    TMainFixture f;
    f.Form.show();
    const QPoint s(120, 120);
    f.Drag(s, {s + QPoint(30, 0), s + QPoint(30, 30), s + QPoint(0, 30), s});
    f.Drag(s, {s + QPoint(0, 30), s + QPoint(-30, 30)});
    f.Drag(s, {s + QPoint(0, 30), s + QPoint(30, 30)});
    f.Drag(s, {s + QPoint(0, -30), s});
    EXPECT_EQ(f.Deletes, 1);
    EXPECT_EQ(f.Renames, 1);
    EXPECT_EQ(f.Attributes, 1);
    EXPECT_EQ(f.Reloads, 1);
    EXPECT_TRUE(f.Form.StatusPanel1->text().isEmpty());
}

TEST(ViewSettings, OptionsOkAppliesAtOnce) {
    TMainFixture f;
    TOptionForm options(f.Dir.AppDir(), &f.Form);
    options.AddSettingsTarget([&](const TSettingsApply& a, bool starting) { f.Form.ApplyOptionSettings(a, starting); });
    options.ApplySettings(true);
    EXPECT_EQ(f.Form.windowTitle(), "Saporia");
    EXPECT_EQ(f.Form.CookListView->ReportView()->iconSize(), QSize(32, 32));

    for (const bool modified : {true, false}) {
        f.Form.SetModified(modified);
        options.show();
        options.findChild<QCheckBox*>("CheckBox6")->toggle();
        options.findChild<QCheckBox*>("CheckBox1")->toggle();
        options.findChild<QCheckBox*>("CheckBox3")->toggle();
        options.findChild<QLineEdit*>("EditTitle")->setText(modified ? "献立帳" : "台所");
        options.findChild<QPushButton*>("BitBtnOK")->click();
        EXPECT_EQ(f.Marker(), modified ? "変更有り" : "");
        // Caption without any background bitmap.
        EXPECT_EQ(f.Form.windowTitle(), modified ? "献立帳" : "台所");
    }
    // Toggled twice: back to the starting look.
    EXPECT_EQ(f.Form.memFoodstuff->font().family(), "ＭＳ Ｐゴシック");
    options.show();
    options.findChild<QCheckBox*>("CheckBox6")->setChecked(true);
    options.findChild<QCheckBox*>("CheckBox1")->setChecked(false);
    options.findChild<QCheckBox*>("CheckBox3")->setChecked(true);
    options.findChild<QPushButton*>("BitBtnOK")->click();
    EXPECT_EQ(f.Form.memFoodstuff->font().family(), "ＭＳ ゴシック");
    EXPECT_EQ(f.Form.RichEditComment->font().family(), "ＭＳ ゴシック");
    EXPECT_EQ(f.Form.CookListView->ReportView()->iconSize(), QSize(16, 16));
    EXPECT_TRUE(f.Form.CookListView->ReportView()->showGrid());
}
