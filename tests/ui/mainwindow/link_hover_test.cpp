#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTextCursor>
#include <QTextEdit>

#include "core/recipes/link_pictures.h"
#include "support/recipe_fixture.h"
#include "support/temp_app_dir.h"
#include "ui/mainwindow/link_hover.h"
#include "ui/mainwindow/link_picture_form.h"
#include "ui/mainwindow/link_thumbnail_form.h"
#include "ui/widgets/picture_box.h"

namespace {

// The middle of character `c` of the pane, in viewport coordinates.
QPoint CentreOf(QTextEdit& pane, int c) {
    QTextCursor a(pane.document());
    a.setPosition(c);
    QTextCursor b(pane.document());
    b.setPosition(c + 1);
    return {(pane.cursorRect(a).x() + pane.cursorRect(b).x()) / 2, pane.cursorRect(a).center().y()};
}

// Two panes with linked words and their hovers, as the main window has them;
// which characters a mark covers is the marks' own rule.
struct TLinkedPanes {
    TTempAppDir Dir;
    QString Recipe = Dir.Path("Cook/r/");
    QTextEdit Food;
    QTextEdit How;
    TMarks FoodMarks;
    TMarks HowMarks;
    TLinkThumbnailForm Thumbnail;
    TLinkPictureForm Viewer;
    TLinkHover FoodHover{&Food, &FoodMarks};
    TLinkHover HowHover{&How, &HowMarks};

    TLinkedPanes() {
        Dir.WriteBytes("Cook/r/LinkPic/卵.jpg", SmallJpeg(40, 30));
        Dir.WriteBytes("Cook/r/LinkPic/牛乳.jpg", SmallJpeg(50, 20));
        Food.setPlainText(QStringLiteral("卵牛乳 salt"));
        How.setPlainText(QStringLiteral("a卵b 牛乳を入れる"));
        for (QTextEdit* pane : {&Food, &How}) {
            pane->resize(400, 200);
            pane->setLineWrapMode(QTextEdit::NoWrap);
            pane->show();
        }
        for (const TLinkPicture& link : LinkedPictures(Recipe)) {
            MarkLinkWord(&Food, FoodMarks, link.Word);
            MarkLinkWord(&How, HowMarks, link.Word);
        }
        for (TLinkHover* hover : {&FoodHover, &HowHover}) {
            hover->RecipePath = [this] { return Recipe; };
            hover->Thumbnail = &Thumbnail;
            hover->Viewer = &Viewer;
        }
    }
};

}  // namespace

// Marked words are blue and underlined and what the user types next at the
// end is plain; hovering a word shows its picture and the hand in either pane.
TEST(LinkPanes, HoverShowsTheWordsPictureAndTheHandInEitherPane) {
    TLinkedPanes f;
    QTextCursor c(f.Food.document());
    c.setPosition(1);
    EXPECT_EQ(c.charFormat().foreground().color(), QColor(0, 0, 255));
    EXPECT_TRUE(c.charFormat().fontUnderline());
    EXPECT_FALSE(f.Food.currentCharFormat().fontUnderline());
    struct TRow {
        TLinkHover* Hover;
        QTextEdit* Pane;
        int Character;  // -1: past the line's end
        QString Picture;
    };
    const TRow rows[] = {
        {&f.FoodHover, &f.Food, 2, f.Recipe + "LinkPic/牛乳.jpg"},
        {&f.FoodHover, &f.Food, 3, {}},
        {&f.FoodHover, &f.Food, -1, {}},
        {&f.HowHover, &f.How, 1, f.Recipe + "LinkPic/卵.jpg"},
        {&f.HowHover, &f.How, 2, {}},
    };
    for (const TRow& row : rows) {
        const QPoint at = row.Character < 0 ? QPoint(380, CentreOf(*row.Pane, 0).y()) : CentreOf(*row.Pane, row.Character);
        row.Hover->MouseMove(at, Qt::NoButton);
        EXPECT_EQ(row.Hover->LinkPicturePath, row.Picture) << row.Character;
        EXPECT_EQ(f.Thumbnail.isVisible(), !row.Picture.isEmpty()) << row.Character;
        EXPECT_EQ(row.Pane->viewport()->cursor().shape(),
                  row.Picture.isEmpty() ? Qt::IBeamCursor : Qt::PointingHandCursor) << row.Character;
    }
    f.FoodHover.MouseMove(CentreOf(f.Food, 1), Qt::NoButton);
    EXPECT_EQ(f.Thumbnail.Image1->Picture().size(), QSize(50, 20));
    // Holding the left button (selecting) changes nothing.
    f.HowHover.MouseMove(CentreOf(f.How, 1), Qt::LeftButton);
    EXPECT_TRUE(f.HowHover.LinkPicturePath.isEmpty());
}

TEST(LinkPanes, ClickOpensTheViewerAlsoWithoutThumbnails) {
    TLinkedPanes f;
    f.FoodHover.UseThumbnail = [] { return false; };
    f.FoodHover.MouseMove(CentreOf(f.Food, 2), Qt::NoButton);
    EXPECT_FALSE(f.Thumbnail.isVisible());
    EXPECT_TRUE(f.FoodHover.MouseDown(CentreOf(f.Food, 2)));
    EXPECT_EQ(f.Viewer.Image1->Picture().size(), QSize(50, 20));

    // With the viewer open, hovering shows no pop-up.
    f.FoodHover.UseThumbnail = [] { return true; };
    f.FoodHover.MouseMove(CentreOf(f.Food, 0), Qt::NoButton);
    EXPECT_FALSE(f.Thumbnail.isVisible());
    f.Viewer.hide();
    EXPECT_FALSE(f.FoodHover.MouseDown(CentreOf(f.Food, 3)));  // beside the words
    EXPECT_FALSE(f.Viewer.isVisible());

    // Own size and back to the window's size.
    f.Viewer.ToolButton2Click();
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
    f.Dir.WriteBytes("Cook/r/LinkPic/鍋.jpg", SmallJpeg(640, 480));
    f.Thumbnail.ShowPicture(f.Recipe + "LinkPic/鍋.jpg", QPoint(10, 10));
    QApplication::processEvents();
    EXPECT_TRUE(f.Thumbnail.isVisible());
    EXPECT_FALSE(f.Thumbnail.isActiveWindow());
    EXPECT_NE(QApplication::focusWidget(), f.Thumbnail.Image1);
    EXPECT_EQ(f.Thumbnail.size(), QSize(115, 100));
    // A camera photo is decoded at the smallest scale that still fills the
    // pop-up; the viewer takes it whole.
    EXPECT_EQ(f.Thumbnail.Image1->Picture().size(), QSize(160, 120));
    f.Viewer.ShowPicture(f.Recipe + "LinkPic/鍋.jpg");
    EXPECT_EQ(f.Viewer.Image1->Picture().size(), QSize(640, 480));
    // Moving onto the picture closes it.
    f.Thumbnail.Image1MouseMove();
    EXPECT_FALSE(f.Thumbnail.isVisible());
}
