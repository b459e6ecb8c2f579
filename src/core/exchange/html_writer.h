#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include "core/platform/saporia_error.h"

class TExportFolder;

// The small HTML pages of the exports: lines with leading blanks, CP932,
// CR LF after each line.

// A folder of an export could not be made: the message is its path followed
// by "フォルダの作成に失敗しました。".
class TExportFolderError final : public TSaporiaError {
public:
    using TSaporiaError::TSaporiaError;
};

// A page could not be written.
class THtmlSaveError final : public TSaporiaError {
public:
    using TSaporiaError::TSaporiaError;
};

class THtmlWriter final {
public:
    // `text` may hold line breaks of its own (a cell's text).
    void Line(int blanks, const QString& text);
    // CP932; throws TSaporiaError naming a character it cannot hold.
    QByteArray Bytes() const;
    // Writes the page as `name` of the export; throws THtmlSaveError.
    void SaveTo(TExportFolder& folder, const QString& name) const;

private:
    QString Page;
};

// A recipe page up to its "<body>" line, titled `title` (already escaped);
// RecipePageRow adds a table row of the given cells, EndRecipePage closes the
// body and the page.
THtmlWriter StartRecipePage(const QString& title);
void RecipePageRow(THtmlWriter& page, const QStringList& cells);
void EndRecipePage(THtmlWriter& page);

// "&", "<" and ">" as entities, so no text of a recipe becomes markup.
QString HtmlEscape(const QString& text);

// A cell: each line escaped and followed by "<br>", then CR LF; empty for no
// lines.
QString HtmlCell(const QStringList& lines);

// Every ASCII digit wrapped in the red colour code, once.
QString ColourDigits(const QString& text);

// The lines of a CP932 text file of `folder`, found ignoring case; none when
// it is missing. One that is there but cannot be read throws TSaporiaError:
// an empty cell would pass for the recipe's text.
QStringList RecipeTextLines(const QString& folder, const QString& fileName);

// `parent` + "/" + `prefix` + the time as "yyyyMMddHHmmss", made one level
// deep (an existing one is used again; *made tells which). Returns the path
// without a final "/"; throws TExportFolderError.
QString MakeStampedFolder(const QString& parent, const QString& prefix, const QDateTime& now, bool* made = nullptr);
