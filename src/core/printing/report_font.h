#pragma once

#include <QFont>

#include "core/printing/report.h"

// Text is measured and painted at one fixed resolution, so a page breaks the
// same on the screen, in a preview and on paper.
inline constexpr double LayoutPixelsPerInch = 1200.0;
inline constexpr double MmPerLayoutPixel = 25.4 / LayoutPixelsPerInch;

// The font at the layout resolution (pixel sized, unhinted).
QFont LayoutFont(const TReportFont& font);
