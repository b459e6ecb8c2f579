#pragma once

#include <functional>

#include <QString>

class QWidget;

struct TComposedJob;

// How the long part of a job runs: drawing every page for the printer or the
// preview. By default at once on this thread; RunPrintWork moves it off.
using TPrintWork = std::function<void(const std::function<void()>& work)>;

// Where a composed job goes: the default printer or Qt's print preview.
// Throws TSaporiaError when there is no printer or printing fails.
void PrintJob(const TComposedJob& job, const TPrintWork& run = {});
// Throws the error PrintJob would give when there is no printer.
void CheckPrinter();
// The preview records its pages through `run`; meanwhile it paints nothing,
// so pages being replaced are never drawn.
void PreviewJob(const TComposedJob& job, QWidget* parent, const TPrintWork& run = {});

// Runs `work` off the window's thread while its event loop keeps going (see
// RunOffWindowThread): `work` must touch no widget and no shared object.
void RunPrintWork(const std::function<void()>& work);

// The guard of the print commands: a failure is shown as "Print Error. msg="
// and the message, with the single button Abort. False when it failed.
extern const QString PrintErrorPrefix;
bool GuardPrint(QWidget* parent, const std::function<void()>& command);

// ---- test hook ---------------------------------------------------------------
// While one exists, jobs are handed to it instead of a printer or a preview
// (one made with an empty handler lets them through).
class TPrintCapture final {
public:
    using THandler = std::function<void(const TComposedJob& job, bool preview)>;
    // `whileWorking` runs on the worker thread at the start of every
    // RunPrintWork, before the work itself.
    explicit TPrintCapture(THandler handler, std::function<void()> whileWorking = {});
    ~TPrintCapture();
    TPrintCapture(const TPrintCapture&) = delete;
    TPrintCapture& operator=(const TPrintCapture&) = delete;

    // Whether jobs are taken here rather than printed.
    bool Takes() const { return bool(Handler); }
    // False when the job is not taken.
    bool Take(const TComposedJob& job, bool preview) const {
        if (!Handler)
            return false;
        Handler(job, preview);
        return true;
    }

    const std::function<void()>& WhileWorking() const { return Working; }

private:
    THandler Handler;
    std::function<void()> Working;
    TPrintCapture* Previous = nullptr;
};
