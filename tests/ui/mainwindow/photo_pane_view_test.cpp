#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QToolButton>

#include "ui/mainwindow/photo_pane_view.h"
#include "core/platform/picture_codec.h"
#include "core/recipes/open_recipe.h"
#include "support/recipe_fixture.h"
#include "support/temp_app_dir.h"

namespace {

struct TPhotoPanel {
    TTempAppDir Dir;
    QString Recipe = Dir.Path("Cook/r/");
    TOpenRecipe Open{Dir.Path("Cook")};
    QWidget Panel;
    QLabel* Image = new QLabel(&Panel);
    QWidget* Paging = new QWidget(&Panel);
    QLabel* Caption = new QLabel(Paging);
    QToolButton* Prev = new QToolButton(Paging);
    QToolButton* Next = new QToolButton(Paging);
    TPhotoPaneView View{Open, &Panel, Image, Paging, Caption, Prev, Next};

    TPhotoPanel() {
        Dir.WriteBytes("Cook/r/材料.txt", "");
        Dir.WriteBytes("Cook/r/方法.txt", "");
        Dir.WriteBytes("Cook/r/写真.jpg", SmallJpeg(40, 30, qRgb(10, 120, 200)));
        Dir.WriteBytes("Cook/r/b.jpg", SmallJpeg(30, 40, qRgb(10, 120, 200)));
        Open.Load(TCookItem{.Name = QStringLiteral("r")}, QSize(10, 10));
        Panel.resize(200, 200);
        Image->resize(100, 100);
        Panel.show();
        View.Refresh();
    }
    QSize Shown() const { return View.Pane().Picture.size(); }
};

}  // namespace

TEST(PhotoPaneView, PagingButtonsAndCaption) {
    TPhotoPanel p;
    EXPECT_FALSE(p.Paging->isHidden());
    EXPECT_EQ(p.Caption->text(), QStringLiteral("1/2"));
    EXPECT_FALSE(p.Prev->isEnabled());
    EXPECT_TRUE(p.Next->isEnabled());
    p.Next->click();
    EXPECT_EQ(p.Caption->text(), QStringLiteral("2/2"));
    EXPECT_TRUE(p.Prev->isEnabled());
    EXPECT_FALSE(p.Next->isEnabled());
    EXPECT_EQ(p.Shown(), QSize(30, 40));
    EXPECT_FALSE(p.Open.IsModified());  // paging is no edit
}

TEST(PhotoPaneView, PagingOntoABrokenOrVanishedPhotoShowsNothingAndGoesOn) {
    TPhotoPanel p;
    p.Dir.WriteBytes("Cook/r/b.jpg", "not a picture");
    p.Next->click();
    EXPECT_EQ(p.Caption->text(), QStringLiteral("2/2"));
    EXPECT_TRUE(p.Shown().isEmpty());
    EXPECT_TRUE(p.Prev->isEnabled());
    p.Prev->click();
    EXPECT_EQ(p.Shown(), QSize(40, 30));
    ASSERT_TRUE(QFile::remove(p.Recipe + "b.jpg"));
    p.Next->click();
    EXPECT_EQ(p.Caption->text(), QStringLiteral("2/2"));
    EXPECT_TRUE(p.Shown().isEmpty());
    EXPECT_FALSE(p.Open.IsModified());
}

TEST(PhotoPaneView, LoadedPictureIsSavedAndARemovedOneDeleted) {
    TPhotoPanel p;
    p.Dir.WriteBytes("in/one.jpg", SmallJpeg(64, 16, qRgb(10, 120, 200)));
    p.Dir.WriteBytes("in/note.txt", "text");
    // A text file leaves the pane as it was but marks the recipe changed.
    p.View.LoadPictureFile(p.Dir.Path("in/note.txt"));
    EXPECT_EQ(p.Shown(), QSize(40, 30));
    EXPECT_TRUE(p.Open.IsModified());

    // A JPEG is taken byte for byte.
    p.View.LoadPictureFile(p.Dir.Path("in/one.jpg"));
    EXPECT_EQ(p.Shown(), QSize(64, 16));
    p.Open.Save({});
    EXPECT_EQ(p.Dir.ReadBytes("Cook/r/写真.jpg"), p.Dir.ReadBytes("in/one.jpg"));

    // Removed, then saved: the main photo is gone.
    p.View.D1Click();
    EXPECT_TRUE(p.Image->pixmap().isNull());
    p.Open.Save({});
    EXPECT_FALSE(QFile::exists(p.Recipe + "写真.jpg"));

    // With no recipe open nothing is taken.
    p.Open.Close();
    p.View.LoadPictureFile(p.Dir.Path("in/one.jpg"));
    EXPECT_TRUE(p.Shown().isEmpty());
    EXPECT_FALSE(p.Open.IsModified());
}

TEST(PhotoPaneView, CopyAndPasteGoThroughTheClipboard) {
    TPhotoPanel p;
    p.View.C2Click();
    EXPECT_EQ(QApplication::clipboard()->image().size(), QSize(40, 30));
    QImage red(12, 34, QImage::Format_RGB32);
    red.fill(Qt::red);
    QApplication::clipboard()->setImage(red);
    p.View.Paste2Click();
    EXPECT_EQ(p.Shown(), QSize(12, 34));
    EXPECT_TRUE(p.Open.Content().PhotoChanged);
    EXPECT_TRUE(p.Open.IsModified());
    // Without a picture on the clipboard nothing happens.
    p.Open.SetModified(false);
    QApplication::clipboard()->setText(QStringLiteral("text"));
    p.View.Paste2Click();
    EXPECT_FALSE(p.Open.IsModified());
}
