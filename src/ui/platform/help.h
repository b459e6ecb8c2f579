#pragma once

#include <QString>

// Shows the program's help document at `topic` (a section anchor, empty for
// the front page).
void ShowHelp(const QString& topic = {});

// The folder of the help document beside the executable: `appDir` + "help/".
QString HelpFolder(const QString& appDir);
// The program's home page: the help document's front page, as a file URL.
QString HomePageAddress(const QString& appDir);
