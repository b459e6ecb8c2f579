#pragma once

#include <functional>

#include <QObject>

#include "core/recipes/photo_pane.h"

class QLabel;
class QToolButton;
class QWidget;
struct TRecipeContent;

// The photo pane's controls: the picture label, dropping files on the panel,
// the picture menu commands and the paging buttons, over TPhotoPane.
class TPhotoPaneView final : public QObject {
    Q_OBJECT
public:
    TPhotoPaneView(QWidget* imagePanel, QLabel* image, QWidget* pagingPanel, QLabel* pagingCaption,
                   QToolButton* prev, QToolButton* next, QObject* parent = nullptr);

    TPhotoPane Pane;
    // The open recipe's folder (empty when none) and its content.
    std::function<QString()> RecipePath;
    std::function<TRecipeContent*()> Content;
    // Sets the modified marker.
    std::function<void()> SetModified;

    // After a load: show the main photo and the paging controls.
    void Show();
    void Clear();

    // Puts a picture file into the pane; the marker is set unless the file
    // could not be read (then TSaporiaError reaches the caller).
    void LoadPictureFile(const QString& fileName);
    // A drop: the first file only, and only while a recipe is open.
    void DropFiles(const QStringList& fileNames);
    void C2Click();      // copy to the clipboard
    void Paste2Click();  // paste a clipboard picture
    void D1Click();      // remove
    void SpeedButtonPrevPicClick(int tag);

    void Refresh();

signals:
    // Files dropped on the panel; the window runs DropFiles under its command
    // guard.
    void Dropped(const QStringList& fileNames);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* ImagePanel;
    QLabel* Image1;
    QWidget* PanelImageControl;
    QLabel* Caption;
    QToolButton* SpeedButtonPrevPic;
    QToolButton* SpeedButtonNextPic;
};
