#pragma once

#include <optional>

#include <QString>

// The text of a failed open of an address by the shell, by its result code.
QString ShellErrorText(int code);

// The code reported when no program could open an address: nothing is
// associated with it.
constexpr int NoAssociationCode = 31;

// An address of a local file or folder that is not there gives the code the
// shell reports for it: 2 when its folder exists (a missing file), 3 when the
// folder is missing too or the address names a folder. Nothing for a web
// address or a local one that exists.
std::optional<int> MissingLocalTargetCode(const QString& address);
