#include "mainwindow/recipe_search.h"

#include <sys/stat.h>

#include <QFile>

#include "common/keywords.h"
#include "platform/file_io.h"
#include "platform/sjis.h"

namespace {

const QString IngredientFileName = QStringLiteral("材料.txt");

const TCookItem* RecordOfRow(const TCookItems& items, const std::vector<int>& rowRecords, int row) {
    const int record = rowRecords[static_cast<size_t>(row)];
    if (record < 0 || record >= static_cast<int>(items.size()))
        return nullptr;
    return &items[record];
}

QString RecipeDir(const QString& dataRoot, const QString& name) { return dataRoot + u'/' + name; }

std::optional<QString> ReadIngredients(const QString& recipeDir, TIngredientCache* cache) {
    if (cache)
        return cache->Text(recipeDir);
    const QString path = IngredientFilePath(recipeDir);
    if (!QFile::exists(path))
        return std::nullopt;
    return ReadSjisText(path);
}

}  // namespace

QString IngredientFilePath(const QString& recipeDir) {
    const QString exact = recipeDir + u'/' + IngredientFileName;
    if (QFile::exists(exact))
        return exact;
    return recipeDir + u'/' + ExistingNameIgnoringCase(recipeDir, IngredientFileName);
}

std::optional<QString> TIngredientCache::Text(const QString& recipeDir) {
    QString path = recipeDir + u'/' + IngredientFileName;
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) {
        path = IngredientFilePath(recipeDir);
        if (::stat(QFile::encodeName(path).constData(), &st) != 0) {
            Entries.remove(recipeDir);
            return std::nullopt;
        }
    }
    if (!S_ISREG(st.st_mode)) {
        Entries.remove(recipeDir);
        return std::nullopt;
    }
    const qint64 modified = static_cast<qint64>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    const qint64 changed = static_cast<qint64>(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
    const auto it = Entries.constFind(recipeDir);
    if (it != Entries.constEnd() && it->Inode == st.st_ino && it->Bytes == st.st_size &&
        it->ModifiedNs == modified && it->ChangedNs == changed)
        return it->Text;
    TEntry entry{static_cast<quint64>(st.st_ino), static_cast<qint64>(st.st_size), modified, changed,
                 ReadSjisText(path)};
    QString text = entry.Text;
    Entries.insert(recipeDir, std::move(entry));
    return text;
}

bool RefinementShowsAll(const QString& keyword) {
    return keyword.isEmpty() || keyword == RefinementPlaceholder;
}

void RefineCookItems(TCookItems& items, const QString& dataRoot, const QString& keyword,
                     TIngredientCache* cache) {
    if (RefinementShowsAll(keyword)) {
        for (TCookItem& item : items)
            item.Visible = true;
        return;
    }
    const TKeywordMatcher matcher(keyword);
    for (TCookItem& item : items) {
        const std::optional<QString> text = ReadIngredients(RecipeDir(dataRoot, item.Name), cache);
        item.Visible = text && matcher.Matches(*text);
    }
}

int FindNameHit(const TCookItems& items, const std::vector<int>& rowRecords, int fromRow,
                const QString& keyword) {
    const TKeywordMatcher matcher(keyword);
    for (int row = std::max(fromRow, 0); row < static_cast<int>(rowRecords.size()); ++row) {
        const TCookItem* item = RecordOfRow(items, rowRecords, row);
        if (item && matcher.Matches(item->Name))
            return row;
    }
    return -1;
}

int FindMaterialHit(const TCookItems& items, const std::vector<int>& rowRecords, int fromRow,
                    const QString& keyword, const QString& dataRoot, TIngredientCache* cache) {
    const TKeywordMatcher matcher(keyword);
    for (int row = std::max(fromRow, 0); row < static_cast<int>(rowRecords.size()); ++row) {
        const TCookItem* item = RecordOfRow(items, rowRecords, row);
        if (!item)
            continue;
        const std::optional<QString> text = ReadIngredients(RecipeDir(dataRoot, item->Name), cache);
        if (text && matcher.Matches(*text))
            return row;
    }
    return -1;
}

int FirstRowNamed(const TCookItems& items, const std::vector<int>& rowRecords, const QString& name) {
    for (int row = 0; row < static_cast<int>(rowRecords.size()); ++row) {
        const TCookItem* item = RecordOfRow(items, rowRecords, row);
        if (item && item->Name == name)
            return row;
    }
    return -1;
}
