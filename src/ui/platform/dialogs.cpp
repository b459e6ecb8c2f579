#include "ui/platform/dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

#include "core/platform/saporia_error.h"

namespace {

TDialogAnswerer* CurrentAnswerer = nullptr;

TMsgResult CancelLike(TMsgButtons buttons) {
    switch (buttons) {
    case TMsgButtons::Ok: return TMsgResult::Ok;
    case TMsgButtons::Abort: return TMsgResult::Abort;
    case TMsgButtons::YesNo: return TMsgResult::No;
    case TMsgButtons::OkCancel:
    case TMsgButtons::YesNoCancel: return TMsgResult::Cancel;
    }
    return TMsgResult::Cancel;
}

QString DefaultCaption(const QString& caption) {
    if (!caption.isEmpty())
        return caption;
    const QString name = QApplication::applicationDisplayName();
    return name.isEmpty() ? QStringLiteral("Saporia") : name;
}

QMessageBox::Icon IconOf(TMsgType type) {
    switch (type) {
    case TMsgType::Information: return QMessageBox::Information;
    case TMsgType::Warning: return QMessageBox::Warning;
    case TMsgType::Error: return QMessageBox::Critical;
    case TMsgType::Confirmation: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

// Answers a chooser from the hook; nullopt in `handled` means "no hook".
bool AnsweredByHook(TDialogKind kind, const QString& caption, const QString& proposed,
                    std::optional<QString>& result) {
    if (!CurrentAnswerer)
        return false;
    TDialogCall call;
    call.Kind = kind;
    call.Caption = caption;
    call.Text = caption;
    call.DefaultValue = proposed;
    const auto answer = CurrentAnswerer->Take(call);
    result.reset();
    if (answer && answer->Text && !answer->Cancel)
        result = *answer->Text;
    return true;
}

}  // namespace

TMsgResult ShowMessageBox(QWidget* parent, const QString& text, TMsgType type, TMsgButtons buttons,
                          const QString& caption) {
    if (CurrentAnswerer) {
        TDialogCall call;
        call.Kind = TDialogKind::Message;
        call.Type = type;
        call.Buttons = buttons;
        call.Caption = caption;
        call.Text = text;
        const auto answer = CurrentAnswerer->Take(call);
        if (answer && answer->Result)
            return *answer->Result;
        return CancelLike(buttons);
    }

    QMessageBox box(IconOf(type), DefaultCaption(caption), text, QMessageBox::NoButton, parent);
    QPushButton* ok = nullptr;
    QPushButton* cancel = nullptr;
    QPushButton* yes = nullptr;
    QPushButton* no = nullptr;
    QPushButton* abort = nullptr;
    switch (buttons) {
    case TMsgButtons::Ok:
        ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        box.setEscapeButton(ok);
        break;
    case TMsgButtons::OkCancel:
        ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        cancel = box.addButton(QStringLiteral("キャンセル"), QMessageBox::RejectRole);
        box.setEscapeButton(cancel);
        break;
    case TMsgButtons::YesNo:
        yes = box.addButton(QStringLiteral("はい(&Y)"), QMessageBox::YesRole);
        no = box.addButton(QStringLiteral("いいえ(&N)"), QMessageBox::NoRole);
        box.setEscapeButton(no);
        break;
    case TMsgButtons::YesNoCancel:
        yes = box.addButton(QStringLiteral("はい(&Y)"), QMessageBox::YesRole);
        no = box.addButton(QStringLiteral("いいえ(&N)"), QMessageBox::NoRole);
        cancel = box.addButton(QStringLiteral("キャンセル"), QMessageBox::RejectRole);
        box.setEscapeButton(cancel);
        break;
    case TMsgButtons::Abort:
        abort = box.addButton(QStringLiteral("中止(&A)"), QMessageBox::RejectRole);
        box.setEscapeButton(abort);
        break;
    }
    box.exec();
    // The result code of exec() is not used: a box closed without a button
    // (Rejected, 0) must not read as the first button.
    QAbstractButton* clicked = box.clickedButton();
    if (clicked && clicked == ok) return TMsgResult::Ok;
    if (clicked && clicked == yes) return TMsgResult::Yes;
    if (clicked && clicked == no) return TMsgResult::No;
    if (clicked && clicked == abort) return TMsgResult::Abort;
    if (clicked && clicked == cancel) return TMsgResult::Cancel;
    return CancelLike(buttons);
}

void ShowErrorBox(QWidget* parent, const QString& text) {
    ShowMessageBox(parent, text, TMsgType::Error, TMsgButtons::Ok);
}

void ShowInformationBox(QWidget* parent, const QString& text) {
    ShowMessageBox(parent, text, TMsgType::Information, TMsgButtons::Ok);
}

void ShowWarningBox(QWidget* parent, const QString& text) {
    ShowMessageBox(parent, text, TMsgType::Warning, TMsgButtons::Ok);
}

TMsgResult AskYesNo(QWidget* parent, const QString& text) {
    return ShowMessageBox(parent, text, TMsgType::Confirmation, TMsgButtons::YesNo);
}

TMsgResult AskYesNoCancel(QWidget* parent, const QString& text) {
    return ShowMessageBox(parent, text, TMsgType::Confirmation, TMsgButtons::YesNoCancel);
}

bool InputQuery(QWidget* parent, const QString& caption, const QString& prompt, QString& value) {
    if (CurrentAnswerer) {
        TDialogCall call;
        call.Kind = TDialogKind::Input;
        call.Caption = caption;
        call.Text = prompt;
        call.DefaultValue = value;
        const auto answer = CurrentAnswerer->Take(call);
        if (answer && answer->Text && !answer->Cancel) {
            value = *answer->Text;
            return true;
        }
        return false;
    }
    QInputDialog dialog(parent);
    dialog.setWindowTitle(caption);
    dialog.setLabelText(prompt);
    dialog.setTextValue(value);
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("キャンセル"));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    value = dialog.textValue();
    return true;
}

QString InputBox(QWidget* parent, const QString& caption, const QString& prompt,
                 const QString& defaultValue) {
    QString value = defaultValue;
    if (!InputQuery(parent, caption, prompt, value))
        return defaultValue;
    return value;
}

std::optional<QString> ChooseOpenFile(QWidget* parent, const TFileDialogOptions& options) {
    std::optional<QString> result;
    if (AnsweredByHook(TDialogKind::OpenFile, options.Caption, options.FileName, result))
        return result;
    QString dir = options.InitialDir;
    if (!options.FileName.isEmpty())
        dir = QFileInfo(QDir(dir), options.FileName).filePath();
    const QString path = QFileDialog::getOpenFileName(parent, options.Caption, dir, options.Filter);
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

std::optional<QString> ChooseSaveFile(QWidget* parent, const TFileDialogOptions& options) {
    std::optional<QString> result;
    if (AnsweredByHook(TDialogKind::SaveFile, options.Caption, options.FileName, result))
        return result;
    QFileDialog dialog(parent, options.Caption, options.InitialDir, options.Filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (!options.DefaultExt.isEmpty())
        dialog.setDefaultSuffix(options.DefaultExt);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !options.AskOverwrite);
    if (!options.FileName.isEmpty())
        dialog.selectFile(options.FileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

std::optional<QString> ChoosePictureFile(QWidget* parent, const TFileDialogOptions& options) {
    std::optional<QString> result;
    if (AnsweredByHook(TDialogKind::Picture, options.Caption, options.FileName, result))
        return result;
    TFileDialogOptions withFilter = options;
    if (withFilter.Filter.isEmpty())
        withFilter.Filter = QStringLiteral("画像 (*.jpg *.jpeg *.bmp);;すべてのファイル (*)");
    QString dir = withFilter.InitialDir;
    const QString path = QFileDialog::getOpenFileName(parent, withFilter.Caption, dir, withFilter.Filter);
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

std::optional<QString> ChooseFolder(QWidget* parent, const QString& caption, const QString& initialDir) {
    std::optional<QString> result;
    if (AnsweredByHook(TDialogKind::Folder, caption, initialDir, result))
        return result;
    QFileDialog dialog(parent, caption, initialDir);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

QString ErrorPrefix(const QString& operation) { return operation + QStringLiteral(" Error. Msg="); }

QString ExceptionMessage(const std::exception& error) {
    if (const auto* own = dynamic_cast<const TSaporiaError*>(&error))
        return own->message();
    return QString::fromLocal8Bit(error.what());
}

bool RunGuarded(QWidget* parent, const QString& errorPrefix, const std::function<void()>& command) {
    try {
        command();
        return true;
    } catch (const std::exception& error) {
        ShowErrorBox(parent, errorPrefix + ExceptionMessage(error));
    } catch (...) {
        ShowErrorBox(parent, errorPrefix + QStringLiteral("unknown error"));
    }
    return false;
}

// ---- test hook ---------------------------------------------------------------

TDialogAnswerer::TDialogAnswerer() : Previous(CurrentAnswerer) { CurrentAnswerer = this; }

TDialogAnswerer::~TDialogAnswerer() { CurrentAnswerer = Previous; }

void TDialogAnswerer::Answer(TMsgResult result) {
    TQueued q;
    q.Result = result;
    Queue.push_back(std::move(q));
}

void TDialogAnswerer::AnswerText(const QString& text) {
    TQueued q;
    q.Text = text;
    q.Result = TMsgResult::Ok;
    Queue.push_back(std::move(q));
}

void TDialogAnswerer::AnswerCancel() {
    TQueued q;
    q.Cancel = true;
    q.Result = TMsgResult::Cancel;
    Queue.push_back(std::move(q));
}

void TDialogAnswerer::AnswerWith(std::function<TMsgResult(const TDialogCall&)> answer) {
    TQueued q;
    q.Function = std::move(answer);
    Queue.push_back(std::move(q));
}

QStringList TDialogAnswerer::Texts() const {
    QStringList texts;
    for (const TDialogCall& call : Log)
        texts << call.Text;
    return texts;
}

int TDialogAnswerer::Unanswered() const {
    int count = 0;
    for (const TDialogCall& call : Log)
        count += call.Answered ? 0 : 1;
    return count;
}

std::optional<TDialogAnswerer::TQueued> TDialogAnswerer::Take(TDialogCall call) {
    if (Queue.empty()) {
        call.Answered = false;
        Log.push_back(call);
        return std::nullopt;
    }
    TQueued answer = std::move(Queue.front());
    Queue.pop_front();
    call.Answered = true;
    Log.push_back(call);
    if (answer.Function) {
        answer.Result = answer.Function(call);
        answer.Function = nullptr;
    }
    return answer;
}
