#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableView>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

#include "core/settings/settings_store.h"
#include "support/main_form_fixture.h"
#include "support/render_ui.h"
#include "ui/dialogs/list_column_select_form.h"
#include "ui/mainwindow/control_bar.h"
#include "ui/options/option_form.h"
#include "ui/widgets/tiled_background.h"

namespace {

// A window with one recipe open, "煮物".
class ViewSettings : public ::testing::Test, public TMainFormFixture {
protected:
    void SetUp() override {
        MakeRecipeCollection(DataRoot(), 30);
        MakeRecipe(DataRoot(), {.Name = QStringLiteral("煮物")});
        Open();
        ClickRow(QStringLiteral("煮物"));
    }
    QTextEdit* Foodstuff() const { return Find<QTextEdit>(QStringLiteral("memFoodstuff")); }
    QTableView* Report() const { return List()->ReportView(); }
    QStringList ShownColumns() const { return static_cast<TCookListModel*>(List()->Model())->Columns(); }
    // Sets the marker as the user does: by typing, or by saving.
    void SetModified(bool modified) {
        if (modified)
            TypeInto(Foodstuff(), QStringLiteral("x"));
        else
            Trigger(QStringLiteral("miRecipeSave"));
        ASSERT_EQ(Marker(), modified ? QStringLiteral("変更有り") : QString());
    }
    void Send(QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons held) {
        QWidget* port = Report()->viewport();
        QMouseEvent e(type, p, port->mapToGlobal(p), button, held, Qt::NoModifier);
        QApplication::sendEvent(port, &e);
    }
    void Drag(QPoint start, const std::vector<QPoint>& path) {
        Send(QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
        for (QPoint p : path)
            Send(QEvent::MouseMove, start + p, Qt::NoButton, Qt::LeftButton);
        StatusBeforeRelease = StatusText(1);
        Send(QEvent::MouseButtonRelease, start + path.back(), Qt::LeftButton, Qt::NoButton);
        QApplication::processEvents();
    }
    QString StatusBeforeRelease;  // the stroke's letters as the status bar showed them
    QPoint RowPoint(int row) const { return Report()->visualRect(List()->Model()->index(row, 0)).center(); }
};

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

TEST_F(ViewSettings, MarkerSurvivesFontAndWordWrapChanges) {
    for (const bool modified : {true, false}) {
        SetModified(modified);
        const QString expected = modified ? "変更有り" : "";
        Trigger("miFontSizeMax");
        EXPECT_EQ(Marker(), expected);
        EXPECT_EQ(Foodstuff()->font().pointSize(), 13);
        Find<QToolButton>("tbtnWordWrap")->click();
        EXPECT_EQ(Marker(), expected);
        Find<QToolButton>("tbtnWordWrap")->click();
        EXPECT_EQ(Marker(), expected);
        Foodstuff()->setPlainText("卵 2個");  // a real edit still marks
        EXPECT_EQ(Marker(), "変更有り");
    }
}

TEST_F(ViewSettings, ToolBarTicksFollowVisibility) {
    QMenu* menu = Find<QMenu>("miToolbar");
    emit menu->aboutToShow();
    EXPECT_TRUE(Find<QAction>("miTbDisplayform")->isChecked());
    Trigger("miTbDisplayform");  // hides the view-style bar
    EXPECT_TRUE(Find<QToolBar>("ToolBar2")->isHidden());
    emit menu->aboutToShow();
    EXPECT_FALSE(Find<QAction>("miTbDisplayform")->isChecked());
    EXPECT_TRUE(Find<QAction>("miTbShortcut")->isChecked());
    Trigger("miTbDisplayform");
    emit menu->aboutToShow();
    EXPECT_TRUE(Find<QAction>("miTbDisplayform")->isChecked());
}

// Each gesture runs its command on the selected row; view-only mode has other
// bars, no pop-up menus and no gestures, and leaving it gives them back.
TEST_F(ViewSettings, GesturesAndPopupsFollowViewOnlyMode) {
    struct TGesture {
        const char* Command;
        std::vector<QPoint> Path;
    };
    const TGesture gestures[] = {
        {"miUpdate", {{0, -30}, {0, 0}}},
        {"miRecipeDelete", {{30, 0}, {30, 30}, {0, 30}, {0, 0}}},
        {"miRecipeRename", {{0, 30}, {-30, 30}}},
        {"miRecipeAttrEdit", {{0, 30}, {30, 30}}},
    };
    QMap<QString, int> runs;
    for (const TGesture& g : gestures)
        QObject::connect(Find<QAction>(g.Command), &QAction::triggered, [&runs, &g] { ++runs[g.Command]; });
    const QList<QWidget*> owners = {List(), Foodstuff(), Find<QTextEdit>("MemoHow"),
                                    Find<QTextEdit>("RichEditComment"), Find<QLabel>("Image1")};
    for (const bool viewOnly : {true, false, true}) {
        SCOPED_TRACE(viewOnly);
        if (viewOnly)
            Trigger("miModeChange");
        else
            Find<QToolButton>("tbtnModeChange")->click();
        RenderWidgetIfAsked(Form.get(), "main_form_view_only");
        EXPECT_EQ(Find<TControlBar>("ControlBar1")->isHidden(), viewOnly);
        EXPECT_EQ(Find<TControlBar>("ControlBar2")->isHidden(), !viewOnly);
        for (QWidget* w : owners)
            EXPECT_EQ(PopupOpens(w), !viewOnly) << w->objectName().toStdString();
        for (const TGesture& g : gestures) {
            runs.clear();
            ClickRow(QStringLiteral("煮物"));
            Drag(RowPoint(SelectedRow()), g.Path);
            if (!viewOnly) {
                EXPECT_EQ(RowText(SelectedRow()), QStringLiteral("煮物"));  // the stroke kept the row
            }
            EXPECT_EQ(runs.value(g.Command), viewOnly ? 0 : 1) << g.Command;
            EXPECT_EQ(runs.size(), viewOnly ? 0 : 1) << g.Command;
            EXPECT_EQ(StatusBeforeRelease.isEmpty(), viewOnly) << g.Command;
            EXPECT_TRUE(StatusText(1).isEmpty());
        }
    }
    EXPECT_EQ(RowNames().size(), 31);  // the questions were not answered: nothing deleted
}

TEST_F(ViewSettings, OptionsOkAppliesAtOnce) {
    TSettingsStore& store = Form->SettingsStore();
    TOptionForm options(AppDir(), store, Form.get());
    // Large row icons on and off: rows hold their icons instead of drawing
    // over the next row; the marker and the caption follow every OK.
    for (const bool modified : {true, false}) {
        SetModified(modified);
        options.show();
        options.findChild<QCheckBox*>("CheckBox6")->toggle();
        options.findChild<QCheckBox*>("CheckBox1")->toggle();  // large row icons
        options.findChild<QLineEdit*>("EditTitle")->setText(modified ? "献立帳" : "台所");
        options.findChild<QPushButton*>("BitBtnOK")->click();
        EXPECT_EQ(Marker(), modified ? "変更有り" : "");
        EXPECT_EQ(Form->windowTitle(), modified ? "献立帳" : "台所");  // no background bitmap
        const bool large = store.Settings().LargeIcon;
        EXPECT_EQ(Report()->iconSize(), large ? QSize(32, 32) : QSize(16, 16));
        if (large) {
            EXPECT_GE(Report()->verticalHeader()->defaultSectionSize(), 34);
        } else {
            EXPECT_LT(Report()->verticalHeader()->defaultSectionSize(), 34);
        }
    }
    options.show();
    options.findChild<QCheckBox*>("CheckBox6")->setChecked(true);  // same-width font
    options.findChild<QCheckBox*>("CheckBox1")->setChecked(false);
    options.findChild<QCheckBox*>("CheckBox3")->setChecked(true);
    options.findChild<QPushButton*>("BitBtnOK")->click();
    EXPECT_EQ(Foodstuff()->font().family(), "ＭＳ ゴシック");
    EXPECT_EQ(Find<QTextEdit>("RichEditComment")->font().family(), "ＭＳ ゴシック");
    EXPECT_TRUE(Report()->showGrid());
    EXPECT_TRUE(Find<TControlBar>("ControlBar1")->palette().brush(QPalette::Window).texture().isNull());

    // A background bitmap: the dock sites show it at once.
    QImage tile(8, 8, QImage::Format_RGB32);
    tile.fill(Qt::green);
    QDir().mkpath(Dir.Path("background"));
    ASSERT_TRUE(tile.save(Dir.Path("background/Leaf.bmp"), "BMP"));
    TOptionForm later(AppDir(), store, Form.get());  // the list is built at creation
    later.show();
    later.findChild<QComboBox*>("StyleComboBox")->setCurrentIndex(0);
    later.findChild<QPushButton*>("BitBtnOK")->click();
    for (const char* site : {"ControlBar1", "ControlBar2"})
        EXPECT_EQ(Find<TControlBar>(site)->palette().brush(QPalette::Window).texture().size(), QSize(8, 8));
    EXPECT_EQ(SharedBackImg().size(), QSize(8, 8));  // the dialogs tile it
    SetSharedBackImg(QPixmap());
}

// Cancel changes nothing; OK makes the table follow the rows and the list
// show the new columns, with the widths as dragged.
TEST_F(ViewSettings, ColumnChooserCancelOrOk) {
    TListColumnSelectForm chooser(Form.get());
    Windows.ListColumnSelectForm = &chooser;
    TColumnTable& columns = Book().ColumnTable;
    ASSERT_GE(columns.size(), 3u);
    const TColumnTable before = columns;
    const QStringList shown = ShownColumns();
    for (const bool ok : {false, true}) {
        QTimer::singleShot(0, [&chooser, ok] {
            ASSERT_TRUE(chooser.isVisible());
            chooser.ListView1->setCurrentItem(chooser.ListView1->topLevelItem(0));
            chooser.findChild<QPushButton*>("Button2")->click();  // first row down
            chooser.ListView1->topLevelItem(0)->setCheckState(0, Qt::Unchecked);
            chooser.findChild<QPushButton*>(ok ? "BitBtn1" : "BitBtn2")->click();
        });
        Trigger("miDisplayDetailConfig");
    }
    EXPECT_TRUE(Answers.Texts().isEmpty());
    ASSERT_EQ(columns.size(), before.size());
    EXPECT_EQ(columns[0].Caption, before[1].Caption);
    EXPECT_FALSE(columns[0].Use);
    EXPECT_EQ(columns[1].Caption, before[0].Caption);
    EXPECT_EQ(columns[1].Width, List()->Header()->sectionSize(0));
    EXPECT_EQ(ShownColumns().value(0), shown.value(0));
    EXPECT_FALSE(ShownColumns().contains(before[1].Caption));
}
