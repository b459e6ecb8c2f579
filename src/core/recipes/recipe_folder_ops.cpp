#include "core/recipes/recipe_folder_ops.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "core/recipes/recipe_folder.h"
#include "core/recipes/recipe_transaction.h"
#include "core/recipes/recipe_name.h"
#include "core/platform/file_io.h"
#include "core/platform/saporia_error.h"
#include "core/platform/sjis.h"

namespace {

QString Native(const QString& path) {
    return QString::fromLocal8Bit(QFile::encodeName(path));
}

QString Native(const QByteArray& path) { return QString::fromLocal8Bit(path); }

TSaporiaError DeleteFailed(const QString& nativePath) {
    return TSaporiaError(QStringLiteral("ファイルの削除に失敗しました. FILENAME=%1").arg(nativePath));
}

QString FolderWithoutSlash(const QString& path) {
    return path.endsWith(QLatin1Char('/')) ? path.chopped(1) : path;
}

}  // namespace

QByteArray TextFileBytes(const QString& text) {
    QByteArray bytes;
    for (const QString& line : SplitLines(text)) {
        bytes += ToSjis(line);
        bytes += "\r\n";
    }
    return bytes;
}

QString NewRecipeNameProblem(const QString& dataRoot, const QString& name) {
    if (name.isEmpty())
        return RecipeNameEmptyMessage;
    const QString problem = RecipeNameProblem(name);
    if (!problem.isEmpty())
        return problem;
    if (EntryExists(FolderWithoutSlash(RecipeFolderPath(dataRoot, name))))
        return RecipeNameExistsMessage;
    return QString();
}

TCookItem CreateRecipe(const QString& dataRoot, const QString& name, const TWizardRecipe* wizard,
                       const QString& today, const TIconNames& icons) {
    const QString problem = NewRecipeNameProblem(dataRoot, name);
    if (!problem.isEmpty())
        throw TSaporiaError(problem);
    const QString folder = FolderWithoutSlash(RecipeFolderPath(dataRoot, name));

    // Encode everything first: a character CP932 cannot hold refuses the
    // recipe before anything is made.
    const TStatusFile status = wizard ? WizardStatus(wizard->Attributes, today, icons) : [&] {
        TStatusFile plain;
        plain.SetValue(StatusKey::Date, today);
        return plain;
    }();
    const QByteArray statusBytes = status.ToBytes();
    const QByteArray foodstuff = wizard ? TextFileBytes(wizard->Foodstuff) : QByteArray();
    const QByteArray how = wizard ? TextFileBytes(wizard->How) : QByteArray();
    const bool withPhoto = wizard && !wizard->PhotoJpeg.isEmpty();

    if (!QDir().exists(dataRoot) && !QDir().mkpath(dataRoot))
        throw TSaporiaError(QStringLiteral("フォルダを作成できません: %1").arg(Native(dataRoot)));
    if (::mkdir(QFile::encodeName(folder).constData(), 0777) != 0) {
        if (errno == EEXIST)
            throw TSaporiaError(RecipeNameExistsMessage);
        throw TSaporiaError(
            QStringLiteral("フォルダを作成できません: %1 (%2)").arg(Native(folder), QString::fromLocal8Bit(std::strerror(errno))));
    }
    try {
        TRecipeTransaction transaction(folder);
        transaction.Put(FoodstuffFileName, foodstuff);
        transaction.Put(HowFileName, how);
        transaction.Put(StatusFileName, statusBytes);
        if (withPhoto)
            transaction.Put(PhotoFileName, wizard->PhotoJpeg);
        transaction.Commit();
    } catch (...) {
        std::error_code ignored;
        std::filesystem::remove_all(std::filesystem::path(QFile::encodeName(folder).toStdString()), ignored);
        throw;
    }

    TCookItem item;
    item.Name = name;
    item.FolderName = name.toUtf8();
    item.Date = today;
    item.Visible = true;
    if (wizard) {
        ApplyAttributesToItem(item, wizard->Attributes);
        item.PhotoMark = QFileInfo::exists(folder + QLatin1Char('/') + PhotoFileName) ? PhotoMarkPresent : PhotoMarkAbsent;
    } else {
        item.Icon = -1;
        item.NiceValue = -1;
        item.DifficultValue = -1;
        item.PhotoMark = PhotoMarkAbsent;
    }
    return item;
}

void DeleteRecipeFolder(const QString& dataRoot, const TCookItem& item) {
    const QByteArray folder = RecipeFolderNativePath(dataRoot, item);
    namespace fs = std::filesystem;
    const fs::path root(folder.toStdString());
    std::error_code error;
    const fs::file_status st = fs::symlink_status(root, error);
    if (error || !fs::exists(st))
        throw DeleteFailed(Native(folder));
    if (!fs::is_directory(st)) {
        // A link (or a stray file) standing where the folder was: remove just that entry.
        if (!fs::remove(root, error) || error)
            throw DeleteFailed(Native(folder));
        return;
    }
    // Depth first, links removed as entries and never entered.
    std::vector<fs::path> entries;
    for (fs::recursive_directory_iterator it(root, fs::directory_options::none, error), end; !error && it != end;
         it.increment(error))
        entries.push_back(it->path());
    if (error)
        throw DeleteFailed(Native(folder));
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
        if (!fs::remove(*it, error) || error)
            throw DeleteFailed(QString::fromLocal8Bit(it->string().c_str()));
    }
    if (!fs::remove(root, error) || error)
        throw DeleteFailed(Native(folder));
}

bool RenameRecipeFolder(const QString& dataRoot, TCookItem& item, const QString& newName) {
    const QString name = Trim(newName);
    if (name.isEmpty() || name.toUtf8() == RecipeFolderBytes(item))
        return false;
    const QString problem = RecipeNameProblem(name);
    if (!problem.isEmpty())
        throw TSaporiaError(problem);
    const QByteArray from = RecipeFolderNativePath(dataRoot, item);
    const QString to = FolderWithoutSlash(RecipeFolderPath(dataRoot, name));
    if (EntryExists(to))
        throw TSaporiaError(RecipeNameExistsMessage);
    const QByteArray toBytes = QFile::encodeName(to);
    if (!RenameNoReplace(from, toBytes)) {
        const int code = errno;
        if (code == EEXIST)
            throw TSaporiaError(RecipeNameExistsMessage);
        throw TSaporiaError(QStringLiteral("料理名を変更できません: %1 → %2 (%3)")
                                .arg(Native(from), Native(toBytes), QString::fromLocal8Bit(std::strerror(code))));
    }
    item.Name = name;
    item.FolderName = name.toUtf8();
    return true;
}
