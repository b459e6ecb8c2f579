#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QLocalServer;
class QWidget;

// Finds the running copy of the same user. The first copy listens on a local
// socket named for the user; a later copy finds it, asks it to come to the
// front, and is told to exit. A socket file left by a killed copy answers no
// connection and is removed, so it never blocks a start. (The copy that owns
// the program folder is decided by TCollectionLock, whoever started it.)
class TSingleInstance final : public QObject {
    Q_OBJECT
public:
    // `serverName`: a plain name (placed in the temporary folder) or a full path.
    explicit TSingleInstance(const QString& serverName = DefaultServerName(), QObject* parent = nullptr);
    ~TSingleInstance() override;

    static QString DefaultServerName();

    // True: no other copy runs and this one now listens. False: another copy
    // runs and has been asked to come to the front; this copy should exit.
    bool Start();

    // The window restored and raised when a later copy asks.
    void SetWindow(QWidget* window) { Window = window; }

    // Un-minimises (keeping a maximised state) and brings the window to the front.
    static void RestoreAndRaise(QWidget* window);

    // Asks a running copy to come to the front, without listening; false when
    // none answers.
    bool AskRunningCopy();

signals:
    void RaiseRequested();

private:
    void OnNewConnection();

    QString ServerName;
    QLocalServer* Server = nullptr;
    QPointer<QWidget> Window;
};
