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

#include "ui/dialogs/list_column_select_form.h"
#include "ui/widgets/tiled_background.h"
#include "core/recipes/column_table.h"
#include "ui/mainwindow/control_bar.h"
#include "core/recipes/cook_list_model.h"
#include "core/recipes/recipe_book.h"
#include "ui/mainwindow/cook_list_view.h"
#include "ui/mainwindow/list_gestures.h"
#include "ui/mainwindow/main_form.h"
#include "ui/platform/dialogs.h"
#include "ui/options/option_form.h"
#include "core/settings/settings_store.h"
#include "support/recipe_fixture.h"
#include "support/render_ui.h"
#include "support/temp_app_dir.h"

namespace {

struct TMainFixture {
    TTempAppDir Dir;
    TDialogAnswerer Answers;
    TMainForm Form{Dir.AppDir()};
    int Deletes = 0, Renames = 0, Saves = 0, Attributes = 0, Reloads = 0;

    TMainFixture() {
        // Stand-ins for the recipe commands, so that what runs can be counted.
        Form.BindCommand("miRecipeDelete", [this] { ++Deletes; });
        Form.BindCommand("miRecipeRename", [this] { ++Renames; });
        Form.BindCommand("miRecipeSave", [this] { ++Saves; });
        Form.BindCommand("miRecipeAttrEdit", [this] { ++Attributes; });
        Form.BindCommand("miUpdate", [this] { ++Reloads; });
        Form.SetEditMode(true);
    }
    QString Marker() const { return Form.findChild<QLabel*>("PanelStatus")->text(); }
    TCookListView* List() const { return ListOf(Form); }
    static TCookListView* ListOf(const TMainForm& form) {
        return form.findChild<TCookListView*>(QStringLiteral("CookListView"));
    }
    QString Status1() const { return Form.findChild<QLabel*>(QStringLiteral("StatusPanel1"))->text(); }
    TColumnTable& Columns() { return Form.RecipeBook().ColumnTable; }
    QStringList ShownColumns() const { return static_cast<TCookListModel*>(List()->Model())->Columns(); }
    void Drag(QPoint start, std::initializer_list<QPoint> path) {
        QWidget* port = List()->ReportView()->viewport();
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
        f.Form.findChild<QAction*>("miFontSizeMax")->trigger();
        EXPECT_EQ(f.Marker(), expected);
        EXPECT_EQ(f.Form.findChild<QTextEdit*>("memFoodstuff")->font().pointSize(), 13);
        f.Form.findChild<QToolButton*>("tbtnWordWrap")->click();
        EXPECT_EQ(f.Marker(), expected);
        f.Form.findChild<QToolButton*>("tbtnWordWrap")->click();
        EXPECT_EQ(f.Marker(), expected);
        f.Form.findChild<QTextEdit*>("memFoodstuff")->setPlainText("卵 2個");  // a real edit still marks
        EXPECT_EQ(f.Marker(), "変更有り");
        f.Form.SetModified(modified);
    }
}

TEST(ViewSettings, ToolBarTicksFollowVisibility) {
    TMainFixture f;
    f.Form.show();
    f.Form.miToolbarClick();
    EXPECT_TRUE(f.Form.findChild<QAction*>("miTbDisplayform")->isChecked());
    f.Form.findChild<QAction*>("miTbDisplayform")->trigger();  // hides the view-style bar
    EXPECT_TRUE(f.Form.findChild<QToolBar*>("ToolBar2")->isHidden());
    f.Form.miToolbarClick();
    EXPECT_FALSE(f.Form.findChild<QAction*>("miTbDisplayform")->isChecked());
    EXPECT_TRUE(f.Form.findChild<QAction*>("miTbShortcut")->isChecked());
    f.Form.findChild<QAction*>("miTbDisplayform")->trigger();
    f.Form.miToolbarClick();
    EXPECT_TRUE(f.Form.findChild<QAction*>("miTbDisplayform")->isChecked());
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

// View-only mode: other bars, no pop-up menus, no gestures, no save question;
// leaving it gives them back.
TEST(ViewSettings, ViewOnlyModeDropsPopupsGesturesAndTheSaveQuestion) {
    TMainFixture f;
    f.Form.show();
    const QList<QWidget*> owners = {f.List(), f.Form.findChild<QTextEdit*>("memFoodstuff"), f.Form.findChild<QTextEdit*>("MemoHow"),
                                    f.Form.findChild<QTextEdit*>("RichEditComment"), f.Form.findChild<QLabel*>("Image1")};
    const QPoint start(100, 100);
    for (const bool viewOnly : {true, false, true}) {
        if (viewOnly)
            f.Form.findChild<QAction*>("miModeChange")->trigger();
        else
            f.Form.findChild<QToolButton*>("tbtnModeChange")->click();
        RenderWidgetIfAsked(&f.Form, "main_form_view_only");
        EXPECT_EQ(f.Form.ViewOnly, viewOnly);
        EXPECT_EQ(f.Form.findChild<TControlBar*>("ControlBar1")->isHidden(), viewOnly);
        EXPECT_EQ(f.Form.findChild<TControlBar*>("ControlBar2")->isHidden(), !viewOnly);
        for (QWidget* w : owners)
            EXPECT_EQ(PopupOpens(w), !viewOnly) << w->objectName().toStdString();

        f.Answers.ClearLog();
        f.Answers.Answer(TMsgResult::Cancel);
        f.Form.SetModified(true);
        EXPECT_EQ(f.Form.QuerySaveChanges(), viewOnly);
        EXPECT_EQ(f.Answers.Calls().empty(), viewOnly);
        f.Form.SetModified(false);

        const int reloads = f.Reloads;
        f.Drag(start, {start + QPoint(0, -30), start});
        EXPECT_EQ(f.Reloads - reloads, viewOnly ? 0 : 1);
        EXPECT_TRUE(f.Status1().isEmpty());
    }
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
    EXPECT_TRUE(f.Status1().isEmpty());
}

TEST(ViewSettings, OptionsOkAppliesAtOnce) {
    TMainFixture f;
    TSettingsStore& store = f.Form.SettingsStore();
    TOptionForm options(f.Dir.AppDir(), store, &f.Form);
    store.LoadSettings();
    f.Form.ApplyOptionSettings(SettingsToApply(store.Settings(), f.Dir.AppDir()), true);
    EXPECT_EQ(f.Form.windowTitle(), "Saporia");
    EXPECT_EQ(f.List()->ReportView()->iconSize(), QSize(32, 32));
    // Rows hold their icons instead of drawing over the next row.
    EXPECT_GE(f.List()->ReportView()->verticalHeader()->defaultSectionSize(), 34);

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
    EXPECT_EQ(f.Form.findChild<QTextEdit*>("memFoodstuff")->font().family(), "ＭＳ Ｐゴシック");
    options.show();
    options.findChild<QCheckBox*>("CheckBox6")->setChecked(true);
    options.findChild<QCheckBox*>("CheckBox1")->setChecked(false);
    options.findChild<QCheckBox*>("CheckBox3")->setChecked(true);
    options.findChild<QCheckBox*>("CheckBox5")->setChecked(true);
    options.findChild<QPushButton*>("BitBtnOK")->click();
    EXPECT_TRUE(f.Form.Settings().UseDigitalClock);
    EXPECT_EQ(f.Form.findChild<QTextEdit*>("memFoodstuff")->font().family(), "ＭＳ ゴシック");
    EXPECT_EQ(f.Form.findChild<QTextEdit*>("RichEditComment")->font().family(), "ＭＳ ゴシック");
    EXPECT_EQ(f.List()->ReportView()->iconSize(), QSize(16, 16));
    EXPECT_LT(f.List()->ReportView()->verticalHeader()->defaultSectionSize(), 34);
    EXPECT_TRUE(f.List()->ReportView()->showGrid());
    EXPECT_TRUE(f.Form.findChild<TControlBar*>("ControlBar1")->palette().brush(QPalette::Window).texture().isNull());

    // A background bitmap: the dock sites show it at once.
    QImage tile(8, 8, QImage::Format_RGB32);
    tile.fill(Qt::green);
    QDir().mkpath(f.Dir.Path("background"));
    ASSERT_TRUE(tile.save(f.Dir.Path("background/Leaf.bmp"), "BMP"));
    TOptionForm later(f.Dir.AppDir(), store, &f.Form);  // the list is built at creation
    later.show();
    later.findChild<QComboBox*>("StyleComboBox")->setCurrentIndex(0);
    later.findChild<QPushButton*>("BitBtnOK")->click();
    EXPECT_EQ(f.Form.findChild<TControlBar*>("ControlBar1")->palette().brush(QPalette::Window).texture().size(), QSize(8, 8));
    EXPECT_EQ(f.Form.findChild<TControlBar*>("ControlBar2")->palette().brush(QPalette::Window).texture().size(), QSize(8, 8));
    EXPECT_EQ(SharedBackImg().size(), QSize(8, 8));  // the dialogs tile it
    SetSharedBackImg(QPixmap());
}

namespace {

// Runs `drive` on the column chooser once it is open, then the command returns.
void WithChooser(TListColumnSelectForm& chooser, std::function<void(TListColumnSelectForm&)> drive) {
    QTimer::singleShot(0, [&chooser, drive] {
        ASSERT_TRUE(chooser.isVisible());
        drive(chooser);
    });
}

QPushButton* ChooserButton(TListColumnSelectForm& form, const char* name) {
    return form.findChild<QPushButton*>(name);
}

}  // namespace

TEST(ViewSettings, ColumnChooserCancelChangesNothing) {
    TMainFixture f;
    TListColumnSelectForm chooser(&f.Form);
    f.Form.Windows().ListColumnSelectForm = &chooser;
    const TColumnTable before = f.Columns();
    const QStringList shown = f.ShownColumns();
    WithChooser(chooser, [](TListColumnSelectForm& form) {
        form.ListView1->topLevelItem(1)->setCheckState(0, Qt::Unchecked);
        ChooserButton(form, "Button5")->click();  // defaults
        ChooserButton(form, "BitBtn2")->click();  // cancel
    });
    f.Form.findChild<QAction*>("miDisplayDetailConfig")->trigger();
    EXPECT_EQ(f.Columns(), before);
    EXPECT_EQ(f.ShownColumns(), shown);
}

TEST(ViewSettings, ColumnChooserOkRebuildsTheColumns) {
    TMainFixture f;
    TListColumnSelectForm chooser(&f.Form);
    f.Form.Windows().ListColumnSelectForm = &chooser;
    ASSERT_GE(f.Columns().size(), 3u);
    const QString first = f.Columns()[0].Caption;
    const QString second = f.Columns()[1].Caption;
    auto swapAndHideSecond = [](TListColumnSelectForm& form) {
        form.ListView1->setCurrentItem(form.ListView1->topLevelItem(0));
        ChooserButton(form, "Button2")->click();  // first row down
        form.ListView1->topLevelItem(0)->setCheckState(0, Qt::Unchecked);
        ChooserButton(form, "BitBtn1")->click();
    };

    const TColumnTable before = f.Columns();
    // The table follows the rows and the list shows the new columns.
    WithChooser(chooser, swapAndHideSecond);
    f.Form.findChild<QAction*>("miDisplayDetailConfig")->trigger();
    EXPECT_TRUE(f.Answers.Texts().isEmpty());
    ASSERT_EQ(f.Columns().size(), before.size());
    EXPECT_EQ(f.Columns()[0].Caption, second);
    EXPECT_FALSE(f.Columns()[0].Use);
    EXPECT_EQ(f.Columns()[1].Caption, first);
    EXPECT_EQ(f.Columns()[1].Width, f.List()->Header()->sectionSize(0));
    EXPECT_EQ(f.ShownColumns().value(0), first);
    EXPECT_FALSE(f.ShownColumns().contains(second));
}

TEST(ViewSettings, GestureDragKeepsTheRecipeSelected) {
    TTempAppDir dir;
    MakeRecipeCollection(dir.AppDir() + "Cook", 30);
    TDialogAnswerer answers;
    TMainForm form(dir.AppDir());
    form.show();
    ASSERT_GE(TMainFixture::ListOf(form)->RowCount(), 20);
    QTableView* view = TMainFixture::ListOf(form)->ReportView();
    QWidget* port = view->viewport();
    auto rowPoint = [&](int row) { return view->visualRect(view->model()->index(row, 0)).center(); };
    auto send = [&](QEvent::Type t, QPoint p, Qt::MouseButton b, Qt::MouseButtons held) {
        QMouseEvent e(t, p, port->mapToGlobal(p), b, held, Qt::NoModifier);
        QApplication::sendEvent(port, &e);
    };
    send(QEvent::MouseButtonPress, rowPoint(2), Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, rowPoint(2), Qt::LeftButton, Qt::NoButton);
    ASSERT_EQ(TMainFixture::ListOf(form)->SelectedRow(), 2);
    send(QEvent::MouseButtonPress, rowPoint(2), Qt::LeftButton, Qt::LeftButton);
    for (int row = 3; row < 15; ++row) {
        send(QEvent::MouseMove, rowPoint(row), Qt::NoButton, Qt::LeftButton);
        EXPECT_EQ(TMainFixture::ListOf(form)->SelectedRow(), 2);
    }
    EXPECT_EQ(form.findChild<QLabel*>(QStringLiteral("StatusPanel1"))->text(), "D");
    send(QEvent::MouseButtonRelease, rowPoint(14), Qt::LeftButton, Qt::NoButton);
    QApplication::processEvents();
    EXPECT_EQ(TMainFixture::ListOf(form)->SelectedRow(), 2);
    EXPECT_TRUE(form.findChild<QLabel*>(QStringLiteral("StatusPanel1"))->text().isEmpty());
    EXPECT_TRUE(answers.Calls().empty());
}
