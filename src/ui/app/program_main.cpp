#include "ui/app/program_main.h"

#include <QApplication>
#include <QHelpEvent>
#include <QTimer>
#include <QToolTip>

#include "ui/app/splash_form.h"
#include "ui/app/window_table.h"
#include "ui/dialogs/element_form.h"
#include "ui/dialogs/icon_form.h"
#include "ui/dialogs/icon_manage_form.h"
#include "ui/dialogs/list_column_select_form.h"
#include "ui/dialogs/new_form.h"
#include "ui/dialogs/new_wizard_form.h"
#include "ui/dialogs/progress_form.h"
#include "ui/dialogs/version_form.h"
#include "ui/mainwindow/link_picture_form.h"
#include "ui/mainwindow/link_thumbnail_form.h"
#include "ui/mainwindow/main_form.h"
#include "core/settings/fonts.h"
#include "ui/options/option_form.h"
#include "ui/platform/dialogs.h"
#include "core/platform/file_io.h"
#include "ui/platform/single_instance.h"

namespace {

// Tool-tips stay up for 30 seconds.
class TToolTipPause final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ToolTip) {
            auto* widget = qobject_cast<QWidget*>(watched);
            if (widget && !widget->toolTip().isEmpty()) {
                auto* help = static_cast<QHelpEvent*>(event);
                QToolTip::showText(help->globalPos(), widget->toolTip(), widget, QRect(), 30000);
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

QString ExecutableFolder() { return WithTrailingSlash(QCoreApplication::applicationDirPath()); }

}  // namespace

// The start-up table: one line per window, in this order.
void CreateWindows(TWindowTable& table, const QString& appDir) {
    table.Create<TMainForm>(appDir);  // 1 TMainForm
    table.Create<TIconForm>(MainForm);  // 2 TIconForm
    table.Create<TVersionForm>(appDir, MainForm);  // 3 TVersionForm
    table.Create<TElementForm>(MainForm);  // 4 TElementForm
    // 5 TPrintFormA4A
    table.Create<TNewForm>(MainForm);  // 6 TNewForm
    table.Create<TNewWizardForm>(MainForm);  // 7 TNewWizardForm
    table.Create<TListColumnSelectForm>(MainForm);  // 8 TListColumnSelectForm
    {  // 9 TOptionForm: reads the settings and applies them to the windows made so far
        auto* options = table.Create<TOptionForm>(appDir, MainForm);
        options->AddSettingsTarget([](const TSettingsApply& apply, bool starting) {
            if (MainForm)
                MainForm->ApplyOptionSettings(apply, starting);
            if (ElementForm)
                ElementForm->SetChoices(apply.KindChoices, apply.AmountChoices, apply.GroupChoices);
            if (NewWizardForm)
                NewWizardForm->SetChoices(apply.KindChoices, apply.AmountChoices, apply.GroupChoices);
        });
        options->ApplySettings(true);
    }
    // 10 TTimerForm
    // 11 TPrintFormA4C
    // 12 TPrintFormA4B
    // 13 TBookMarkForm
    // 14 TBookMarkItemForm
    // 15 TBookMarkFolderForm
    // 16 TTimerSetForm
    // 17 TRSSForm
    // 18 TCalcForm
    table.Create<TProgressForm>(MainForm);  // 19 TProgressForm
    // 20 TClientForm
    // 21 TServerForm
    // 22 TPrintFormA4D
    table.Create<TIconManageForm>(MainForm);  // 23 TIconManageForm
    // 24 TPrintFormB5A
    // 25 TPrintFormB5B
    // 26 TPrintFormB5C
    // 27 TPrintFormB5D
    // 28 TPrintFormLetterD
    // 29 TPrintFormLetterC
    // 30 TPrintFormLetterB
    // 31 TPrintFormLetterA
    // 32 TPrintFormA4RecipeList
    // 33 TPrintFormLetterRecipeList
    // 34 TPrintFormB5RecipeList
    LinkPictureForm = table.Create<TLinkPictureForm>();  // 35 TLinkPictureForm
    LinkPictureForm->FormCreate(MainForm);
    LinkThumbnailForm = table.Create<TLinkThumbnailForm>();  // 36 TLinkThumbnailForm
    // 37 TClientStartForm
    // 38 TIPEditForm
    // 39 TPrintFormA5A
    // 40 TPrintFormA5C
    // 41 TPrintFormA5D
    // 42 TPrintFormA5ReceiptList
    // 43 TPrintFormA5B
    if (MainForm)
        MainForm->WireRecipeCommands();  // the icon picker's grid and the recipe commands
}

int ProgramMain(int argc, char** argv) {
    QApplication app(argc, argv);
    return RunProgram(app, ExecutableFolder(), TSingleInstance::DefaultServerName());
}

int RunProgram(QApplication& app, const QString& appDir, const QString& serverName,
               const std::function<void()>& loopStarted) {
    // The program ends when the main window closes, not when the last window
    // does (a modeless tool window may still be open, the splash may be the
    // only window for a moment).
    app.setQuitOnLastWindowClosed(false);

    TSingleInstance instance(serverName);
    if (!instance.Start())
        return 0;

    auto* splash = new TSplashForm;
    splash->show();
    app.processEvents();

    TWindowTable windows;
    TMainForm* mainForm = nullptr;
    auto* toolTips = new TToolTipPause(&app);
    {
        // The splash goes whatever happens below.
        struct TSplashRelease {
            TSplashForm* Splash;
            ~TSplashRelease() {
                Splash->hide();
                Splash->deleteLater();
            }
        } release{splash};

        QApplication::setApplicationName(QStringLiteral("Saporia"));
        InstallFontSubstitutions();
        app.installEventFilter(toolTips);
        try {
            CreateWindows(windows, appDir);
        } catch (const std::exception& error) {
            ShowErrorBox(nullptr, ExceptionMessage(error));
            delete toolTips;
            return 1;
        }
        mainForm = MainForm;
        instance.SetWindow(mainForm);
        QObject::connect(mainForm, &TMainForm::Closed, &app, &QCoreApplication::quit, Qt::QueuedConnection);
        mainForm->show();
        mainForm->tmClock->start();
    }

    if (!mainForm->TerminateRequested) {
        if (loopStarted)
            QTimer::singleShot(0, &app, loopStarted);
        app.exec();
    }
    windows.DestroyAll();
    delete toolTips;
    return 0;
}
