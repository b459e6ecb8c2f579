#include "ui/app/program_main.h"

#include <memory>

#include <QApplication>
#include <QHelpEvent>
#include <QLibraryInfo>
#include <QTimer>
#include <QToolTip>
#include <QTranslator>

#include "ui/app/splash_form.h"
#include "ui/app/window_table.h"
#include "ui/app/windows.h"
#include "ui/dialogs/element_form.h"
#include "ui/dialogs/icon_form.h"
#include "ui/dialogs/icon_manage_form.h"
#include "ui/dialogs/list_column_select_form.h"
#include "ui/dialogs/new_form.h"
#include "ui/dialogs/new_wizard_form.h"
#include "ui/dialogs/progress_form.h"
#include "ui/dialogs/version_form.h"
#include "ui/lan/client_form.h"
#include "ui/lan/client_start_form.h"
#include "ui/lan/ip_edit_form.h"
#include "ui/lan/server_form.h"
#include "ui/mainwindow/link_picture_form.h"
#include "ui/mainwindow/link_thumbnail_form.h"
#include "ui/mainwindow/main_form.h"
#include "core/recipes/open_recipe.h"
#include "core/recipes/recipe_book.h"
#include "core/recipes/recipe_name.h"
#include "core/settings/fonts.h"
#include "core/settings/settings_store.h"
#include "core/printing/print_layouts.h"
#include "ui/options/option_form.h"
#include "ui/platform/dialogs.h"
#include "core/platform/allocator_arenas.h"
#include "core/platform/collection_lock.h"
#include "core/platform/file_io.h"
#include "ui/platform/single_instance.h"
#include "ui/web/book_mark_folder_form.h"
#include "ui/web/book_mark_form.h"
#include "ui/web/book_mark_item_form.h"
#include "ui/web/rss_form.h"
#include "ui/tools/calc_form.h"
#include "ui/tools/timer_form.h"
#include "ui/tools/timer_set_form.h"

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

// What the settings give the attribute dialog and the wizard.
void ApplyChoices(const TWindows& windows, const TSettings& settings) {
    if (windows.ElementForm)
        windows.ElementForm->SetChoices(settings.CookKinds, settings.CookAmounts, settings.CookGroups);
    if (windows.NewWizardForm)
        windows.NewWizardForm->SetChoices(settings.CookKinds, settings.CookAmounts, settings.CookGroups);
}

}  // namespace

