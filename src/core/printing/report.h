#pragma once

#include <vector>

#include <QImage>
#include <QPageSize>
#include <QSizeF>
#include <QString>

// A report as the layouts describe it: bands of boxes on one paper size, all
// in millimetres. It holds values only; Compose() turns it into pages.

enum class TBandKind { PageHeader, Title, Detail, Child, PageFooter };
enum class TBoxKind { Label, RichText, Image };
enum class TBoxAlign { Left, Center, Right };

// The layouts' design resolution: band heights and picture sizes are given
// in these screen pixels.
inline constexpr double DesignPixelsPerInch = 96.0;
double PixelsToMm(double pixels);
double MmToPixels(double mm);

struct TReportFont {
    QString Family;
    double PointSize = 9;
    bool Bold = false;
};

struct TReportBox {
    QString Name;
    TBoxKind Kind = TBoxKind::Label;
    double Left = 0;  // mm within the band
    double Top = 0;
    double Width = 0;
    double Height = 0;
    bool Visible = true;
    // Labels are auto-sized and placed on the band by their alignment.
    TBoxAlign Align = TBoxAlign::Left;
    TReportFont Font;
    QString Text;  // caption or plain text with CR LF line ends
    // The picture, drawn centred in the box at PictureSize design pixels.
    QImage Picture;
    QSizeF PictureSize;
};

struct TReportBand {
    QString Name;
    TBandKind Kind = TBandKind::Detail;
    double Height = 0;  // mm; 0 takes no room and shows nothing
    std::vector<TReportBox> Boxes;
};

enum class TPaper { A4, A5, B5, Postcard };

struct TReport {
    QString Name;  // the layout's class name
    TPaper Paper = TPaper::A4;
    double LeftMargin = 10;  // mm
    double RightMargin = 10;
    double TopMargin = 10;
    double BottomMargin = 10;
    std::vector<TReportBand> Bands;

    QSizeF PaperSize() const;  // mm, portrait
    QPageSize PageSize() const;
    double BandWidth() const { return PaperSize().width() - LeftMargin - RightMargin; }

    // The named band or box; throws TSaporiaError when the layout has none.
    TReportBand& Band(const QString& name);
    const TReportBand& Band(const QString& name) const;
    TReportBox& Box(const QString& name);
    const TReportBox& Box(const QString& name) const;

    void SetBandHeightPixels(const QString& band, int pixels);
    // The box's size in design pixels, as a picture is fitted to it.
    QSizeF BoxPixelSize(const QString& box) const;
};

QSizeF PaperSizeMm(TPaper paper);
