#include "core/lan/lan_catalog.h"

#include "core/lan/lan_protocol.h"

namespace {

size_t NamesFingerprint(const TCookItems& items) {
    size_t seed = qHash(items.size());
    for (const TCookItem& item : items)
        seed = qHashMulti(seed, item.Name, item.FolderName);
    return seed;
}

}  // namespace

void TLanCatalog::Update(const TCookItems& items) {
    const size_t fingerprint = NamesFingerprint(items);
    if (Built && fingerprint == Fingerprint)
        return;
    Index.clear();
    List = ListReplyKind;
    for (qsizetype i = 0; i < items.size(); ++i) {
        const QByteArray name = LanRecipeName(items[i]);
        if (name.isEmpty())
            continue;
        if (!Index.contains(name))
            Index.insert(name, i);
        List += QuoteLanField(name);
        List += ',';
    }
    Fingerprint = fingerprint;
    Built = true;
}
