#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include <QString>
#include <QStringList>

class QWidget;

// Message boxes, the input box and the file and folder choosers. Every dialog of
// the program goes through these functions, so a test can answer them through
// TDialogAnswerer without a modal loop.

enum class TMsgType { Information, Warning, Error, Confirmation };
enum class TMsgButtons { Ok, OkCancel, YesNo, YesNoCancel, Abort };
enum class TMsgResult { Ok, Cancel, Abort, Yes, No };

TMsgResult ShowMessageBox(QWidget* parent, const QString& text, TMsgType type, TMsgButtons buttons,
                          const QString& caption = QString());

// The common boxes.
void ShowErrorBox(QWidget* parent, const QString& text);        // error, OK
void ShowInformationBox(QWidget* parent, const QString& text);  // information, OK
void ShowWarningBox(QWidget* parent, const QString& text);      // warning, OK
TMsgResult AskYesNo(QWidget* parent, const QString& text);
TMsgResult AskYesNoCancel(QWidget* parent, const QString& text);

// Input box: returns the answer, or `defaultValue` when cancelled.
QString InputBox(QWidget* parent, const QString& caption, const QString& prompt,
                 const QString& defaultValue);
// Input query: true and `value` replaced on OK; false and `value` untouched on Cancel.
bool InputQuery(QWidget* parent, const QString& caption, const QString& prompt, QString& value);

struct TFileDialogOptions {
    QString Caption;
    QString Filter;      // Qt filter text, "JPEG (*.jpg *.jpeg);;すべて (*)"
    QString InitialDir;
    QString FileName;    // proposed name (save) or preselected file (open)
    QString DefaultExt;  // without the dot; added to a saved name that has none
    bool AskOverwrite = true;  // save: the chooser asks before an existing file is chosen
};

// Each returns the chosen path, or nothing when the user cancelled.
std::optional<QString> ChooseOpenFile(QWidget* parent, const TFileDialogOptions& options);
std::optional<QString> ChooseSaveFile(QWidget* parent, const TFileDialogOptions& options);
std::optional<QString> ChoosePictureFile(QWidget* parent, const TFileDialogOptions& options);
// A folder that does not exist yet is accepted and not created.
std::optional<QString> ChooseFolder(QWidget* parent, const QString& caption, const QString& initialDir);

// The command guard: runs `command`; a TSaporiaError or any other exception is
// caught and shown in an error box as `errorPrefix` + message, so no exception
// crosses an event handler. Returns false when the command failed.
// ErrorPrefix("Save") gives "Save Error. Msg=".
QString ErrorPrefix(const QString& operation);
bool RunGuarded(QWidget* parent, const QString& errorPrefix, const std::function<void()>& command);

// The message of a caught exception (TSaporiaError's own text, else what()).
QString ExceptionMessage(const std::exception& error);

// ---- test hook ---------------------------------------------------------------

enum class TDialogKind { Message, Input, OpenFile, SaveFile, Picture, Folder };

struct TDialogCall {
    TDialogKind Kind = TDialogKind::Message;
    TMsgType Type = TMsgType::Information;
    TMsgButtons Buttons = TMsgButtons::Ok;
    QString Caption;
    QString Text;           // message text, input prompt, or file dialog caption
    QString DefaultValue;   // input default, proposed file name
    bool Answered = false;  // false: no queued answer; the cancel-like default was given
};

// While one exists, every dialog is answered from its queue instead of being
// shown. A dialog without a queued answer gets its cancel-like default (Cancel,
// No, or OK for a box with only OK) and is recorded as unanswered.
class TDialogAnswerer final {
public:
    TDialogAnswerer();
    ~TDialogAnswerer();
    TDialogAnswerer(const TDialogAnswerer&) = delete;
    TDialogAnswerer& operator=(const TDialogAnswerer&) = delete;

    void Answer(TMsgResult result);        // next message box
    void AnswerText(const QString& text);  // next input box or chooser: OK with this text/path
    void AnswerCancel();                   // next input box or chooser: cancelled
    // Runs when the next dialog comes, in place of a queued answer (e.g. to
    // check state at that moment); its result is taken as the answer.
    void AnswerWith(std::function<TMsgResult(const TDialogCall&)> answer);

    const std::vector<TDialogCall>& Calls() const { return Log; }
    QStringList Texts() const;  // texts of every recorded call, in order
    int Pending() const { return static_cast<int>(Queue.size()); }
    int Unanswered() const;
    void ClearLog() { Log.clear(); }

    struct TQueued {
        std::optional<TMsgResult> Result;
        std::optional<QString> Text;
        bool Cancel = false;
        std::function<TMsgResult(const TDialogCall&)> Function;
    };
    // Used by the dialog functions.
    std::optional<TQueued> Take(TDialogCall call);

private:
    std::deque<TQueued> Queue;
    std::vector<TDialogCall> Log;
    TDialogAnswerer* Previous = nullptr;
};
