#include <gtest/gtest.h>

#include <QComboBox>
#include <QImage>
#include <QTabWidget>

#include "settings/option_form.h"
#include "support/render_ui.h"
#include "support/temp_app_dir.h"

namespace {

void WriteBitmap(const TTempAppDir& dir, const QString& name, QColor colour) {
    QImage image(32, 32, QImage::Format_RGB32);
    image.fill(colour);
    QDir().mkpath(dir.Path("background"));
    ASSERT_TRUE(image.save(dir.Path("background/" + name), "BMP"));
}

}  // namespace

TEST(OptionForm, BackgroundListSortedIgnoringCaseWithRealNames) {
    TTempAppDir dir;
    WriteBitmap(dir, "wood.bmp", Qt::darkYellow);
    WriteBitmap(dir, "Check.bmp", Qt::red);
    WriteBitmap(dir, "aqua.BMP", Qt::cyan);
    dir.WriteBytes("background/notes.txt", "x");
    EXPECT_EQ(TOptionForm::BackgroundNames(dir.AppDir()), QStringList({"aqua", "Check", "wood"}));
    EXPECT_TRUE(TOptionForm::BackgroundNames(dir.AppDir() + "missing/").isEmpty());

    TOptionForm form(dir.AppDir());
    auto* list = form.findChild<QComboBox*>("StyleComboBox");
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->itemText(1), "Check");
    form.show();
    auto* pages = form.findChild<QTabWidget*>("PageControl1");
    ASSERT_EQ(pages->count(), 7);
    for (int i = 0; i < pages->count(); ++i) {
        pages->setCurrentIndex(i);
        RenderWidgetIfAsked(&form, QString("option_form_%1").arg(i + 1));
    }
}
