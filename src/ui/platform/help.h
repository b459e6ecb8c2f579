#pragma once

#include <QString>

// Shows the program's help document at `topic` (a section anchor, empty for
// the front page).
void ShowHelp(const QString& topic = {});
