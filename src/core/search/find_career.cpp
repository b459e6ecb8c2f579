#include "core/search/find_career.h"

#include "core/platform/file_io.h"
#include "core/platform/sjis.h"

void AddFindCareer(QStringList& history, const QString& keyword) {
    history.removeAll(keyword);
    history.prepend(keyword);
    while (history.size() > FindCareerLimit)
        history.removeLast();
}

QStringList LoadFindCareer(const QString& path) {
    // A link leading nowhere is unreadable, not missing: an empty history
    // written through it at exit would put a file where it leads.
    if (!EntryExists(path))
        return {};
    // Kept whole: only a search run trims the history to the limit.
    return ReadSjisLines(path, MaxStoreFileBytes);
}

void SaveFindCareer(const QString& path, const QStringList& history) {
    // A keyword CP932 cannot hold (pasted text) is left out rather than
    // failing the write and losing the rest of the history.
    QStringList storable;
    for (const QString& keyword : history)
        if (IsSjisEncodable(keyword) && !keyword.contains(u'\r') && !keyword.contains(u'\n'))
            storable.append(keyword);
    WriteSjisLines(path, storable);
}
