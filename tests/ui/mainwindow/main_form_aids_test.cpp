#include <gtest/gtest.h>

#include <QAction>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QTimer>

#include "support/main_form_fixture.h"
#include "ui/mainwindow/link_picture_form.h"
#include "ui/mainwindow/link_thumbnail_form.h"
#include "core/platform/picture_codec.h"
#include "support/render_ui.h"

namespace {

// The middle of character `c` of a pane, in viewport coordinates.
QPoint CentreOf(QTextEdit* pane, int c) {
    QTextCursor a(pane->document());
    a.setPosition(c);
    QTextCursor b(pane->document());
    b.setPosition(c + 1);
    return {(pane->cursorRect(a).x() + pane->cursorRect(b).x()) / 2, pane->cursorRect(a).center().y()};
}

void MouseMove(QWidget* widget, QPoint at) {
    QMouseEvent move(QEvent::MouseMove, QPointF(at), widget->mapToGlobal(QPointF(at)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

class MainPaneAidsTest : public ::testing::Test, public TMainFormFixture {
protected:
    TLinkPictureForm Viewer;
    TLinkThumbnailForm Thumbnail;
    QString Folder;

    QTextEdit* Foodstuff() const { return Find<QTextEdit>("memFoodstuff"); }
    QTextEdit* How() const { return Find<QTextEdit>("MemoHow"); }
    QLabel* Canvas() const { return Find<QLabel>("imgDraw"); }
    void ShowMemoTab() const { Find<QTabWidget>("PageControl1")->setCurrentWidget(Find<QWidget>("TabSheetPaint")); }

    void SetUp() override {
        Windows.LinkPictureForm = &Viewer;
        Windows.LinkThumbnailForm = &Thumbnail;
        Folder = MakeRecipe(DataRoot(), {.Name = QStringLiteral("卵焼き"),
                                         .Foodstuff = QStringLiteral("卵 3個\n砂糖 大さじ1\n塩 少々"),
                                         .How = QStringLiteral("卵を溶く\n焼く"),
                                         .Photo = true,
                                         .ExtraPhotos = {QStringLiteral("IMG_0001.JPG")},
                                         .LinkWords = {QStringLiteral("卵")}});
        WriteRaw(Folder + "IMG_0001.JPG", SmallJpeg(60, 30, QColor(40, 160, 60)));
        WriteRaw(Folder + "LinkPic/卵.jpg", SmallJpeg(80, 60, QColor(250, 220, 60)));
        MakeRecipe(DataRoot(), {.Name = QStringLiteral("サラダ")});
    }
};

}  // namespace

TEST_F(MainPaneAidsTest, PhotoPagingAndMenusRendered) {
    TMainForm& form = Open();
    ClickRow(QStringLiteral("卵焼き"));
    Find<QToolButton>("SpeedButtonNextPic")->click();
    EXPECT_FALSE(Find<QLabel>("Image1")->pixmap().isNull());
    form.setGeometry(0, 0, 1000, 650);
    RenderWidgetIfAsked(&form, QStringLiteral("pane_aids_photo_paged"));
    // The pane menu in its flat look, with the ticker running.
    for (int i = 0; i < 200; ++i)
        emit Find<QTimer>("tmHint")->timeout({});
    form.findChild<QMenu*>("REPopupMenu")->popup(form.mapToGlobal(QPoint(700, 200)));
    QApplication::processEvents();
    RenderWidgetIfAsked(form.findChild<QMenu*>("REPopupMenu"), QStringLiteral("pane_aids_menu"));
    RenderWidgetIfAsked(form.findChild<QToolBar*>("ToolBar3"), QStringLiteral("pane_aids_menubar"));
    RenderWidgetIfAsked(form.findChild<QLabel*>("imgHint"), QStringLiteral("pane_aids_tips"));
    form.findChild<QMenu*>("REPopupMenu")->hide();
    EXPECT_EQ(Answers.Unanswered(), 0) << Answers.Texts().join('|').toStdString();
}

TEST_F(MainPaneAidsTest, MemoDrawingSavesAndReloadsTheSamePixels) {
    TMainForm& form = Open();
    ShowMemoTab();
    // No recipe selected: the canvas takes no stroke.
    QTest::mousePress(Canvas(), Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(Canvas(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(Recipe->MemoDirty());

    ClickRow(QStringLiteral("卵焼き"));
    ShowMemoTab();
    QTest::mouseClick(form.findChild<QToolButton*>("SpeedButton11"), Qt::LeftButton);
    QTest::mousePress(form.findChild<QFrame*>("Panel18_3"), Qt::LeftButton);
    QTest::mousePress(Canvas(), Qt::LeftButton, {}, QPoint(20, 20));
    MouseMove(Canvas(), QPoint(200, 200));
    MouseMove(Canvas(), QPoint(60, 30));
    QTest::mouseRelease(Canvas(), Qt::LeftButton, {}, QPoint(120, 90));
    EXPECT_TRUE(Recipe->MemoDirty());
    EXPECT_EQ(Marker(), QStringLiteral("変更有り"));
    EXPECT_EQ(Recipe->Memo().pixel(20, 50), qRgb(0, 0, 255));
    const QImage drawn = Recipe->Memo();
    RenderWidgetIfAsked(&form, QStringLiteral("pane_aids_memo"));
    Trigger("miRecipeSave");

    ClickRow(QStringLiteral("サラダ"));
    EXPECT_FALSE(Recipe->MemoDirty());
    EXPECT_EQ(Recipe->Memo().pixel(20, 50), qRgb(255, 255, 255));
    ClickRow(QStringLiteral("卵焼き"));
    EXPECT_EQ(Recipe->Memo().convertToFormat(QImage::Format_RGB32), drawn.convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(Answers.Unanswered(), 0) << Answers.Texts().join('|').toStdString();
}

TEST_F(MainPaneAidsTest, SaveInTheMiddleOfAStrokeWritesTheDrawing) {
    TMainForm& form = Open();
    ClickRow(QStringLiteral("卵焼き"));
    ShowMemoTab();
    QTest::mouseClick(form.findChild<QToolButton*>("SpeedButton8"), Qt::LeftButton);  // eraser
    QTest::mousePress(form.findChild<QFrame*>("Panel18"), Qt::LeftButton);
    QTest::mouseClick(form.findChild<QToolButton*>("SpeedButton9"), Qt::LeftButton);  // fill
    QTest::mousePress(Canvas(), Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(Canvas(), Qt::LeftButton, {}, QPoint(5, 5));
    // The pen is held down on the canvas when Ctrl+S saves.
    QTest::mouseClick(form.findChild<QToolButton*>("SpeedButton3"), Qt::LeftButton);
    QTest::mousePress(form.findChild<QFrame*>("Panel18_1"), Qt::LeftButton);  // white
    QTest::mousePress(Canvas(), Qt::LeftButton, {}, QPoint(40, 40));
    Trigger("miRecipeSave");
    const QString memo = Folder + QStringLiteral("手書きメモ.bmp");
    ASSERT_TRUE(QFileInfo::exists(memo));
    const QImage saved = DecodePictureBytes(ReadRaw(memo), memo);
    EXPECT_EQ(saved.pixel(100, 100), qRgb(0, 0, 0));
    EXPECT_EQ(saved.pixel(40, 40), qRgb(255, 255, 255));
    MouseMove(Canvas(), QPoint(60, 40));
    QTest::mouseRelease(Canvas(), Qt::LeftButton, {}, QPoint(60, 40));
    EXPECT_EQ(Recipe->Memo().pixel(50, 40), qRgb(255, 255, 255));
    EXPECT_EQ(Marker(), QStringLiteral("変更有り"));
}

TEST_F(MainPaneAidsTest, LinkedWordShowsThumbnailOpensViewerAndDeletes) {
    TMainForm& form = Open();
    form.setGeometry(0, 0, 1000, 650);
    ClickRow(QStringLiteral("卵焼き"));
    // Typing after the load is plain, even where the text ends in a link.
    EXPECT_FALSE(How()->currentCharFormat().fontUnderline());
    EXPECT_EQ(How()->textCursor().position(), How()->toPlainText().size());
    MouseMove(Foodstuff()->viewport(), CentreOf(Foodstuff(), 0));
    EXPECT_TRUE(Thumbnail.isVisible());
    RenderWidgetIfAsked(&form, QStringLiteral("pane_aids_link_window"));
    RenderWidgetIfAsked(&Thumbnail, QStringLiteral("pane_aids_link_thumbnail"));
    QTest::mouseClick(How()->viewport(), Qt::LeftButton, {}, CentreOf(How(), 0));
    EXPECT_TRUE(Viewer.isVisible());
    RenderWidgetIfAsked(&Viewer, QStringLiteral("pane_aids_link_viewer"));
    Viewer.hide();

    // Delete the one link from the pane menu: the folder goes with it.
    emit form.findChild<QMenu*>("REPopupMenu")->aboutToShow();
    EXPECT_TRUE(form.findChild<QMenu*>("N41")->menuAction()->isEnabled());
    emit form.findChild<QMenu*>("N41")->aboutToShow();
    const QList<QAction*> items = form.findChild<QMenu*>("N41")->actions();
    QAction* egg = nullptr;
    for (QAction* item : items)
        if (item->text() == QStringLiteral("卵"))
            egg = item;
    ASSERT_NE(egg, nullptr);
    Answers.Answer(TMsgResult::Yes);
    egg->trigger();
    EXPECT_EQ(Answers.Texts().last(), QStringLiteral("「卵」のリンクを削除してもよろしいですか？"));
    EXPECT_FALSE(QFileInfo::exists(Folder + "LinkPic"));

    // Link the selected word from a file, then it is marked on the next load.
    WriteRaw(AppDir() + "pic.jpg", SmallJpeg(10, 10));
    QTextCursor select(Foodstuff()->document());
    select.setPosition(5);
    select.setPosition(7, QTextCursor::KeepAnchor);  // 砂糖
    Foodstuff()->setTextCursor(select);
    emit form.findChild<QMenu*>("REPopupMenu")->aboutToShow();
    EXPECT_TRUE(form.findChild<QMenu*>("N38")->menuAction()->isEnabled());
    Answers.AnswerText(AppDir() + "pic.jpg");
    form.findChild<QAction*>("N39")->trigger();
    EXPECT_EQ(ReadRaw(Folder + "LinkPic/砂糖.jpg"), SmallJpeg(10, 10));
    EXPECT_EQ(Marker(), QString());
    EXPECT_EQ(Answers.Unanswered(), 0) << Answers.Texts().join('|').toStdString();
}

TEST_F(MainPaneAidsTest, InputSupportAndAlignmentFromThePanes) {
    WriteRaw(AppDir() + "Material.dat", RecipeFileBytes(QStringLiteral("【調味料】\nしょうゆ 濃口_醤油\nしお 塩")));
    TMainForm& form = Open();
    ClickRow(QStringLiteral("卵焼き"));
    TypeInto(Foodstuff(), QStringLiteral("\nしょ"));
    QTest::keyClick(Foodstuff(), Qt::Key_Space, Qt::ControlModifier);
    const QList<QAction*> items = form.findChild<QMenu*>("PopupInputMaterial")->actions();
    ASSERT_EQ(items.size(), 1);
    EXPECT_EQ(items[0]->text(), QStringLiteral("  しょうゆ 濃口_醤油"));
    items[0]->trigger();
    form.findChild<QMenu*>("PopupInputMaterial")->hide();
    QApplication::processEvents();
    EXPECT_TRUE(Foodstuff()->toPlainText().endsWith(QStringLiteral("\n濃口 醤油")));
    EXPECT_EQ(Marker(), QStringLiteral("変更有り"));

    // Alignment at the selected blank of the first line; refused while
    // word wrap is on.
    QTextCursor blank(Foodstuff()->document());
    blank.setPosition(1);
    blank.setPosition(2, QTextCursor::KeepAnchor);
    Find<QToolButton>("tbtnWordWrap")->setChecked(true);
    Foodstuff()->setTextCursor(blank);
    Trigger("N45");
    EXPECT_TRUE(Answers.Texts().last().startsWith(QStringLiteral("自動改行のオンの状態では")));
    Find<QToolButton>("tbtnWordWrap")->setChecked(false);
    Foodstuff()->setTextCursor(blank);
    form.findChild<QAction*>("N48")->trigger();
    EXPECT_TRUE(Foodstuff()->toPlainText().startsWith(QStringLiteral("卵 ... 3個\n砂糖 . 大さじ1\n塩 ... 少々")))
        << Foodstuff()->toPlainText().toStdString();
}
