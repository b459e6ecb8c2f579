#pragma once

#include <QByteArray>
#include <QHash>

#include "core/recipes/cook_item.h"

// The list reply and a name index over the records, kept between requests
// and made again whenever the records' names change, so a busy server does
// not check and encode every name for every request.
class TLanCatalog final {
public:
    // Brings the catalog up to date with `items` (cheap when nothing changed).
    void Update(const TCookItems& items);
    const QByteArray& ListReply() const { return List; }
    // The index of the first record whose wire name is `name`, or -1.
    qsizetype Find(const QByteArray& name) const { return Index.value(name, -1); }

private:
    bool Built = false;
    size_t Fingerprint = 0;
    QByteArray List;
    QHash<QByteArray, qsizetype> Index;
};
