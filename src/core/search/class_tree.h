#pragma once

#include <array>
#include <vector>

#include <QString>
#include <QStringList>

#include "core/recipes/cook_item.h"

// The classification pane's content, built from the rows the recipe list
// shows: four roots (group, kind, amount, calorie band), their values, and the
// recipe names under each value.

inline const QString AllGroupsText = QStringLiteral("すべてのグループを表示");

struct TClassValue {
    QString Text;       // the value or band as stored, without the count
    QStringList Names;  // recipe names filed under it
    QString Caption() const { return Text + u'(' + QString::number(Names.size()) + u')'; }
    bool operator==(const TClassValue&) const = default;
};

struct TClassRoot {
    QString Text;
    std::vector<TClassValue> Values;
    bool operator==(const TClassRoot&) const = default;
};

enum TClassRootIndex { ClassGroup = 0, ClassKind = 1, ClassAmount = 2, ClassCalorie = 3 };
using TClassTree = std::array<TClassRoot, 4>;

inline constexpr int CalorieBandCount = 5;
QString CalorieBandText(int band);

// The band (0 to 4) a calorie text falls in, -1 for none: not a number, or a
// value below zero.
int CalorieBand(const QString& calorie);

// Parses a number the way the attribute fields are typed ("123", "99.5",
// blanks around it allowed); false for anything else.
bool ParseAttributeNumber(const QString& text, double& value);

// `rowRecords` holds, per shown row in row order, the index of its record.
// Group, kind and amount values and their names are sorted; the bands keep
// their order and their names stay in row order.
TClassTree BuildClassTreeData(const TCookItems& items, const QList<int>& rowRecords);

// The same in two steps. Filing sorts and holds records, not names: it is the
// slow part and may run on a worker thread, while the names the tree keeps
// are put in by the thread that keeps them (what a worker allocates stays in
// its own heap of the allocator once freed, out of reach of a trim).
struct TClassFiling {
    struct TValue {
        QString Text;
        QList<int> Records;
    };
    std::array<std::vector<TValue>, 4> Roots;
};
TClassFiling FileClasses(const TCookItems& items, const QList<int>& rowRecords);
TClassTree NameClasses(const TClassFiling& filing, const TCookItems& items);

// The group filter: every distinct non-empty group of all records (hidden ones
// too), sorted, after the "all groups" entry.
QStringList GroupFilterItems(const TCookItems& items);

// The entry to show after the items were replaced: the remembered text when it
// is still offered, else the first ("all groups").
int GroupFilterChoice(const QStringList& filterItems, const QString& remembered);

// Whether the list shows a record: it passed the refinement search and the
// group filter shows all groups or its group.
bool PassesListFilter(const TCookItem& item, const QString& groupText);
