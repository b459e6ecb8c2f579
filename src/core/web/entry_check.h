#pragma once

#include <QString>

// The checks of the folder and entry dialogs of the web tools. Each gives the
// message to show and the field to focus, or an empty message when the input
// is accepted as typed.
enum class TEntryField { None, Name, Title, Address };

struct TEntryProblem {
    QString Message;
    TEntryField Field = TEntryField::None;
    bool Ok() const { return Message.isEmpty(); }
};

// A folder name: not blank, none of the reserved characters.
TEntryProblem CheckFolderName(const QString& name);
// A title and address: title not blank, no double quote in either, a web
// address somewhere in the address.
TEntryProblem CheckEntry(const QString& title, const QString& address);

// Whether an address from the network may be handed to the browser: http,
// https and ftp only.
bool IsOpenableLink(const QString& link);
