#include "core/printing/recipe_list_print.h"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include <QCollator>
#include <QLocale>

#include "core/printing/print_layouts.h"
#include "core/printing/report.h"
#include "core/printing/recipe_print.h"
#include "core/settings/fonts.h"
#include "core/settings/settings.h"

namespace {

const QString Bar = QStringLiteral("―");  // U+2015
const QString Indent = QStringLiteral("     ");
const QString NoPrevious = QStringLiteral("   ");

// Japanese order ignoring case; texts it finds equal fall back to their code
// order, so equal-looking keys never interleave.
class TIndexOrder final {
public:
    TIndexOrder() {
        Collator.setCaseSensitivity(Qt::CaseInsensitive);
        Collator.setIgnorePunctuation(false);
    }
    int Compare(const QString& a, const QString& b) const {
        const int c = Collator.compare(a, b);
        return c != 0 ? c : a.compare(b);
    }

private:
    QCollator Collator{QLocale(QLocale::Japanese, QLocale::Japan)};
};

QString FieldOf(const TCookItem& item, int contentsType) {
    switch (contentsType) {
    case 1:
        return item.Kind;
    case 2:
        return item.Amount;
    default:
        return item.Group;
    }
}

void AddHeading(QStringList& lines, const QString& key) {
    if (!lines.isEmpty())
        lines.append(QString());
    lines.append(Bar + key + Bar);
}

}  // namespace

QString RecipeIndexText(const TCookItems& items, const QList<int>& rows, int contentsType) {
    const TIndexOrder order;
    QStringList lines;
    if (contentsType == 0) {
        QStringList names;
        for (int record : rows)
            names.append(items[record].Name);
        std::stable_sort(names.begin(), names.end(),
                         [&order](const QString& a, const QString& b) { return order.Compare(a, b) < 0; });
        QString previous = NoPrevious;
        for (const QString& name : names) {
            if (name.left(1) != previous.left(1)) {
                AddHeading(lines, name.left(1));
                previous = name;
            }
            lines.append(Indent + name);
        }
    } else if (contentsType >= 1 && contentsType <= 3) {
        std::vector<std::pair<QString, QString>> pairs;  // key, name
        pairs.reserve(size_t(rows.size()));
        for (int record : rows)
            pairs.emplace_back(FieldOf(items[record], contentsType), items[record].Name);
        std::stable_sort(pairs.begin(), pairs.end(), [&order](const auto& a, const auto& b) {
            const int c = order.Compare(a.first, b.first);
            return c != 0 ? c < 0 : order.Compare(a.second, b.second) < 0;
        });
        QString previous = NoPrevious;
        bool first = true;
        for (const auto& [rawKey, name] : pairs) {
            const QString key = rawKey.isEmpty() ? QStringLiteral("指定なし") : rawKey;
            if (key != previous) {
                if (!first)
                    lines.append(QString());
                lines.append(Bar + key + Bar);
                previous = key;
            }
            first = false;
            lines.append(Indent + name);
        }
    }
    QString text;
    for (const QString& line : lines)
        text += line + QLatin1String("\r\n");
    return text;
}

QString ListLayoutFor(const TSettings& settings) {
    const std::optional<TPaper> paper = PaperOfSetting(settings.PaperSize);
    return paper ? ListLayoutName(*paper) : QString();
}

void FillListLayout(TReport& layout, const TSettings& settings, const QString& text) {
    static constexpr std::array<double, 4> DesignWidth{186.5, 123.0, 156.9, 76.5};
    TReportBox& box = layout.Box(QStringLiteral("QRRichText1"));
    box.Text = text;
    layout.LeftMargin = settings.LeftMargin;
    layout.RightMargin = settings.RightMargin;
    layout.TopMargin = settings.TopMargin;
    layout.BottomMargin = settings.BottomMargin;
    box.Width = DesignWidth[size_t(layout.Paper)] - MarginExcess(settings);
    layout.Box(QStringLiteral("QRLabel3")).Font.PointSize = settings.PrintFontSize + 5;
    box.Font.PointSize = settings.PrintFontSize;
    box.Font.Family = PaneFontName(settings.UseSameWidthFont);
}
