#include "core/exchange/handheld_export.h"

#include <algorithm>
#include <exception>
#include <vector>

#include <QFileInfo>

#include "core/common/parallel_chunks.h"
#include "core/exchange/export_folder.h"
#include "core/platform/file_io.h"
#include "core/platform/jpeg.h"
#include "core/recipes/recipe_folder.h"

namespace {

QString Link(const QString& page, const QString& caption) {
    return QStringLiteral("<font size=\"-1\"><A HREF=\"") + page + QStringLiteral(".html\">") + caption +
           QStringLiteral("</A></font>");
}

// The thumbnail of a row; a photo that cannot be read names its recipe, as
// the export goes through every row of the list.
QByteArray RowThumbnail(const THandheldRow& row, const QString& photo) {
    try {
        return HandheldThumbnail(ReadFileBytes(photo));
    } catch (const TSaporiaError& error) {
        throw TSaporiaError(QStringLiteral("%1: %2: %3").arg(row.Name, PhotoFileName, error.message()));
    }
}

}  // namespace

QString HandheldPageNumber(int i) { return QString::number(i).rightJustified(4, QLatin1Char('0')); }

QSize HandheldThumbnailSize(QSize photo) {
    const int w = std::max(1, photo.width());
    const int h = std::max(1, photo.height());
    if (w > h)
        return {HandheldThumbnailSide, std::max(1, h * HandheldThumbnailSide / w)};
    return {std::max(1, w * HandheldThumbnailSide / h), HandheldThumbnailSide};
}

