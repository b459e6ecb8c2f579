#include <benchmark/benchmark.h>

#include "figure_timing.h"

#include <QApplication>
#include <QPdfWriter>
#include <QTemporaryDir>

#include "core/printing/print_layouts.h"
#include "core/printing/recipe_list_print.h"
#include "core/printing/recipe_print.h"
#include "core/printing/report_composer.h"
#include "core/printing/report_painter.h"
#include "core/settings/fonts.h"
#include "core/settings/settings.h"

namespace {

void EnsurePrintApplication() {
    EnsureBenchApplication();
    InstallFontSubstitutions();
}

void ComposeAndPaint(benchmark::State& state, const TReport& layout) {
    QTemporaryDir dir;
    size_t pages = 0;
    for (auto _ : state) {
        const TComposedJob job = Compose(layout);
        QPdfWriter writer(dir.filePath("out.pdf"));
        RenderJob(job, writer);
        pages = job.Pages.size();
    }
    state.counters["pages"] = double(pages);
}

}  // namespace

// A recipe whose method runs to ten A4 pages.
static void BM_PrintRecipeTenPages(benchmark::State& state) {
    EnsurePrintApplication();
    TSettings settings;
    TRecipePrintInput input;
    input.Item.Name = QStringLiteral("肉じゃが");
    input.Foodstuff = QStringLiteral("じゃがいも 3個\r\n牛肉 200グラム\r\n");
    for (int i = 0; i < 720; ++i)
        input.How += QStringLiteral("%1. 材料を切って鍋に入れ、だしと醤油で煮込みます。\r\n").arg(i + 1);
    input.Photo = QImage(640, 480, QImage::Format_RGB32);
    input.Photo.fill(Qt::darkYellow);
    TReport layout = MakePrintLayout(RecipeLayoutFor(settings));
    FillRecipeLayout(layout, settings, input);
    ComposeAndPaint(state, layout);
}
BENCHMARK(BM_PrintRecipeTenPages)->Unit(benchmark::kMillisecond);

// The index of 10,000 shown recipes, from the records to the PDF.
static void BM_PrintRecipeListTenThousand(benchmark::State& state) {
    EnsurePrintApplication();
    TCookItems items;
    QList<int> rows;
    for (int i = 0; i < 10000; ++i) {
        TCookItem item;
        item.Name = QStringLiteral("レシピ%1").arg(i, 5, 10, QLatin1Char('0'));
        item.Kind = QStringLiteral("種類%1").arg(i % 12);
        items.append(item);
        rows.append(i);
    }
    TSettings settings;
    settings.ContentsType = 1;
    TReport layout = MakePrintLayout(ListLayoutFor(settings));
    QTemporaryDir dir;
    size_t pages = 0;
    for (auto _ : state) {
        FillListLayout(layout, settings, RecipeIndexText(items, rows, settings.ContentsType));
        const TComposedJob job = Compose(layout);
        QPdfWriter writer(dir.filePath("list.pdf"));
        RenderJob(job, writer);
        pages = job.Pages.size();
    }
    state.counters["pages"] = double(pages);
}
BENCHMARK(BM_PrintRecipeListTenThousand)->Unit(benchmark::kMillisecond);
