#pragma once

#include <functional>

#include <QString>
#include <QStringList>

#include "core/recipes/cook_item.h"

class TIconStore;

// Reading the data folder into the recipe list.

struct TCookScan {
    TCookItems Items;     // one record per recipe folder, in sorted listing order
    QStringList Failures; // one message per folder that could not be read fully
};

struct TScanOptions {
    int Workers = 0;  // threads reading folders; 0: one per core, 1: the calling thread only
    std::function<void()> AfterListing{};  // runs between listing the data folder and reading it
};

// Scans `dataRoot`: one record per sub-folder (plain files are skipped), filled
// from its attribute file, with the photo mark and the icon resolved through
// `icons`. A folder whose attribute file cannot be read gets the defaults and a
// message in Failures; the scan goes on. A data folder that cannot be listed
// gives no records and a message. Never throws, never keeps an old record.
// The folders are read on worker threads, joined before it returns; records
// and failures come out in the same order as on one thread.
TCookScan SearchCookFld(const QString& dataRoot, const TIconStore& icons, const TScanOptions& options = {});

// The message of a data folder that is there but cannot be opened as a folder
// (a symbolic link to itself, no permission); empty when it opens, and when
// it is missing or a plain file, which the creation of the folder reports.
QString DataFolderOpenFailure(const QString& dataRoot);

// The record of one recipe folder (for a caller that adds or refreshes one
// recipe). Throws TSaporiaError when its attribute file cannot be read.
TCookItem ReadCookItem(const QString& dataRoot, const QString& name, const TIconStore& icons);

// Attribute values of a record from its attribute file's bytes (texts,
// ratings, icon).
void FillCookItem(TCookItem& item, const QByteArray& statusBytes, const TIconStore& icons);
