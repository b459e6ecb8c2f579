#include "core/web/entry_check.h"

#include <QUrl>

#include "core/common/helpers.h"

namespace {

const QString NoTitle = QStringLiteral("タイトルが入力されていません");
const QString NoQuote = QStringLiteral("「\"」は使用できません.");

// Blank after removing characters up to U+0020 at both ends (a full-width
// blank counts as text).
bool IsBlank(const QString& text) {
    for (const QChar c : text)
        if (c.unicode() > 0x20)
            return false;
    return true;
}

}  // namespace

TEntryProblem CheckFolderName(const QString& name) {
    if (IsBlank(name))
        return {NoTitle, TEntryField::Name};
    QString message;
    if (!CheckForbiddenChars(name, &message))
        return {message, TEntryField::Name};
    return {};
}

TEntryProblem CheckEntry(const QString& title, const QString& address) {
    if (IsBlank(title))
        return {NoTitle, TEntryField::Title};
    if (title.contains(u'"'))
        return {NoQuote, TEntryField::Title};
    if (address.contains(u'"'))
        return {NoQuote, TEntryField::Address};
    int start = 0;
    int length = 0;
    if (!FindUrlInText(address, start, length))
        return {QStringLiteral("入力されたURLは無効です"), TEntryField::Address};
    return {};
}

bool IsOpenableLink(const QString& link) {
    const QUrl url(link.trimmed(), QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty())
        return false;
    const QString scheme = url.scheme().toLower();
    return scheme == u"http" || scheme == u"https" || scheme == u"ftp";
}
