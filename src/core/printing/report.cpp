#include "core/printing/report.h"

#include "core/platform/saporia_error.h"

double PixelsToMm(double pixels) { return pixels * 25.4 / DesignPixelsPerInch; }
double MmToPixels(double mm) { return mm * DesignPixelsPerInch / 25.4; }

QSizeF PaperSizeMm(TPaper paper) {
    switch (paper) {
    case TPaper::A4:
        return {210, 297};
    case TPaper::A5:
        return {148, 210};
    case TPaper::B5:
        return {182, 257};  // JIS B5, not ISO
    case TPaper::Postcard:
        return {100, 148};
    }
    return {210, 297};
}

QSizeF TReport::PaperSize() const { return PaperSizeMm(Paper); }

QPageSize TReport::PageSize() const {
    switch (Paper) {
    case TPaper::A4:
        return QPageSize(QPageSize::A4);
    case TPaper::A5:
        return QPageSize(QPageSize::A5);
    case TPaper::B5:
        return QPageSize(QPageSize::JisB5);
    case TPaper::Postcard:
        break;
    }
    return QPageSize(PaperSize(), QPageSize::Millimeter);
}

TReportBand& TReport::Band(const QString& name) {
    return const_cast<TReportBand&>(static_cast<const TReport*>(this)->Band(name));
}

const TReportBand& TReport::Band(const QString& name) const {
    for (const TReportBand& band : Bands)
        if (band.Name == name)
            return band;
    throw TSaporiaError(Name + QStringLiteral(" has no band ") + name);
}

TReportBox& TReport::Box(const QString& name) {
    return const_cast<TReportBox&>(static_cast<const TReport*>(this)->Box(name));
}

const TReportBox& TReport::Box(const QString& name) const {
    for (const TReportBand& band : Bands)
        for (const TReportBox& box : band.Boxes)
            if (box.Name == name)
                return box;
    throw TSaporiaError(Name + QStringLiteral(" has no box ") + name);
}

void TReport::SetBandHeightPixels(const QString& band, int pixels) { Band(band).Height = PixelsToMm(pixels); }

QSizeF TReport::BoxPixelSize(const QString& box) const {
    const TReportBox& b = Box(box);
    return {MmToPixels(b.Width), MmToPixels(b.Height)};
}
