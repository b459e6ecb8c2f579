#pragma once

class QWidget;
class TMainBars;
struct TWindows;

// The main window's web commands: the RSS reader (menu, F12, tool button)
// and the bookmark drop-down with its organiser command.
void BindWebCommands(TMainBars& bars, TWindows& windows);
