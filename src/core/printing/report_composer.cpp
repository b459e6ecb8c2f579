#include "core/printing/report_composer.h"

#include <algorithm>

#include <QFontMetricsF>
#include <QTextLayout>

#include "core/platform/saporia_error.h"
#include "core/platform/sjis.h"
#include "core/printing/report_font.h"

namespace {

constexpr double Epsilon = 1e-6;

void CheckFont(const TReportFont& font) {
    if (!(font.PointSize > 0))
        throw TSaporiaError(QStringLiteral("フォントサイズが正しくありません (") + QString::number(font.PointSize) +
                            QStringLiteral(")"));
}

// Builds the pages: a cursor moving down the page bodies.
class TComposer final {
public:
    explicit TComposer(const TReport& report) : Report(report) {}

    TComposedJob Run() {
        const QSizeF paper = Report.PaperSize();
        if (!(Report.BandWidth() > 0))
            throw TSaporiaError(QStringLiteral("余白が大きすぎて印刷する幅がありません"));
        for (const TReportBand& band : Report.Bands) {
            if (band.Kind == TBandKind::PageHeader && band.Height > 0)
                Header = &band;
            if (band.Kind == TBandKind::PageFooter && band.Height > 0)
                Footer = &band;
            for (const TReportBox& box : band.Boxes)
                if (box.Visible && box.Kind != TBoxKind::Image && band.Height > 0)
                    CheckFont(box.Font);
        }
        BodyTop = Report.TopMargin + (Header ? Header->Height : 0);
        BodyBottom = paper.height() - Report.BottomMargin - (Footer ? Footer->Height : 0);
        if (!(BodyBottom - BodyTop > 0))
            throw TSaporiaError(QStringLiteral("余白が大きすぎて印刷する高さがありません"));

        Job.PageSize = Report.PageSize();
        Job.PaperSize = paper;
        NewPage();
        CursorY = BodyTop;
        for (const TReportBand& band : Report.Bands)
            if (band.Height > 0 && band.Kind != TBandKind::PageHeader && band.Kind != TBandKind::PageFooter)
                PlaceFlowBand(band);
        if (Footer)
            for (TComposedPage& page : Job.Pages)
                PlaceFixedBand(page, *Footer, paper.height() - Report.BottomMargin - Footer->Height);
        return std::move(Job);
    }

private:
    void NewPage() {
        if (int(Job.Pages.size()) >= MaxComposedPages)
            throw TSaporiaError(QStringLiteral("印刷するページが多すぎます (") + QString::number(MaxComposedPages) +
                                QStringLiteral("ページ以上)"));
        Job.Pages.emplace_back();
        if (Header)
            PlaceFixedBand(Job.Pages.back(), *Header, Report.TopMargin);
    }
    TComposedPage& Page(int index) {
        while (int(Job.Pages.size()) <= index)
            NewPage();
        return Job.Pages[size_t(index)];
    }

    // A label sized to its text and put on the band by its alignment.
    TPlacedItem PlaceLabel(const TReportBand& band, const TReportBox& box, double bandTop) const {
        const double width = Report.BandWidth();
        const TTextBlock block = MeasureText(box.Text, box.Font, width);
        double textWidth = 0;
        for (double w : block.Widths)
            textWidth = std::max(textWidth, std::min(w, width));
        double left = 0;
        if (box.Align == TBoxAlign::Center)
            left = (width - textWidth) / 2;
        else if (box.Align == TBoxAlign::Right)
            left = width - textWidth;
        TPlacedItem item = TextItem(band, box, block);
        item.Rect = QRectF(Report.LeftMargin + left, bandTop + box.Top, textWidth,
                           block.LineHeight * block.Lines.size());
        for (double w : block.Widths)
            item.LineLefts.append(box.Align == TBoxAlign::Left     ? 0
                                  : box.Align == TBoxAlign::Center ? (textWidth - std::min(w, width)) / 2
                                                                   : textWidth - std::min(w, width));
        return item;
    }

    static TPlacedItem TextItem(const TReportBand& band, const TReportBox& box, const TTextBlock& block) {
        TPlacedItem item;
        item.Kind = box.Kind;
        item.Band = band.Name;
        item.Box = box.Name;
        item.Font = box.Font;
        item.Lines = block.Lines;
        item.LineHeight = block.LineHeight;
        item.Ascent = block.Ascent;
        return item;
    }

    TPlacedItem PlaceImage(const TReportBand& band, const TReportBox& box, double bandTop) const {
        TPlacedItem item;
        item.Kind = TBoxKind::Image;
        item.Band = band.Name;
        item.Box = box.Name;
        item.Rect = QRectF(Report.LeftMargin + box.Left, bandTop + box.Top, box.Width, box.Height);
        item.Picture = box.Picture;
        if (!box.Picture.isNull() && !box.PictureSize.isEmpty()) {
            const QSizeF size(PixelsToMm(box.PictureSize.width()), PixelsToMm(box.PictureSize.height()));
            item.PictureRect = QRectF(item.Rect.center().x() - size.width() / 2,
                                      item.Rect.center().y() - size.height() / 2, size.width(), size.height());
        }
        return item;
    }

