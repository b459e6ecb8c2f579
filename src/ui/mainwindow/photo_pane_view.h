#pragma once

#include <QObject>

#include "core/recipes/open_recipe.h"

class QLabel;
class QToolButton;
class QWidget;

// The photo pane's controls: the picture label, dropping files on the panel,
// the picture menu commands and the paging buttons, over the open recipe's
// photo. A change of the main photo marks the recipe modified.
class TPhotoPaneView final : public QObject {
    Q_OBJECT
public:
    TPhotoPaneView(TOpenRecipe& recipe, QWidget* imagePanel, QLabel* image, QWidget* pagingPanel, QLabel* pagingCaption,
                   QToolButton* prev, QToolButton* next, QObject* parent = nullptr);

    const TPhotoPane& Pane() const { return Recipe.Photo(); }

    // Puts a picture file into the pane; the recipe is marked unless the file
    // could not be read (then TSaporiaError reaches the caller).
    void LoadPictureFile(const QString& fileName);
    // A drop: the first file only, and only while a recipe is open.
    void DropFiles(const QStringList& fileNames);
    void C2Click();      // copy to the clipboard
    void Paste2Click();  // paste a clipboard picture
    void D1Click();      // remove
    void SpeedButtonPrevPicClick(int tag);

    // Shows the photo fitted to the label (the one fitting rule of the pane)
    // and the paging controls.
    void Refresh();

signals:
    // Files dropped on the panel; the window runs DropFiles under its command
    // guard.
    void Dropped(const QStringList& fileNames);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TOpenRecipe& Recipe;
    QWidget* ImagePanel;
    QLabel* Image1;
    QWidget* PanelImageControl;
    QLabel* Caption;
    QToolButton* SpeedButtonPrevPic;
    QToolButton* SpeedButtonNextPic;
};
