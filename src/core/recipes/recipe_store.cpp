#include "core/recipes/recipe_store.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <future>
#include <strings.h>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>

#include "core/common/helpers.h"
#include "core/common/parallel_chunks.h"
#include "core/recipes/committed_folder.h"
#include "core/recipes/icon_store.h"
#include "core/recipes/recipe_folder.h"
#include "core/recipes/recipe_name.h"
#include "core/recipes/recipe_transaction.h"
#include "core/recipes/status_file.h"
#include "core/platform/file_io.h"
#include "core/platform/saporia_error.h"

// The scan works with getdents64 and paths relative to open folders: with 10,000
// recipes, QDir's per-entry file information and resolving every full path
// again cost more than reading the attribute files themselves.

namespace {

// An open folder, listed with getdents64; files are opened relative to it.
class TFolder final {
public:
    TFolder(int parent, const char* name) : Fd_(openat(parent, name, O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {}
    ~TFolder() {
        if (Fd_ >= 0)
            close(Fd_);
    }
    TFolder(const TFolder&) = delete;
    TFolder& operator=(const TFolder&) = delete;

    bool IsOpen() const { return Fd_ >= 0; }
    int Fd() const { return Fd_; }
    // True when listing stopped on an error rather than at the end.
    bool ListingFailed() const { return Failed; }
    // The next entry other than "." and ".."; nullptr at the end or on an error.
    const dirent64* Next() {
        for (;;) {
            if (Offset >= Filled) {
                const ssize_t n = getdents64(Fd_, Buffer, sizeof(Buffer));
                if (n < 0 && errno == EINTR)
                    continue;
                if (n <= 0) {
                    Failed = n < 0;
                    return nullptr;
                }
                Filled = n;
                Offset = 0;
            }
            const auto* entry = reinterpret_cast<const dirent64*>(Buffer + Offset);
            Offset += entry->d_reclen;
            const char* n = entry->d_name;
            if (n[0] == '.' && (n[1] == '\0' || (n[1] == '.' && n[2] == '\0')))
                continue;
            return entry;
        }
    }

private:
    int Fd_;
    alignas(dirent64) char Buffer[8192];
    ssize_t Filled = 0;
    ssize_t Offset = 0;
    bool Failed = false;
};

// "写真.jpg" in UTF-8: the two kanji (6 bytes) and ".jpg" in any letter case.
bool IsPhotoName(const char* name) {
    static const QByteArray kanji = QStringLiteral("写真").toUtf8();
    return std::strlen(name) == 10 && std::memcmp(name, kanji.constData(), 6) == 0 &&
           strncasecmp(name + 6, ".jpg", 4) == 0;
}

struct TFolderFiles {
    QByteArray StatusName;  // empty when the folder has no attribute file
    bool HasPhoto = false;
    bool HasSaveLeftovers = false;  // a save was cut off here
};

// One listing of the recipe folder answers both questions, in any letter case.
TFolderFiles FindFiles(TFolder& folder) {
    TFolderFiles files;
    while (const dirent64* entry = folder.Next()) {
        if (entry->d_type == DT_DIR)
            continue;
        const char* name = entry->d_name;
        if (IsRecipeTransactionFile(name)) {
            files.HasSaveLeftovers = true;
        } else if (strcasecmp(name, "status.txt") == 0) {
            if (files.StatusName.isEmpty() || std::strcmp(name, "Status.txt") == 0)
                files.StatusName = name;
        } else if (!files.HasPhoto && IsPhotoName(name)) {
            files.HasPhoto = true;
        }
    }
    return files;
}

QString CannotReadStatusMessage(const QString& name) {
    return QStringLiteral("%1: %2 を読み込めません").arg(name, StatusFileName);
}

QString CannotOpenFolderMessage(const QString& name) { return QStringLiteral("%1: フォルダを開けません").arg(name); }

// A folder where a save was cut off or is under way: finished first where
// this copy may, else read as that save last committed it.
QString ReadCommittedRecipe(int folderFd, TCookItem& item, const TIconStore& icons) {
    QStringList failures;
    bool photo = false, statusRead = false;
    QByteArray bytes;
    ReadCommitted(folderFd, {StatusFileName, PhotoFileName}, [&](const TCommittedFolder& view) {
        failures.clear();
        photo = !view.Find(PhotoFileName).isEmpty();
        const QString status = view.Find(StatusFileName);
        statusRead = !status.isEmpty() && view.Read(status, bytes, MaxStatusFileBytes);
        const bool tooLarge = errno == EFBIG;
        const QString in = item.Name + QStringLiteral(": ");
        if (view.JournalTooLarge())
            failures.append(TooLargeMessage(in + RecipeJournalName, MaxRecipeTextBytes));
        if (!status.isEmpty() && !statusRead)
            failures.append(tooLarge ? TooLargeMessage(in + StatusFileName, MaxStatusFileBytes)
                                     : CannotReadStatusMessage(item.Name));
    });
    item.PhotoMark = photo ? PhotoMarkPresent : PhotoMarkAbsent;
    if (statusRead)
        FillCookItem(item, bytes, icons);
    return failures.join(QLatin1Char('\n'));
}

// Fills `item` (Name already set) from its open folder. Returns the failure
// message when the folder cannot be listed or its attribute file is there but
// cannot be read (the record keeps its defaults); empty on success.
QString ReadRecipe(TFolder& folder, TCookItem& item, const TIconStore& icons) {
    // The listing finds both files in any letter case, and what a save left.
    const TFolderFiles files = FindFiles(folder);
    if (folder.ListingFailed())
        return CannotOpenFolderMessage(item.Name);
    if (files.HasSaveLeftovers)
        return ReadCommittedRecipe(folder.Fd(), item, icons);
    item.PhotoMark = files.HasPhoto ? PhotoMarkPresent : PhotoMarkAbsent;
    if (files.StatusName.isEmpty())
        return QString();
    QByteArray bytes;
    if (!ReadRegularFileAt(folder.Fd(), files.StatusName.constData(), bytes, MaxStatusFileBytes))
        return errno == EFBIG ? TooLargeMessage(item.Name + QStringLiteral(": ") + StatusFileName, MaxStatusFileBytes)
                              : CannotReadStatusMessage(item.Name);
    FillCookItem(item, bytes, icons);
    return QString();
}

// Names whose presence means a save was cut off in the folder: its journal,
// the journal before its rename, and the first temporary (the first change
// written, or the second after a removal that comes first).
const std::array<QByteArray, 4>& SaveLeftoverNames() {
    static const QByteArray prefix = RecipeTransactionPrefix.toUtf8();
    static const std::array<QByteArray, 4> names = {prefix + "journal", prefix + "journal.new", prefix + "0.new",
                                                    prefix + "1.new"};
    return names;
}

// Reads a recipe folder by the usual spellings of its files, without listing
// it: the attribute file opened, the photo and a cut-off save's files looked
// up by name. False when that cannot settle the record (a name missing or odd,
// a save to finish, any error); the listing then decides, so the record and
// its failure are always those of the listing.
bool ReadRecipeByNames(int rootFd, const QByteArray& folderName, TCookItem& item, const TIconStore& icons) {
    QByteArray path = folderName + '/';
    const qsizetype base = path.size();
    const auto lookUp = [&](const QByteArray& file, struct stat& info) {
        path.truncate(base);
        path += file;
        return fstatat(rootFd, path.constData(), &info, AT_SYMLINK_NOFOLLOW);
    };
    struct stat info {};
    // Without the photo's usual name only the listing can tell whether
    // "写真.JPG" or the like is there; it then answers everything else too.
    static const QByteArray photo = PhotoFileName.toUtf8();
    if (lookUp(photo, info) != 0 || S_ISDIR(info.st_mode))
        return false;
    for (const QByteArray& leftover : SaveLeftoverNames())
        if (lookUp(leftover, info) == 0 || errno != ENOENT)
            return false;
    static const QByteArray status = StatusFileName.toUtf8();
    path.truncate(base);
    path += status;
    QByteArray bytes;
    // An oversized file is left to the listing, which reports it.
    if (!ReadRegularFileAt(rootFd, path.constData(), bytes, MaxStatusFileBytes))
        return false;
    item.PhotoMark = PhotoMarkPresent;
    FillCookItem(item, bytes, icons);
    return true;
}

// Reads the folders [begin, end) of the data folder into their records.
// Plain pointers: the lists were detached before the workers started.
void ReadRecipes(int rootFd, const std::vector<QByteArray>& names, TCookItem* items, QString* failures,
                 const TIconStore& icons, size_t begin, size_t end) {
    for (size_t i = begin; i < end; ++i) {
        TCookItem& item = items[i];
        if (ReadRecipeByNames(rootFd, names[i], item, icons))
            continue;
        TFolder folder(rootFd, names[i].constData());
        QString& failure = failures[i];
        if (!folder.IsOpen())
            failure = CannotOpenFolderMessage(item.Name);
        else
            failure = ReadRecipe(folder, item, icons);
    }
}

QByteArray RootPath(const QString& dataRoot) {
    QByteArray root = QFile::encodeName(dataRoot);
    while (root.size() > 1 && root.endsWith('/'))
        root.chop(1);
    return root;
}

}  // namespace

namespace {

const QStringList& ListedKeys() {
    static const QStringList keys = {StatusKey::Kind,     StatusKey::Amount,    StatusKey::Date,
                                     StatusKey::Calorie,  StatusKey::Price,     StatusKey::WorkTime,
                                     StatusKey::Group,    StatusKey::Salt,      StatusKey::NiceValue,
                                     StatusKey::DifficultValue, StatusKey::ImageFileName, StatusKey::Icon};
    return keys;
}

void FillFromValues(TCookItem& item, const QStringList& v, const TIconStore& icons) {
    item.Kind = v[0];
    item.Amount = v[1];
    item.Date = v[2];
    item.Calorie = v[3];
    item.Price = v[4];
    item.WorkTime = v[5];
    item.Group = v[6];
    item.Salt = v[7];
    item.NiceValue = ToIntDef(v[8], -1);
    item.DifficultValue = ToIntDef(v[9], -1);
    item.Icon = icons.ResolveIcon(v[10], v[11]);
}

}  // namespace

void FillCookItem(TCookItem& item, const QByteArray& statusBytes, const TIconStore& icons) {
    FillFromValues(item, StatusValuesFromBytes(statusBytes, ListedKeys()), icons);
}

namespace {

QString CannotOpenDataFolderMessage(const QString& dataRoot) {
    return QStringLiteral("データフォルダ %1 を開けません").arg(dataRoot);
}

}  // namespace

QString DataFolderOpenFailure(const QString& dataRoot) {
    const QByteArray root = RootPath(dataRoot);
    struct stat target {};
    int code = 0;
    if (stat(root.constData(), &target) != 0) {
        code = errno;
    } else if (S_ISDIR(target.st_mode)) {
        const int fd = open(root.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0)
            code = errno;
        else
            close(fd);
    }
    if (code == 0 || code == ENOENT || code == ENOTDIR)
        return QString();
    return CannotOpenDataFolderMessage(dataRoot) + QStringLiteral(" (%1)").arg(QString::fromLocal8Bit(std::strerror(code)));
}

TCookScan SearchCookFld(const QString& dataRoot, const TIconStore& icons, const TScanOptions& options) {
    TCookScan scan;
    TFolder root(AT_FDCWD, RootPath(dataRoot).constData());
    if (!root.IsOpen()) {
        scan.Failures.append(CannotOpenDataFolderMessage(dataRoot));
        return scan;
    }
    std::vector<QByteArray> names;  // in listing order
    while (const dirent64* entry = root.Next())
        if (IsFolderAt(root.Fd(), entry->d_name, entry->d_type))
            names.emplace_back(entry->d_name);
    // A listing cut short would silently drop recipes from the list.
    if (root.ListingFailed())
        scan.Failures.append(QStringLiteral("データフォルダ %1 の一覧を最後まで読めません").arg(dataRoot));
    const size_t count = names.size();
    std::vector<TCookItem> read(count);
    for (size_t i = 0; i < count; ++i) {
        read[i].Name = FolderNameText(names[i]);
        read[i].FolderName = names[i];
        read[i].PhotoMark = PhotoMarkAbsent;
    }

    if (options.AfterListing)
        options.AfterListing();

    // Each worker reads its own folders into its own slots; a folder's save
    // recovery touches that folder only. Meanwhile this thread sorts.
    std::vector<QString> failures(count);
    auto reading = std::async(std::launch::async, [&] {
        ForEachChunk(count, 64, options.Workers, [&](size_t begin, size_t end) {
            ReadRecipes(root.Fd(), names, read.data(), failures.data(), icons, begin, end);
        });
    });
    struct TKey {
        QString Folded;  // case-folded once, not in every comparison
        size_t Index;
    };
    std::vector<TKey> order(count);
    for (size_t i = 0; i < count; ++i)
        order[i] = {read[i].Name.toCaseFolded(), i};
    const auto before = [&](const TKey& a, const TKey& b) {
        if (const int c = a.Folded.compare(b.Folded); c != 0)
            return c < 0;
        const QString& nameA = read[a.Index].Name;
        const QString& nameB = read[b.Index].Name;
        return nameA != nameB ? nameA < nameB : names[a.Index] < names[b.Index];  // names that show alike
    };
    std::sort(order.begin(), order.end(), before);
    reading.get();

    // Records and failures in the sorted order.
    scan.Items.reserve(static_cast<qsizetype>(count));
    for (const TKey& key : order) {
        scan.Items.append(std::move(read[key.Index]));
        if (!failures[key.Index].isEmpty())
            scan.Failures.append(std::move(failures[key.Index]));
    }
    return scan;
}

TCookItem ReadCookItem(const QString& dataRoot, const QString& name, const TIconStore& icons) {
    TCookItem item;
    item.Name = name;
    item.FolderName = name.toUtf8();
    TFolder folder(AT_FDCWD, (RootPath(dataRoot) + '/' + item.FolderName).constData());
    if (!folder.IsOpen())
        throw TSaporiaError(CannotOpenFolderMessage(name));
    if (const QString failure = ReadRecipe(folder, item, icons); !failure.isEmpty())
        throw TSaporiaError(failure);
    return item;
}
