#include <gtest/gtest.h>

#include <QLineEdit>

#include "core/recipes/link_pictures.h"
#include "support/main_form_fixture.h"
#include "ui/mainwindow/link_hover.h"
#include "ui/mainwindow/link_picture_form.h"
#include "ui/mainwindow/link_thumbnail_form.h"
#include "ui/widgets/picture_box.h"

namespace {

// A pane with linked words and its hover, as the main window has them.
struct TLinkedPanes {
    TTempAppDir Dir;
    QString Recipe = Dir.Path("Cook/r/");
    QTextEdit Food;
    TMarks FoodMarks;
    TLinkThumbnailForm Thumbnail;
    TLinkPictureForm Viewer;
    TLinkHover FoodHover{&Food, &FoodMarks};

    TLinkedPanes() {
        Dir.WriteBytes("Cook/r/LinkPic/卵.jpg", SmallJpeg(40, 30));
        Dir.WriteBytes("Cook/r/LinkPic/牛乳.jpg", SmallJpeg(50, 20));
        Food.setPlainText(QStringLiteral("卵牛乳 salt"));
        Food.resize(400, 200);
        Food.setLineWrapMode(QTextEdit::NoWrap);
        Food.show();
        for (const TLinkPicture& link : LinkedPictures(Recipe))
            MarkLinkWord(&Food, FoodMarks, link.Word);
        FoodHover.RecipePath = [this] { return Recipe; };
        FoodHover.Thumbnail = &Thumbnail;
        FoodHover.Viewer = &Viewer;
    }
    QPoint At(int c) { return TMainFormFixture::CentreOf(&Food, c); }
};

}  // namespace

// A hovered word shows its own picture and the hand; beside the words, nothing.
TEST(LinkPanes, HoverShowsTheWordsPictureAndTheHand) {
    TLinkedPanes f;
    const std::pair<int, QString> rows[] = {  // the character (-1: past the line's end), its picture
        {2, f.Recipe + "LinkPic/牛乳.jpg"}, {0, f.Recipe + "LinkPic/卵.jpg"}, {3, {}}, {-1, {}}};
    for (const auto& [character, picture] : rows) {
        const QPoint at = character < 0 ? QPoint(380, f.At(0).y()) : f.At(character);
        f.FoodHover.MouseMove(at, Qt::NoButton);
        EXPECT_EQ(f.FoodHover.LinkPicturePath, picture) << character;
        EXPECT_EQ(f.Thumbnail.isVisible(), !picture.isEmpty()) << character;
        EXPECT_EQ(f.Food.viewport()->cursor().shape(), picture.isEmpty() ? Qt::IBeamCursor : Qt::PointingHandCursor);
    }
    f.FoodHover.MouseMove(f.At(1), Qt::LeftButton);  // selecting changes nothing
    EXPECT_TRUE(f.FoodHover.LinkPicturePath.isEmpty());
    f.FoodHover.MouseMove(f.At(1), Qt::NoButton);
    EXPECT_EQ(f.Thumbnail.Image1->Picture().size(), QSize(50, 20));
}

// Text typed after a linked word that ends the pane is plain.
TEST(LinkPanes, TypingAfterALinkAtTheEndIsPlain) {
    TLinkedPanes f;
    f.Food.setPlainText(QStringLiteral("salt 卵"));
    MarkLinkWord(&f.Food, f.FoodMarks, QStringLiteral("卵"));
    QTest::keyClicks(&f.Food, "x");
    const QTextCharFormat typed = TMainFormFixture::FormatAt(&f.Food, 6);
    EXPECT_EQ(std::pair(typed.fontUnderline(), typed.foreground().color()), std::pair(false, QColor(Qt::black)));
}

TEST(LinkPanes, ClickOpensTheViewerAlsoWithoutThumbnails) {
    TLinkedPanes f;
    f.FoodHover.UseThumbnail = [] { return false; };
    f.FoodHover.MouseMove(f.At(2), Qt::NoButton);
    EXPECT_FALSE(f.Thumbnail.isVisible());
    EXPECT_TRUE(f.FoodHover.MouseDown(f.At(2)));
    EXPECT_EQ(f.Viewer.Image1->Picture().size(), QSize(50, 20));

    // With the viewer open, hovering shows no pop-up.
    f.FoodHover.UseThumbnail = [] { return true; };
    f.FoodHover.MouseMove(f.At(0), Qt::NoButton);
    EXPECT_FALSE(f.Thumbnail.isVisible());
    f.Viewer.hide();
    EXPECT_FALSE(f.FoodHover.MouseDown(f.At(3)));  // beside the words
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
    // A camera photo is decoded at the smallest scale that fills the pop-up; the viewer takes it whole.
    EXPECT_EQ(f.Thumbnail.Image1->Picture().size(), QSize(160, 120));
    f.Viewer.ShowPicture(f.Recipe + "LinkPic/鍋.jpg");
    EXPECT_EQ(f.Viewer.Image1->Picture().size(), QSize(640, 480));
    // Moving onto the picture closes it.
    f.Thumbnail.Image1MouseMove();
    EXPECT_FALSE(f.Thumbnail.isVisible());
}
