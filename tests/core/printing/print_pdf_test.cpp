#include <gtest/gtest.h>

#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

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
