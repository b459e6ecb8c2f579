#include <gtest/gtest.h>

#include <QAction>
#include <QAbstractItemView>
#include <QDir>
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

const QString Question = QStringLiteral("レシピが変更されています、保存しますか？");

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
    EXPECT_EQ(form.memFoodstuff->toPlainText(), QStringLiteral("じゃがいも 3個\n牛肉 200グラム"));
    EXPECT_EQ(form.MemoHow->toPlainText(), QStringLiteral("1. 切る\n2. 煮る"));
    EXPECT_EQ(form.RichEditComment->toPlainText(), QStringLiteral("母の味"));
    EXPECT_FALSE(form.Image1->pixmap().isNull());
    EXPECT_FALSE(form.PanelImageControl->isHidden());
    EXPECT_EQ(form.PanelImageControlCaption->text(), QStringLiteral("1/2"));
    EXPECT_EQ(form.PictureNames.first(), QStringLiteral("写真"));
    EXPECT_FALSE(form.SpeedButtonPrevPic->isEnabled());
    EXPECT_TRUE(form.SpeedButtonNextPic->isEnabled());
    EXPECT_EQ(form.lblCanvasSize->text(), QStringLiteral("幅50×高さ40"));
    const QStringList attributes = form.RichEdit1->toPlainText().split(QLatin1Char('\n'));
    ASSERT_EQ(attributes.size(), 8);
    EXPECT_EQ(attributes[0], QStringLiteral("【登録日】　2024/01/02"));
    EXPECT_EQ(attributes[7], QStringLiteral("【塩分】    2.5"));
    EXPECT_EQ(form.pnlRecipeHeaderCaption->text(), QStringLiteral("肉じゃが"));
    EXPECT_FALSE(form.imbRecipeIcon->pixmap().isNull());
    EXPECT_EQ(form.CurrentRecipePath, DataRoot() + QStringLiteral("/肉じゃが/"));
    EXPECT_EQ(form.findChild<QAction*>("miPrint")->text(), QStringLiteral("【肉じゃが】の印刷(&P)"));
    EXPECT_EQ(form.findChild<QAction*>("PrintPreview1")->text(), QStringLiteral("【肉じゃが】の印刷ﾌﾟﾚﾋﾞｭｰ(&V)..."));
    EXPECT_TRUE(form.PageControl1->isEnabled());
    EXPECT_FALSE(form.memFoodstuff->isReadOnly());
    EXPECT_EQ(form.PanelStatus->text(), QString());
    // Digits of the method pane are red; emphasis words of the ingredients coloured.
    QTextCursor digit(form.MemoHow->document());
    digit.setPosition(1);
    EXPECT_EQ(digit.charFormat().foreground().color(), QColor(Qt::red));

    ClickRow(QStringLiteral("サラダ"));
    EXPECT_EQ(form.memFoodstuff->toPlainText(), QStringLiteral("レタス"));
    // No comment file: the pane is empty, never the last recipe's comment.
    EXPECT_EQ(form.RichEditComment->toPlainText(), QString());
    EXPECT_EQ(form.lblCanvasSize->text(), QStringLiteral("幅500×高さ500"));
    EXPECT_TRUE(form.PanelImageControl->isHidden());
    EXPECT_TRUE(form.Image1->pixmap().isNull());
    EXPECT_EQ(form.RichEdit1->toPlainText(), QString());
    EXPECT_EQ(form.PanelStatus->text(), QString());
    // Tab images: filled for a file that is there, hollow for one that is not.
    auto centre = [&](QWidget* tab) {
        return form.PageControl1->tabIcon(form.PageControl1->indexOf(tab)).pixmap(12, 12).toImage().pixelColor(6, 6);
    };
    EXPECT_GT(centre(form.TabSheetRecipe).alpha(), 200);
    EXPECT_EQ(centre(form.TabSheetComment).alpha(), 0);
    EXPECT_EQ(centre(form.TabSheetPaint).alpha(), 0);
    EXPECT_EQ(centre(form.TabSheetAttr).alpha(), 0);

    // Empty space deselects: no open recipe, plain captions, read-only panes.
    ClickEmpty();
    EXPECT_EQ(SelectedRow(), -1);
    EXPECT_EQ(form.CurrentRecipePath, QString());
    EXPECT_EQ(form.findChild<QAction*>("miPrint")->text(), QStringLiteral("印刷(&P)"));
    EXPECT_TRUE(form.memFoodstuff->isReadOnly());
    EXPECT_EQ(form.memFoodstuff->toPlainText(), QString());
    EXPECT_EQ(Answers.Unanswered(), 0) << Answers.Texts().join(QLatin1Char('|')).toStdString();
}

