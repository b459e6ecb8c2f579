#include <gtest/gtest.h>

#include <memory>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenuBar>
#include <QTest>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolButton>

#include "ui/mainwindow/control_bar.h"
#include "ui/mainwindow/main_form.h"
#include "ui/platform/dialogs.h"
#include "support/temp_app_dir.h"

namespace {

template <class T = QObject>
T* Find(QObject* root, const char* name) {
    return root->findChild<T*>(QString::fromLatin1(name));
}

}  // namespace

TEST(MainFormSkeletonTest, EveryDocumentedComponentIsThereByName) {
    TTempAppDir dir;
    TDialogAnswerer answers;
    TMainForm form(dir.AppDir());

    const char* widgets[] = {
        "ControlBar1", "ControlBar2", "ToolBar1", "ToolBar2", "ToolBar3", "ToolBar4", "ToolBar6",
        "PanelHint", "imgHint", "PanelClock", "ImageClock", "PanelAuthor", "Image3",
        "ToolButtonNewRecipe", "ToolButtonDelRecipe", "ToolButtonEditRecipe", "ToolButtonEditAttr",
        "ToolButton5", "tbtnPrint", "tbtnPrintPreview", "ToolButton14", "ToolButton15", "ToolButton16",
        "ToolButton11", "tbtnReport", "tbtnList", "tbtnIcon", "tbtnSmallIcon", "cbSearchRefinement",
        "btnSearchRefinement", "tbtnClose", "tbtnEasyPrint", "tbtnModeChange", "Panel4", "Panel5", "Panel6",
        "ScrollBox1", "PaintBox1", "Panel9", "Panel11", "TreeView1", "ComboBoxGroup", "CookListView",
        "CookPanel", "Panel8", "tbtnSave", "tbtnWordWrap", "PanelStatus", "pnlRecipeHeader", "imbRecipeIcon",
        "PageControl1", "TabSheetRecipe", "TabSheetComment", "TabSheetPaint", "TabSheetAttr", "SubPanel",
        "PicturePanel", "CapPanel1", "CapPanel2", "CapPanel3", "CapPanel4", "CapPanel5", "memFoodstuff",
        "MemoHow", "RichEditComment", "RichEdit1", "ImagePanel", "Image1", "Shape1", "PanelImageControl",
        "SpeedButtonPrevPic", "SpeedButtonNextPic", "ScrollBox2", "imgDraw", "lblCanvasSize", "StatusBar1",
        "ProgressBar1"};
    for (const char* name : widgets)
        EXPECT_NE(Find<QWidget>(&form, name), nullptr) << name;

    const char* items[] = {
        "miModeChange", "miMailExport", "miHTMLExport", "miPSPHtmlExport", "miMailImport", "miPrint",
        "PrintPreview1", "B3", "A3", "Exit1", "miRecipeAdd", "miRecipeDelete", "miRecipeSave",
        "miRecipeRename", "miRecipeAttrEdit", "miUpdate", "N4", "miTbShortcut", "miTbDisplayform",
        "miTbSearch", "miTbHint", "miTbClock", "miTbHomePage", "A2", "S1", "miDisplayDetailConfig",
        "miFontSizeMax", "miFontSizeBig", "miFontSizeMiddle", "miFontSizeSmall", "miFontSizeMin",
        "miIconManage", "miSearchRecipeName", "miSearchRecipeNameNext", "miSearchMaterialName",
        "miSearchMaterialNameNext", "miKitchenTimer", "miClac", "miRSS", "C1", "MenuStartup", "MenuClose",
        "Detail1", "miOption", "Help2", "About1", "Delete2", "R1", "E2", "N46", "Copy1", "Paste3", "N18",
        "N45", "N48", "N39", "Paste1", "N40", "L1", "C2", "Paste2", "D1"};
    for (const char* name : items)
        EXPECT_NE(Find<QAction>(&form, name), nullptr) << name;

    // Captions and shortcuts as the user sees them.
    EXPECT_EQ(Find<QAction>(&form, "miRecipeSave")->text(), QStringLiteral("レシピの上書き保存(&S)"));
    EXPECT_EQ(Find<QAction>(&form, "miRecipeSave")->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
    EXPECT_EQ(Find<QAction>(&form, "miUpdate")->shortcut(), QKeySequence(Qt::Key_F5));
    EXPECT_EQ(Find<QAction>(&form, "miSearchMaterialNameNext")->shortcut(), QKeySequence(Qt::Key_F3));
    EXPECT_EQ(Find<QAction>(&form, "miRSS")->shortcut(), QKeySequence(Qt::Key_F12));
    // LAN entries are laid out hidden.
    EXPECT_FALSE(Find<QAction>(&form, "C1")->isVisible());
    EXPECT_TRUE(form.findChild<TControlBar*>("ControlBar2")->isHidden());
    EXPECT_EQ(answers.Unanswered(), 0) << answers.Texts().join(QLatin1Char('\n')).toStdString();
}

TEST(MainFormSkeletonTest, FirstStartCreatesTheDataFolderAndShowsNoRecipe) {
    TTempAppDir dir;
    TDialogAnswerer answers;
    TMainForm form(dir.AppDir());
    EXPECT_TRUE(QDir(dir.AppDir() + QStringLiteral("Cook")).exists());
    EXPECT_EQ(form.DataRoot, dir.AppDir() + QStringLiteral("Cook"));
    EXPECT_FALSE(form.TerminateRequested);
    EXPECT_TRUE(form.windowState() & Qt::WindowMaximized);
    EXPECT_TRUE(form.findChild<QToolButton*>("tbtnReport")->isChecked());
    EXPECT_TRUE(form.findChild<QAction*>("miFontSizeMiddle")->isChecked());
    EXPECT_FALSE(form.findChild<QTabWidget*>(QStringLiteral("PageControl1"))->isEnabled());
    EXPECT_TRUE(form.findChild<QTextEdit*>(QStringLiteral("memFoodstuff"))->isReadOnly());
    EXPECT_EQ(form.findChild<QLabel*>(QStringLiteral("PanelStatus"))->text(), QString());
}

TEST(MainFormSkeletonTest, MenuShortcutsWorkAlsoWithTheMenuBarHidden) {
    TTempAppDir dir;
    TDialogAnswerer answers;
    TMainForm form(dir.AppDir());
    form.setWindowState(Qt::WindowNoState);
    form.show();
    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    int helped = 0;
    form.BindCommand("miSearchRecipeNameNext", [&] { ++helped; });
    QTest::keyClick(&form, Qt::Key_F2);
    EXPECT_EQ(helped, 1);
    // View-only mode hides the bar row that holds the menu bar.
    form.miModeChangeClick();
    ASSERT_FALSE(form.findChild<QMenuBar*>("MainMenu")->isVisible());
    QTest::keyClick(&form, Qt::Key_F2);
    EXPECT_EQ(helped, 2);
}

TEST(MainFormSkeletonTest, ADataFolderThatCannotBeMadeEndsTheProgram) {
    TTempAppDir dir;
    TDialogAnswerer answers;
    dir.WriteBytes(QStringLiteral("Cook"), "not a folder");
    TMainForm form(dir.AppDir());
    EXPECT_TRUE(form.TerminateRequested);
    ASSERT_FALSE(answers.Calls().empty());
    EXPECT_EQ(answers.Calls()[0].Text, QStringLiteral("フォルダの作成に失敗しました. FolderPath=") + dir.AppDir() +
                                           QStringLiteral("Cook"));
    EXPECT_EQ(answers.Calls()[0].Type, TMsgType::Error);
    EXPECT_EQ(dir.ReadBytes(QStringLiteral("Cook")), QByteArray("not a folder"));
}
