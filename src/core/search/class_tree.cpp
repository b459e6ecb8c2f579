#include "core/search/class_tree.h"

#include <algorithm>
#include <cmath>

#include <QHash>
#include <QRegularExpression>

#include "core/platform/file_io.h"
#include "core/platform/sjis.h"

namespace {

const QString BandTexts[CalorieBandCount] = {
    QStringLiteral("0kcal～99kcal"),   QStringLiteral("100kcal～199kcal"),
    QStringLiteral("200kcal～499kcal"), QStringLiteral("500kcal～999kcal"),
    QStringLiteral("1000kcal以上"),
};

// Files a record under a value of one root; `index` finds a value's place.
void FileUnder(std::vector<TClassFiling::TValue>& values, QHash<QString, size_t>& index, const QString& value,
               int record) {
    if (value.isEmpty())
        return;
    auto at = index.constFind(value);
    if (at == index.constEnd()) {
        at = index.insert(value, values.size());
        values.push_back({value, {}});
    }
    values[at.value()].Records.append(record);
}

void SortRoot(std::vector<TClassFiling::TValue>& values, const TCookItems& items) {
    const auto byName = [&items](int a, int b) { return LessIgnoringCase(items[a].Name, items[b].Name); };
    for (TClassFiling::TValue& v : values)
        std::stable_sort(v.Records.begin(), v.Records.end(), byName);
    std::stable_sort(values.begin(), values.end(), [](const TClassFiling::TValue& a, const TClassFiling::TValue& b) {
        return LessIgnoringCase(a.Text, b.Text);
    });
}

}  // namespace

QString CalorieBandText(int band) {
    return band >= 0 && band < CalorieBandCount ? BandTexts[band] : QString();
}

bool ParseAttributeNumber(const QString& text, double& value) {
    static const QRegularExpression number(QStringLiteral("^[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][+-]?[0-9]+)?$"));
    const QString trimmed = Trim(text);
    if (!number.match(trimmed).hasMatch())
        return false;
    bool ok = false;
    const double v = trimmed.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return false;
    value = v;
    return true;
}

int CalorieBand(const QString& calorie) {
    double v = -1;
    if (!ParseAttributeNumber(calorie, v) || v < 0)
        return -1;
    if (v < 100)
        return 0;
    if (v < 200)
        return 1;
    if (v < 500)
        return 2;
    if (v < 1000)
        return 3;
    return 4;
}

TClassTree BuildClassTreeData(const TCookItems& items, const QList<int>& rowRecords) {
    return NameClasses(FileClasses(items, rowRecords), items);
}

TClassFiling FileClasses(const TCookItems& items, const QList<int>& rowRecords) {
    TClassFiling filing;
    for (int band = 0; band < CalorieBandCount; ++band)
        filing.Roots[ClassCalorie].push_back({BandTexts[band], {}});
    std::array<QHash<QString, size_t>, 3> index;
    for (int record : rowRecords) {
        if (record < 0 || record >= static_cast<int>(items.size()))
            continue;
        const TCookItem& item = items[record];
        FileUnder(filing.Roots[ClassGroup], index[ClassGroup], item.Group, record);
        FileUnder(filing.Roots[ClassKind], index[ClassKind], item.Kind, record);
        FileUnder(filing.Roots[ClassAmount], index[ClassAmount], item.Amount, record);
        const int band = CalorieBand(item.Calorie);
        if (band >= 0)
            filing.Roots[ClassCalorie][static_cast<size_t>(band)].Records.append(record);
    }
    SortRoot(filing.Roots[ClassGroup], items);
    SortRoot(filing.Roots[ClassKind], items);
    SortRoot(filing.Roots[ClassAmount], items);
    return filing;
}

TClassTree NameClasses(const TClassFiling& filing, const TCookItems& items) {
    TClassTree tree;
    tree[ClassGroup].Text = QStringLiteral("[グループ]");
    tree[ClassKind].Text = QStringLiteral("[種類]");
    tree[ClassAmount].Text = QStringLiteral("[量]");
    tree[ClassCalorie].Text = QStringLiteral("[カロリー]");
    for (size_t r = 0; r < tree.size(); ++r) {
        std::vector<TClassValue>& values = tree[r].Values;
        values.reserve(filing.Roots[r].size());
        for (const TClassFiling::TValue& filed : filing.Roots[r]) {
            QStringList names;
            names.reserve(filed.Records.size());
            for (int record : filed.Records)
                names.append(items[record].Name);
            values.push_back({filed.Text, std::move(names)});
        }
    }
    return tree;
}

QStringList GroupFilterItems(const TCookItems& items) {
    QStringList groups;
    for (const TCookItem& item : items)
        if (!item.Group.isEmpty() && !groups.contains(item.Group))
            groups.append(item.Group);
    std::stable_sort(groups.begin(), groups.end(), LessIgnoringCase);
    groups.prepend(AllGroupsText);
    return groups;
}

int GroupFilterChoice(const QStringList& filterItems, const QString& remembered) {
    const qsizetype i = filterItems.indexOf(remembered);
    return i >= 0 ? static_cast<int>(i) : 0;
}

bool PassesListFilter(const TCookItem& item, const QString& groupText) {
    return item.Visible && (groupText == AllGroupsText || groupText == item.Group);
}
