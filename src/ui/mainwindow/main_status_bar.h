#pragma once

#include <QStatusBar>

class QLabel;
class QProgressBar;

// The main window's status bar (StatusBar1): the shown and total recipe
// count (StatusPanel0), the gesture or the running work (StatusPanel1), the
// progress bar (ProgressBar1 in StatusPanel2) and the server mode
// (StatusPanel3).
class TMainStatusBar final : public QStatusBar {
public:
    explicit TMainStatusBar(QWidget* parent);

    // "表示数 : shown / total"
    void ShowCount(int shown, int total);
    void ShowGesture(const QString& letters);
    // "SERVER MODE" while the recipe server listens.
    void ShowServerMode(bool serving);

    // Shows a work's text and progress and resets both however the work ends.
    class TWork final {
    public:
        TWork(TMainStatusBar& bar, const QString& text, int maximum);
        ~TWork();
        void Step(int value);
        TWork(const TWork&) = delete;
        TWork& operator=(const TWork&) = delete;

    private:
        TMainStatusBar& Bar;
    };

private:
    QLabel* StatusPanel0 = nullptr;
    QLabel* StatusPanel1 = nullptr;
    QLabel* StatusPanel2 = nullptr;
    QLabel* StatusPanel3 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
};
