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
        TCookItem item;
        item.Name = QStringLiteral("r");
        Open.Load(item, QSize(10, 10));
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
