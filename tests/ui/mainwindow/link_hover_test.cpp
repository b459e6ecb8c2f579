#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTextCursor>
#include <QTextEdit>

#include "core/recipes/link_pictures.h"
#include "ui/mainwindow/link_hover.h"
#include "ui/mainwindow/link_picture_form.h"
#include "ui/mainwindow/link_thumbnail_form.h"
#include "ui/widgets/picture_box.h"
#include "core/platform/picture_codec.h"
#include "support/recipe_fixture.h"
#include "support/temp_app_dir.h"

namespace {

// The middle of character `c` of the pane, in viewport coordinates.
QPoint CentreOf(QTextEdit& pane, int c) {
    QTextCursor a(pane.document());
    a.setPosition(c);
    QTextCursor b(pane.document());
    b.setPosition(c + 1);
    const QRect left = pane.cursorRect(a);
    const QRect right = pane.cursorRect(b);
    return {(left.x() + right.x()) / 2, left.center().y()};
}

// Two panes with linked words, as the main window has them.
struct TLinkedPanes {
    TTempAppDir Dir;
    QString Recipe = Dir.Path("Cook/r/");
    QTextEdit Food;
    QTextEdit How;
    TMarks FoodMarks;
    TMarks HowMarks;
    TLinkThumbnailForm Thumbnail;
    TLinkPictureForm Viewer;

    TLinkedPanes() {
        Dir.WriteBytes("Cook/r/LinkPic/卵.jpg", SmallJpeg(40, 30, qRgb(200, 50, 50)));
        Dir.WriteBytes("Cook/r/LinkPic/牛乳.jpg", SmallJpeg(50, 20, qRgb(200, 50, 50)));
        Dir.WriteBytes("Cook/r/LinkPic/Salt.JPG", SmallJpeg(20, 20, qRgb(200, 50, 50)));
        for (QTextEdit* pane : {&Food, &How}) {
            pane->resize(400, 200);
            pane->setLineWrapMode(QTextEdit::NoWrap);
        }
        Food.setPlainText(QStringLiteral("卵牛乳 salt\nSALTY 卵"));
        How.setPlainText(QStringLiteral("a卵b 牛乳を入れる"));
        Food.show();
        How.show();
        for (const TLinkPicture& link : LinkedPictures(Recipe)) {
            MarkLinkWord(&Food, FoodMarks, link.Word);
            MarkLinkWord(&How, HowMarks, link.Word);
        }
    }
};

}  // namespace

TEST(LinkPanes, WordsAreMarkedBlueUnderlinedInBothPanes) {
    TLinkedPanes f;
    EXPECT_EQ(f.HowMarks.size(), 2);  // what is marked is the marks' own rule
    QTextCursor c(f.Food.document());
    c.setPosition(1);
    EXPECT_TRUE(c.charFormat().fontUnderline());
    EXPECT_EQ(c.charFormat().foreground().color(), QColor(0, 0, 255));
    c.setPosition(4);  // the blank between 牛乳 and salt
    EXPECT_FALSE(c.charFormat().fontUnderline());
    // Plain typing at the end: what the user types next is not blue.
    EXPECT_FALSE(f.Food.currentCharFormat().fontUnderline());
    EXPECT_EQ(f.Food.textCursor().position(), f.Food.toPlainText().size());
    EXPECT_FALSE(f.Food.textCursor().hasSelection());
}

