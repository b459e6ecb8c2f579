#include "core/printing/report_painter.h"

#include <algorithm>

#include <QFontDatabase>
#include <QFontInfo>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPainterPath>

#include "core/platform/saporia_error.h"
#include "core/printing/report_composer.h"
#include "core/printing/report_font.h"

namespace {

// Whether the family that draws `font` has a bold face of its own. Qt does not
// embolden a face without one at the layout's large pixel sizes, so such text
// gets its strokes widened here.
bool HasBoldFace(const QFont& font) {
    const QString family = QFontInfo(font).family();
    const QStringList styles = QFontDatabase::styles(family);
    return std::any_of(styles.begin(), styles.end(),
                       [&](const QString& style) { return QFontDatabase::weight(family, style) >= QFont::DemiBold; });
}

}  // namespace

void PaintPage(QPainter& painter, const TComposedPage& page, double pixelsPerMm) {
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(pixelsPerMm, pixelsPerMm);
    painter.setPen(Qt::black);
    for (const TPlacedItem& item : page.Items) {
        if (item.Kind == TBoxKind::Image) {
            if (!item.Picture.isNull())
                painter.drawImage(item.PictureRect, item.Picture);
            continue;
        }
        if (item.Lines.isEmpty())
            continue;
        const QFont font = LayoutFont(item.Font);
        painter.setFont(font);
        // Widened by a 24th of the em, as FreeType emboldens; advances stay.
        const bool embolden = item.Font.Bold && !HasBoldFace(font);
        const QPen outline(Qt::black, font.pixelSize() / 24.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        for (int i = 0; i < item.Lines.size(); ++i) {
            const double left = item.Rect.left() + (i < item.LineLefts.size() ? item.LineLefts[i] : 0);
            const double baseline = item.Rect.top() + i * item.LineHeight + item.Ascent;
            painter.save();
            painter.translate(left, baseline);
            painter.scale(MmPerLayoutPixel, MmPerLayoutPixel);
            painter.drawText(QPointF(0, 0), item.Lines[i]);
            if (embolden) {
                QPainterPath glyphs;
                glyphs.addText(QPointF(0, 0), font, item.Lines[i]);
                painter.strokePath(glyphs, outline);
            }
            painter.restore();
        }
    }
    painter.restore();
}

void RenderJob(const TComposedJob& job, QPagedPaintDevice& device) {
    device.setPageSize(job.PageSize);
    device.setPageOrientation(QPageLayout::Portrait);
    device.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    QPainter painter;
    if (!painter.begin(&device))
        throw TSaporiaError(QStringLiteral("印刷を開始できません"));
    const double pixelsPerMm = device.logicalDpiX() / 25.4;
    for (size_t i = 0; i < job.Pages.size(); ++i) {
        if (i > 0 && !device.newPage()) {
            painter.end();
            throw TSaporiaError(QStringLiteral("次のページを印刷できません"));
        }
        PaintPage(painter, job.Pages[i], pixelsPerMm);
    }
    if (!painter.end())
        throw TSaporiaError(QStringLiteral("印刷を終了できません"));
}
