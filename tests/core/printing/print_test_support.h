#pragma once

#include <algorithm>

#include <QImage>
#include <QString>

#include "core/printing/print_layouts.h"
#include "core/printing/recipe_print.h"
#include "core/printing/report_composer.h"
#include "core/settings/fonts.h"
#include "core/settings/settings.h"

inline void UseJapaneseFonts() {
    static const bool installed = (InstallFontSubstitutions(), true);
    (void)installed;
}

inline TRecipePrintInput SampleRecipe(int methodLines = 3) {
    TRecipePrintInput input;
    input.Item.Name = QStringLiteral("肉じゃが");
    input.Item.Calorie = QStringLiteral("350");
    input.Item.Kind = QStringLiteral("和食");
    input.Item.Group = QStringLiteral("夕食");
    input.Foodstuff = QStringLiteral("じゃがいも 3個\r\n牛肉 200グラム\r\n玉ねぎ 1個\r\n");
    for (int i = 1; i <= methodLines; ++i)
        input.How += QStringLiteral("%1. 材料を切って鍋で煮込みます。\r\n").arg(i);
    input.Comment = QStringLiteral("甘めの味付けが好評。\r\n");
    input.Photo = QImage(400, 300, QImage::Format_RGB32);
    input.Photo.fill(Qt::darkYellow);
    return input;
}

// The items of one page placed from a box, in page order.
inline std::vector<TPlacedItem> ItemsOf(const TComposedPage& page, const QString& box) {
    std::vector<TPlacedItem> found;
    for (const TPlacedItem& item : page.Items)
        if (item.Box == box)
            found.push_back(item);
    return found;
}

inline bool HasBand(const TComposedPage& page, const QString& band) {
    return std::any_of(page.Items.begin(), page.Items.end(),
                       [&](const TPlacedItem& item) { return item.Band == band; });
}

inline int LineCount(const TComposedJob& job, const QString& box) {
    int lines = 0;
    for (const TComposedPage& page : job.Pages)
        for (const TPlacedItem& item : ItemsOf(page, box))
            lines += int(item.Lines.size());
    return lines;
}
