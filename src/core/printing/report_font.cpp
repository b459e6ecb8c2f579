#include "core/printing/report_font.h"

#include <cmath>

QFont LayoutFont(const TReportFont& font) {
    QFont f(font.Family);
    f.setPixelSize(std::max(1, int(std::lround(font.PointSize * LayoutPixelsPerInch / 72.0))));
    f.setBold(font.Bold);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}
