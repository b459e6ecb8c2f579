#pragma once

#include <functional>

#include <QString>

class QApplication;

class TWindowTable;

// The program's main block: one copy, the splash, every window in its order,
// the clock, the loop, then every window destroyed in reverse order.
int ProgramMain(int argc, char** argv);

// The same on an existing application object, with the program folder and the
// single-copy socket given; `loopStarted` runs once the loop runs (for tests).
int RunProgram(QApplication& app, const QString& appDir, const QString& serverName,
               const std::function<void()>& loopStarted = {});

// Creates the windows of the start-up table, in order, into `table`.
void CreateWindows(TWindowTable& table, const QString& appDir);