// The start-up table: one line per window, in this order.
void CreateWindows(TWindowTable& table, TWindows& windows, TSettingsStore& store, const QString& appDir) {
    // The core state comes first and goes last, after every window.
    auto* book = new TRecipeBook(appDir);
    table.AtDestruction([book] { delete book; });
    auto* recipe = table.Create<TOpenRecipe>(DataRootOf(appDir));
    TMainForm* main = windows.MainForm =
        table.Create<TMainForm>(appDir, TCoreState{&store, book, recipe, true}, &windows);  // 1 TMainForm
    // The main window goes last, when the others are gone.
    table.AtDestruction([&windows, main] { windows = TWindows{.MainForm = main}; });
    windows.IconForm = table.Create<TIconForm>(main);  // 2 TIconForm
    windows.VersionForm = table.Create<TVersionForm>(appDir, main);  // 3 TVersionForm
    windows.ElementForm = table.Create<TElementForm>(main);  // 4 TElementForm
    windows.ElementForm->SetIconPicker(windows.IconForm);
    auto* layouts = windows.PrintLayouts = new TPrintLayouts;  // the print layouts, each made in its place
    table.AtDestruction([layouts] { delete layouts; });
    layouts->Create(QStringLiteral("TPrintFormA4A"));  // 5 TPrintFormA4A
    windows.NewForm = table.Create<TNewForm>(main);  // 6 TNewForm
    windows.NewWizardForm = table.Create<TNewWizardForm>(main);  // 7 TNewWizardForm
    windows.NewWizardForm->SetIconPicker(windows.IconForm);
    windows.ListColumnSelectForm = table.Create<TListColumnSelectForm>(main);  // 8 TListColumnSelectForm
    {  // 9 TOptionForm: reads the settings and applies them to the windows made so far
        windows.OptionForm = table.Create<TOptionForm>(appDir, store, main);
        store.LoadSettings();
        main->ApplyOptionSettings(SettingsToApply(store.Settings(), appDir), true);
        ApplyChoices(windows, store.Settings());
        // The main window follows the store itself; the dialogs through here
        // (only the choices: no need to look for the background again).
        QObject::connect(&store, &TSettingsStore::SettingsChanged, windows.OptionForm,
                         [&windows, &store] { ApplyChoices(windows, store.Settings()); });
        // The option keys are written where the options window is destroyed.
        TOptionForm* options = windows.OptionForm;
        table.AtDestruction([&store, options] {
            try {
                store.WriteSettings();
            } catch (const std::exception& e) {
                ShowErrorBox(options, ExceptionMessage(e));
            }
        });
    }
    windows.TimerForm = table.Create<TTimerForm>(main);  // 10 TTimerForm
    layouts->Create(QStringLiteral("TPrintFormA4C"));  // 11 TPrintFormA4C
    layouts->Create(QStringLiteral("TPrintFormA4B"));  // 12 TPrintFormA4B
    windows.BookMarkForm = table.Create<TBookMarkForm>(appDir, &windows, main);  // 13 TBookMarkForm
    windows.BookMarkItemForm = table.Create<TBookMarkItemForm>(main);  // 14 TBookMarkItemForm
    windows.BookMarkFolderForm = table.Create<TBookMarkFolderForm>(main);  // 15 TBookMarkFolderForm
    windows.TimerSetForm = table.Create<TTimerSetForm>(windows.TimerForm);  // 16 TTimerSetForm
    windows.TimerForm->SetTimerSetForm(windows.TimerSetForm);
    windows.RSSForm = table.Create<TRSSForm>(appDir, &windows, main);  // 17 TRSSForm
    windows.CalcForm = table.Create<TCalcForm>(main);  // 18 TCalcForm
    // The options' OK may bring a new background picture.
    for (QWidget* form : std::initializer_list<QWidget*>{windows.TimerForm, windows.RSSForm, windows.CalcForm})
        QObject::connect(&store, &TSettingsStore::SettingsChanged, form, qOverload<>(&QWidget::update));
    windows.ProgressForm = table.Create<TProgressForm>(main);  // 19 TProgressForm
    windows.ClientForm = table.Create<TClientForm>(main);  // 20 TClientForm
    windows.ServerForm = table.Create<TServerForm>(*book, main);  // 21 TServerForm
    QObject::connect(windows.ServerForm, &TServerForm::ServingChanged, main, &TMainForm::SetServerMode);
    layouts->Create(QStringLiteral("TPrintFormA4D"));  // 22 TPrintFormA4D
    windows.IconManageForm = table.Create<TIconManageForm>(main);  // 23 TIconManageForm
    layouts->Create(QStringLiteral("TPrintFormB5A"));  // 24 TPrintFormB5A
    layouts->Create(QStringLiteral("TPrintFormB5B"));  // 25 TPrintFormB5B
    layouts->Create(QStringLiteral("TPrintFormB5C"));  // 26 TPrintFormB5C
    layouts->Create(QStringLiteral("TPrintFormB5D"));  // 27 TPrintFormB5D
    layouts->Create(QStringLiteral("TPrintFormLetterD"));  // 28 TPrintFormLetterD
    layouts->Create(QStringLiteral("TPrintFormLetterC"));  // 29 TPrintFormLetterC
    layouts->Create(QStringLiteral("TPrintFormLetterB"));  // 30 TPrintFormLetterB
    layouts->Create(QStringLiteral("TPrintFormLetterA"));  // 31 TPrintFormLetterA
    layouts->Create(QStringLiteral("TPrintFormA4RecipeList"));  // 32 TPrintFormA4RecipeList
    layouts->Create(QStringLiteral("TPrintFormLetterRecipeList"));  // 33 TPrintFormLetterRecipeList
    layouts->Create(QStringLiteral("TPrintFormB5RecipeList"));  // 34 TPrintFormB5RecipeList
    windows.LinkPictureForm = table.Create<TLinkPictureForm>();  // 35 TLinkPictureForm
    windows.LinkPictureForm->FormCreate(main);
    windows.LinkThumbnailForm = table.Create<TLinkThumbnailForm>();  // 36 TLinkThumbnailForm
    windows.ClientStartForm = table.Create<TClientStartForm>(appDir, windows, main);  // 37 TClientStartForm
    windows.IPEditForm = table.Create<TIPEditForm>(main);  // 38 TIPEditForm
    layouts->Create(QStringLiteral("TPrintFormA5A"));  // 39 TPrintFormA5A
    layouts->Create(QStringLiteral("TPrintFormA5C"));  // 40 TPrintFormA5C
    layouts->Create(QStringLiteral("TPrintFormA5D"));  // 41 TPrintFormA5D
    layouts->Create(QStringLiteral("TPrintFormA5ReceiptList"));  // 42 TPrintFormA5ReceiptList
    layouts->Create(QStringLiteral("TPrintFormA5B"));  // 43 TPrintFormA5B
    main->WireRecipeCommands();  // the icon picker's grid and the recipe commands
    main->FinishStartUpScan();  // read while the windows above were made
}

