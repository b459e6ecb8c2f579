#include "core/search/recipe_search.h"

#include <algorithm>
#include <cerrno>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>

#include "core/common/keywords.h"
#include "core/common/parallel_chunks.h"
#include "core/recipes/recipe_folder.h"
#include "core/recipes/recipe_name.h"
#include "core/platform/file_io.h"
#include "core/platform/saporia_error.h"
#include "core/platform/sjis.h"

namespace {

const TCookItem* RecordOfRow(const TCookItems& items, const QList<int>& rowRecords, int row) {
    const int record = rowRecords[row];
    if (record < 0 || record >= static_cast<int>(items.size()))
        return nullptr;
    return &items[record];
}

QString RecipeDir(const QString& dataRoot, const TCookItem& item) { return RecipeFolderPath(dataRoot, item).chopped(1); }

// An open file descriptor, closed however the reading ends.
class TFileHandle final {
public:
    explicit TFileHandle(int fd) : Fd(fd) {}
    ~TFileHandle() {
        if (Fd >= 0)
            ::close(Fd);
    }
    TFileHandle(const TFileHandle&) = delete;
    TFileHandle& operator=(const TFileHandle&) = delete;
    int Fd;
};

// Opens the recipe's ingredient file without blocking (a FIFO is then no
// ingredient file, never a hang); -1 when the recipe has none. Any other
// failure to open it is an error, not a missing file.
int OpenIngredientFile(const QString& recipeDir, QString& path) {
    path = recipeDir + u'/' + FoodstuffFileName;
    int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0 && (errno == ENOENT || errno == ENOTDIR)) {
        path = IngredientFilePath(recipeDir);  // a name differing only in case
        fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        if (fd < 0 && (errno == ENOENT || errno == ENOTDIR))
            return -1;
    }
    if (fd < 0)
        throw TSaporiaError(CannotReadMessage(path));
    return fd;
}

QString ReadAll(int fd, qint64 sizeHint, const QString& path) {
    QByteArray bytes(std::max<qint64>(sizeHint, 0) + 1, Qt::Uninitialized);
    qint64 used = 0;
    for (;;) {
        if (used == bytes.size())
            bytes.resize(bytes.size() * 2);
        const ssize_t n = ::read(fd, bytes.data() + used, static_cast<size_t>(bytes.size() - used));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw TSaporiaError(CannotReadMessage(path));
        if (n == 0)
            break;
        used += n;
    }
    return FromSjis(bytes.constData(), used);
}

