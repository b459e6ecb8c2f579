#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QToolButton>

#include "ui/mainwindow/photo_pane_view.h"
#include "core/platform/picture_codec.h"
#include "core/recipes/recipe_folder.h"
#include "support/recipe_fixture.h"
#include "support/temp_app_dir.h"

namespace {

struct TPhotoPanel {
    TTempAppDir Dir;
    QString Recipe = Dir.Path("Cook/r/");
    TRecipeContent Content;
    QString OpenPath = Recipe;
    int Marked = 0;
    QWidget Panel;
    QLabel* Image = new QLabel(&Panel);
    QWidget* Paging = new QWidget(&Panel);
    QLabel* Caption = new QLabel(Paging);
    QToolButton* Prev = new QToolButton(Paging);
    QToolButton* Next = new QToolButton(Paging);
    TPhotoPaneView View{&Panel, Image, Paging, Caption, Prev, Next};

    TPhotoPanel() {
        Dir.WriteBytes("Cook/r/材料.txt", "");
        Dir.WriteBytes("Cook/r/方法.txt", "");
        Dir.WriteBytes("Cook/r/写真.jpg", SmallJpeg(40, 30, qRgb(10, 120, 200)));
        Dir.WriteBytes("Cook/r/b.jpg", SmallJpeg(30, 40, qRgb(10, 120, 200)));
        Content = ReadRecipeFolder(Recipe);
        View.RecipePath = [this] { return OpenPath; };
        View.Content = [this] { return &Content; };
        View.SetModified = [this] { ++Marked; };
        View.DropFiles({});
        QObject::connect(&View, &TPhotoPaneView::Dropped, &View, &TPhotoPaneView::DropFiles);
        Panel.resize(200, 200);
        Image->resize(100, 100);
        Panel.show();
        View.Show();
    }

    void Drop(const QStringList& files) { View.DropFiles(files); }
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
    EXPECT_EQ(p.View.Pane.Picture.size(), QSize(30, 40));
    EXPECT_EQ(p.Marked, 0);  // paging is no edit
}

TEST(PhotoPaneView, PagingOntoABrokenOrVanishedPhotoShowsNothingAndGoesOn) {
    TPhotoPanel p;
    p.Dir.WriteBytes("Cook/r/b.jpg", "not a picture");
    p.Next->click();
    EXPECT_EQ(p.Caption->text(), QStringLiteral("2/2"));
    EXPECT_TRUE(p.View.Pane.Picture.isNull());
    EXPECT_TRUE(p.Prev->isEnabled());
    p.Prev->click();
    EXPECT_EQ(p.View.Pane.Picture.size(), QSize(40, 30));
    ASSERT_TRUE(QFile::remove(p.Recipe + "b.jpg"));
    p.Next->click();
    EXPECT_EQ(p.Caption->text(), QStringLiteral("2/2"));
    EXPECT_TRUE(p.View.Pane.Picture.isNull());
    EXPECT_EQ(p.Marked, 0);
}

TEST(PhotoPaneView, DropTakesTheFirstFileOnlyAndOnlyWithARecipeOpen) {
    TPhotoPanel p;
    p.Dir.WriteBytes("in/one.jpg", SmallJpeg(64, 16, qRgb(10, 120, 200)));
    p.Dir.WriteBytes("in/two.jpg", SmallJpeg(16, 64, qRgb(10, 120, 200)));
    p.Dir.WriteBytes("in/three.jpg", SmallJpeg(8, 8, qRgb(10, 120, 200)));
    p.Dir.WriteBytes("in/note.txt", "text");

    p.OpenPath.clear();
    p.Drop({p.Dir.Path("in/one.jpg")});
    EXPECT_EQ(p.View.Pane.Picture.size(), QSize(40, 30));
    EXPECT_EQ(p.Marked, 0);

    p.OpenPath = p.Recipe;
    p.Drop({p.Dir.Path("in/one.jpg"), p.Dir.Path("in/two.jpg"), p.Dir.Path("in/three.jpg")});
    EXPECT_EQ(p.View.Pane.Picture.size(), QSize(64, 16));
    EXPECT_EQ(p.Content.Photo, p.Dir.ReadBytes("in/one.jpg"));
    EXPECT_EQ(p.Marked, 1);

    // A text file leaves the pane as it was but marks the recipe changed.
    p.Drop({p.Dir.Path("in/note.txt")});
    EXPECT_EQ(p.View.Pane.Picture.size(), QSize(64, 16));
    EXPECT_EQ(p.Marked, 2);

    // Removed, then saved: the main photo is gone.
    p.View.D1Click();
    EXPECT_TRUE(p.Image->pixmap().isNull());
    SaveRecipeFolder(p.Recipe, p.Content);
    EXPECT_FALSE(QFile::exists(p.Recipe + "写真.jpg"));
}

TEST(PhotoPaneView, CopyAndPasteGoThroughTheClipboard) {
    TPhotoPanel p;
    p.View.C2Click();
    EXPECT_EQ(QApplication::clipboard()->image().size(), QSize(40, 30));
    QImage red(12, 34, QImage::Format_RGB32);
    red.fill(Qt::red);
    QApplication::clipboard()->setImage(red);
    p.View.Paste2Click();
    EXPECT_EQ(p.View.Pane.Picture.size(), QSize(12, 34));
    EXPECT_TRUE(p.Content.PhotoChanged);
    EXPECT_EQ(p.Marked, 1);
    // Without a picture on the clipboard nothing happens.
    QApplication::clipboard()->setText(QStringLiteral("text"));
    p.View.Paste2Click();
    EXPECT_EQ(p.Marked, 1);
}
