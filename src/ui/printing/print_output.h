#pragma once

#include <functional>

#include <QString>

class QWidget;

struct TComposedJob;

// Where a composed job goes: the default printer or Qt's print preview.
// Throws TSaporiaError when there is no printer or printing fails.
void PrintJob(const TComposedJob& job);
// Throws the error PrintJob would give when there is no printer.
void CheckPrinter();
void PreviewJob(const TComposedJob& job, QWidget* parent);

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
    explicit TPrintCapture(THandler handler);
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

private:
    THandler Handler;
    TPrintCapture* Previous = nullptr;
};
