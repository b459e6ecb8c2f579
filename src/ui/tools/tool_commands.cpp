#include "ui/tools/tool_commands.h"

#include <QWidget>

#include "ui/app/windows.h"
#include "ui/mainwindow/main_bars.h"
#include "ui/platform/help.h"
#include "ui/platform/shell.h"
#include "ui/tools/calc_form.h"
#include "ui/tools/timer_form.h"

void TToolCommands::Bind(TMainBars& bars, TWindows& windows, const QString& appDir) {
    bars.Bind(QStringLiteral("miKitchenTimer"), [&windows] { ShowModeless(windows.TimerForm); });
    bars.Bind(QStringLiteral("miClac"), [&windows] { ShowModeless(windows.CalcForm); });
    bars.Bind(QStringLiteral("Help2"), [] { ShowHelp(); });
    bars.Bind(QStringLiteral("miHomePage"), [appDir] { OpenUrl(HomePageAddress(appDir)); });
    // The hidden item about the handheld export has nothing to show.
    bars.Bind(QStringLiteral("PSP1"), [] {});
}

void TToolCommands::ShowModeless(QWidget* window) {
    if (!window)
        return;
    window->show();
    window->raise();
    window->activateWindow();
}
