#pragma once

#include <vector>

#include <QByteArray>
#include <QString>
#include <QStringList>

// The report view's columns, kept between runs in "Column.dat" beside the
// executable. A caption names the record field its column shows.

struct TColumnData {
    QString Caption;
    int Width = 50;
    bool Use = true;

    bool operator==(const TColumnData&) const = default;
};

using TColumnTable = std::vector<TColumnData>;

inline const QString ColumnFileName = QStringLiteral("Column.dat");

// The twelve columns used when "Column.dat" does not exist.
TColumnTable DefaultColumnTable();

// Reads the table from the file's text. Throws TSaporiaError when the text is
// not well-formed XML. A missing "List" gives no rows; each child node of
// "List" gives one row whatever its name; a width that is not a number is 50;
// Use is true only for the exact text "True".
TColumnTable ParseColumnTable(const QString& text);

// The file's bytes: the fixed lines with CR LF, in CP932. Captions are
// escaped ("&", "<", ">") so any caption reads back as itself. Throws
// TSaporiaError for a caption CP932 cannot hold.
QByteArray FormatColumnTable(const TColumnTable& table);

enum class TColumnTableSource {
    Loaded,     // read from the file
    Defaulted,  // the file is absent: the defaults
    Malformed,  // the file is there but unusable: the defaults, file kept
};

struct TColumnTableLoad {
    TColumnTable Table;
    TColumnTableSource Source = TColumnTableSource::Defaulted;
    // True when the table came from the file or the file was absent (defaults):
    // the table may be written back at exit. False when the file was there but
    // could not be used (unreadable, not XML, no "Document/List" as with a
    // "<list>" in lower case, or rows none of which has a caption; an empty
    // "List" is used as it is); then Error says why, the defaults are used for this
    // run, and the file must be kept as it is.
    bool WriteBack = true;
    QString Error;
};
TColumnTableLoad LoadColumnTable(const QString& path);

// Writes the file atomically; throws TSaporiaError on failure.
void SaveColumnTable(const QString& path, const TColumnTable& table);

// Each row whose caption equals a shown column's caption takes that column's
// width; rows not shown keep theirs.
void TakeBackColumnWidths(TColumnTable& table, const QStringList& captions, const QList<int>& widths);

// The shown columns, in table order.
QStringList ShownCaptions(const TColumnTable& table);
