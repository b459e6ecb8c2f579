// The whole program for tests that start it as a separate process: every
// message box is answered at once and its text written to standard output.
//
//   saporia_program_child <program folder> [close]
//
// Prints "running" once the message loop runs; with "close" the main window
// is closed then, else the copy runs until it is killed.

#include <cstdio>

#include <QApplication>

#include "ui/app/program_main.h"
#include "ui/mainwindow/main_form.h"
#include "ui/platform/dialogs.h"
#include "ui/platform/single_instance.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2)
        return 2;
    const bool close = args.size() > 2 && args[2] == QStringLiteral("close");
    TDialogAnswerer answers;
    const int result =
        RunProgram(app, args[1], TSingleInstance::DefaultServerName(), [close](TMainForm& form) {
            std::printf("running\n");
            std::fflush(stdout);
            if (close)
                form.close();
        });
    for (const QString& text : answers.Texts())
        std::printf("dialog: %s\n", text.toUtf8().constData());
    return result;
}
