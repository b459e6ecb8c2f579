#include "core/platform/native_path.h"

#include <cerrno>
#include <cstring>
#include <mutex>

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QHash>
#include <QTemporaryDir>

#include "core/platform/saporia_error.h"

namespace {

// The links live outside the data folder, so no scan ever lists them, and
// they are unlinked one by one at exit: removing a link never touches what it
// points to.
class TAliasFolder final {
public:
    TAliasFolder() { Dir.setAutoRemove(false); }
    ~TAliasFolder() {
        for (const QString& link : std::as_const(Links))
            ::unlink(QFile::encodeName(link).constData());
        if (Dir.isValid())
            ::rmdir(QFile::encodeName(Dir.path()).constData());
    }
    TAliasFolder(const TAliasFolder&) = delete;
    TAliasFolder& operator=(const TAliasFolder&) = delete;

    QString Alias(const QByteArray& nativePath) {
        const std::lock_guard<std::mutex> guard(Lock);
        if (const auto it = Links.constFind(nativePath); it != Links.constEnd())
            return *it;
        if (!Dir.isValid())
            throw TSaporiaError(QStringLiteral("作業フォルダを作成できません: %1").arg(Dir.errorString()));
        const QString link = Dir.path() + QLatin1Char('/') + QString::number(Links.size());
        if (::symlink(nativePath.constData(), QFile::encodeName(link).constData()) != 0)
            throw TSaporiaError(QStringLiteral("フォルダを開けません: %1 (%2)")
                                    .arg(QFile::decodeName(nativePath), QString::fromLocal8Bit(std::strerror(errno))));
        Links.insert(nativePath, link);
        return link;
    }

private:
    std::mutex Lock;
    QTemporaryDir Dir{QDir::tempPath() + QStringLiteral("/saporia-names-XXXXXX")};
    QHash<QByteArray, QString> Links;
};

}  // namespace

QString QtPathOf(const QByteArray& nativePath) {
    const QString plain = QFile::decodeName(nativePath);
    if (QFile::encodeName(plain) == nativePath)
        return plain;
    static TAliasFolder aliases;
    return aliases.Alias(nativePath);
}
