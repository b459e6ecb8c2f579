#include <QFileInfo>
#include <QTabWidget>

#include "core/platform/picture_codec.h"
#include "support/main_form_fixture.h"
#include "ui/mainwindow/link_picture_form.h"
#include "ui/mainwindow/link_thumbnail_form.h"

namespace {

const QColor Blue(0, 0, 255);

void MouseMove(QWidget* widget, QPoint at) {
    QMouseEvent move(QEvent::MouseMove, QPointF(at), widget->mapToGlobal(QPointF(at)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

// "卵焼き" with a linked word 卵, and "サラダ" with digits in its method; the window is open.
class MainPaneAidsTest : public ::testing::Test, public TMainFormFixture {
protected:
    TLinkPictureForm Viewer;
    TLinkThumbnailForm Thumbnail;
    QString Egg;  // the folder of "卵焼き"

    QTextEdit* Foodstuff() const { return Find<QTextEdit>("memFoodstuff"); }
    QLabel* Canvas() const { return Find<QLabel>("imgDraw"); }
    void OpenMemoOf(const QString& recipe) {
        ClickRow(recipe);
        Find<QTabWidget>("PageControl1")->setCurrentWidget(Find<QWidget>("TabSheetPaint"));
    }
    // Picks a tool and a swatch as the user does.
    void Pick(const char* tool, const char* swatch) {
        QTest::mouseClick(Find<QToolButton>(tool), Qt::LeftButton);
        QTest::mousePress(Find<QFrame>(swatch), Qt::LeftButton);
    }

    void SetUp() override {
        Windows.LinkPictureForm = &Viewer;
        Windows.LinkThumbnailForm = &Thumbnail;
        Egg = MakeRecipe(DataRoot(), {.Name = QStringLiteral("卵焼き"),
                                         .Foodstuff = QStringLiteral("卵 3個\n砂糖 大さじ1\n塩 少々"),
                                         .How = QStringLiteral("卵を溶く\n焼く"),
                                         .LinkWords = {QStringLiteral("卵")}});
        MakeRecipe(DataRoot(), {.Name = QStringLiteral("サラダ"), .How = QStringLiteral("20分煮る")});
        Open();
        Form->setGeometry(40, 30, 1000, 650);
    }
};

}  // namespace

// Without a recipe the canvas takes no stroke. A save while the pen is down writes what is drawn so far and
// the stroke goes on; a saved drawing comes back pixel for pixel.
TEST_F(MainPaneAidsTest, MemoDrawingSavesMidStrokeAndReloadsTheSamePixels) {
    OpenMemoOf(QStringLiteral("サラダ"));
    ClickEmpty();
    QTest::mousePress(Canvas(), Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(Canvas(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(Recipe->MemoDirty());

    OpenMemoOf(QStringLiteral("卵焼き"));
    Pick("SpeedButton8", "Panel18");  // black
    QTest::mouseClick(Find<QToolButton>("SpeedButton9"), Qt::LeftButton);  // fill
    QTest::mouseClick(Canvas(), Qt::LeftButton, {}, QPoint(5, 5));
    Pick("SpeedButton3", "Panel18_1");  // white pen
    QTest::mousePress(Canvas(), Qt::LeftButton, {}, QPoint(40, 40));
    Trigger("miRecipeSave");
    const QString memo = Egg + QStringLiteral("手書きメモ.bmp");
    const QImage saved = DecodePictureBytes(ReadRaw(memo), memo);
    EXPECT_EQ(saved.pixel(100, 100), qRgb(0, 0, 0));
    EXPECT_EQ(saved.pixel(40, 40), qRgb(255, 255, 255));
    MouseMove(Canvas(), QPoint(60, 40));
    QTest::mouseRelease(Canvas(), Qt::LeftButton, {}, QPoint(60, 40));
    EXPECT_EQ(Recipe->Memo().pixel(50, 40), qRgb(255, 255, 255));
    EXPECT_EQ(Marker(), QStringLiteral("変更有り"));

    Pick("SpeedButton11", "Panel18_3");
    QTest::mousePress(Canvas(), Qt::LeftButton, {}, QPoint(20, 20));
    MouseMove(Canvas(), QPoint(200, 200));
    QTest::mouseRelease(Canvas(), Qt::LeftButton, {}, QPoint(120, 90));
    EXPECT_EQ(Recipe->Memo().pixel(20, 50), qRgb(0, 0, 255));
    const QImage drawn = Recipe->Memo().convertToFormat(QImage::Format_RGB32);
    Trigger("miRecipeSave");
    ClickRow(QStringLiteral("サラダ"));
    EXPECT_EQ(Recipe->Memo().pixel(20, 50), qRgb(255, 255, 255));
    ClickRow(QStringLiteral("卵焼き"));
    EXPECT_EQ(Recipe->Memo().convertToFormat(QImage::Format_RGB32), drawn);
}

// Hover and click reach the pop-up and the viewer; the pane menu deletes and links words.
// The viewer opens centred on the main window as it is then, not as it was at start-up.
TEST_F(MainPaneAidsTest, LinkedWordShowsThumbnailOpensViewerAndDeletes) {
    Viewer.FormCreate(Form.get());
    Form->setGeometry(200, 150, 1200, 800);
    ClickRow(QStringLiteral("卵焼き"));
    QTextEdit* how = Find<QTextEdit>("MemoHow");
    EXPECT_FALSE(how->currentCharFormat().fontUnderline());  // typing after a load is plain
    MouseMove(Foodstuff()->viewport(), CentreOf(Foodstuff(), 0));
    EXPECT_TRUE(Thumbnail.isVisible());
    QTest::mouseClick(how->viewport(), Qt::LeftButton, {}, CentreOf(how, 0));
    ASSERT_TRUE(Viewer.isVisible());
    const QPoint offset = Viewer.frameGeometry().center() - Form->frameGeometry().center();
    EXPECT_LE(offset.manhattanLength(), 4) << offset.x() << "," << offset.y();
    Viewer.hide();

    emit Find<QMenu>("REPopupMenu")->aboutToShow();
    emit Find<QMenu>("N41")->aboutToShow();
    const QList<QAction*> items = Find<QMenu>("N41")->actions();
    const auto egg = std::find_if(items.begin(), items.end(), [](QAction* a) { return a->text() == "卵"; });
    ASSERT_NE(egg, items.end());
    Answers.Answer(TMsgResult::Yes);
    (*egg)->trigger();
    EXPECT_EQ(Answers.Texts().last(), QStringLiteral("「卵」のリンクを削除してもよろしいですか？"));
    EXPECT_FALSE(QFileInfo::exists(Egg + "LinkPic"));

    WriteRaw(AppDir() + "pic.jpg", SmallJpeg(10, 10));
    Select(Foodstuff(), 5, 7);  // 砂糖
    emit Find<QMenu>("REPopupMenu")->aboutToShow();
    EXPECT_TRUE(Find<QMenu>("N38")->menuAction()->isEnabled());
    Answers.AnswerText(AppDir() + "pic.jpg");
    Trigger("N39");
    EXPECT_EQ(ReadRaw(Egg + "LinkPic/砂糖.jpg"), SmallJpeg(10, 10));
    EXPECT_EQ(Marker(), QString());
    EXPECT_EQ(Answers.Unanswered(), 0) << Answers.Texts().join('|').toStdString();
}

// The words come from "Material.dat"; alignment is refused while word wrap is on.
TEST_F(MainPaneAidsTest, InputSupportAndAlignmentFromThePanes) {
    WriteRaw(AppDir() + "Material.dat", RecipeFileBytes(QStringLiteral("【調味料】\nしょうゆ 濃口_醤油\nしお 塩")));
    Open();
    ClickRow(QStringLiteral("卵焼き"));
    TypeInto(Foodstuff(), QStringLiteral("\nしょ"));
    QTest::keyClick(Foodstuff(), Qt::Key_Space, Qt::ControlModifier);
    const QList<QAction*> items = Find<QMenu>("PopupInputMaterial")->actions();
    ASSERT_EQ(items.size(), 1);
    items[0]->trigger();
    Find<QMenu>("PopupInputMaterial")->hide();
    QApplication::processEvents();
    EXPECT_TRUE(Foodstuff()->toPlainText().endsWith(QStringLiteral("\n濃口 醤油")));
    EXPECT_EQ(Marker(), QStringLiteral("変更有り"));

    Find<QToolButton>("tbtnWordWrap")->setChecked(true);
    Select(Foodstuff(), 1, 2);
    Trigger("N45");
    EXPECT_TRUE(Answers.Texts().last().startsWith(QStringLiteral("自動改行のオンの状態では")));
}

// A caret left inside a link gives the next recipe no link look; its digits keep their colour.
TEST_F(MainPaneAidsTest, NextRecipeStartsFromPlainFormatting) {
    ClickRow(QStringLiteral("卵焼き"));
    QTest::mouseClick(Foodstuff()->viewport(), Qt::LeftButton, {}, CentreOf(Foodstuff(), 0));
    Viewer.hide();
    ClickRow(QStringLiteral("サラダ"));
    for (int c = 0; c < Foodstuff()->toPlainText().size(); ++c)
        EXPECT_FALSE(FormatAt(Foodstuff(), c).fontUnderline()) << c;
    const QColor plain = FormatAt(Foodstuff(), 0).foreground().color();
    EXPECT_NE(plain, Blue);
    EXPECT_EQ(FormatAt(Find<QTextEdit>("MemoHow"), 0).foreground().color(), QColor(Qt::red));
    EXPECT_EQ(FormatAt(Find<QTextEdit>("MemoHow"), 3).foreground().color(), plain);
}

// Aligning leaves the inserted dots plain; the link and emphasis words keep their colour.
TEST_F(MainPaneAidsTest, AlignedLineKeepsItsColours) {
    ClickRow(QStringLiteral("卵焼き"));
    Select(Foodstuff(), 1, 2);
    Trigger("N48");
    const QString text = Foodstuff()->toPlainText();
    ASSERT_EQ(text, QStringLiteral("卵 ... 3個\n砂糖 . 大さじ1\n塩 ... 少々"));
    const int spoon = int(text.indexOf(QStringLiteral("大さじ")));
    for (int c = 0; c < text.size(); ++c) {
        if (text[c] == QLatin1Char('\n'))
            continue;
        const bool coloured = c == 0 || text[c] == QChar(u'個') || (c >= spoon && c < spoon + 3);
        EXPECT_EQ(FormatAt(Foodstuff(), c).foreground().color() == Blue, coloured) << c;
        EXPECT_EQ(FormatAt(Foodstuff(), c).fontUnderline(), c == 0) << c;
    }
}
