#include <QTabWidget>

#include "support/main_form_fixture.h"
#include "ui/mainwindow/link_picture_form.h"
#include "ui/mainwindow/link_thumbnail_form.h"

namespace {

const QColor Blue(0, 0, 255);

// The format of character `c` of a pane.
QTextCharFormat FormatAt(QTextEdit* pane, int c) {
    QTextCursor at(pane->document());
    at.setPosition(c + 1);
    return at.charFormat();
}

// "チキンカレー" with the linked word 鶏もも肉, and "肉じゃが"; the window is open.
class PaneDisplayTest : public ::testing::Test, public TMainFormFixture {
protected:
    TLinkPictureForm Viewer;
    TLinkThumbnailForm Thumbnail;

    QTextEdit* Pane(const char* name) const { return Find<QTextEdit>(name); }

    void SetUp() override {
        Windows.LinkPictureForm = &Viewer;
        Windows.LinkThumbnailForm = &Thumbnail;
        MakeRecipe(DataRoot(), {.Name = QStringLiteral("チキンカレー"),
                                .Foodstuff = QStringLiteral("鶏もも肉 300g\n玉ねぎ 2個"),
                                .How = QStringLiteral("鶏もも肉を切る"),
                                .Comment = QStringLiteral("辛口"),
                                .StatusLines = QStringList{QStringLiteral("Kind=主菜")},
                                .Photo = true,
                                .LinkWords = {QStringLiteral("鶏もも肉")},
                                .Memo = true});
        MakeRecipe(DataRoot(), {.Name = QStringLiteral("肉じゃが"),
                                .Foodstuff = QStringLiteral("じゃがいも 3個\n牛肉 200g"),
                                .How = QStringLiteral("20分煮る")});
        Open();
        Form->setGeometry(40, 30, 1000, 650);
    }
    // Clicks character `c` of a pane.
    static void ClickAt(QTextEdit* pane, int c) {
        QTextCursor a(pane->document());
        a.setPosition(c);
        QTest::mouseClick(pane->viewport(), Qt::LeftButton, {}, pane->cursorRect(a).center() + QPoint(3, 0));
    }
};

}  // namespace

// A caret left inside a link gives the next recipe no link look; its digits keep their colour.
TEST_F(PaneDisplayTest, NextRecipeStartsFromPlainFormatting) {
    ClickRow(QStringLiteral("チキンカレー"));
    ClickAt(Pane("memFoodstuff"), 1);
    Viewer.hide();
    ClickRow(QStringLiteral("肉じゃが"));
    QTextEdit* food = Pane("memFoodstuff");
    for (int c = 0; c < food->toPlainText().size(); ++c)
        EXPECT_FALSE(FormatAt(food, c).fontUnderline()) << c;
    EXPECT_NE(FormatAt(food, 0).foreground().color(), Blue);
    EXPECT_EQ(FormatAt(Pane("MemoHow"), 0).foreground().color(), QColor(Qt::red));
    EXPECT_EQ(FormatAt(Pane("MemoHow"), 3).foreground().color(), FormatAt(food, 0).foreground().color());
}

// Aligning leaves the inserted dots plain; the link and emphasis words keep their colour.
TEST_F(PaneDisplayTest, AlignedLineKeepsItsColours) {
    ClickRow(QStringLiteral("チキンカレー"));
    QTextEdit* food = Pane("memFoodstuff");
    QTextCursor blank(food->document());
    blank.setPosition(4);
    blank.setPosition(5, QTextCursor::KeepAnchor);
    food->setTextCursor(blank);
    Trigger("N48");
    ASSERT_EQ(food->toPlainText(), QStringLiteral("鶏もも肉 . 300g\n玉ねぎ ... 2個"));
    const QString text = food->toPlainText();
    for (int c = 0; c < text.size(); ++c) {
        if (text[c] == QLatin1Char('\n'))
            continue;
        const bool coloured = c < 4 || text[c] == QChar(u'個');
        EXPECT_EQ(FormatAt(food, c).foreground().color() == Blue, coloured) << c;
        EXPECT_EQ(FormatAt(food, c).fontUnderline(), c < 4) << c;
    }
}

// The viewer opens centred on the main window as it is then, not as it was at start-up.
TEST_F(PaneDisplayTest, ViewerOpensCentredOnTheMainWindow) {
    Viewer.FormCreate(Form.get());
    Form->setGeometry(200, 150, 1200, 800);
    ClickRow(QStringLiteral("チキンカレー"));
    ClickAt(Pane("memFoodstuff"), 1);
    ASSERT_TRUE(Viewer.isVisible());
    const QPoint offset = Viewer.frameGeometry().center() - Form->frameGeometry().center();
    EXPECT_LE(offset.manhattanLength(), 4) << offset.x() << "," << offset.y();
}
