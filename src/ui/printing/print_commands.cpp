#include "ui/printing/print_commands.h"

#include <optional>

#include <QScopeGuard>

#include "core/platform/allocator_arenas.h"
#include "core/platform/saporia_error.h"
#include "core/printing/print_layouts.h"
#include "core/printing/recipe_list_print.h"
#include "core/printing/recipe_print.h"
#include "core/printing/report_composer.h"
#include "core/recipes/open_recipe.h"
#include "core/recipes/recipe_book.h"
#include "core/settings/settings_store.h"
#include "ui/app/windows.h"
#include "ui/dialogs/progress_form.h"
#include "ui/mainwindow/list_area.h"
#include "ui/mainwindow/main_bars.h"
#include "ui/mainwindow/recipe_panes.h"
#include "ui/platform/dialogs.h"
#include "ui/printing/print_output.h"

const QString TPrintCommands::IndexProgressText = QStringLiteral("目次作成中...");

TPrintCommands::TPrintCommands(TParts parts, QWidget* owner) : QObject(owner), Parts(parts), Owner(owner) {}

TPrintCommands::~TPrintCommands() = default;

void TPrintCommands::Bind() {
    Parts.Bars.Bind(QStringLiteral("miPrint"), [this] { PrintRecipe(false); });
    Parts.Bars.Bind(QStringLiteral("PrintPreview1"), [this] { PrintRecipe(true); });
    Parts.Bars.Bind(QStringLiteral("B3"), [this] { PrintRecipeList(false); });
    Parts.Bars.Bind(QStringLiteral("A3"), [this] { PrintRecipeList(true); });
}

TPrintLayouts& TPrintCommands::Layouts() {
    if (Parts.Windows.PrintLayouts)
        return *Parts.Windows.PrintLayouts;
    if (!OwnLayouts)
        OwnLayouts = TPrintLayouts::CreateAll();
    return *OwnLayouts;
}

void TPrintCommands::PrintRecipe(bool preview) {
    GuardPrint(Owner, [&] {
        const int record = Parts.List.SelectedRecord();
        if (record < 0 || record >= Parts.Book.CookItems.size())
            throw TSaporiaError(QStringLiteral("レシピが選択されていません"));
        const TSettings& settings = Parts.Store.Settings();
        const TRecipeTexts texts = Parts.Panes.Texts();
        const TRecipePrintInput input{Parts.Book.CookItems[record], PaneText(texts.Foodstuff), PaneText(texts.How),
                                      PaneText(texts.Comment), Parts.Recipe.Photo().Picture};
        if (!preview) {
            CheckPrinter();  // before the question, not after the user said yes
            if (ShowMessageBox(Owner, PrintQuestion(settings.PaperSize), TMsgType::Confirmation,
                               TMsgButtons::YesNo) != TMsgResult::Yes)
                return;
        }
        TReport* layout = Layouts().Find(RecipeLayoutFor(settings));
        if (!layout)
            return;
        FillRecipeLayout(*layout, settings, input);
        const TComposedJob job = Compose(*layout);
        if (preview)
            PreviewJob(job, Owner);
        else
            PrintJob(job);
    });
}

void TPrintCommands::PrintRecipeList(bool preview) {
    GuardPrint(Owner, [&] {
        const TSettings settings = Parts.Store.Settings();
        TReport* layout = Layouts().Find(ListLayoutFor(settings));
        if (!layout)
            return;
        QList<int> rows;
        for (int row = 0, record = 0; (record = Parts.List.RecordOfRow(row)) >= 0; ++row)
            rows.append(record);
        // A large list takes a while to sort, break into lines and draw: it
        // is done on copies, off the window's thread, behind the progress
        // window, which stays up until the pages are ready.
        std::optional<TProgressScope> progress;
        progress.emplace(Parts.Windows.ProgressForm, IndexProgressText);
        const TCookItems items = Parts.Book.CookItems;
        TReport filled = *layout;
        TComposedJob job;
        RunPrintWork([&] {
            FillListLayout(filled, settings, RecipeIndexText(items, rows, settings.ContentsType));
            job = Compose(filled);
        });
        *layout = std::move(filled);
        const TPrintWork drawPages = [&](const std::function<void()>& work) {
            if (!progress)
                progress.emplace(Parts.Windows.ProgressForm, IndexProgressText);
            const auto done = qScopeGuard([&] { progress.reset(); });
            RunPrintWork(work);
        };
        if (preview)
            PreviewJob(job, Owner, drawPages);
        else
            PrintJob(job, drawPages);
    });
    // The index's pages were recorded on workers: once they are gone.
    ReturnFreedMemory();
}