    // Header and footer: fixed height, their boxes as they are.
    void PlaceFixedBand(TComposedPage& page, const TReportBand& band, double top) const {
        for (const TReportBox& box : band.Boxes) {
            if (!box.Visible)
                continue;
            if (box.Kind == TBoxKind::Label)
                page.Items.push_back(PlaceLabel(band, box, top));
            else if (box.Kind == TBoxKind::Image)
                page.Items.push_back(PlaceImage(band, box, top));
            else {
                TTextBlock block = MeasureText(box.Text, box.Font, box.Width);
                TPlacedItem item = TextItem(band, box, block);
                item.Rect = QRectF(Report.LeftMargin + box.Left, top + box.Top, box.Width, box.Height);
                for (int i = 0; i < block.Lines.size(); ++i)
                    item.LineLefts.append(0);
                page.Items.push_back(item);
            }
        }
    }

    // A band between header and footer: its fixed boxes where they are set,
    // its rich text growing and running on over as many pages as it needs.
    void PlaceFlowBand(const TReportBand& band) {
        struct TMeasured {
            const TReportBox* Box;
            TTextBlock Block;
        };
        std::vector<TMeasured> texts;
        std::vector<TPlacedItem> fixed;
        double fixedBottom = band.Height;
        for (const TReportBox& box : band.Boxes) {
            if (!box.Visible)
                continue;
            if (box.Kind == TBoxKind::RichText) {
                texts.push_back({&box, MeasureText(box.Text, box.Font, box.Width)});
            } else if (box.Kind == TBoxKind::Label) {
                fixed.push_back(PlaceLabel(band, box, 0));
                fixedBottom = std::max(fixedBottom, fixed.back().Rect.bottom());
            } else {
                fixed.push_back(PlaceImage(band, box, 0));
            }
        }
        // A band whose fixed part does not fit starts on a fresh page.
        if (CursorY + fixedBottom > BodyBottom + Epsilon && CursorY > BodyTop + Epsilon) {
            NewPage();
            ++CursorPage;
            CursorY = BodyTop;
        }
        const int startPage = CursorPage;
        const double top = CursorY;
        for (TPlacedItem& item : fixed) {
            item.Rect.translate(0, top);
            item.PictureRect.translate(0, top);
            Page(startPage).Items.push_back(item);
        }
        int endPage = startPage;
        double endY = top + fixedBottom;
        for (const TMeasured& text : texts) {
            const auto [page, bottom] = PlaceRichText(band, *text.Box, text.Block, startPage, top);
            if (page > endPage) {
                endPage = page;
                endY = bottom;
            } else if (page == endPage) {
                endY = std::max(endY, bottom);
            }
        }
        CursorPage = endPage;
        CursorY = std::min(endY, BodyBottom);
    }

    // Places the lines from (startPage, bandTop + box.Top); returns the page
    // and the bottom of the box's last part.
    std::pair<int, double> PlaceRichText(const TReportBand& band, const TReportBox& box, const TTextBlock& block,
                                         int startPage, double bandTop) {
        const double left = Report.LeftMargin + box.Left;
        int page = startPage;
        double partTop = bandTop + box.Top;
        TPlacedItem part = TextItem(band, box, block);
        // Fresh lists, not clear(): clearing a shared list keeps its capacity,
        // and every page would hold room for the whole text.
        part.Lines = QStringList();
        auto flush = [&](bool last) {
            TPlacedItem item = part;
            double height = block.LineHeight * item.Lines.size();
            // The box keeps its set height as far as the page allows.
            if (page == startPage && last)
                height = std::max(height, std::min(box.Height, BodyBottom - partTop));
            item.Rect = QRectF(left, partTop, box.Width, height);
            const double bottom = item.Rect.bottom();
            Page(page).Items.push_back(std::move(item));
            return bottom;
        };
        double y = partTop;
        for (int i = 0; i < block.Lines.size(); ++i) {
            const bool fits = y + block.LineHeight <= BodyBottom + Epsilon;
            // A line taller than a whole page body still goes on a page of its own.
            const bool freshPage = part.Lines.isEmpty() && page != startPage;
            if (!fits && !freshPage) {
                if (!part.Lines.isEmpty())
                    flush(false);
                ++page;
                Page(page);
                part.Lines = QStringList();
                part.LineLefts = QList<double>();
                partTop = BodyTop;
                y = BodyTop;
            }
            part.Lines.append(block.Lines[i]);
            part.LineLefts.append(0);
            y += block.LineHeight;
        }
        const double bottom = flush(true);
        return {page, bottom};
    }

    const TReport& Report;
    const TReportBand* Header = nullptr;
    const TReportBand* Footer = nullptr;
    double BodyTop = 0;
    double BodyBottom = 0;
    int CursorPage = 0;
    double CursorY = 0;
    TComposedJob Job;
};

}  // namespace

TTextBlock MeasureText(const QString& text, const TReportFont& font, double widthMm) {
    CheckFont(font);
    TTextBlock block;
    const QFont f = LayoutFont(font);
    const QFontMetricsF metrics(f);
    block.LineHeight = metrics.lineSpacing() * MmPerLayoutPixel;
    block.Ascent = metrics.ascent() * MmPerLayoutPixel;
    const double width = std::max(1.0, widthMm / MmPerLayoutPixel);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    for (const QString& paragraph : SplitLines(text)) {
        if (paragraph.isEmpty()) {
            block.Lines.append(QString());
            block.Widths.append(0);
            continue;
        }
        QTextLayout layout(paragraph, f);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            block.Lines.append(paragraph.mid(line.textStart(), line.textLength()));
            block.Widths.append(line.naturalTextWidth() * MmPerLayoutPixel);
        }
        layout.endLayout();
    }
    return block;
}

TComposedJob Compose(const TReport& report) {
    TComposer composer(report);
    return composer.Run();
}
