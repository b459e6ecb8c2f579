#include <gtest/gtest.h>

#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "core/printing/recipe_list_print.h"
#include "core/printing/report_painter.h"
#include "print_test_support.h"

namespace {

QString RunTool(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(QStandardPaths::findExecutable(tool), arguments);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

}  // namespace

// The real print path into a PDF: the paper size of every page, and the
// texts on the pages they belong to when the method runs over.
TEST(PrintPdfTest, PagesHaveThePaperSizeAndTheirTexts) {
    if (QStandardPaths::findExecutable("pdfinfo").isEmpty() || QStandardPaths::findExecutable("pdftotext").isEmpty())
        GTEST_SKIP() << "poppler-utils is not installed";
    const std::vector<std::tuple<QString, double, double>> rows{
        {"A4", 595, 842}, {"A5", 420, 595}, {"B5", 516, 729}, {"ハガキ", 283, 420}};  // points
    TRecipePrintInput input = SampleRecipe(30);
    input.How += QStringLiteral("最後の手順です。\r\n");
    QTemporaryDir dir;
    for (const auto& [paper, width, height] : rows) {
        SCOPED_TRACE(paper.toStdString());
        TSettings settings = PrintSettings(1, paper);
        settings.RightFooterType = 4;
        TReport layout = MakePrintLayout(RecipeLayoutFor(settings));
        const TComposedJob job = Fill(layout, settings, input);
        const QString pdf = dir.filePath(paper + ".pdf");
        {
            QPdfWriter writer(pdf);
            RenderJob(job, writer);
        }
        const QString info = RunTool("pdfinfo", {pdf});
        const auto size = QRegularExpression(R"(Page size:\s+([\d.]+) x ([\d.]+) pts)").match(info);
        ASSERT_TRUE(size.hasMatch()) << info.toStdString();
        EXPECT_NEAR(size.captured(1).toDouble(), width, 1.0);
        EXPECT_NEAR(size.captured(2).toDouble(), height, 1.0);
        EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral(R"(Pages:\s+%1\n)").arg(job.Pages.size()))));
        if (paper != "ハガキ")
            continue;
        ASSERT_GE(job.Pages.size(), 2u);
        auto page = [&](size_t n) {
            const QString number = QString::number(n);
            return RunTool("pdftotext", {"-f", number, "-l", number, pdf, "-"}).remove(QLatin1Char(' '));
        };
        const QString first = page(1), last = page(job.Pages.size());
        for (const char* text : {"肉じゃが", "牛肉200グラム", "350kcal"})
            EXPECT_TRUE(first.contains(QString::fromUtf8(text))) << text << "\n" << first.toStdString();
        EXPECT_FALSE(last.contains("肉じゃが"));
        EXPECT_TRUE(last.contains("最後の手順です。")) << last.toStdString();
        EXPECT_TRUE(last.contains("350kcal"));
    }
}

namespace {

// Darkness summed over `rect` (mm) of a page rendered at `dpi`.
double InkIn(const QImage& page, const QRectF& rect, double dpi) {
    const double scale = dpi / 25.4;
    const QRect area = QRectF(rect.topLeft() * scale, rect.size() * scale).toAlignedRect().intersected(page.rect());
    double ink = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            ink += 255 - qGray(page.pixel(x, y));
    return ink;
}

QImage RenderedPage(const TComposedJob& job, double dpi) {
    QImage image((job.PaperSize * dpi / 25.4).toSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    PaintPage(painter, job.Pages[0], dpi / 25.4);
    return image;
}

QImage PdfPage(const TComposedJob& job, const QString& pdf, double dpi) {
    {
        QPdfWriter writer(pdf);
        RenderJob(job, writer);
    }
    RunTool("pdftoppm", {"-r", QString::number(dpi), "-f", "1", "-l", "1", "-png", "-singlefile", pdf, pdf});
    return QImage(pdf + ".png");
}

}  // namespace

// The titles print bold, on the page as in a PDF: at 300 dpi the title takes
// clearly more ink than the same title set regular, in the same place.
TEST(PrintPdfTest, TitlesPrintBold) {
    const bool havePoppler = !QStandardPaths::findExecutable("pdftoppm").isEmpty();
    const TSettings settings = PrintSettings();
    TReport recipe = MakePrintLayout(RecipeLayoutFor(settings));
    TReport list = MakePrintLayout(ListLayoutFor(settings));
    FillListLayout(list, settings, QStringLiteral("―に―\r\n     肉じゃが\r\n"));
    const std::pair<TComposedJob, QString> rows[] = {{Fill(recipe, settings, SampleRecipe()), "QRLabel1"},
                                                     {Compose(list), "QRLabel3"}};
    QTemporaryDir dir;
    constexpr double dpi = 300;
    for (const auto& [bold, title] : rows) {
        SCOPED_TRACE(title.toStdString());
        const TPlacedItem placed = FirstOf(bold.Pages[0], title);
        ASSERT_TRUE(placed.Font.Bold);
        TComposedJob regular = bold;
        for (TPlacedItem& item : regular.Pages[0].Items)
            item.Font.Bold = item.Box == title ? false : item.Font.Bold;
        const QRectF around = placed.Rect.adjusted(-2, -2, 2, 2);
        const double heavy = InkIn(RenderedPage(bold, dpi), around, dpi);
        const double light = InkIn(RenderedPage(regular, dpi), around, dpi);
        EXPECT_GT(light, 0);
        EXPECT_GT(heavy, 1.3 * light) << heavy << " / " << light;
        if (!havePoppler)
            continue;
        const double pdfHeavy = InkIn(PdfPage(bold, dir.filePath(title + "b.pdf"), dpi), around, dpi);
        const double pdfLight = InkIn(PdfPage(regular, dir.filePath(title + "r.pdf"), dpi), around, dpi);
        EXPECT_GT(pdfLight, 0);
        EXPECT_GT(pdfHeavy, 1.3 * pdfLight) << pdfHeavy << " / " << pdfLight;
    }
}
