#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QToolButton>

#include "core/recipes/open_recipe.h"
#include "support/recipe_fixture.h"
#include "support/temp_app_dir.h"
#include "ui/mainwindow/photo_pane_view.h"

namespace {

// A recipe with its photo (40x30) and one more picture "b.jpg".
struct TPhotoPanel {
    TTempAppDir Dir;
    TOpenRecipe Open{Dir.Path("Cook")};
    QWidget Panel;
    QLabel* Image = new QLabel(&Panel);
    QWidget* Paging = new QWidget(&Panel);
    QLabel* Caption = new QLabel(Paging);
    QToolButton* Prev = new QToolButton(Paging);
    QToolButton* Next = new QToolButton(Paging);
    TPhotoPaneView View{Open, &Panel, Image, Paging, Caption, Prev, Next};

    explicit TPhotoPanel(const std::optional<QByteArray>& second) {
        Dir.WriteBytes("Cook/r/材料.txt", "");
        Dir.WriteBytes("Cook/r/方法.txt", "");
        Dir.WriteBytes("Cook/r/写真.jpg", SmallJpeg(40, 30, qRgb(10, 120, 200)));
        Dir.WriteBytes("Cook/r/b.jpg", SmallJpeg(30, 40, qRgb(10, 120, 200)));
        TCookItem item;
        item.Name = QStringLiteral("r");
        Open.Load(item, QSize(10, 10));
        if (second)
            Dir.WriteBytes("Cook/r/b.jpg", *second);
        else
            QFile::remove(Dir.Path("Cook/r/b.jpg"));
        Panel.resize(200, 200);
        Image->resize(100, 100);
        Panel.show();
        View.Refresh();
    }
    QSize Shown() const { return View.Pane().Picture.size(); }
};

}  // namespace

// Paging onto a picture that broke or vanished since the load shows nothing; paging is no edit.
TEST(PhotoPaneView, PagingButtonsCaptionAndBadPictures) {
    const std::pair<std::optional<QByteArray>, QSize> cases[] = {
        {SmallJpeg(30, 40), QSize(30, 40)}, {QByteArray("not a picture"), QSize(0, 0)}, {std::nullopt, QSize(0, 0)}};
    for (const auto& [second, shown] : cases) {
        TPhotoPanel p(second);
        EXPECT_EQ(p.Caption->text(), QStringLiteral("1/2"));
        EXPECT_FALSE(p.Prev->isEnabled());
        p.Next->click();
        EXPECT_EQ(p.Caption->text(), QStringLiteral("2/2"));
        EXPECT_TRUE(p.Prev->isEnabled());
        EXPECT_FALSE(p.Next->isEnabled());
        EXPECT_EQ(p.Shown(), shown);
        p.Prev->click();
        EXPECT_EQ(p.Shown(), QSize(40, 30));
        EXPECT_FALSE(p.Open.IsModified());
    }
}

TEST(PhotoPaneView, CopyAndPasteGoThroughTheClipboard) {
    TPhotoPanel p(SmallJpeg(30, 40));
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
