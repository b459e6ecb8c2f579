#include <gtest/gtest.h>

#include <QDir>
#include <QPainter>

#include "core/printing/recipe_list_print.h"
#include "core/printing/report_painter.h"
#include "print_test_support.h"

// Not run by ctest: renders every layout to PNG for a person to look at.
// SAPORIA_PRINT_PNG=<folder> ./test_core_printing --gtest_also_run_disabled_tests
//     --gtest_filter='*RenderForLooking*'
TEST(PrintRenderTest, DISABLED_RenderForLooking) {
    const QString folder = qEnvironmentVariable("SAPORIA_PRINT_PNG", QDir::tempPath());
    UseJapaneseFonts();
    auto save = [&](const TComposedJob& job, const QString& name) {
        const double pixelsPerMm = 4;
        for (size_t i = 0; i < job.Pages.size(); ++i) {
            QImage image((job.PaperSize * pixelsPerMm).toSize(), QImage::Format_RGB32);
            image.fill(Qt::white);
            QPainter painter(&image);
            PaintPage(painter, job.Pages[i], pixelsPerMm);
            painter.end();
            image.save(QStringLiteral("%1/%2-%3.png").arg(folder, name).arg(i + 1));
        }
    };
    TRecipePrintInput input = SampleRecipe(14);
    input.How += QStringLiteral("長い行の折り返し：鍋に水とだし、醤油、みりん、砂糖を入れて中火にかけ、沸騰したらあくを取り、落とし蓋をして二十分ほど煮込みます。\r\n");
    QImage photo(640, 480, QImage::Format_RGB32);
    QPainter p(&photo);
    p.fillRect(photo.rect(), QColor(230, 200, 150));
    p.setBrush(QColor(160, 80, 30));
    p.drawEllipse(QRect(120, 90, 400, 300));
    p.end();
    input.Photo = photo;
    for (const QString& paper : {QStringLiteral("A4"), QStringLiteral("A5"), QStringLiteral("B5"),
                                 QStringLiteral("ハガキ")}) {
        for (int type = 1; type <= 4; ++type) {
            TSettings settings;
            settings.PaperSize = paper;
            settings.PrintType = type;
            settings.PrintComment = true;
            settings.HeaderType = 1;
            settings.RightFooterType = 4;
            TReport layout = MakePrintLayout(RecipeLayoutFor(settings));
            FillRecipeLayout(layout, settings, input);
            save(Compose(layout), layout.Name);
        }
    }
    TCookItems items;
    QList<int> rows;
    for (int i = 0; i < 120; ++i) {
        TCookItem item;
        item.Name = QStringLiteral("%1レシピ%2").arg(QChar(u'あ' + (i % 5) * 2)).arg(i);
        item.Kind = i % 3 ? QStringLiteral("和食") : QString();
        items.append(item);
        rows.append(i);
    }
    TSettings settings;
    settings.ContentsType = 1;
    TReport list = MakePrintLayout("TPrintFormA4RecipeList");
    FillListLayout(list, settings, RecipeIndexText(items, rows, 1));
    save(Compose(list), list.Name);
}
