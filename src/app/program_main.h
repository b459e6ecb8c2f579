#pragma once

#include <QString>

class TWindowTable;

// The program's main block: one copy, the splash, every window in its order,
// the clock, the loop, then every window destroyed in reverse order.
int ProgramMain(int argc, char** argv);

// Creates the windows of the start-up table, in order, into `table`.
void CreateWindows(TWindowTable& table, const QString& appDir);