TEST(LinkPanes, HoverFindsTheWordOnItsFirstAndLastCharacterOnly) {
    TLinkedPanes f;
    TLinkHover food(&f.Food, &f.FoodMarks);
    TLinkHover how(&f.How, &f.HowMarks);
    for (TLinkHover* hover : {&food, &how}) {
        hover->RecipePath = [&] { return f.Recipe; };
        hover->Thumbnail = &f.Thumbnail;
        hover->Viewer = &f.Viewer;
    }
    const QString eggs = f.Recipe + "LinkPic/卵.jpg";
    const QString milk = f.Recipe + "LinkPic/牛乳.jpg";
    struct TRow {
        TLinkHover* Hover;
        QTextEdit* Pane;
        int Character;  // -1: past the line's end
        QString Picture;
    };
    // Ingredients "卵牛乳 salt": 卵 is one character, 牛乳 follows at once;
    // method "a卵b 牛乳を入れる". Which characters a mark covers is the
    // marks' own rule; here the hover finds them in either pane.
    const TRow rows[] = {
        {&food, &f.Food, 0, eggs}, {&food, &f.Food, 2, milk}, {&food, &f.Food, 3, {}},
        {&food, &f.Food, 7, f.Recipe + "LinkPic/Salt.JPG"},   {&food, &f.Food, -1, {}},
        {&how, &f.How, 1, eggs},   {&how, &f.How, 2, {}},
    };
    for (const TRow& row : rows) {
        const QPoint at = row.Character < 0 ? QPoint(380, CentreOf(*row.Pane, 0).y()) : CentreOf(*row.Pane, row.Character);
        row.Hover->MouseMove(at, Qt::NoButton);
        EXPECT_EQ(row.Hover->LinkPicturePath, row.Picture) << row.Character;
        EXPECT_EQ(f.Thumbnail.isVisible(), !row.Picture.isEmpty()) << row.Character;
        EXPECT_EQ(row.Pane->viewport()->cursor().shape(),
                  row.Picture.isEmpty() ? Qt::IBeamCursor : Qt::PointingHandCursor) << row.Character;
    }
    food.MouseMove(CentreOf(f.Food, 1), Qt::NoButton);
    EXPECT_EQ(f.Thumbnail.Image1->Picture().size(), QSize(50, 20));

    // Holding the left button (selecting) changes nothing.
    how.MouseMove(CentreOf(f.How, 1), Qt::LeftButton);
    EXPECT_TRUE(how.LinkPicturePath.isEmpty());
}

TEST(LinkPanes, ClickOpensTheViewerAlsoWithoutThumbnails) {
    TLinkedPanes f;
    TLinkHover food(&f.Food, &f.FoodMarks);
    food.RecipePath = [&] { return f.Recipe; };
    food.Thumbnail = &f.Thumbnail;
    food.Viewer = &f.Viewer;
    food.UseThumbnail = [] { return false; };
    food.MouseMove(CentreOf(f.Food, 2), Qt::NoButton);
    EXPECT_FALSE(f.Thumbnail.isVisible());
    EXPECT_TRUE(food.MouseDown(CentreOf(f.Food, 2)));
    EXPECT_TRUE(f.Viewer.isVisible());
    EXPECT_EQ(f.Viewer.Image1->Picture().size(), QSize(50, 20));
    EXPECT_EQ(f.Viewer.windowTitle(), QStringLiteral("参照画像"));

    // With the viewer open, hovering shows no pop-up.
    food.UseThumbnail = [] { return true; };
    food.MouseMove(CentreOf(f.Food, 0), Qt::NoButton);
    EXPECT_FALSE(f.Thumbnail.isVisible());
    // A click beside the words opens nothing new.
    f.Viewer.hide();
    EXPECT_FALSE(food.MouseDown(CentreOf(f.Food, 3)));
    EXPECT_FALSE(f.Viewer.isVisible());

    // Own size and back to the window's size.
    f.Viewer.ToolButton2Click();
    EXPECT_FALSE(f.Viewer.Image1->Fit());
    EXPECT_EQ(f.Viewer.Image1->size(), QSize(50, 20));
    f.Viewer.ToolButton1Click();
    EXPECT_TRUE(f.Viewer.Image1->Fit());
}

TEST(LinkPanes, ThumbnailNeverTakesTheFocus) {
    TLinkedPanes f;
    QLineEdit typing;
    typing.show();
    typing.activateWindow();
    typing.setFocus();
    QApplication::processEvents();
    f.Thumbnail.ShowPicture(f.Recipe + "LinkPic/卵.jpg", QPoint(10, 10));
    QApplication::processEvents();
    EXPECT_TRUE(f.Thumbnail.isVisible());
    EXPECT_TRUE(f.Thumbnail.testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_NE(QApplication::focusWidget(), f.Thumbnail.Image1);
    EXPECT_FALSE(f.Thumbnail.isActiveWindow());
    EXPECT_EQ(f.Thumbnail.size(), QSize(115, 100));
    // Moving onto the picture closes it.
    f.Thumbnail.Image1MouseMove();
    EXPECT_FALSE(f.Thumbnail.isVisible());

    // A camera photo is decoded at the smallest scale that still fills the
    // pop-up; the viewer takes it whole.
    f.Dir.WriteBytes("Cook/r/LinkPic/鍋.jpg", SmallJpeg(640, 480));
    f.Thumbnail.ShowPicture(f.Recipe + "LinkPic/鍋.jpg", QPoint(10, 10));
    EXPECT_EQ(f.Thumbnail.Image1->Picture().size(), QSize(160, 120));
    f.Viewer.ShowPicture(f.Recipe + "LinkPic/鍋.jpg");
    EXPECT_EQ(f.Viewer.Image1->Picture().size(), QSize(640, 480));
}
