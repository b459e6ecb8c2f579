#include "core/recipes/recipe_name.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "core/platform/file_io.h"
#include "core/platform/native_path.h"
#include "core/platform/saporia_error.h"
#include "core/platform/sjis.h"
#include "core/recipes/cook_item.h"

namespace {

constexpr qsizetype MaxNameBytes = 255;


bool IsControl(char32_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

}  // namespace

QString RecipeNameProblem(const QString& name) {
    if (Trim(name).isEmpty())
        return QStringLiteral("レシピ名が入力されていません");
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return QStringLiteral("レシピ名に「%1」は使えません").arg(name);
    for (char32_t c : name.toUcs4()) {
        if (IsControl(c))
            return QStringLiteral("レシピ名に制御文字 (U+%1) は使えません")
                .arg(QString::number(static_cast<uint>(c), 16).toUpper().rightJustified(4, QLatin1Char('0')));
        if (QStringLiteral("/\\:*?\"<>|").contains(QChar(static_cast<char16_t>(c))) && c < 0x80)
            return QStringLiteral("レシピ名に「%1」は使えません (使えない文字: / \\ : * ? \" < > |)")
                .arg(QChar(static_cast<char16_t>(c)));
    }
    TSjisFailure failure;
    const std::optional<QByteArray> sjis = TryToSjis(name, &failure);
    if (!sjis)
        return QStringLiteral("レシピ名の「%1」はShift-JISで保存できない文字です").arg(failure.Character);
    if (sjis->size() > MaxNameBytes || name.toUtf8().size() > MaxNameBytes)
        return QStringLiteral("レシピ名が長すぎます (%1バイトまで)").arg(MaxNameBytes);
    return QString();
}

void CheckRecipeName(const QString& name) {
    const QString problem = RecipeNameProblem(name);
    if (!problem.isEmpty())
        throw TSaporiaError(problem);
}

QString DataRootOf(const QString& appDir) {
    return WithTrailingSlash(appDir) + QStringLiteral("Cook");
}

bool IsDirectChildOf(const QString& dataRoot, const QString& path) {
    const QString root = QDir::cleanPath(dataRoot);
    const QString child = QDir::cleanPath(path);
    if (root.isEmpty() || child.size() <= root.size() + 1)
        return false;
    if (!child.startsWith(root + QLatin1Char('/')))
        return false;
    const QString rest = child.mid(root.size() + 1);
    return !rest.contains(QLatin1Char('/')) && rest != QLatin1String(".") && rest != QLatin1String("..");
}

QString RecipeFolderPath(const QString& dataRoot, const QString& name) {
    CheckRecipeName(name);
    QString root = dataRoot;
    while (root.size() > 1 && root.endsWith(QLatin1Char('/')))
        root.chop(1);
    const QString path = root + QLatin1Char('/') + name;
    if (!IsDirectChildOf(root, path))
        throw TSaporiaError(QStringLiteral("レシピのフォルダがデータフォルダの外を指しています: %1").arg(name));
    return path + QLatin1Char('/');
}

QString FolderNameText(const QByteArray& bytes) {
    const QString utf8 = QString::fromUtf8(bytes);
    return utf8.toUtf8() == bytes ? utf8 : FromSjis(bytes);
}

QByteArray RecipeFolderBytes(const TCookItem& item) {
    return item.FolderName.isEmpty() ? item.Name.toUtf8() : item.FolderName;
}

QByteArray RecipeFolderNativePath(const QString& dataRoot, const TCookItem& item) {
    const QByteArray name = RecipeFolderBytes(item);
    if (name.isEmpty() || name == "." || name == ".." || name.contains('/') || name.contains('\0'))
        throw TSaporiaError(QStringLiteral("レシピのフォルダがデータフォルダの外を指しています: %1").arg(item.Name));
    // Absolute, so that a link made to it by QtPathOf leads to it.
    QByteArray root =
        QFile::encodeName(QDir::isRelativePath(dataRoot) ? QFileInfo(dataRoot).absoluteFilePath() : dataRoot);
    while (root.size() > 1 && root.endsWith('/'))
        root.chop(1);
    return root + '/' + name;
}

QString RecipeFolderPath(const QString& dataRoot, const TCookItem& item) {
    return QtPathOf(RecipeFolderNativePath(dataRoot, item)) + QLatin1Char('/');
}
