#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableView>
#include <QTextEdit>
#include <QToolBar>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include "ui/dialogs/element_form.h"
#include "ui/dialogs/list_column_select_form.h"
#include "ui/widgets/tiled_background.h"
#include "core/recipes/column_table.h"
#include "ui/mainwindow/control_bar.h"
#include "core/recipes/cook_list_model.h"
#include "ui/mainwindow/cook_list_view.h"
#include "ui/mainwindow/list_gestures.h"
#include "ui/mainwindow/main_form.h"
#include "ui/platform/dialogs.h"
#include "ui/options/option_form.h"
#include "support/recipe_fixture.h"
#include "support/render_ui.h"
#include "support/temp_app_dir.h"
#include "core/recipes/open_recipe.h"
#include "ui/mainwindow/recipe_panes.h"

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
        for (QObject* c : std::initializer_list<QObject*>{Form.miRecipeSave, Form.findChild<QToolButton*>(QStringLiteral("tbtnSave"))})
            Form.Wire(c, [this] { ++Saves; });
        for (QObject* c : std::initializer_list<QObject*>{Form.miRecipeAttrEdit, Form.E2, Form.ToolButtonEditAttr})
            Form.Wire(c, [this] { ++Attributes; });
        Form.Wire(Form.miUpdate, [this] { ++Reloads; });
        Form.SetEditMode(true);
    }
    QString Marker() const { return Form.findChild<QLabel*>(QStringLiteral("PanelStatus"))->text(); }
    QList<QObject*> RecipeCommands() const {
        return {Form.miRecipeDelete, Form.Delete2, Form.ToolButtonDelRecipe, Form.miRecipeRename, Form.R1,
                Form.miRecipeSave, Form.findChild<QToolButton*>(QStringLiteral("tbtnSave")), Form.miRecipeAttrEdit, Form.E2, Form.ToolButtonEditAttr};
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
        EXPECT_EQ(f.Form.findChild<QTextEdit*>(QStringLiteral("memFoodstuff"))->font().pointSize(), 13);
        f.Form.findChild<QToolButton*>(QStringLiteral("tbtnWordWrap"))->click();
        EXPECT_EQ(f.Marker(), expected);
        f.Form.findChild<QToolButton*>(QStringLiteral("tbtnWordWrap"))->click();
        EXPECT_EQ(f.Marker(), expected);
        f.Form.findChild<QTextEdit*>(QStringLiteral("memFoodstuff"))->setPlainText("卵 2個");  // a real edit still marks
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
    RenderWidgetIfAsked(&f.Form, "main_form_view_only");
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

namespace {

// Asks `widget` for its pop-up menu; true when one opened (it is closed again).
bool PopupOpens(QWidget* widget) {
    bool opened = false;
    QTimer::singleShot(0, [&opened] {
        if (QWidget* popup = QApplication::activePopupWidget()) {
            opened = true;
            popup->close();
        }
    });
    emit widget->customContextMenuRequested(QPoint(5, 5));
    QApplication::processEvents();
    return opened;
}

}  // namespace

TEST(ViewSettings, ViewOnlyModeHasNoPopupMenus) {
    TMainFixture f;
    f.Form.show();
    const QList<QWidget*> owners = {f.Form.CookListView, f.Form.findChild<QTextEdit*>(QStringLiteral("memFoodstuff")), f.Form.findChild<QTextEdit*>(QStringLiteral("MemoHow")),
                                    f.Form.findChild<QTextEdit*>(QStringLiteral("RichEditComment")), f.Form.findChild<QLabel*>(QStringLiteral("Image1"))};
    for (QWidget* w : owners)
        EXPECT_TRUE(PopupOpens(w)) << w->objectName().toStdString();
    f.Form.miModeChange->trigger();
    for (QWidget* w : owners)
        EXPECT_FALSE(PopupOpens(w)) << w->objectName().toStdString();
    f.Form.tbtnModeChange->click();
    EXPECT_TRUE(PopupOpens(f.Form.CookListView));
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
    // Rows hold their icons instead of drawing over the next row.
    EXPECT_GE(f.Form.CookListView->ReportView()->verticalHeader()->defaultSectionSize(), 34);

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
    EXPECT_EQ(f.Form.findChild<QTextEdit*>(QStringLiteral("memFoodstuff"))->font().family(), "ＭＳ Ｐゴシック");
    options.show();
    options.findChild<QCheckBox*>("CheckBox6")->setChecked(true);
    options.findChild<QCheckBox*>("CheckBox1")->setChecked(false);
    options.findChild<QCheckBox*>("CheckBox3")->setChecked(true);
    options.findChild<QCheckBox*>("CheckBox5")->setChecked(true);
    options.findChild<QPushButton*>("BitBtnOK")->click();
    EXPECT_TRUE(f.Form.UseDigitalClock);
    EXPECT_EQ(f.Form.findChild<QTextEdit*>(QStringLiteral("memFoodstuff"))->font().family(), "ＭＳ ゴシック");
    EXPECT_EQ(f.Form.findChild<QTextEdit*>(QStringLiteral("RichEditComment"))->font().family(), "ＭＳ ゴシック");
    EXPECT_EQ(f.Form.CookListView->ReportView()->iconSize(), QSize(16, 16));
    EXPECT_LT(f.Form.CookListView->ReportView()->verticalHeader()->defaultSectionSize(), 34);
    EXPECT_TRUE(f.Form.CookListView->ReportView()->showGrid());
    EXPECT_TRUE(f.Form.ControlBar1->palette().brush(QPalette::Window).texture().isNull());

    // A background bitmap: the dock sites show it at once.
    QImage tile(8, 8, QImage::Format_RGB32);
    tile.fill(Qt::green);
    QDir().mkpath(f.Dir.Path("background"));
    ASSERT_TRUE(tile.save(f.Dir.Path("background/Leaf.bmp"), "BMP"));
    TOptionForm later(f.Dir.AppDir(), &f.Form);  // the list is built at creation
    later.AddSettingsTarget([&](const TSettingsApply& a, bool starting) { f.Form.ApplyOptionSettings(a, starting); });
    later.show();
    later.findChild<QComboBox*>("StyleComboBox")->setCurrentIndex(0);
    later.findChild<QPushButton*>("BitBtnOK")->click();
    EXPECT_EQ(f.Form.ControlBar1->palette().brush(QPalette::Window).texture().size(), QSize(8, 8));
    EXPECT_EQ(f.Form.ControlBar2->palette().brush(QPalette::Window).texture().size(), QSize(8, 8));
    SetSharedBackImg(QPixmap());
}

namespace {

// Runs `drive` on the column chooser once it is open, then the command returns.
void WithChooser(std::function<void(TListColumnSelectForm&)> drive) {
    QTimer::singleShot(0, [drive] {
        ASSERT_NE(ListColumnSelectForm, nullptr);
        ASSERT_TRUE(ListColumnSelectForm->isVisible());
        drive(*ListColumnSelectForm);
    });
}

QPushButton* ChooserButton(TListColumnSelectForm& form, const char* name) {
    return form.findChild<QPushButton*>(name);
}

}  // namespace

TEST(ViewSettings, ColumnChooserCancelChangesNothing) {
    TMainFixture f;
    TListColumnSelectForm chooser(&f.Form);
    const TColumnTable before = f.Form.ColumnTable;
    const QStringList shown = f.Form.ListModel->Columns();
    WithChooser([](TListColumnSelectForm& form) {
        form.ListView1->topLevelItem(1)->setCheckState(0, Qt::Unchecked);
        ChooserButton(form, "Button5")->click();  // defaults
        ChooserButton(form, "BitBtn2")->click();  // cancel
    });
    f.Form.miDisplayDetailConfig->trigger();
    EXPECT_EQ(f.Form.ColumnTable, before);
    EXPECT_EQ(f.Form.ListModel->Columns(), shown);
}

TEST(ViewSettings, ColumnChooserOkRebuildsTheColumns) {
    TMainFixture f;
    TListColumnSelectForm chooser(&f.Form);
    ASSERT_GE(f.Form.ColumnTable.size(), 3u);
    const QString first = f.Form.ColumnTable[0].Caption;
    const QString second = f.Form.ColumnTable[1].Caption;
    auto swapAndHideSecond = [](TListColumnSelectForm& form) {
        form.ListView1->setCurrentItem(form.ListView1->topLevelItem(0));
        ChooserButton(form, "Button2")->click();  // first row down
        form.ListView1->topLevelItem(0)->setCheckState(0, Qt::Unchecked);
        ChooserButton(form, "BitBtn1")->click();
    };

    const TColumnTable before = f.Form.ColumnTable;
    // The table follows the rows and the list shows the new columns.
    WithChooser(swapAndHideSecond);
    f.Form.miDisplayDetailConfig->trigger();
    EXPECT_TRUE(f.Answers.Texts().isEmpty());
    ASSERT_EQ(f.Form.ColumnTable.size(), before.size());
    EXPECT_EQ(f.Form.ColumnTable[0].Caption, second);
    EXPECT_FALSE(f.Form.ColumnTable[0].Use);
    EXPECT_EQ(f.Form.ColumnTable[1].Caption, first);
    EXPECT_EQ(f.Form.ColumnTable[1].Width, f.Form.CookListView->Header()->sectionSize(0));
    EXPECT_EQ(f.Form.ListModel->Columns().value(0), first);
    EXPECT_FALSE(f.Form.ListModel->Columns().contains(second));
}

TEST(ViewSettings, GestureDragKeepsTheRecipeSelected) {
    TTempAppDir dir;
    MakeRecipeCollection(dir.AppDir() + "Cook", 30);
    TDialogAnswerer answers;
    TMainForm form(dir.AppDir());
    form.show();
    ASSERT_GE(form.CookListView->RowCount(), 20);
    QTableView* view = form.CookListView->ReportView();
    QWidget* port = view->viewport();
    auto rowPoint = [&](int row) { return view->visualRect(view->model()->index(row, 0)).center(); };
    auto send = [&](QEvent::Type t, QPoint p, Qt::MouseButton b, Qt::MouseButtons held) {
        QMouseEvent e(t, p, port->mapToGlobal(p), b, held, Qt::NoModifier);
        QApplication::sendEvent(port, &e);
    };
    send(QEvent::MouseButtonPress, rowPoint(2), Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, rowPoint(2), Qt::LeftButton, Qt::NoButton);
    ASSERT_EQ(form.CookListView->SelectedRow(), 2);
    send(QEvent::MouseButtonPress, rowPoint(2), Qt::LeftButton, Qt::LeftButton);
    for (int row = 3; row < 15; ++row) {
        send(QEvent::MouseMove, rowPoint(row), Qt::NoButton, Qt::LeftButton);
        EXPECT_EQ(form.CookListView->SelectedRow(), 2);
    }
    EXPECT_EQ(form.StatusPanel1->text(), "D");
    send(QEvent::MouseButtonRelease, rowPoint(14), Qt::LeftButton, Qt::NoButton);
    QApplication::processEvents();
    EXPECT_EQ(form.CookListView->SelectedRow(), 2);
    EXPECT_TRUE(form.StatusPanel1->text().isEmpty());
    EXPECT_TRUE(answers.Calls().empty());
}

TEST(ViewSettings, ViewOnlyDoubleClickOpensNoAttributeDialog) {
    TTempAppDir dir;
    MakeRecipeCollection(dir.AppDir() + "Cook", 3);
    TDialogAnswerer answers;
    TMainForm form(dir.AppDir());
    TElementForm attributes(&form);
    form.WireRecipeCommands();
    form.show();
    ASSERT_TRUE(form.CookListView->SelectRow(1));
    ASSERT_FALSE(form.OpenRecipe->Path().isEmpty());
    ASSERT_EQ(ElementForm, &attributes);
    auto doubleClickOpensDialog = [&] {
        bool opened = false;
        QTimer::singleShot(0, [&opened] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                opened = true;
                static_cast<QDialog*>(modal)->reject();
            }
        });
        emit form.CookListView->DoubleClicked();
        QApplication::processEvents();
        return opened;
    };
    EXPECT_TRUE(doubleClickOpensDialog());
    form.miModeChange->trigger();
    EXPECT_FALSE(doubleClickOpensDialog());
    form.tbtnModeChange->click();
    EXPECT_TRUE(doubleClickOpensDialog());
}
