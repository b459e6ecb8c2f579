#include "ui/exchange/exchange_commands.h"

#include <atomic>

#include <QDateTime>
#include <QFileInfo>
#include <QTimer>

#include "core/exchange/exchange_file.h"
#include "core/exchange/export_folder.h"
#include "core/exchange/handheld_export.h"
#include "core/exchange/html_writer.h"
#include "core/exchange/recipe_html_export.h"
#include "core/exchange/web_recipe.h"
#include "core/platform/file_io.h"
#include "core/platform/saporia_error.h"
#include "core/recipes/icon_file.h"
#include "core/recipes/open_recipe.h"
#include "core/recipes/recipe_attributes.h"
#include "core/recipes/recipe_book.h"
#include "core/recipes/recipe_folder.h"
#include "core/recipes/recipe_name.h"
#include "ui/app/windows.h"
#include "ui/dialogs/progress_form.h"
#include "ui/exchange/import_from_cook_pad_form.h"
#include "ui/mainwindow/cook_list_view.h"
#include "ui/mainwindow/list_area.h"
#include "ui/mainwindow/main_bars.h"
#include "ui/mainwindow/main_status_bar.h"
#include "ui/mainwindow/recipe_panes.h"
#include "ui/platform/dialogs.h"
#include "ui/widgets/busy_cursor.h"
#include "ui/widgets/off_thread_work.h"

namespace {

const QString HtmlSaveFailed = QStringLiteral("HTMLでの保存に失敗しました。msg=");
constexpr int ProgressStepMs = 50;

void ShowAbortBox(QWidget* owner, const QString& text) {
    ShowMessageBox(owner, text, TMsgType::Error, TMsgButtons::Abort);
}

}  // namespace

TExchangeCommands::TExchangeCommands(TParts parts, QWidget* owner)
    : QObject(owner), Parts(std::move(parts)), Owner(owner) {
    using THandler = void (TExchangeCommands::*)();
    const std::pair<const char*, THandler> handlers[] = {
        {"miMailExport", &TExchangeCommands::MailExport},
        {"miMailImport", &TExchangeCommands::MailImport},
        {"miHTMLExport", &TExchangeCommands::HtmlExport},
        {"miPSPHtmlExport", &TExchangeCommands::HandheldExport},
        {"N4", &TExchangeCommands::WebImport},
    };
    for (const auto& [name, handler] : handlers)
        Parts.Bars.Bind(QLatin1String(name), [this, handler] { (this->*handler)(); });
}

void TExchangeCommands::MailExport() {
    const int record = Parts.List.SelectedRecord();
    if (record < 0 || record >= Parts.Book.CookItems.size() || !Parts.Recipe.IsOpen())
        return;
    const TCookItem item = Parts.Book.CookItems[record];
    // The extension is added after the chooser, so the question about an
    // existing file is asked here, of the file really written, in the words
    // the icon manager uses.
    const std::optional<QString> chosen = ChooseSaveFile(
        Owner, TFileDialogOptions{QString(), ExchangeFileFilter, QString(), item.Name, QString(), false});
    if (!chosen)
        return;
    const QString target = ExchangeFilePath(*chosen);
    if (QFileInfo::exists(target) && AskYesNo(Owner, IconOverwriteQuestion) != TMsgResult::Yes)
        return;
    RunGuarded(Owner, ErrorPrefix(QStringLiteral("Export")), [&] {
        // The texts as shown, unsaved edits included; the photo as saved.
        const TRecipeTexts texts = Parts.Panes.Texts();
        const QString photo = ExistingPathIgnoringCase(Parts.Recipe.Path(), PhotoFileName);
        const QByteArray photoBytes = QFileInfo(photo).isFile() ? ReadFileBytes(photo) : QByteArray();
        const TExchangeRecipe recipe = ExchangeRecipeOf(item, texts.Foodstuff, texts.How, texts.Comment, photoBytes);
        WriteFileAtomic(target, WriteExchangeFile(recipe));
    });
}

