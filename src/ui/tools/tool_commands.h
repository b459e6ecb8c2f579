#pragma once

#include <QString>

class QWidget;
class TMainBars;
struct TWindows;

// The main window's launchers of the kitchen tools, the help and the home
// page, bound once to their commands.
class TToolCommands final {
public:
    // `windows` is read when a command runs (the windows are created after
    // the main window); `appDir` holds the help document.
    static void Bind(TMainBars& bars, TWindows& windows, const QString& appDir);

    // Shows a modeless tool window, or brings it forward when it is shown.
    static void ShowModeless(QWidget* window);
};
