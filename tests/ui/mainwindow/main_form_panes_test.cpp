#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QMimeData>
#include <QDropEvent>
#include <QUrl>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolButton>

#include "support/main_form_fixture.h"
#include "core/platform/sjis.h"

namespace {

class MainPanesTest : public ::testing::Test, public TMainFormFixture {
protected:
    void SetUp() override {
        MakeRecipe(DataRoot(), {.Name = QStringLiteral("肉じゃが"),
                                .Foodstuff = QStringLiteral("じゃがいも 3個\n牛肉 200グラム"),
                                .How = QStringLiteral("1. 切る\n2. 煮る"),
                                .Comment = QStringLiteral("母の味"),
                                .StatusLines = QStringList{"Date=2024/01/02", "Group=夕食", "Kind=和食",
                                                           "Amount=2人前", "Calorie=450", "Price=800",
                                                           "WorkTime=30分", "Salt=2.5", "Icon=3"},
                                .Photo = true,
                                .ExtraPhotos = {QStringLiteral("a.jpg")},
                                .Memo = true});
        MakeRecipe(DataRoot(), {.Name = QStringLiteral("サラダ"), .Foodstuff = QStringLiteral("レタス"),
                                .How = QStringLiteral("ちぎる")});
    }
    QString FilePath(const QString& recipe, const QString& file) const {
        return DataRoot() + QLatin1Char('/') + recipe + QLatin1Char('/') + file;
    }
};

}  // namespace

