#include <gtest/gtest.h>

#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "core/printing/report_painter.h"
#include "print_test_support.h"

namespace {

// The output of a poppler tool, or nothing when it is not installed.
std::optional<QString> RunTool(const QString& tool, const QStringList& arguments) {
    const QString path = QStandardPaths::findExecutable(tool);
    if (path.isEmpty())
        return std::nullopt;
    QProcess process;
    process.start(path, arguments);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString WritePdf(const TComposedJob& job, const QString& path) {
    QPdfWriter writer(path);
    RenderJob(job, writer);
    return path;
}

}  // namespace

TEST(PrintPdfTest, PagesHaveThePaperSize) {
    if (QStandardPaths::findExecutable("pdfinfo").isEmpty())
        GTEST_SKIP() << "pdfinfo is not installed";
    UseJapaneseFonts();
    struct TRow {
        QString Paper;
        double Width, Height;  // points
    };
    const std::vector<TRow> rows{{"A4", 595, 842}, {"A5", 420, 595}, {"B5", 516, 729}, {"ハガキ", 283, 420}};
    QTemporaryDir dir;
    for (const TRow& row : rows) {
        TSettings settings;
        settings.PaperSize = row.Paper;
        TReport layout = MakePrintLayout(RecipeLayoutFor(settings));
        FillRecipeLayout(layout, settings, SampleRecipe());
        const QString pdf = WritePdf(Compose(layout), dir.filePath(row.Paper + ".pdf"));
        const QString info = RunTool("pdfinfo", {pdf}).value();
        const QRegularExpressionMatch size =
            QRegularExpression(R"(Page size:\s+([\d.]+) x ([\d.]+) pts)").match(info);
        ASSERT_TRUE(size.hasMatch()) << info.toStdString();
        EXPECT_NEAR(size.captured(1).toDouble(), row.Width, 1.0) << row.Paper.toStdString();
        EXPECT_NEAR(size.captured(2).toDouble(), row.Height, 1.0) << row.Paper.toStdString();
        EXPECT_TRUE(info.contains(QRegularExpression(R"(Pages:\s+1\n)"))) << info.toStdString();
    }
}

TEST(PrintPdfTest, TextLandsOnItsPages) {
    if (QStandardPaths::findExecutable("pdftotext").isEmpty())
        GTEST_SKIP() << "pdftotext is not installed";
    UseJapaneseFonts();
    TSettings settings;
    settings.PaperSize = QStringLiteral("ハガキ");
    settings.RightFooterType = 4;
    TRecipePrintInput input = SampleRecipe(30);
    input.How += QStringLiteral("最後の手順です。\r\n");
    TReport layout = MakePrintLayout(RecipeLayoutFor(settings));
    FillRecipeLayout(layout, settings, input);
    const TComposedJob job = Compose(layout);
    ASSERT_GE(job.Pages.size(), 2u);
    QTemporaryDir dir;
    const QString pdf = WritePdf(job, dir.filePath("recipe.pdf"));
    const int last = int(job.Pages.size());
    auto page = [&](int n) {
        return RunTool("pdftotext", {"-f", QString::number(n), "-l", QString::number(n), pdf, "-"})
            .value()
            .remove(QLatin1Char(' '));
    };
    const QString first = page(1);
    EXPECT_TRUE(first.contains("肉じゃが")) << first.toStdString();
    EXPECT_TRUE(first.contains("牛肉200グラム")) << first.toStdString();
    EXPECT_TRUE(first.contains("350kcal"));
    const QString end = page(last);
    EXPECT_FALSE(end.contains("肉じゃが"));
    EXPECT_TRUE(end.contains("最後の手順です。")) << end.toStdString();
    EXPECT_TRUE(end.contains("350kcal"));
}