QTranslator* InstallQtTranslations(QCoreApplication& app) {
    // Japanese whatever the system locale, as every text of the program.
    auto* translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return nullptr;
    }
    app.installTranslator(translator);
    return translator;
}

int ProgramMain(int argc, char** argv) {
    LimitAllocatorArenas();
    QApplication app(argc, argv);
    return RunProgram(app, ExecutableFolder(), TSingleInstance::DefaultServerName());
}

int RunProgram(QApplication& app, const QString& appDir, const QString& serverName,
               const std::function<void(TMainForm&)>& loopStarted) {
    // The program ends when the main window closes, not when the last window
    // does (a modeless tool window may still be open, the splash may be the
    // only window for a moment).
    app.setQuitOnLastWindowClosed(false);

    // Before anything is read: the copy that owns the program folder, whoever
    // started it, is the only one that runs on it.
    const TCollectionLock collection(appDir, DataRootOf(appDir));
    TSingleInstance instance(serverName);
    if (collection.Busy()) {
        // The same user's copy comes to the front; another user's copy cannot
        // be reached, so say why this one ends. Nothing has been written.
        if (instance.AskRunningCopy())
            return 0;
        ShowMessageBox(nullptr, CollectionInUseMessage, TMsgType::Error, TMsgButtons::Ok, QStringLiteral("Saporia"));
        return 1;
    }
    if (!instance.Start())
        return 0;

    // Qt's own texts for this run only (tests run several programs in one process).
    const std::unique_ptr<QTranslator> qtTexts(InstallQtTranslations(app));

    auto* splash = new TSplashForm;
    splash->show();
    app.processEvents();

    // The store and the window pointers outlive every window.
    TSettingsStore store(SettingsFilePath(appDir));
    TWindows pointers;
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
            CreateWindows(windows, pointers, store, appDir);
        } catch (const std::exception& error) {
            ShowErrorBox(nullptr, ExceptionMessage(error));
            delete toolTips;
            return 1;
        }
        mainForm = pointers.MainForm;
        instance.SetWindow(mainForm);
        QObject::connect(mainForm, &TMainForm::Closed, &app, &QCoreApplication::quit, Qt::QueuedConnection);
        mainForm->show();
        mainForm->StartClock();
    }

    if (!mainForm->TerminateRequested()) {
        if (loopStarted)
            QTimer::singleShot(0, &app, [&loopStarted, mainForm] { loopStarted(*mainForm); });
        app.exec();
    }
    windows.DestroyAll();
    delete toolTips;
    return 0;
}
