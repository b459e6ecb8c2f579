// The main window's layout keys of the settings file.
#include "mainwindow/main_form.h"

#include <QToolButton>

void TMainForm::ReadLayout() {
    // Without a settings file: maximised over normal bounds 0, 0, 800 x 600,
    // the report view and the middle font size.
    setGeometry(0, 0, 800, 600);
    setWindowState(Qt::WindowMaximized);
    tbtnReportClick(0);
    ApplyFontSize(9);
    LayoutLoaded = true;
}

void TMainForm::WriteLayout() {}
