#include "ui/printing/print_output.h"

#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScopeGuard>

#include "core/platform/saporia_error.h"
#include "core/printing/report_composer.h"
#include "core/printing/report_painter.h"
#include "ui/platform/dialogs.h"
#include "ui/widgets/off_thread_work.h"

namespace {

TPrintCapture* CurrentCapture = nullptr;

void PreparePrinter(QPrinter& printer, const TComposedJob& job) {
    printer.setFullPage(true);
    printer.setPageSize(job.PageSize);
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

// The default printer, else the first one installed.
QPrinterInfo TargetPrinter() {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (!info.isNull())
        return info;
    const QList<QPrinterInfo> printers = QPrinterInfo::availablePrinters();
    if (printers.isEmpty())
        throw TSaporiaError(QStringLiteral("プリンターがインストールされていません"));
    return printers.first();
}

void Run(const TPrintWork& run, const std::function<void()>& work) {
    if (run)
        run(work);
    else
        work();
}

}  // namespace

void RunPrintWork(const std::function<void()>& work) {
    // Read here: the worker never looks at the window thread's hook pointer.
    const std::function<void()> whileWorking = CurrentCapture ? CurrentCapture->WhileWorking() : nullptr;
    RunOffWindowThread([&] {
        if (whileWorking)
            whileWorking();
        work();
    });
}

void CheckPrinter() {
    if (CurrentCapture && CurrentCapture->Takes())
        return;
    TargetPrinter();
}

void PrintJob(const TComposedJob& job, const TPrintWork& run) {
    if (CurrentCapture && CurrentCapture->Take(job, false))
        return;
    QPrinter printer(TargetPrinter(), QPrinter::HighResolution);
    if (!printer.isValid() || printer.outputFormat() != QPrinter::NativeFormat)
        throw TSaporiaError(QStringLiteral("プリンター「") + printer.printerName() +
                            QStringLiteral("」を使えません"));
    PreparePrinter(printer, job);
    Run(run, [&] { RenderJob(job, printer); });
}

void PreviewJob(const TComposedJob& job, QWidget* parent, const TPrintWork& run) {
    if (CurrentCapture && CurrentCapture->Take(job, true))
        return;
    QPrinter printer(QPrinter::HighResolution);
    PreparePrinter(printer, job);
    QPrintPreviewDialog preview(&printer, parent);
    preview.setObjectName(QStringLiteral("PrintPreviewDialog"));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, [&](QPrinter* target) {
        // Runs inside the dialog's event handling: no exception may leave it.
        GuardPrint(&preview, [&] {
            PreparePrinter(*target, job);
            // Recording drops the pages the preview shows: it must not paint
            // them until it has taken the new ones.
            const bool updates = preview.updatesEnabled();
            preview.setUpdatesEnabled(false);
            const auto restore = qScopeGuard([&] { preview.setUpdatesEnabled(updates); });
            Run(run, [&] { RenderJob(job, *target); });
        });
    });
    preview.exec();
}

const QString PrintErrorPrefix = QStringLiteral("Print Error. msg=");

bool GuardPrint(QWidget* parent, const std::function<void()>& command) {
    try {
        command();
        return true;
    } catch (const std::exception& error) {
        ShowMessageBox(parent, PrintErrorPrefix + ExceptionMessage(error), TMsgType::Error, TMsgButtons::Abort);
    } catch (...) {
        ShowMessageBox(parent, PrintErrorPrefix, TMsgType::Error, TMsgButtons::Abort);
    }
    return false;
}

TPrintCapture::TPrintCapture(THandler handler, std::function<void()> whileWorking)
    : Handler(std::move(handler)), Working(std::move(whileWorking)), Previous(CurrentCapture) {
    CurrentCapture = this;
}

TPrintCapture::~TPrintCapture() { CurrentCapture = Previous; }