std::optional<QString> ReadIngredients(const QString& recipeDir) {
    QString path;
    const TFileHandle file(OpenIngredientFile(recipeDir, path));
    if (file.Fd < 0)
        return std::nullopt;
    struct stat st {};
    if (::fstat(file.Fd, &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    return ReadAll(file.Fd, st.st_size, path);
}

}  // namespace

QString IngredientFilePath(const QString& recipeDir) {
    return ExistingPathIgnoringCase(recipeDir, FoodstuffFileName);
}

std::optional<QString> TIngredientCache::Text(const QString& recipeDir) {
    TLookup lookup = Look(recipeDir);
    Store(recipeDir, lookup);
    return std::move(lookup.Text);
}

TIngredientCache::TLookup TIngredientCache::Look(const QString& recipeDir) const {
    TLookup lookup;
    QString path;
    const TFileHandle file(OpenIngredientFile(recipeDir, path));
    struct stat st {};
    if (file.Fd < 0 || ::fstat(file.Fd, &st) != 0 || !S_ISREG(st.st_mode))
        return lookup;
    const qint64 modified = static_cast<qint64>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    const qint64 changed = static_cast<qint64>(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
    const auto it = Entries.constFind(recipeDir);
    if (it != Entries.constEnd() && it->Inode == st.st_ino && it->Bytes == st.st_size &&
        it->ModifiedNs == modified && it->ChangedNs == changed) {
        lookup.Text = it->Text;
        return lookup;
    }
    lookup.Entry = TEntry{static_cast<quint64>(st.st_ino), static_cast<qint64>(st.st_size), modified, changed,
                          ReadAll(file.Fd, st.st_size, path)};
    lookup.Text = lookup.Entry->Text;
    return lookup;
}

void TIngredientCache::Store(const QString& recipeDir, const TLookup& lookup) {
    if (!lookup.Text)
        Entries.remove(recipeDir);
    else if (lookup.Entry)
        Entries.insert(recipeDir, *lookup.Entry);
}

bool RefinementShowsAll(const QString& keyword) {
    return keyword.isEmpty() || keyword == RefinementPlaceholder;
}

namespace {

// The ingredient text of one record, looked up on a worker.
struct TLooked {
    QString RecipeDir;
    TIngredientCache::TLookup Lookup;
    std::optional<TSaporiaError> Failure;
    bool Matches = false;
    bool Decides = false;  // a failure, or a hit when the first hit is wanted
};

// Looks up the texts of `records` (-1: no record) on `workers` threads. The
// cache is only looked at; nothing after a deciding record of its chunk is
// looked up, as one thread stops there too.
std::vector<TLooked> LookUpIngredients(const TCookItems& items, const std::vector<int>& records,
                                       const QString& dataRoot, const TKeywordMatcher& matcher,
                                       const TIngredientCache* cache, int workers, bool firstHitDecides) {
    std::vector<TLooked> looked(records.size());
    ForEachChunk(records.size(), 64, workers, [&](size_t begin, size_t end) {
        for (size_t i = begin; i < end; ++i) {
            if (records[i] < 0)
                continue;
            TLooked& r = looked[i];
            try {
                r.RecipeDir = RecipeDir(dataRoot, items[records[i]]);
                if (cache)
                    r.Lookup = cache->Look(r.RecipeDir);
                else
                    r.Lookup.Text = ReadIngredients(r.RecipeDir);
                r.Matches = r.Lookup.Text && matcher.Matches(*r.Lookup.Text);
                r.Decides = firstHitDecides && r.Matches;
            } catch (const TSaporiaError& e) {
                r.Failure = e;
                r.Decides = true;
            }
            if (r.Decides)
                return;
        }
    });
    return looked;
}

}  // namespace

void RefineCookItems(TCookItems& items, const QString& dataRoot, const QString& keyword,
                     TIngredientCache* cache, int workers) {
    if (RefinementShowsAll(keyword)) {
        for (TCookItem& item : items)
            item.Visible = true;
        return;
    }
    // Every file is read before a flag changes: a file that cannot be read
    // leaves the list as it was, not half refined. The cache takes the new
    // texts afterwards in list order, up to the first file that failed.
    std::vector<int> records(static_cast<size_t>(items.size()));
    for (size_t i = 0; i < records.size(); ++i)
        records[i] = static_cast<int>(i);
    const std::vector<TLooked> looked = LookUpIngredients(std::as_const(items), records, dataRoot,
                                                          TKeywordMatcher(keyword), cache, workers, false);
    for (const TLooked& r : looked) {
        if (r.Failure)
            throw *r.Failure;
        if (cache)
            cache->Store(r.RecipeDir, r.Lookup);
    }
    for (size_t i = 0; i < looked.size(); ++i)
        items[static_cast<qsizetype>(i)].Visible = looked[i].Matches;
}

int FindNameHit(const TCookItems& items, const QList<int>& rowRecords, int fromRow,
                const QString& keyword) {
    const TKeywordMatcher matcher(keyword);
    for (int row = std::max(fromRow, 0); row < static_cast<int>(rowRecords.size()); ++row) {
        const TCookItem* item = RecordOfRow(items, rowRecords, row);
        if (item && matcher.Matches(item->Name))
            return row;
    }
    return -1;
}

int FindMaterialHit(const TCookItems& items, const QList<int>& rowRecords, int fromRow,
                    const QString& keyword, const QString& dataRoot, TIngredientCache* cache, int workers) {
    const TKeywordMatcher matcher(keyword);
    const int rowCount = static_cast<int>(rowRecords.size());
    // Rows go in growing batches: an early hit reads little past itself, a
    // word found nowhere keeps every worker busy.
    int batch = 256;
    for (int first = std::max(fromRow, 0); first < rowCount; first += batch, batch = std::min(batch * 2, 16384)) {
        const int last = std::min(first + batch, rowCount);
        std::vector<int> records(static_cast<size_t>(last - first));
        for (int row = first; row < last; ++row)
            records[static_cast<size_t>(row - first)] = RecordOfRow(items, rowRecords, row) ? rowRecords[row] : -1;
        const std::vector<TLooked> looked =
            LookUpIngredients(items, records, dataRoot, matcher, cache, workers, true);
        for (size_t i = 0; i < looked.size(); ++i) {
            const TLooked& r = looked[i];
            if (records[i] < 0)
                continue;
            if (r.Failure)
                throw *r.Failure;
            if (cache)
                cache->Store(r.RecipeDir, r.Lookup);
            if (r.Matches)
                return first + static_cast<int>(i);
        }
    }
    return -1;
}

int FirstRowNamed(const TCookItems& items, const QList<int>& rowRecords, const QString& name) {
    for (int row = 0; row < static_cast<int>(rowRecords.size()); ++row) {
        const TCookItem* item = RecordOfRow(items, rowRecords, row);
        if (item && item->Name == name)
            return row;
    }
    return -1;
}
