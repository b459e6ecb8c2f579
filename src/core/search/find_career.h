#pragma once

#include <QString>
#include <QStringList>

// The refinement-search history ("FindCareer.dat" beside the executable):
// newest keyword first, at most FindCareerLimit entries, CP932 text with
// CR LF line ends.

inline constexpr int FindCareerLimit = 20;
inline const QString FindCareerFileName = QStringLiteral("FindCareer.dat");

// Puts the keyword at the head of the history; a keyword already in it moves
// up instead of being repeated, and the oldest entries beyond the limit go.
// Every keyword counts, the empty one and the placeholder text included.
void AddFindCareer(QStringList& history, const QString& keyword);

// Reads the history as it is; a missing file gives an empty list. Entries
// past the limit stay until AddFindCareer runs. An unreadable file throws
// TSaporiaError.
QStringList LoadFindCareer(const QString& path);

// Replaces the file atomically, also when the list is empty. Keywords that
// cannot be stored as one CP932 line are left out.
void SaveFindCareer(const QString& path, const QStringList& history);
