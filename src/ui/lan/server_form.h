#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QStatusBar;
class TAccessLog;
class TLanServer;
class TRecipeBook;

// "サーバー詳細画面": starts and stops the recipe server, shows its state and
// the access log. Closing the window only hides it; the server goes on.
class TServerForm final : public QDialog {
    Q_OBJECT
public:
    explicit TServerForm(const TRecipeBook& book, QWidget* mainWindow = nullptr);

    // Starts listening; a port that cannot be opened is reported in an error
    // box and nothing changes (false).
    bool StartServer();
    void StopServer();
    bool Serving() const;

    // The server itself, for its port and limits.
    TLanServer& Server() const { return *ServerSocket1; }
    TAccessLog& AccessLog() const { return *Log; }

    static constexpr int MaxLogLines = 1000;

signals:
    void ServingChanged(bool serving);

private:
    void ShowState(bool serving);

    TLanServer* ServerSocket1 = nullptr;
    TAccessLog* Log = nullptr;
    QPushButton* SpeedButton1 = nullptr;
    QPushButton* SpeedButton2 = nullptr;
    QLabel* PanelStatus = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QLabel* StatusPanel0 = nullptr;
    QPushButton* BitBtn1 = nullptr;
};
