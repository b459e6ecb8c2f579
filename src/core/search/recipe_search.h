#pragma once

#include <optional>

#include <QHash>
#include <QList>
#include <QString>

#include "core/recipes/cook_item.h"

// Finding recipes: the refinement search over every record's ingredient file
// and the step-by-step name and ingredient searches over the shown rows.

inline const QString RefinementPlaceholder = QStringLiteral("材料で絞り込み検索");

// The ingredient texts of the recipes, read once and read again only when the
// file changed (another inode after an atomic save, another size or time), was
// removed, or belongs to another name after a rename.
class TIngredientCache final {
public:
    // Text of <recipeDir>/材料.txt, or nothing when the recipe has none.
    // Throws TSaporiaError when the file exists but cannot be read.
    std::optional<QString> Text(const QString& recipeDir);
    void Clear() { Entries.clear(); }
    qsizetype Size() const { return Entries.size(); }

private:
    struct TEntry {
        quint64 Inode = 0;
        qint64 Bytes = 0;
        qint64 ModifiedNs = 0;
        qint64 ChangedNs = 0;
        QString Text;
    };

public:
    // Text() in two steps, so workers can look while nothing changes the
    // cache: Look only reads (safe from many threads at once), Store applies.
    struct TLookup {
        std::optional<QString> Text;
        std::optional<TEntry> Entry;  // a text read anew, to keep
    };
    TLookup Look(const QString& recipeDir) const;
    void Store(const QString& recipeDir, const TLookup& lookup);

private:
    QHash<QString, TEntry> Entries;
};

// The ingredient file of a recipe folder ("材料.txt", found ignoring case).
QString IngredientFilePath(const QString& recipeDir);

// True when the keyword lists everything: empty, or the box's placeholder.
bool RefinementShowsAll(const QString& keyword);

// Sets the Visible flag of every record: everything under an empty keyword or
// the placeholder; otherwise whether the recipe's ingredient text matches.
// A recipe without an ingredient file is hidden then. `cache` may be null.
// The files are read on `workers` threads (0: one per core, 1: the calling
// thread only), joined before it returns; the result does not depend on it.
void RefineCookItems(TCookItems& items, const QString& dataRoot, const QString& keyword,
                     TIngredientCache* cache = nullptr, int workers = 0);

// The next row at or after `fromRow` whose record name matches the keyword;
// -1 when there is none (also when `fromRow` lies past a list that shrank).
int FindNameHit(const TCookItems& items, const QList<int>& rowRecords, int fromRow,
                const QString& keyword);

// The same over the ingredient files; rows whose recipe has none are skipped.
// A file that cannot be read before the hit throws TSaporiaError. Read on
// `workers` threads as the refinement; hit, failure and cache are those of
// one thread.
int FindMaterialHit(const TCookItems& items, const QList<int>& rowRecords, int fromRow,
                    const QString& keyword, const QString& dataRoot, TIngredientCache* cache = nullptr,
                    int workers = 0);

// The first row whose record is named exactly `name`; -1 when none.
int FirstRowNamed(const TCookItems& items, const QList<int>& rowRecords, const QString& name);
