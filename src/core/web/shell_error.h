#pragma once

#include <QString>

// The text of a failed open of a bookmark, by the shell's result code.
QString ShellErrorText(int code);

// The code reported when no program could open an address: nothing is
// associated with it.
constexpr int NoAssociationCode = 31;
