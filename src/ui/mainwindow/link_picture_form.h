#pragma once

#include <QPointer>
#include <QWidget>

class QImage;
class QScrollArea;
class QToolButton;
class TPictureBox;

// The viewer of a linked picture: a small sizeable tool window, the picture
// fitted to the window or at its own size with scroll bars.
class TLinkPictureForm final : public QWidget {
    Q_OBJECT
public:
    explicit TLinkPictureForm(QWidget* parent = nullptr);

    QToolButton* ToolButton1 = nullptr;  // fit to the window
    QToolButton* ToolButton2 = nullptr;  // own size
    QScrollArea* ScrollBox1 = nullptr;
    TPictureBox* Image1 = nullptr;

    // Centres the window on the main window, now and whenever it opens.
    void FormCreate(QWidget* mainWindow);
    // Loads a picture file (throws TSaporiaError) and shows the window.
    void ShowPicture(const QString& path);

    void ToolButton1Click();
    void ToolButton2Click();

private:
    void CentreOnMainWindow();

    QPointer<QWidget> MainWindow;
};
