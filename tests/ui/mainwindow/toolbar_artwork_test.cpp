#include <gtest/gtest.h>

#include <QList>

#include "core/commands/command_table.h"
#include "ui/mainwindow/toolbar_artwork.h"

TEST(ToolbarArtworkTest, EveryPictureIsDrawnAndTellsItselfApart) {
    QList<QImage> images;
    for (int i = static_cast<int>(TToolImage::NewRecipe); i <= static_cast<int>(TToolImage::WordWrap); ++i) {
        const QImage image = ToolbarImage(static_cast<TToolImage>(i));
        ASSERT_EQ(image.size(), QSize(16, 16)) << i;
        int opaque = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                opaque += qAlpha(image.pixel(x, y)) > 128 ? 1 : 0;
        EXPECT_GT(opaque, 12) << "picture " << i << " is nearly empty";
        EXPECT_FALSE(images.contains(image)) << "picture " << i << " repeats another";
        images << image;
    }
    // A misspelt picture name would leave its button blank.
    for (const TCommandRow& row : CommandTable())
        for (const TCommandPlace& place : row.Places)
            EXPECT_TRUE(place.Art.isEmpty() || !ToolbarImageNamed(place.Art).isNull()) << place.Name.toStdString();
}
