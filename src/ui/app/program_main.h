#pragma once

#include <functional>

#include <QString>

class QApplication;
class QCoreApplication;
class QTranslator;
class TMainForm;
class TSettingsStore;
class TWindowTable;
struct TWindows;

// The program's main block: one copy, the splash, every window in its order,
// the clock, the loop, then every window destroyed in reverse order.
int ProgramMain(int argc, char** argv);

// The same on an existing application object, with the program folder and the
// single-copy socket given; `loopStarted` runs once the loop runs (for tests).
int RunProgram(QApplication& app, const QString& appDir, const QString& serverName,
               const std::function<void(TMainForm&)>& loopStarted = {});

// Installs Qt's Japanese texts (dialog buttons, the file chooser) from Qt's
// translations folder; the translator belongs to `app`, nullptr when missing.
QTranslator* InstallQtTranslations(QCoreApplication& app);

// Creates the windows of the start-up table, in order, into `table`, and
// notes in `windows` those that others call; the recipe book and the open
// recipe are made first and handed to the windows. The settings are read from
// `store` when the options window is created and written back where it is
// destroyed; `store` and `windows` outlive the table.
void CreateWindows(TWindowTable& table, TWindows& windows, TSettingsStore& store, const QString& appDir);
