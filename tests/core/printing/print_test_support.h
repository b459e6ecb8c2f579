#pragma once

#include <stdexcept>

#include <algorithm>

#include <QCryptographicHash>
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

inline TSettings PrintSettings(int style = 1, const QString& paper = QStringLiteral("A4")) {
    UseJapaneseFonts();
    TSettings settings;
    settings.PrintType = style;
    settings.PaperSize = paper;
    return settings;
}

inline TRecipePrintInput SampleRecipe(int methodLines = 3) {
    UseJapaneseFonts();
    TRecipePrintInput input;
    input.Item.Name = QStringLiteral("肉じゃが");
    input.Item.Calorie = QStringLiteral("350");
    input.Foodstuff = QStringLiteral("じゃがいも 3個\r\n牛肉 200グラム\r\n玉ねぎ 1個\r\n");
    for (int i = 1; i <= methodLines; ++i)
        input.How += QStringLiteral("%1. 材料を切って鍋で煮込みます。\r\n").arg(i);
    input.Comment = QStringLiteral("甘めの味付けが好評。\r\n");
    input.Photo = QImage(400, 300, QImage::Format_RGB32);
    input.Photo.fill(Qt::darkYellow);
    return input;
}

// Fills `layout` and composes it.
inline TComposedJob Fill(TReport& layout, const TSettings& settings, const TRecipePrintInput& input) {
    FillRecipeLayout(layout, settings, input);
    return Compose(layout);
}

// The items of one page placed from a box, in page order.
inline std::vector<TPlacedItem> ItemsOf(const TComposedPage& page, const QString& box) {
    std::vector<TPlacedItem> found;
    std::copy_if(page.Items.begin(), page.Items.end(), std::back_inserter(found),
                 [&](const TPlacedItem& item) { return item.Box == box; });
    return found;
}

// The first item of `box` on the page; a missing one fails the test instead
// of crashing it.
inline TPlacedItem FirstOf(const TComposedPage& page, const QString& box) {
    const std::vector<TPlacedItem> found = ItemsOf(page, box);
    if (found.empty())
        throw std::runtime_error("no item " + box.toStdString() + " on the page");
    return found.front();
}

inline bool HasBand(const TComposedPage& page, const QString& band) {
    return std::any_of(page.Items.begin(), page.Items.end(), [&](const TPlacedItem& item) { return item.Band == band; });
}

// The lines of a box over all pages.
inline QStringList LinesOf(const TComposedJob& job, const QString& box) {
    QStringList lines;
    for (const TComposedPage& page : job.Pages)
        for (const TPlacedItem& item : ItemsOf(page, box))
            lines += item.Lines;
    return lines;
}

// Every page as the printer gets it: each item's box, place, line places and
// lines, in page order, reduced to a short digest.
inline QString JobDigest(const TComposedJob& job) {
    QCryptographicHash hash(QCryptographicHash::Sha1);
    auto mm = [](double v) { return QString::number(v, 'f', 2); };
    for (const TComposedPage& page : job.Pages) {
        QString text = QStringLiteral("page\n");
        for (const TPlacedItem& item : page.Items) {
            text += item.Box + u' ' + mm(item.Rect.left()) + u' ' + mm(item.Rect.top()) + u' ' +
                    mm(item.Rect.width()) + u' ' + mm(item.Rect.height()) + u'\n';
            for (int i = 0; i < item.Lines.size(); ++i)
                text += mm(item.LineLefts.value(i)) + u' ' + item.Lines[i] + u'\n';
        }
        hash.addData(text.toUtf8());
    }
    return QString::fromLatin1(hash.result().toHex().left(16));
}
