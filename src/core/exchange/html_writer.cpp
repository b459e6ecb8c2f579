#include "core/exchange/html_writer.h"

#include <QDir>
#include <QFileInfo>

#include "core/exchange/export_folder.h"
#include "core/platform/file_io.h"
#include "core/platform/sjis.h"

void THtmlWriter::Line(int blanks, const QString& text) {
    Page += QString(blanks, QLatin1Char(' '));
    Page += text;
    Page += QStringLiteral("\r\n");
}

THtmlWriter StartRecipePage(const QString& title) {
    THtmlWriter page;
    page.Line(0, QStringLiteral("<html>"));
    page.Line(9, QStringLiteral("<head>"));
    page.Line(18, QStringLiteral("<title>") + title + QStringLiteral("</title>"));
    page.Line(9, QStringLiteral("</head>"));
    page.Line(9, QStringLiteral("<body>"));
    return page;
}

void RecipePageRow(THtmlWriter& page, const QStringList& cells) {
    page.Line(28, QStringLiteral("<tr>"));
    for (const QString& cell : cells)
        page.Line(35, cell);
    page.Line(28, QStringLiteral("</tr>"));
}

void EndRecipePage(THtmlWriter& page) {
    page.Line(9, QStringLiteral("</body>"));
    page.Line(0, QStringLiteral("</html>"));
}

QByteArray THtmlWriter::Bytes() const { return ToSjis(Page); }

void THtmlWriter::SaveTo(TExportFolder& folder, const QString& name) const {
    try {
        folder.Write(name, Bytes());
    } catch (const TSaporiaError& error) {
        throw THtmlSaveError(error.message());
    }
}

QString HtmlEscape(const QString& text) {
    QString result;
    result.reserve(text.size());
    for (const QChar c : text) {
        if (c == QLatin1Char('&'))
            result += QStringLiteral("&amp;");
        else if (c == QLatin1Char('<'))
            result += QStringLiteral("&lt;");
        else if (c == QLatin1Char('>'))
            result += QStringLiteral("&gt;");
        else
            result += c;
    }
    return result;
}

QString HtmlCell(const QStringList& lines) {
    if (lines.isEmpty())
        return QString();
    QString cell;
    for (const QString& line : lines)
        cell += HtmlEscape(line) + QStringLiteral("<br>");
    return cell + QStringLiteral("\r\n");
}

QString ColourDigits(const QString& text) {
    QString result;
    for (const QChar c : text) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            result += QStringLiteral("<font color=\"#FF0000\">") + c + QStringLiteral("</font>");
        else
            result += c;
    }
    return result;
}

QStringList RecipeTextLines(const QString& folder, const QString& fileName) {
    const QString path = ExistingPathIgnoringCase(folder, fileName);
    if (!QFileInfo(path).isFile())
        return {};
    return ReadSjisLines(path);
}

QString MakeStampedFolder(const QString& parent, const QString& prefix, const QDateTime& now, bool* made) {
    const QString name = prefix + now.toString(QStringLiteral("yyyyMMddHHmmss"));
    const QString path = WithTrailingSlash(parent) + name;
    if (made)
        *made = false;
    const QFileInfo info(path);
    if (info.isDir() && !info.isSymLink())
        return path;
    // One level only: a chosen folder that does not exist is an error.
    if (info.exists() || info.isSymLink() || !QDir(parent).exists() || !QDir(parent).mkdir(name))
        throw TExportFolderError(path + QStringLiteral("フォルダの作成に失敗しました。"));
    if (made)
        *made = true;
    return path;
}
