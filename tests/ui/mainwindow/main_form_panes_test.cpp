#include <QDropEvent>
#include <QMimeData>
#include <QTabWidget>
#include <QUrl>

#include "support/main_form_fixture.h"

namespace {

class MainPanesTest : public ::testing::Test, public TMainFormFixture {
protected:
    void SetUp() override {
        MakeRecipe(DataRoot(), {.Name = QStringLiteral("肉じゃが"),
                                .Foodstuff = QStringLiteral("じゃがいも 3個"),
                                .How = QStringLiteral("1. 切る\n2. 煮る"),
                                .Comment = QStringLiteral("母の味"),
                                .StatusLines = QStringList{"Date=2024/01/02", "Group=夕食", "Kind=和食",
                                                           "Amount=2人前", "Calorie=450", "Price=800",
                                                           "WorkTime=30分", "Salt=2.5", "Icon=3"},
                                .Photo = true,
                                .ExtraPhotos = {QStringLiteral("a.jpg")},
                                .Memo = true});
        MakeRecipe(DataRoot(), {.Name = QStringLiteral("サラダ"), .Foodstuff = QStringLiteral("レタス")});
        Open();
    }
    QString SaladFile() const { return DataRoot() + QStringLiteral("/サラダ/材料.txt"); }
    QTextEdit* Pane(const char* name) const { return Find<QTextEdit>(name); }
    // A tab's image is filled for a file that is there, hollow for one that is not.
    bool TabFilled(const char* tab) const {
        auto* tabs = Find<QTabWidget>("PageControl1");
        return tabs->tabIcon(tabs->indexOf(Find<QWidget>(tab))).pixmap(12, 12).toImage().pixelColor(6, 6).alpha() > 200;
    }
};

}  // namespace

