#include "core/search/class_tree.h"

#include <algorithm>
#include <cmath>

#include <QRegularExpression>

#include "core/platform/file_io.h"
#include "core/platform/sjis.h"

namespace {

const QString BandTexts[CalorieBandCount] = {
    QStringLiteral("0kcal～99kcal"),   QStringLiteral("100kcal～199kcal"),
    QStringLiteral("200kcal～499kcal"), QStringLiteral("500kcal～999kcal"),
    QStringLiteral("1000kcal以上"),
};


void FileUnder(TClassRoot& root, const QString& value, const QString& name) {
    if (value.isEmpty())
        return;
    for (TClassValue& v : root.Values)
        if (v.Text == value) {
            v.Names.append(name);
            return;
        }
    root.Values.push_back({value, {name}});
}

void SortRoot(TClassRoot& root) {
    for (TClassValue& v : root.Values)
        std::stable_sort(v.Names.begin(), v.Names.end(), LessIgnoringCase);
    std::stable_sort(root.Values.begin(), root.Values.end(),
                     [](const TClassValue& a, const TClassValue& b) { return LessIgnoringCase(a.Text, b.Text); });
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
    TClassTree tree;
    tree[ClassGroup].Text = QStringLiteral("[グループ]");
    tree[ClassKind].Text = QStringLiteral("[種類]");
    tree[ClassAmount].Text = QStringLiteral("[量]");
    tree[ClassCalorie].Text = QStringLiteral("[カロリー]");
    for (int band = 0; band < CalorieBandCount; ++band)
        tree[ClassCalorie].Values.push_back({BandTexts[band], {}});

    for (int record : rowRecords) {
        if (record < 0 || record >= static_cast<int>(items.size()))
            continue;
        const TCookItem& item = items[record];
        FileUnder(tree[ClassGroup], item.Group, item.Name);
        FileUnder(tree[ClassKind], item.Kind, item.Name);
        FileUnder(tree[ClassAmount], item.Amount, item.Name);
        const int band = CalorieBand(item.Calorie);
        if (band >= 0)
            tree[ClassCalorie].Values[static_cast<size_t>(band)].Names.append(item.Name);
    }
    SortRoot(tree[ClassGroup]);
    SortRoot(tree[ClassKind]);
    SortRoot(tree[ClassAmount]);
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
