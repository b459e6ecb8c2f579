#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// One recipe of the list, filled from its folder's attribute file. Texts are
// kept exactly as stored; numbers are parsed with -1 for unset.
struct TCookItem {
    int Icon = -1;  // index into the icon store; -1 = no icon
    QString Name;   // the folder's name as shown (see FolderNameText)
    // The folder's name exactly as listed; every operation on the record uses
    // it. Empty for a record not read from the disk: then Name in UTF-8.
    QByteArray FolderName;
    QString Kind;
    QString Amount;
    QString PhotoMark;  // "○" with a main photo, "×" without
    QString Date;
    QString Calorie;
    QString Price;
    QString WorkTime;
    QString Group;
    QString Salt;
    int NiceValue = -1;       // 0-5 as stored (not clamped); -1 = unset
    int DifficultValue = -1;  // likewise
    bool Visible = true;      // passes the refinement search

    bool operator==(const TCookItem&) const = default;
};

using TCookItems = QList<TCookItem>;

inline const QString PhotoMarkPresent = QStringLiteral("○");
inline const QString PhotoMarkAbsent = QStringLiteral("×");
