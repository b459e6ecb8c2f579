#include "mainwindow/recipe_store.h"

#include <algorithm>
#include <cstring>
#include <strings.h>

#include <dirent.h>
#include <sys/stat.h>

#include <QFile>

#include "mainwindow/icon_store.h"
#include "mainwindow/status_file.h"
#include "platform/file_io.h"
#include "platform/saporia_error.h"

// The scan lists folders with readdir: with 10,000 recipes QDir's per-entry
// file information costs more than reading the attribute files themselves.

namespace {

class TDirReader final {
public:
    explicit TDirReader(const QByteArray& path) : Handle(opendir(path.constData())) {}
    ~TDirReader() {
        if (Handle)
            closedir(Handle);
    }
    TDirReader(const TDirReader&) = delete;
    TDirReader& operator=(const TDirReader&) = delete;

    bool IsOpen() const { return Handle != nullptr; }
    // The next entry other than "." and ".."; nullptr at the end.
    const dirent* Next() {
        while (const dirent* entry = readdir(Handle)) {
            const char* n = entry->d_name;
            if (n[0] == '.' && (n[1] == '\0' || (n[1] == '.' && n[2] == '\0')))
                continue;
            return entry;
        }
        return nullptr;
    }

private:
    DIR* Handle;
};

bool IsFolder(const QByteArray& parent, const dirent* entry) {
    if (entry->d_type == DT_DIR)
        return true;
    if (entry->d_type != DT_UNKNOWN && entry->d_type != DT_LNK)
        return false;
    struct stat info {};
    const QByteArray path = parent + '/' + entry->d_name;
    return stat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

// "写真.jpg" in UTF-8: the two kanji (6 bytes) and ".jpg" in any letter case.
bool IsPhotoName(const char* name) {
    static const QByteArray kanji = QStringLiteral("写真").toUtf8();
    return std::strlen(name) == 10 && std::memcmp(name, kanji.constData(), 6) == 0 &&
           strncasecmp(name + 6, ".jpg", 4) == 0;
}

struct TFolderFiles {
    QByteArray StatusName;  // empty when the folder has no attribute file
    bool HasPhoto = false;
};

// One listing of the recipe folder answers both questions, in any letter case.
bool ListRecipeFolder(const QByteArray& folder, TFolderFiles& files) {
    TDirReader dir(folder);
    if (!dir.IsOpen())
        return false;
    while (const dirent* entry = dir.Next()) {
        if (entry->d_type == DT_DIR)
            continue;
        const char* name = entry->d_name;
        if (strcasecmp(name, "status.txt") == 0) {
            if (files.StatusName.isEmpty() || std::strcmp(name, "Status.txt") == 0)
                files.StatusName = name;
        } else if (!files.HasPhoto && IsPhotoName(name)) {
            files.HasPhoto = true;
        }
    }
    return true;
}

void ClearAttributes(TCookItem& item) {
    const QString name = item.Name;
    item = TCookItem();
    item.Name = name;
}

QString CannotReadStatusMessage(const QString& name) {
    return QStringLiteral("%1: %2 を読み込めません").arg(name, StatusFileName);
}

}  // namespace

void FillCookItem(TCookItem& item, const TStatusFile& status, const TIconStore& icons) {
    item.Kind = status.Value(StatusKey::Kind);
    item.Amount = status.Value(StatusKey::Amount);
    item.Date = status.Value(StatusKey::Date);
    item.Calorie = status.Value(StatusKey::Calorie);
    item.Price = status.Value(StatusKey::Price);
    item.WorkTime = status.Value(StatusKey::WorkTime);
    item.Group = status.Value(StatusKey::Group);
    item.Salt = status.Value(StatusKey::Salt);
    item.NiceValue = status.IntValue(StatusKey::NiceValue, -1);
    item.DifficultValue = status.IntValue(StatusKey::DifficultValue, -1);
    item.Icon = icons.ResolveIcon(status);
}

TCookScan SearchCookFld(const QString& dataRoot, const TIconStore& icons) {
    TCookScan scan;
    QByteArray root = QFile::encodeName(dataRoot);
    while (root.size() > 1 && root.endsWith('/'))
        root.chop(1);

    QStringList names;
    {
        TDirReader dir(root);
        if (!dir.IsOpen()) {
            scan.Failures.append(QStringLiteral("データフォルダ %1 を開けません").arg(dataRoot));
            return scan;
        }
        while (const dirent* entry = dir.Next())
            if (IsFolder(root, entry))
                names.append(QFile::decodeName(entry->d_name));
    }
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });

    scan.Items.resize(names.size());
    for (qsizetype i = 0; i < names.size(); ++i) {
        TCookItem& item = scan.Items[i];
        item.Name = names[i];
        const QByteArray folder = root + '/' + QFile::encodeName(names[i]);
        TFolderFiles files;
        if (!ListRecipeFolder(folder, files)) {
            scan.Failures.append(QStringLiteral("%1: フォルダを開けません").arg(names[i]));
            item.PhotoMark = PhotoMarkAbsent;
            continue;
        }
        item.PhotoMark = files.HasPhoto ? PhotoMarkPresent : PhotoMarkAbsent;
        if (files.StatusName.isEmpty())
            continue;
        try {
            const TStatusFile status =
                TStatusFile::FromBytes(ReadFileBytes(QFile::decodeName(folder + '/' + files.StatusName)));
            FillCookItem(item, status, icons);
        } catch (const TSaporiaError&) {
            ClearAttributes(item);
            item.PhotoMark = files.HasPhoto ? PhotoMarkPresent : PhotoMarkAbsent;
            scan.Failures.append(CannotReadStatusMessage(names[i]));
        }
    }
    return scan;
}

TCookItem ReadCookItem(const QString& dataRoot, const QString& name, const TIconStore& icons) {
    QByteArray root = QFile::encodeName(dataRoot);
    while (root.size() > 1 && root.endsWith('/'))
        root.chop(1);
    const QByteArray folder = root + '/' + QFile::encodeName(name);
    TCookItem item;
    item.Name = name;
    TFolderFiles files;
    if (!ListRecipeFolder(folder, files))
        throw TSaporiaError(QStringLiteral("%1: フォルダを開けません").arg(name));
    item.PhotoMark = files.HasPhoto ? PhotoMarkPresent : PhotoMarkAbsent;
    if (!files.StatusName.isEmpty()) {
        try {
            FillCookItem(item, TStatusFile::FromBytes(ReadFileBytes(QFile::decodeName(folder + '/' + files.StatusName))),
                         icons);
        } catch (const TSaporiaError&) {
            throw TSaporiaError(CannotReadStatusMessage(name));
        }
    }
    return item;
}
