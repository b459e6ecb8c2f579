#include "core/web/shell_error.h"

#include <QFileInfo>
#include <QUrl>

QString ShellErrorText(int code) {
    const QString n = QString::number(code);
    switch (code) {
    case 0:
        return QStringLiteral("メモリまたはリソースが不足しています。 (") + n + u')';
    case 2:
        return QStringLiteral("指定されたファイルが見つかりません。 (") + n + u')';
    case 3:
        return QStringLiteral("指定されたパスが見つかりません。 (") + n + u')';
    case 11:
        return QStringLiteral("指定されたExeファイルが無効です。 (") + n + u')';
    default:
        return QStringLiteral("Exec Error ") + n;
    }
}

std::optional<int> MissingLocalTargetCode(const QString& address) {
    // Read the address the way the opener reads it.
    const QUrl url = QUrl::fromUserInput(address.trimmed());
    if (!url.isValid() || !url.isLocalFile())
        return std::nullopt;
    const QString path = url.toLocalFile();
    if (path.isEmpty() || QFileInfo::exists(path))
        return std::nullopt;
    if (path.endsWith(u'/'))
        return 3;
    return QFileInfo(QFileInfo(path).path()).isDir() ? 2 : 3;
}