TEST_F(MainPanesTest, SelectingRowsLoadsEachRecipe) {
    TMainForm& form = Open();
    ASSERT_EQ(RowCount(), 2);
    ClickRow(QStringLiteral("肉じゃが"));
    EXPECT_EQ(Find<QTextEdit>("memFoodstuff")->toPlainText(), QStringLiteral("じゃがいも 3個\n牛肉 200グラム"));
    EXPECT_EQ(Find<QTextEdit>("MemoHow")->toPlainText(), QStringLiteral("1. 切る\n2. 煮る"));
    EXPECT_EQ(Find<QTextEdit>("RichEditComment")->toPlainText(), QStringLiteral("母の味"));
    EXPECT_FALSE(Find<QLabel>("Image1")->pixmap().isNull());
    EXPECT_FALSE(Find<QWidget>("PanelImageControl")->isHidden());
    EXPECT_EQ(Find<QLabel>("PanelImageControlCaption")->text(), QStringLiteral("1/2"));
    EXPECT_EQ(Recipe->Content().PictureNames.first(), QStringLiteral("写真"));
    EXPECT_FALSE(Find<QToolButton>("SpeedButtonPrevPic")->isEnabled());
    EXPECT_TRUE(Find<QToolButton>("SpeedButtonNextPic")->isEnabled());
    EXPECT_EQ(Find<QLabel>("lblCanvasSize")->text(), QStringLiteral("幅50×高さ40"));
    EXPECT_EQ(Find<QTextEdit>("RichEdit1")->toPlainText().split(QLatin1Char('\n')).size(), 8);  // the attribute lines
    EXPECT_EQ(Find<QLabel>("pnlRecipeHeaderCaption")->text(), QStringLiteral("肉じゃが"));
    EXPECT_FALSE(Find<QLabel>("imbRecipeIcon")->pixmap().isNull());
    EXPECT_EQ(Recipe->Path(), DataRoot() + QStringLiteral("/肉じゃが/"));
    EXPECT_EQ(form.findChild<QAction*>("miPrint")->text(), QStringLiteral("【肉じゃが】の印刷(&P)"));
    EXPECT_EQ(form.findChild<QAction*>("PrintPreview1")->text(), QStringLiteral("【肉じゃが】の印刷ﾌﾟﾚﾋﾞｭｰ(&V)..."));
    EXPECT_TRUE(Find<QTabWidget>("PageControl1")->isEnabled());
    EXPECT_FALSE(Find<QTextEdit>("memFoodstuff")->isReadOnly());
    EXPECT_EQ(Marker(), QString());
    // Digits of the method pane are red; emphasis words of the ingredients coloured.
    QTextCursor digit(Find<QTextEdit>("MemoHow")->document());
    digit.setPosition(1);
    EXPECT_EQ(digit.charFormat().foreground().color(), QColor(Qt::red));

    ClickRow(QStringLiteral("サラダ"));
    EXPECT_EQ(Find<QTextEdit>("memFoodstuff")->toPlainText(), QStringLiteral("レタス"));
    // No comment file: the pane is empty, never the last recipe's comment.
    EXPECT_EQ(Find<QTextEdit>("RichEditComment")->toPlainText(), QString());
    EXPECT_EQ(Find<QLabel>("lblCanvasSize")->text(), QStringLiteral("幅500×高さ500"));
    EXPECT_TRUE(Find<QWidget>("PanelImageControl")->isHidden());
    EXPECT_TRUE(Find<QLabel>("Image1")->pixmap().isNull());
    EXPECT_EQ(Find<QTextEdit>("RichEdit1")->toPlainText(), QString());
    EXPECT_EQ(Marker(), QString());
    // Tab images: filled for a file that is there, hollow for one that is not.
    auto centre = [&](QWidget* tab) {
        return Find<QTabWidget>("PageControl1")->tabIcon(Find<QTabWidget>("PageControl1")->indexOf(tab)).pixmap(12, 12).toImage().pixelColor(6, 6);
    };
    EXPECT_GT(centre(Find<QWidget>("TabSheetRecipe")).alpha(), 200);
    EXPECT_EQ(centre(Find<QWidget>("TabSheetComment")).alpha(), 0);
    EXPECT_EQ(centre(Find<QWidget>("TabSheetPaint")).alpha(), 0);
    EXPECT_EQ(centre(Find<QWidget>("TabSheetAttr")).alpha(), 0);

    // Empty space deselects: no open recipe, plain captions, read-only panes;
    // empty panes are never saved over the recipe that was open.
    const QByteArray salad = ReadRaw(FilePath(QStringLiteral("サラダ"), QStringLiteral("材料.txt")));
    ClickEmpty();
    QTest::keyClick(Form.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(ReadRaw(FilePath(QStringLiteral("サラダ"), QStringLiteral("材料.txt"))), salad);
    EXPECT_FALSE(Find<QAction>("miRecipeSave")->isEnabled());
    EXPECT_EQ(SelectedRow(), -1);
    EXPECT_EQ(Recipe->Path(), QString());
    EXPECT_EQ(form.findChild<QAction*>("miPrint")->text(), QStringLiteral("印刷(&P)"));
    EXPECT_TRUE(Find<QTextEdit>("memFoodstuff")->isReadOnly());
    EXPECT_EQ(Find<QTextEdit>("memFoodstuff")->toPlainText(), QString());
    EXPECT_EQ(Answers.Unanswered(), 0) << Answers.Texts().join(QLatin1Char('|')).toStdString();
}

TEST_F(MainPanesTest, LoadFailureAndPictureFiles) {
    MakeRecipe(DataRoot(), {.Name = QStringLiteral("作りかけ"), .Foodstuff = QStringLiteral("卵"), .How = std::nullopt});
    TMainForm& form = Open();
    ClickRow(QStringLiteral("作りかけ"));
    ASSERT_EQ(Answers.Calls().size(), 1u);
    EXPECT_TRUE(Answers.Calls()[0].Text.startsWith(QStringLiteral("Load File Error. Msg=")));
    EXPECT_EQ(Find<QTextEdit>("memFoodstuff")->toPlainText(), QStringLiteral("卵"));
    EXPECT_EQ(Marker(), QString());

    // A file the pane cannot take leaves it as it is but marks the recipe changed.
    ClickRow(QStringLiteral("サラダ"));
    Dir.WriteBytes(QStringLiteral("note.txt"), "x");
    Answers.AnswerText(Dir.Path(QStringLiteral("note.txt")));
    Find<QAction>("L1")->trigger();
    EXPECT_TRUE(Find<QLabel>("Image1")->pixmap().isNull());
    EXPECT_EQ(Marker(), QStringLiteral("変更有り"));
    // A bitmap becomes the photo as JPEG; the save writes "写真.jpg".
    Dir.WriteBytes(QStringLiteral("pic.bmp"), SmallBmp(40, 30));
    Answers.AnswerText(Dir.Path(QStringLiteral("pic.bmp")));
    Find<QAction>("L1")->trigger();
    EXPECT_FALSE(Find<QLabel>("Image1")->pixmap().isNull());
    Trigger("miRecipeSave");
    EXPECT_EQ(ReadRaw(FilePath(QStringLiteral("サラダ"), QStringLiteral("写真.jpg"))).left(2), QByteArray("\xFF\xD8"));
    EXPECT_EQ(Marker(), QString());
}

TEST_F(MainPanesTest, DroppedFilesBecomeThePhotoOnlyWithARecipeOpen) {
    TMainForm& form = Open();
    Dir.WriteBytes(QStringLiteral("one.bmp"), SmallBmp(20, 20));
    Dir.WriteBytes(QStringLiteral("two.jpg"), SmallJpeg());
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(Dir.Path(QStringLiteral("one.bmp"))),
                  QUrl::fromLocalFile(Dir.Path(QStringLiteral("two.jpg")))});
    auto drop = [&] {
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Find<QWidget>("ImagePanel"), &enter);
        QDropEvent event(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Find<QWidget>("ImagePanel"), &event);
        QApplication::processEvents();
    };
    drop();  // nothing open: nothing happens
    EXPECT_EQ(Marker(), QString());
    EXPECT_TRUE(Find<QLabel>("Image1")->pixmap().isNull());

    ClickRow(QStringLiteral("サラダ"));
    drop();
    EXPECT_EQ(Marker(), QStringLiteral("変更有り"));
    ASSERT_FALSE(Recipe->Content().PhotoImage.isNull());
    EXPECT_EQ(Recipe->Content().PhotoImage.size(), QSize(20, 20));  // the first file only
    EXPECT_EQ(Answers.Calls().size(), 0u) << Answers.Texts().join(QLatin1Char('|')).toStdString();
}