QByteArray HandheldThumbnail(const QByteArray& photoJpeg) {
    const QSize size = HandheldThumbnailSize(JpegSize(photoJpeg));
    const QImage decoded = DecodeJpegScaled(photoJpeg, size);
    return EncodeJpeg(decoded.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

THtmlWriter HandheldPage(int i, int count, const THandheldRow& row, const QStringList& ingredients,
                         const QStringList& method, const QStringList& comment, bool withThumbnail) {
    const QString name = HtmlEscape(row.Name);
    const QString wide = QStringLiteral("<td colspan=2  align=\"left\" bgcolor=\"#EEEEFF\"><font size=\"-1\">");
    const QString cellEnd = QStringLiteral("</font></td>");
    THtmlWriter page = StartRecipePage(name);
    page.Line(18, QStringLiteral("<font size=\"-1\"><A HREF=\"index.html\">戻る</A></font>"));
    page.Line(18, QStringLiteral("<table width=\"450\">"));
    RecipePageRow(page, {QStringLiteral("<th colspan=2 bgcolor=\"#BBEEFF\"><font size=\"-1\">") + name +
                         QStringLiteral("</font></th>")});
    QStringList first{QStringLiteral("<td align=\"left\" bgcolor=\"#EEEEEE\"><font size=\"-1\">") +
                      HtmlCell(ingredients) + cellEnd};
    if (withThumbnail)
        first << QStringLiteral("<td align=\"center\" bgcolor=\"#EEEEEE\" width=\"80\"><img width=\"80\" src=\"") +
                     HandheldPageNumber(i) + QStringLiteral(".jpg\"></td>");
    RecipePageRow(page, first);
    RecipePageRow(page, {wide + ColourDigits(HtmlCell(method)) + cellEnd});
    RecipePageRow(page, {wide + HtmlCell(comment) + cellEnd});
    page.Line(18, QStringLiteral("</table>"));
    if (count > 1) {
        const QString previous = Link(HandheldPageNumber(i - 1), QStringLiteral("前へ"));
        const QString next = Link(HandheldPageNumber(i + 1), QStringLiteral("次へ"));
        if (i == 0)
            page.Line(18, next);
        else if (i == count - 1)
            page.Line(18, previous);
        else
            page.Line(18, previous + QStringLiteral("/") + next);
    }
    EndRecipePage(page);
    return page;
}

THtmlWriter HandheldIndex(const QList<THandheldRow>& rows) {
    THtmlWriter index;
    index.Line(0, QStringLiteral("<html>"));
    index.Line(3, QStringLiteral("<head>"));
    index.Line(11, QStringLiteral("<title>料理一覧</title>"));
    index.Line(3, QStringLiteral("</head>"));
    index.Line(3, QStringLiteral("<style>"));
    index.Line(3, QStringLiteral("div{"));
    index.Line(7, QStringLiteral("align:left;"));
    index.Line(7, QStringLiteral("font-size : 11px;"));
    index.Line(7, QStringLiteral("font-family : verdana, Helvetica, Arial;"));
    index.Line(6, QStringLiteral("}"));
    index.Line(3, QStringLiteral("</style>"));
    index.Line(3, QStringLiteral("<body>"));
    index.Line(11, QStringLiteral("<table width=\"450\" border=\"0\" cellspacing=\"1\" bgcolor=\"#999999\">"));
    index.Line(23, QStringLiteral("<tr bgcolor=\"#EEEEEE\">"));
    for (const char* heading : {"No", "料理名", "種類", "量"})
        index.Line(31, QStringLiteral("<th><div>") + QString::fromUtf8(heading) + QStringLiteral("</div></th>"));
    index.Line(23, QStringLiteral("</tr>"));
    for (int i = 0; i < rows.size(); ++i) {
        const THandheldRow& row = rows[i];
        index.Line(23, i % 2 == 0 ? QStringLiteral("<tr bgcolor=\"#FCFFE3\">") : QStringLiteral("<tr bgcolor=\"#FFFFEE\">"));
        index.Line(31, QStringLiteral("<td align=\"right\"><div>") + QString::number(i) + QStringLiteral("</div></td>"));
        index.Line(31, QStringLiteral("<td><div><A HREF=\"") + HandheldPageNumber(i) + QStringLiteral(".html\">") +
                           HtmlEscape(row.Name) + QStringLiteral("</A></div></td>"));
        index.Line(31, QStringLiteral("<td><div>") + HtmlEscape(row.Kind) + QStringLiteral("</div></td>"));
        index.Line(31, QStringLiteral("<td><div>") + HtmlEscape(row.Amount) + QStringLiteral("</div></td>"));
        index.Line(23, QStringLiteral("</tr>"));
    }
    index.Line(11, QStringLiteral("</table>"));
    index.Line(3, QStringLiteral("</body>"));
    index.Line(0, QStringLiteral("</html>"));
    return index;
}

namespace {

// Makes and writes the files of row `i` in the order one thread takes its
// steps (thumbnail, thumbnail file, page, page file); returns the first
// failure, null when none.
std::exception_ptr ExportRow(TExportFolder& folder, int i, int count, const THandheldRow& row) {
    try {
        const QString number = HandheldPageNumber(i);
        const QString photo = ExistingPathIgnoringCase(row.Folder, PhotoFileName);
        const bool withThumbnail = QFileInfo(photo).isFile();
        if (withThumbnail)
            folder.Write(number + QStringLiteral(".jpg"), RowThumbnail(row, photo));
        const QStringList method = RecipeTextLines(row.Folder, HowFileName);
        const QStringList ingredients = RecipeTextLines(row.Folder, FoodstuffFileName);
        const QStringList comment = RecipeTextLines(row.Folder, CommentFileName);
        HandheldPage(i, count, row, ingredients, method, comment, withThumbnail)
            .SaveTo(folder, number + QStringLiteral(".html"));
        return {};
    } catch (...) {
        return std::current_exception();
    }
}

// Rows taken at a time: the export stops within one batch of a failure, and
// the progress follows the batches in list order.
constexpr int BatchRows = 128;
// Rows a worker takes at a time.
constexpr size_t ChunkRows = 4;

}  // namespace

void ExportHandheld(TExportFolder& folder, const QList<THandheldRow>& rows,
                    const std::function<void(int)>& progress, int workers) {
    const int count = static_cast<int>(rows.size());
    std::vector<std::exception_ptr> failures;
    for (int first = 0; first < count; first += BatchRows) {
        const int end = std::min(count, first + BatchRows);
        failures.assign(static_cast<size_t>(end - first), nullptr);
        ForEachChunk(failures.size(), ChunkRows, workers, [&](size_t begin, size_t stop) {
            for (size_t k = begin; k < stop; ++k) {
                const int i = first + static_cast<int>(k);
                failures[k] = ExportRow(folder, i, count, rows[i]);
                if (failures[k])
                    return;  // as one thread, this chunk goes no further
            }
        });
        // The first failure in list order is the one one thread meets.
        for (int i = first; i < end; ++i) {
            if (i % 2 == 1 && progress)
                progress(i);
            if (failures[static_cast<size_t>(i - first)])
                std::rethrow_exception(failures[static_cast<size_t>(i - first)]);
        }
    }
    folder.Write(QStringLiteral("index.html"), HandheldIndex(rows).Bytes());
}

void ExportHandheld(const QString& exportFolder, const QList<THandheldRow>& rows,
                    const std::function<void(int)>& progress, int workers) {
    TExportFolder folder(exportFolder);
    ExportHandheld(folder, rows, progress, workers);
    folder.Keep();
}
