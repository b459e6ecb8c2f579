#pragma once

#include <QFrame>
#include <QString>

class QLabel;
class QTimer;

// The looping busy picture of the progress window: a pot whose steam rises
// and a ladle that stirs, drawn frame by frame.
class TBusyAnimation final : public QWidget {
    Q_OBJECT
public:
    static constexpr int FrameCount = 37;

    explicit TBusyAnimation(QWidget* parent = nullptr);
    void Start();
    void Stop();
    bool IsRunning() const;
    int Frame() const { return CurrentFrame; }
    void SetFrame(int frame);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QTimer* Timer = nullptr;
    int CurrentFrame = 0;
};

// The one shared busy window: a line of text over a looping animation, no
// button and no way to cancel. Callers use TProgressScope rather than
// showing and hiding it by hand.
class TProgressForm final : public QWidget {
    Q_OBJECT
public:
    explicit TProgressForm(QWidget* mainWindow = nullptr);
    ~TProgressForm() override;

    void SetText(const QString& text);
    QString Text() const;
    // Shows the window centred on the main window (only the text changes when
    // it is already shown) and starts the animation.
    void ShowBusy();
    void CloseBusy();
    TBusyAnimation* Animation() const { return AnimateProgress; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* MainWindow = nullptr;
    QFrame* Panel1 = nullptr;
    QLabel* Label1 = nullptr;
    TBusyAnimation* AnimateProgress = nullptr;
};

// Shows the progress window with a text and the busy cursor while in scope,
// lets pending messages run once so the window paints, and closes both when
// the work ends, early or by an error. Nested scopes keep the window up
// until the outermost one ends.
class TProgressScope final {
public:
    TProgressScope(TProgressForm* form, const QString& text);
    ~TProgressScope();
    TProgressScope(const TProgressScope&) = delete;
    TProgressScope& operator=(const TProgressScope&) = delete;

private:
    TProgressForm* Form = nullptr;
};