TEST_F(MainPanesTest, RowChangeAsksToSaveAndHonoursTheAnswer) {
    TMainForm& form = Open();
    const QByteArray before = ReadRaw(FilePath(QStringLiteral("肉じゃが"), QStringLiteral("材料.txt")));
    ClickRow(QStringLiteral("肉じゃが"));
    TypeInto(form.memFoodstuff, QStringLiteral("\n塩 少々"));
    EXPECT_EQ(form.PanelStatus->text(), QStringLiteral("変更有り"));

    // Cancel: the row, the edit and the marker stay; nothing is written.
    Answers.Answer(TMsgResult::Cancel);
    ClickRow(QStringLiteral("サラダ"));
    ASSERT_EQ(Answers.Calls().size(), 1u);
    EXPECT_EQ(Answers.Calls()[0].Text, Question);
    EXPECT_EQ(Answers.Calls()[0].Buttons, TMsgButtons::YesNoCancel);
    EXPECT_EQ(RowText(SelectedRow()), QStringLiteral("肉じゃが"));
    EXPECT_TRUE(form.memFoodstuff->toPlainText().endsWith(QStringLiteral("塩 少々")));
    EXPECT_EQ(form.PanelStatus->text(), QStringLiteral("変更有り"));
    EXPECT_EQ(ReadRaw(FilePath(QStringLiteral("肉じゃが"), QStringLiteral("材料.txt"))), before);

    // No: the other recipe opens, the edit is dropped.
    Answers.Answer(TMsgResult::No);
    ClickRow(QStringLiteral("サラダ"));
    EXPECT_EQ(RowText(SelectedRow()), QStringLiteral("サラダ"));
    EXPECT_EQ(ReadRaw(FilePath(QStringLiteral("肉じゃが"), QStringLiteral("材料.txt"))), before);
    EXPECT_EQ(form.PanelStatus->text(), QString());

    // Yes: the edit is written, then the other recipe opens.
    ClickRow(QStringLiteral("肉じゃが"));
    TypeInto(form.memFoodstuff, QStringLiteral("\n塩 少々"));
    Answers.Answer(TMsgResult::Yes);
    ClickRow(QStringLiteral("サラダ"));
    EXPECT_EQ(RowText(SelectedRow()), QStringLiteral("サラダ"));
    EXPECT_EQ(ReadRaw(FilePath(QStringLiteral("肉じゃが"), QStringLiteral("材料.txt"))),
              ToSjis(QStringLiteral("じゃがいも 3個\r\n牛肉 200グラム\r\n塩 少々\r\n")));
    // Only the edited file changed: the photo keeps its bytes.
    EXPECT_EQ(ReadRaw(FilePath(QStringLiteral("肉じゃが"), QStringLiteral("写真.jpg"))), SmallJpeg());
    EXPECT_EQ(Answers.Unanswered(), 0);
}

TEST_F(MainPanesTest, FailingSaveKeepsTheRecipeOpenAndViewOnlyAsksNothing) {
    TMainForm& form = Open();
    ClickRow(QStringLiteral("サラダ"));
    TypeInto(form.MemoHow, QStringLiteral("!"));
    // The folder went away behind the program's back: the save must fail.
    ASSERT_TRUE(QDir(DataRoot() + QStringLiteral("/サラダ")).removeRecursively());
    Answers.Answer(TMsgResult::Yes);
    ClickRow(QStringLiteral("肉じゃが"));
    ASSERT_EQ(Answers.Calls().size(), 2u);
    EXPECT_TRUE(Answers.Calls()[1].Text.startsWith(QStringLiteral("Save Error. Msg="))) << Answers.Calls()[1].Text.toStdString();
    EXPECT_EQ(RowText(SelectedRow()), QStringLiteral("サラダ"));
    EXPECT_EQ(form.PanelStatus->text(), QStringLiteral("変更有り"));
    EXPECT_FALSE(QDir(DataRoot() + QStringLiteral("/サラダ")).exists());

    // In view-only mode the row changes without a question; the edit is dropped.
    Answers.ClearLog();
    form.miModeChangeClick();
    ClickRow(QStringLiteral("肉じゃが"));
    EXPECT_TRUE(Answers.Calls().empty());
    EXPECT_EQ(RowText(SelectedRow()), QStringLiteral("肉じゃが"));
    EXPECT_EQ(form.PanelStatus->text(), QString());
}

TEST_F(MainPanesTest, RefillsAskFirstAndNeverLeaveAStalePath) {
    TMainForm& form = Open();
    ClickRow(QStringLiteral("肉じゃが"));
    TypeInto(form.RichEditComment, QStringLiteral("!"));
    // Cancel: the refill does not happen and the edit stays.
    Answers.Answer(TMsgResult::Cancel);
    EXPECT_FALSE(form.IndicateList(-1));
    EXPECT_EQ(RowText(SelectedRow()), QStringLiteral("肉じゃが"));
    EXPECT_TRUE(form.RichEditComment->toPlainText().endsWith(QLatin1Char('!')));
    // No: refilled without a row, and no recipe stays open.
    Answers.Answer(TMsgResult::No);
    EXPECT_TRUE(form.IndicateList(-1));
    EXPECT_EQ(SelectedRow(), -1);
    EXPECT_EQ(form.CurrentRecipePath, QString());
    EXPECT_TRUE(form.memFoodstuff->isReadOnly());
    EXPECT_EQ(StatusText(0), QStringLiteral("表示数 : 2 / 2"));
    // Nothing may be saved now, least of all empty panes over the old recipe.
    const QByteArray comment = ReadRaw(FilePath(QStringLiteral("肉じゃが"), QStringLiteral("コメント.txt")));
    EXPECT_FALSE(form.Save());
    EXPECT_EQ(ReadRaw(FilePath(QStringLiteral("肉じゃが"), QStringLiteral("コメント.txt"))), comment);

    // A refill selecting a record opens it.
    const int record =
        List()->Model()->index(RowOf(QStringLiteral("サラダ")), 0).data(TCookListModel::RecordRole).toInt();
    EXPECT_TRUE(form.IndicateList(record));
    EXPECT_EQ(form.memFoodstuff->toPlainText(), QStringLiteral("レタス"));
    EXPECT_EQ(Answers.Calls().size(), 3u);  // the two questions and the save error
}

