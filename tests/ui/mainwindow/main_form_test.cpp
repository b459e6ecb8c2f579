#include <QDir>
#include <QMenuBar>
#include <QTabWidget>

#include "support/main_form_fixture.h"
#include "ui/mainwindow/control_bar.h"

namespace {

class MainFormTest : public ::testing::Test, public TMainFormFixture {};

}  // namespace

// Other parts and the user's settings reach the components by these names.
TEST_F(MainFormTest, FirstStartShowsEveryNamedComponentAndNoRecipe) {
    Open();
    const QString widgets = QStringLiteral(
        "ControlBar1 ControlBar2 ToolBar1 ToolBar2 ToolBar3 ToolBar4 ToolBar6 PanelHint imgHint PanelClock "
        "ImageClock PanelAuthor Image3 ToolButtonNewRecipe ToolButtonDelRecipe ToolButtonEditRecipe "
        "ToolButtonEditAttr ToolButton5 tbtnPrint tbtnPrintPreview ToolButton14 ToolButton15 ToolButton16 "
        "ToolButton11 tbtnReport tbtnList tbtnIcon tbtnSmallIcon cbSearchRefinement btnSearchRefinement tbtnClose "
        "tbtnEasyPrint tbtnModeChange Panel4 Panel5 Panel6 ScrollBox1 PaintBox1 Panel9 Panel11 TreeView1 "
        "ComboBoxGroup CookListView CookPanel Panel8 tbtnSave tbtnWordWrap PanelStatus pnlRecipeHeader "
        "imbRecipeIcon PageControl1 TabSheetRecipe TabSheetComment TabSheetPaint TabSheetAttr SubPanel "
        "PicturePanel CapPanel1 CapPanel2 CapPanel3 CapPanel4 CapPanel5 memFoodstuff MemoHow RichEditComment "
        "RichEdit1 ImagePanel Image1 Shape1 PanelImageControl SpeedButtonPrevPic SpeedButtonNextPic ScrollBox2 "
        "imgDraw lblCanvasSize StatusBar1 ProgressBar1");
    for (const QString& name : widgets.split(QLatin1Char(' ')))
        Find<QWidget>(name);
    const QString items = QStringLiteral(
        "miModeChange miMailExport miHTMLExport miPSPHtmlExport miMailImport miPrint PrintPreview1 B3 A3 Exit1 "
        "miRecipeAdd miRecipeDelete miRecipeSave miRecipeRename miRecipeAttrEdit miUpdate N4 miTbShortcut "
        "miTbDisplayform miTbSearch miTbHint miTbClock miTbHomePage A2 S1 miDisplayDetailConfig miFontSizeMax "
        "miFontSizeBig miFontSizeMiddle miFontSizeSmall miFontSizeMin miIconManage miSearchRecipeName "
        "miSearchRecipeNameNext miSearchMaterialName miSearchMaterialNameNext miKitchenTimer miClac miRSS C1 "
        "MenuStartup MenuClose Detail1 miOption Help2 About1 Delete2 R1 E2 N46 Copy1 Paste3 N18 N45 N48 N39 "
        "Paste1 N40 L1 C2 Paste2 D1");
    for (const QString& name : items.split(QLatin1Char(' ')))
        Find<QAction>(name);
    EXPECT_FALSE(Find<QAction>("C1")->isVisible());  // LAN entries are laid out hidden
    EXPECT_TRUE(Find<TControlBar>("ControlBar2")->isHidden());
    EXPECT_TRUE(QDir(DataRoot()).exists());
    EXPECT_FALSE(Find<QTabWidget>("PageControl1")->isEnabled());
    EXPECT_TRUE(Find<QTextEdit>("memFoodstuff")->isReadOnly());
    EXPECT_EQ(Answers.Unanswered(), 0) << Answers.Texts().join(QLatin1Char('\n')).toStdString();
}

TEST_F(MainFormTest, MenuShortcutsWorkAlsoWithTheMenuBarHidden) {
    Open();
    Form->setWindowState(Qt::WindowNoState);
    QApplication::setActiveWindow(Form.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
    int runs = 0;
    QObject::connect(Find<QAction>("miSearchRecipeNameNext"), &QAction::triggered, [&runs] { ++runs; });
    Trigger("miModeChange");  // hides the bar row that holds the menu bar
    ASSERT_FALSE(Find<QMenuBar>("MainMenu")->isVisible());
    QTest::keyClick(Form.get(), Qt::Key_F2);
    EXPECT_EQ(runs, 1);
}

TEST_F(MainFormTest, ADataFolderThatCannotBeMadeEndsTheProgram) {
    Dir.WriteBytes(QStringLiteral("Cook"), "not a folder");
    Open();
    EXPECT_TRUE(Form->TerminateRequested());
    ASSERT_FALSE(Answers.Calls().empty());
    EXPECT_EQ(Answers.Calls()[0].Text, QStringLiteral("フォルダの作成に失敗しました. FolderPath=") + DataRoot());
    EXPECT_EQ(Dir.ReadBytes(QStringLiteral("Cook")), QByteArray("not a folder"));
}