void TExchangeCommands::MailImport() {
    const std::optional<QString> chosen =
        ChooseOpenFile(Owner, TFileDialogOptions{QString(), ExchangeFileFilter, QString(), QString(), QString()});
    if (!chosen)
        return;
    const QString name = RecipeNameOfExchangeFile(*chosen);
    const QString problem = ImportNameProblem(Parts.Book.DataRoot(), name);
    if (IsImportClash(problem)) {
        ShowWarningBox(Owner, problem);
        return;
    }
    std::optional<TCookItem> created;
    RunGuarded(Owner, ErrorPrefix(QStringLiteral("Import")), [&] {
        if (!problem.isEmpty())
            throw TSaporiaError(problem);
        // Read and checked whole before the save question: a bad file asks nothing.
        const TExchangeRecipe recipe = LoadExchangeFile(*chosen);
        if (!Parts.QuerySaveChanges())
            return;
        TBusyCursor busy;
        created = WriteImportedRecipe(Parts.Book.DataRoot(), ImportedRecipeOf(name, recipe, Parts.Book.Icons.Count()));
    });
    if (!created)
        return;
    Parts.Book.CookItems.append(*created);
    Parts.List.IndicateList(int(Parts.Book.CookItems.size()) - 1);
}

void TExchangeCommands::HtmlExport() {
    const int record = Parts.List.SelectedRecord();
    if (record < 0 || record >= Parts.Book.CookItems.size() || !Parts.Recipe.IsOpen())
        return;
    const TCookItem item = Parts.Book.CookItems[record];
    const std::optional<QString> parent = ChooseFolder(Owner, QString(), QString());
    if (!parent)
        return;
    std::optional<TExportFolder> folder;
    try {
        folder.emplace(*parent, QString(), QDateTime::currentDateTime());
    } catch (const TSaporiaError& error) {
        ShowAbortBox(Owner, error.message());
        return;
    }
    try {
        ExportRecipeHtml(*folder, item.Name, Parts.Recipe.Path());
        folder->Keep();
    } catch (const TSaporiaError& error) {
        folder->Discard();
        ShowAbortBox(Owner, HtmlSaveFailed + error.message());
    }
}

void TExchangeCommands::HandheldExport() {
    const auto* view = Owner->findChild<TCookListView*>(QStringLiteral("CookListView"));
    const int rowCount = view ? view->RowCount() : 0;
    if (rowCount == 0) {
        ShowErrorBox(Owner, QStringLiteral("出力するレシピがありません。"));
        return;
    }
    const std::optional<QString> parent = ChooseFolder(Owner, QString(), QString());
    if (!parent)
        return;
    QList<THandheldRow> rows;
    RunGuarded(Owner, ErrorPrefix(QStringLiteral("Export")), [&] {
        for (int row = 0; row < rowCount; ++row) {
            const TCookItem& item = Parts.Book.CookItems.at(Parts.List.RecordOfRow(row));
            rows.append({item.Name, item.Kind, item.Amount, RecipeFolderPath(Parts.Book.DataRoot(), item)});
        }
    });
    if (rows.size() != rowCount)
        return;
    // The box comes after the progress window has closed and what the
    // failed export wrote is gone.
    QString failure;
    bool abortBox = true;  // the export's own boxes; anything else the standard one
    {
        TProgressScope progress(Parts.Windows.ProgressForm, QStringLiteral("PSP用HTML出力中..."));
        TMainStatusBar::TWork work(Parts.Status, QString(), rowCount - 1);
        try {
            TExportFolder folder(*parent, HandheldFolderPrefix, QDateTime::currentDateTime());
            // The files are read and written off the window's thread; the bar
            // follows the rows written.
            std::atomic<int> written{0};
            QTimer stepper;
            QObject::connect(&stepper, &QTimer::timeout, [&] { work.Step(written.load()); });
            stepper.start(ProgressStepMs);
            try {
                RunOffWindowThread([&] {
                    ExportHandheld(folder, rows, [&written](int row) { written.store(row); });
                    folder.Keep();
                });
            } catch (const THtmlSaveError& error) {
                failure = HtmlSaveFailed + error.message();
            } catch (const TSaporiaError& error) {
                failure = ErrorPrefix(QStringLiteral("Export")) + error.message();
                abortBox = false;
            }
            stepper.stop();
            if (!failure.isEmpty())
                RunOffWindowThread([&folder] { folder.Discard(); });
        } catch (const TExportFolderError& error) {
            failure = error.message();
        }
    }
    if (failure.isEmpty())
        return;
    if (abortBox)
        ShowAbortBox(Owner, failure);
    else
        ShowErrorBox(Owner, failure);
}

int TExchangeCommands::ImportFromCookPad() {
    TImportFromCookPadForm dialog(Parts.Book.DataRoot(), Owner);
    dialog.ResetForm();
    const int result = dialog.exec();
    if (result != WebImportRegister && result != WebImportRegisterNext)
        return WebImportCancel;
    return result;
}

void TExchangeCommands::WebImport() {
    RunWebImportLoop([this] { return ImportFromCookPad(); },
                     [this] { Parts.Bars.Action(QStringLiteral("miUpdate"))->trigger(); });
}