// Every pane, caption and label shows the recipe clicked, and nothing of the one before.
TEST_F(MainPanesTest, SelectingRowsLoadsEachRecipe) {
    ClickRow(QStringLiteral("肉じゃが"));
    EXPECT_EQ(Pane("memFoodstuff")->toPlainText(), QStringLiteral("じゃがいも 3個"));
    EXPECT_EQ(Pane("RichEditComment")->toPlainText(), QStringLiteral("母の味"));
    EXPECT_FALSE(Find<QLabel>("Image1")->pixmap().isNull());
    EXPECT_EQ(Find<QLabel>("PanelImageControlCaption")->text(), QStringLiteral("1/2"));
    EXPECT_EQ(Find<QLabel>("lblCanvasSize")->text(), QStringLiteral("幅50×高さ40"));
    EXPECT_EQ(Pane("RichEdit1")->toPlainText().split(QLatin1Char('\n')).size(), 8);  // the attribute lines
    EXPECT_FALSE(Find<QLabel>("imbRecipeIcon")->pixmap().isNull());
    EXPECT_EQ(Find<QAction>("miPrint")->text(), QStringLiteral("【肉じゃが】の印刷(&P)"));

    ClickRow(QStringLiteral("サラダ"));
    EXPECT_EQ(Pane("RichEditComment")->toPlainText(), QString());  // never the last recipe's comment
    EXPECT_EQ(Find<QLabel>("lblCanvasSize")->text(), QStringLiteral("幅500×高さ500"));
    EXPECT_TRUE(Find<QWidget>("PanelImageControl")->isHidden());
    EXPECT_TRUE(Find<QLabel>("Image1")->pixmap().isNull());
    EXPECT_TRUE(TabFilled("TabSheetRecipe"));
    EXPECT_FALSE(TabFilled("TabSheetComment"));

    // Empty space deselects; the empty panes are never saved over the recipe that was open.
    const QByteArray salad = ReadRaw(SaladFile());
    ClickEmpty();
    QTest::keyClick(Form.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(ReadRaw(SaladFile()), salad);
    EXPECT_EQ(Find<QAction>("miPrint")->text(), QStringLiteral("印刷(&P)"));
    EXPECT_TRUE(Pane("memFoodstuff")->isReadOnly());
    for (const char* pane : {"memFoodstuff", "MemoHow", "RichEditComment", "RichEdit1"})
        EXPECT_EQ(Pane(pane)->toPlainText(), QString()) << pane;
    EXPECT_EQ(Find<QLabel>("pnlRecipeHeaderCaption")->text(), QStringLiteral("-----"));
    EXPECT_EQ(Find<QLabel>("lblCanvasSize")->text(), QString());
    EXPECT_TRUE(Find<QWidget>("imgDraw")->size().isEmpty());
    auto* tabs = Find<QTabWidget>("PageControl1");
    for (int i = 0; i < tabs->count(); ++i)
        EXPECT_TRUE(tabs->tabIcon(i).isNull()) << i;
    EXPECT_EQ(Answers.Unanswered(), 0) << Answers.Texts().join(QLatin1Char('|')).toStdString();
}

// Failed files give one box and the rest shows; what was not read is never saved over,
// an oversized text is read-only, an unread photo cannot be removed. A bitmap photo is saved as JPEG.
TEST_F(MainPanesTest, LoadFailureAndPictureFiles) {
    const QString folder = MakeRecipe(DataRoot(), {.Name = "作りかけ", .Foodstuff = "卵", .How = std::nullopt,
                                                   .Comment = "c", .Photo = true, .Memo = true});
    WriteRaw(folder + PhotoFileName, QByteArray("\xff\xd8\xff\xe0 cut", 7));
    WriteRaw(folder + CommentFileName, QByteArray("0123456789abcdef\r\n").repeated(MaxRecipeTextBytes / 18 + 1));
    const auto before = FolderSnapshot(folder);
    Open();
    ClickRow(QStringLiteral("作りかけ"));
    ASSERT_EQ(Answers.Calls().size(), 1u);
    EXPECT_TRUE(Answers.Calls()[0].Text.startsWith(QStringLiteral("Load File Error. Msg=")));
    EXPECT_EQ(Pane("memFoodstuff")->toPlainText(), QStringLiteral("卵"));
    EXPECT_TRUE(Pane("RichEditComment")->isReadOnly());
    EXPECT_TRUE(TabFilled("TabSheetComment"));  // the file is there, read or not
    Trigger("D1");
    EXPECT_EQ(Marker(), QString());
    TypeInto(Pane("MemoHow"), QStringLiteral("追記"));
    QTest::keyClick(Form.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(Answers.Calls().size(), 1u) << Answers.Texts().join(QLatin1Char('|')).toStdString();
    auto after = FolderSnapshot(folder);
    EXPECT_EQ(after.take(HowFileName), RecipeFileBytes(QStringLiteral("追記")));
    EXPECT_EQ(after, before);

    ClickRow(QStringLiteral("サラダ"));
    Dir.WriteBytes(QStringLiteral("note.txt"), "x");
    Answers.AnswerText(Dir.Path(QStringLiteral("note.txt")));
    Trigger("L1");
    EXPECT_TRUE(Find<QLabel>("Image1")->pixmap().isNull());
    EXPECT_EQ(Marker(), QStringLiteral("変更有り"));
    Dir.WriteBytes(QStringLiteral("pic.bmp"), SmallBmp(40, 30));
    Answers.AnswerText(Dir.Path(QStringLiteral("pic.bmp")));
    Trigger("L1");
    Trigger("miRecipeSave");
    EXPECT_EQ(ReadRaw(DataRoot() + QStringLiteral("/サラダ/写真.jpg")).left(2), QByteArray("\xFF\xD8"));
    EXPECT_EQ(Marker(), QString());
}

// Dropped files become the photo (the first only) when a recipe is open.
TEST_F(MainPanesTest, DroppedFilesBecomeThePhotoOnlyWithARecipeOpen) {
    Dir.WriteBytes(QStringLiteral("one.bmp"), SmallBmp(20, 20));
    Dir.WriteBytes(QStringLiteral("two.jpg"), SmallJpeg());
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(Dir.Path(QStringLiteral("one.bmp"))),
                  QUrl::fromLocalFile(Dir.Path(QStringLiteral("two.jpg")))});
    for (const bool open : {false, true}) {
        if (open)
            ClickRow(QStringLiteral("サラダ"));
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Find<QWidget>("ImagePanel"), &enter);
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Find<QWidget>("ImagePanel"), &drop);
        QApplication::processEvents();
        EXPECT_EQ(Marker(), open ? QStringLiteral("変更有り") : QString());
        EXPECT_EQ(Recipe->Content().PhotoImage.size(), open ? QSize(20, 20) : QSize(0, 0));
    }
    EXPECT_EQ(Answers.Calls().size(), 0u) << Answers.Texts().join(QLatin1Char('|')).toStdString();
}
