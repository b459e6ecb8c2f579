#include "ui/lan/lan_commands.h"

#include "ui/app/windows.h"
#include "ui/lan/client_start_form.h"
#include "ui/lan/server_form.h"
#include "ui/mainwindow/main_bars.h"

namespace {

void ShowModeless(QWidget* window) {
    window->show();
    window->raise();
    window->activateWindow();
}

}  // namespace

void BindLanCommands(TMainBars& bars, TWindows& windows) {
    bars.Bind("C1", [&windows] {
        if (windows.ClientStartForm)
            ShowModeless(windows.ClientStartForm);
    });
    bars.Bind("MenuStartup", [&windows] {
        if (windows.ServerForm)
            windows.ServerForm->StartServer();
    });
    bars.Bind("MenuClose", [&windows] {
        if (windows.ServerForm)
            windows.ServerForm->StopServer();
    });
    bars.Bind("Detail1", [&windows] {
        if (windows.ServerForm)
            ShowModeless(windows.ServerForm);
    });
}
