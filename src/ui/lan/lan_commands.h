#pragma once

class TMainBars;
struct TWindows;

// The main window's LAN commands: the server list window ("C1"), starting
// and stopping the server and its window. The windows are looked up when a
// command runs, so the commands may be bound before they exist.
void BindLanCommands(TMainBars& bars, TWindows& windows);
