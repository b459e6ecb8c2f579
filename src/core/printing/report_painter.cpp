#include "core/printing/report_painter.h"

#include <QPagedPaintDevice>
#include <QPainter>

#include "core/platform/saporia_error.h"
#include "core/printing/report_composer.h"
#include "core/printing/report_font.h"

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
        painter.setFont(LayoutFont(item.Font));
        for (int i = 0; i < item.Lines.size(); ++i) {
            const double left = item.Rect.left() + (i < item.LineLefts.size() ? item.LineLefts[i] : 0);
            const double baseline = item.Rect.top() + i * item.LineHeight + item.Ascent;
            painter.save();
            painter.translate(left, baseline);
            painter.scale(MmPerLayoutPixel, MmPerLayoutPixel);
            painter.drawText(QPointF(0, 0), item.Lines[i]);
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
