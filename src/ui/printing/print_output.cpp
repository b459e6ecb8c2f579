#include "ui/printing/print_output.h"

#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include "core/platform/saporia_error.h"
#include "core/printing/report_composer.h"
#include "core/printing/report_painter.h"
#include "ui/platform/dialogs.h"

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

}  // namespace

void CheckPrinter() {
    if (CurrentCapture && CurrentCapture->Takes())
        return;
    TargetPrinter();
}

void PrintJob(const TComposedJob& job) {
    if (CurrentCapture && CurrentCapture->Take(job, false))
        return;
    QPrinter printer(TargetPrinter(), QPrinter::HighResolution);
    if (!printer.isValid() || printer.outputFormat() != QPrinter::NativeFormat)
        throw TSaporiaError(QStringLiteral("プリンター「") + printer.printerName() +
                            QStringLiteral("」を使えません"));
    PreparePrinter(printer, job);
    RenderJob(job, printer);
}

void PreviewJob(const TComposedJob& job, QWidget* parent) {
    if (CurrentCapture && CurrentCapture->Take(job, true))
        return;
    QPrinter printer(QPrinter::HighResolution);
    PreparePrinter(printer, job);
    QPrintPreviewDialog preview(&printer, parent);
    preview.setObjectName(QStringLiteral("PrintPreviewDialog"));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, [&job, &preview](QPrinter* target) {
        // Runs inside the dialog's event handling: no exception may leave it.
        GuardPrint(&preview, [&] {
            PreparePrinter(*target, job);
            RenderJob(job, *target);
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

TPrintCapture::TPrintCapture(THandler handler) : Handler(std::move(handler)), Previous(CurrentCapture) {
    CurrentCapture = this;
}

TPrintCapture::~TPrintCapture() { CurrentCapture = Previous; }