TEST_F(MainPanesTest, LoadFailureAndPictureFiles) {
    MakeRecipe(DataRoot(), {.Name = QStringLiteral("作りかけ"), .Foodstuff = QStringLiteral("卵"), .How = std::nullopt});
    TMainForm& form = Open();
    ClickRow(QStringLiteral("作りかけ"));
    ASSERT_EQ(Answers.Calls().size(), 1u);
    EXPECT_TRUE(Answers.Calls()[0].Text.startsWith(QStringLiteral("Load File Error. Msg=")));
    EXPECT_EQ(form.memFoodstuff->toPlainText(), QStringLiteral("卵"));
    EXPECT_EQ(form.PanelStatus->text(), QString());

    // A file the pane cannot take leaves it as it is but marks the recipe changed.
    ClickRow(QStringLiteral("サラダ"));
    Dir.WriteBytes(QStringLiteral("note.txt"), "x");
    form.LoadPictureFile(Dir.Path(QStringLiteral("note.txt")));
    EXPECT_TRUE(form.Image1->pixmap().isNull());
    EXPECT_EQ(form.PanelStatus->text(), QStringLiteral("変更有り"));
    // A bitmap becomes the photo as JPEG; the save writes "写真.jpg".
    Dir.WriteBytes(QStringLiteral("pic.bmp"), SmallBmp(40, 30));
    form.LoadPictureFile(Dir.Path(QStringLiteral("pic.bmp")));
    EXPECT_FALSE(form.Image1->pixmap().isNull());
    ASSERT_TRUE(form.Save());
    const QByteArray photo = ReadRaw(FilePath(QStringLiteral("サラダ"), QStringLiteral("写真.jpg")));
    ASSERT_GE(photo.size(), 2);
    EXPECT_EQ(static_cast<unsigned char>(photo[0]), 0xFF);
    EXPECT_EQ(static_cast<unsigned char>(photo[1]), 0xD8);
    EXPECT_EQ(form.PanelStatus->text(), QString());
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
        QApplication::sendEvent(form.ImagePanel, &enter);
        QDropEvent event(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form.ImagePanel, &event);
        QApplication::processEvents();
    };
    drop();  // nothing open: nothing happens
    EXPECT_EQ(form.PanelStatus->text(), QString());
    EXPECT_TRUE(form.Image1->pixmap().isNull());

    ClickRow(QStringLiteral("サラダ"));
    drop();
    EXPECT_EQ(form.PanelStatus->text(), QStringLiteral("変更有り"));
    ASSERT_FALSE(form.Recipe.PhotoImage.isNull());
    EXPECT_EQ(form.Recipe.PhotoImage.size(), QSize(20, 20));  // the first file only
    EXPECT_EQ(Answers.Calls().size(), 0u) << Answers.Texts().join(QLatin1Char('|')).toStdString();
}

TEST_F(MainPanesTest, KeyboardMovesAskTheSameQuestion) {
    TMainForm& form = Open();
    ClickRow(0);
    const QString first = RowText(0);
    TypeInto(form.MemoHow, QStringLiteral("x"));
    QAbstractItemView* view = List()->CurrentView();
    view->setFocus();
    Answers.Answer(TMsgResult::Cancel);
    QTest::keyClick(view, Qt::Key_Down);
    EXPECT_EQ(Answers.Calls().size(), 1u);
    EXPECT_EQ(SelectedRow(), 0);
    EXPECT_EQ(form.pnlRecipeHeaderCaption->text(), first);
    EXPECT_EQ(form.PanelStatus->text(), QStringLiteral("変更有り"));
    // The focus stays on the kept row, so the next move starts from there.
    EXPECT_EQ(view->currentIndex().row(), 0);
    QApplication::processEvents();  // the loop runs between two key presses
    Answers.Answer(TMsgResult::No);
    QTest::keyClick(view, Qt::Key_Down);
    EXPECT_EQ(Answers.Calls().size(), 2u);
    EXPECT_EQ(SelectedRow(), 1);
    EXPECT_EQ(form.pnlRecipeHeaderCaption->text(), RowText(1));
}
