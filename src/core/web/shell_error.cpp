#include "core/web/shell_error.h"

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
