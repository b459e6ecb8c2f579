#include <QAbstractButton>
#include <QCheckBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QTableView>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>

#include "support/main_form_fixture.h"
#include "ui/dialogs/list_column_select_form.h"
#include "ui/mainwindow/control_bar.h"
#include "core/settings/settings_store.h"
#include "ui/options/option_form.h"
#include "ui/widgets/tiled_background.h"

namespace {

// A window with one recipe open, "煮物", among thirty.
class ViewSettings : public ::testing::Test, public TMainFormWithDialogs {
protected:
    void SetUp() override {
        MakeRecipeCollection(DataRoot(), 30);
        MakeRecipe(DataRoot(), {.Name = QStringLiteral("煮物")});
        Open();
        ClickRow(QStringLiteral("煮物"));
    }
    QTextEdit* Foodstuff() const { return Find<QTextEdit>(QStringLiteral("memFoodstuff")); }
    QTableView* Report() const { return List()->ReportView(); }
    // Sets the marker as the user does: by typing, or by saving.
    void SetModified(bool modified) {
        if (modified)
            TypeInto(Foodstuff(), QStringLiteral("x"));
        else
            Trigger(QStringLiteral("miRecipeSave"));
        ASSERT_EQ(Marker(), modified ? QStringLiteral("変更有り") : QString());
    }
    // A left-button stroke from the open row; returns the status shown before the release.
    QString Drag(const std::vector<QPoint>& path) {
        const QPoint start = Report()->visualRect(List()->Model()->index(SelectedRow(), 0)).center();
        QTest::mousePress(Report()->viewport(), Qt::LeftButton, {}, start);
        for (QPoint p : path)
            QTest::mouseMove(Report()->viewport(), start + p);
        const QString shown = StatusText(1);
        QTest::mouseRelease(Report()->viewport(), Qt::LeftButton, {}, start + path.back());
        QApplication::processEvents();
        return shown;
    }
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

TEST_F(ViewSettings, ToolBarTicksFollowVisibility) {
    emit Find<QMenu>("miToolbar")->aboutToShow();
    Trigger("miTbDisplayform");  // hides the view-style bar
    EXPECT_TRUE(Find<QToolBar>("ToolBar2")->isHidden());
    emit Find<QMenu>("miToolbar")->aboutToShow();
    EXPECT_FALSE(Find<QAction>("miTbDisplayform")->isChecked());
    EXPECT_TRUE(Find<QAction>("miTbShortcut")->isChecked());
}

// View-only mode, here from the layout and so set before the handlers were bound, has other bars, no
// pop-up menus, no gestures and every place of the changing commands off; leaving it brings them back.
TEST_F(ViewSettings, ViewOnlyModeLocksEveryPlaceAndGesturesRunTheirCommands) {
    Close();
    Dir.WriteSjis(QFileInfo(SettingsFilePath(AppDir())).fileName(), QStringLiteral("[MODE]\r\nONLYVIEW=1\r\n"));
    Open();
    struct TGesture {
        const char* Command;
        std::vector<QPoint> Path;
    };
    const TGesture gestures[] = {
        {"miUpdate", {{0, -30}, {0, 0}}},
        {"miRecipeDelete", {{30, 0}, {30, 30}, {0, 30}, {0, 0}}},
    };
    QStringList ran;
    for (const char* name : {"miUpdate", "miRecipeDelete", "miSearchRecipeNameNext"})
        QObject::connect(Find<QAction>(name), &QAction::triggered, [&ran, name] { ran << name; });
    const QList<QWidget*> owners = {List(), Foodstuff(), Find<QLabel>("Image1")};
    const char* const changing[] = {"miRecipeDelete", "R1", "ToolButtonEditAttr", "tbtnSave"};  // menu, pop-up, bars
    Form->setWindowState(Qt::WindowNoState);
    QApplication::setActiveWindow(Form.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
    QTest::keyClick(Form.get(), Qt::Key_F2);  // menu keys work also with the menu bar hidden
    EXPECT_EQ(ran, QStringList{"miSearchRecipeNameNext"});
    auto enabled = [&](const char* name) {
        if (auto* action = Form->findChild<QAction*>(name))
            return action->isEnabled();
        return Find<QAbstractButton>(name)->isEnabled();
    };
    for (const bool viewOnly : {true, false}) {
        SCOPED_TRACE(viewOnly);
        ClickRow(QStringLiteral("煮物"));
        EXPECT_EQ(Find<TControlBar>("ControlBar1")->isHidden(), viewOnly);
        EXPECT_EQ(Find<TControlBar>("ControlBar2")->isHidden(), !viewOnly);
        for (QWidget* w : owners)
            EXPECT_EQ(PopupOpens(w), !viewOnly) << w->objectName().toStdString();
        for (const char* name : changing)
            EXPECT_EQ(enabled(name), !viewOnly) << name;
        EXPECT_TRUE(enabled("ToolButtonNewRecipe"));
        bool opened = false;
        QTimer::singleShot(0, [&] {
            opened = Element.isVisible();
            Element.reject();
        });
        emit List()->DoubleClicked();
        QApplication::processEvents();
        EXPECT_EQ(opened, !viewOnly);
        for (const TGesture& g : gestures) {
            ran.clear();
            ClickRow(QStringLiteral("煮物"));
            EXPECT_EQ(Drag(g.Path).isEmpty(), viewOnly) << g.Command;
            if (!viewOnly) {
                EXPECT_EQ(RowText(SelectedRow()), QStringLiteral("煮物"));  // the stroke kept the row
            }
            EXPECT_EQ(ran, viewOnly ? QStringList() : QStringList{g.Command});
        }
        Find<QToolButton>("tbtnModeChange")->click();
    }
    EXPECT_EQ(RowCount(), 31);  // the questions were not answered: nothing deleted
}

// Font size, word wrap and options OK restyle the panes and list at once; the marker stays as it was
// and a later edit still marks.
TEST_F(ViewSettings, RestylingKeepsTheMarker) {
    TSettingsStore& store = Form->SettingsStore();
    for (const bool modified : {true, false}) {
        SCOPED_TRACE(modified);
        SetModified(modified);
        Trigger("miFontSizeMax");
        EXPECT_EQ(Foodstuff()->font().pointSize(), 13);
        Find<QToolButton>("tbtnWordWrap")->click();
        TOptionForm options(AppDir(), store, Form.get());
        options.show();
        options.findChild<QCheckBox*>("CheckBox1")->setChecked(modified);  // large row icons
        options.findChild<QCheckBox*>("CheckBox6")->setChecked(modified);  // same-width font
        options.findChild<QLineEdit*>("EditTitle")->setText(modified ? "献立帳" : "台所");
        options.findChild<QPushButton*>("BitBtnOK")->click();
        EXPECT_EQ(Marker(), modified ? "変更有り" : "");
        EXPECT_EQ(Form->windowTitle(), modified ? "献立帳" : "台所");
        EXPECT_EQ(Report()->iconSize(), modified ? QSize(32, 32) : QSize(16, 16));
        EXPECT_EQ(Find<QTextEdit>("RichEditComment")->font().family() == "ＭＳ ゴシック", modified);
        Foodstuff()->setPlainText("卵 2個");
        EXPECT_EQ(Marker(), "変更有り");
    }
    Dir.WriteBytes(QStringLiteral("background/Leaf.bmp"), SmallBmp(8, 8));
    TOptionForm later(AppDir(), store, Form.get());  // the list is built at creation
    later.show();
    later.findChild<QComboBox*>("StyleComboBox")->setCurrentIndex(0);
    later.findChild<QPushButton*>("BitBtnOK")->click();
    for (const char* site : {"ControlBar1", "ControlBar2"})
        EXPECT_EQ(Find<TControlBar>(site)->palette().brush(QPalette::Window).texture().size(), QSize(8, 8));
    EXPECT_EQ(SharedBackImg().size(), QSize(8, 8));
    SetSharedBackImg(QPixmap());
}

// Cancel changes nothing; OK makes the list show the chosen columns, with the widths as dragged.
TEST_F(ViewSettings, ColumnChooserCancelOrOk) {
    TListColumnSelectForm chooser(Form.get());
    Windows.ListColumnSelectForm = &chooser;
    const TColumnTable before = Book().ColumnTable;
    List()->Header()->resizeSection(0, 123);
    for (const bool ok : {false, true}) {
        QTimer::singleShot(0, [&chooser, ok] {
            chooser.ListView1->topLevelItem(1)->setCheckState(0, Qt::Unchecked);
            chooser.findChild<QPushButton*>(ok ? "BitBtn1" : "BitBtn2")->click();
        });
        Trigger("miDisplayDetailConfig");
        EXPECT_EQ(Book().ColumnTable[1].Use, !ok);
    }
    EXPECT_EQ(Book().ColumnTable[0].Width, 123);
    const QStringList shown = static_cast<TCookListModel*>(List()->Model())->Columns();
    EXPECT_EQ(shown.value(1), before[2].Caption);
}
