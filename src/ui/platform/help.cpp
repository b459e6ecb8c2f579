#include "ui/platform/help.h"

#include <QApplication>
#include <QPointer>
#include <QUrl>

#include "ui/tools/help_form.h"
#include "ui/widgets/window_place.h"

namespace {

// The help window belongs to the main window when there is one, so it goes
// with it at exit.
QWidget* HelpOwner() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == QLatin1String("MainForm"))
            return widget;
    return nullptr;
}

}  // namespace

void ShowHelp(const QString& topic) {
    static QPointer<THelpForm> form;
    if (!form) {
        const QString appDir = QCoreApplication::applicationDirPath() + QLatin1Char('/');
        form = new THelpForm(HelpFolder(appDir), HelpOwner());
        form->setAttribute(Qt::WA_DeleteOnClose);
        CentreOnMain(form);
    }
    // Shown first: the browser scrolls to a section only once it has a size.
    form->show();
    form->ShowTopic(topic);
    form->raise();
    form->activateWindow();
}

QString HelpFolder(const QString& appDir) { return appDir + QStringLiteral("help/"); }

QString HomePageAddress(const QString& appDir) {
    return QUrl::fromLocalFile(HelpFolder(appDir) + THelpForm::FrontPage).toString();
}
