#pragma once

#include <vector>

#include <QImage>
#include <QList>
#include <QPageSize>
#include <QRectF>
#include <QStringList>

#include "core/printing/report.h"

// A report composed into pages: every item placed on its page in
// millimetres from the paper's top left corner, with the text lines that
// fall on that page. Plain data, painted by PaintPage.
struct TPlacedItem {
    TBoxKind Kind = TBoxKind::Label;
    QString Band;
    QString Box;
    QRectF Rect;  // the box on the page, mm
    TReportFont Font;
    QStringList Lines;         // text lines shown on this page
    QList<double> LineLefts;   // each line's left edge within Rect, mm
    double LineHeight = 0;     // mm
    double Ascent = 0;         // mm from a line's top to its baseline
    QImage Picture;
    QRectF PictureRect;  // where the picture is drawn, mm
};

struct TComposedPage {
    std::vector<TPlacedItem> Items;
};

struct TComposedJob {
    QPageSize PageSize;
    QSizeF PaperSize;  // mm
    std::vector<TComposedPage> Pages;
};

// Beyond this a job is refused rather than filling the printer's queue.
inline constexpr int MaxComposedPages = 5000;

// Every page starts with the page header band and ends with the page footer
// band; the title, detail and child bands follow one another, their rich
// text growing with its text and continuing below the next page's header.
// Throws TSaporiaError when the bands have no width or the pages no room
// for text, or a font size is not positive.
TComposedJob Compose(const TReport& report);

// The lines `text` takes in `font` at `widthMm` (CR LF, CR or LF end a
// line; a final line end adds no empty line), broken as QTextLayout breaks
// Japanese text.
struct TTextBlock {
    QStringList Lines;
    QList<double> Widths;  // mm
    double LineHeight = 0;  // mm
    double Ascent = 0;      // mm
};
TTextBlock MeasureText(const QString& text, const TReportFont& font, double widthMm);
