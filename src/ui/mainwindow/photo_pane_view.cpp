#include "ui/mainwindow/photo_pane_view.h"

#include <QApplication>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QPixmap>
#include <QToolButton>
#include <QUrl>

#include "core/platform/clipboard.h"

namespace {

// A main photo that is there but could not be read is never replaced or
// removed: the save would not write the change.
bool CanChangePhoto(const TOpenRecipe& recipe) {
    return recipe.IsOpen() && !IsProtected(recipe.Content().Files.Photo);
}

}  // namespace

TPhotoPaneView::TPhotoPaneView(TOpenRecipe& recipe, QWidget* imagePanel, QLabel* image, QWidget* pagingPanel,
                               QLabel* pagingCaption, QToolButton* prev, QToolButton* next, QObject* parent)
    : QObject(parent),
      Recipe(recipe),
      ImagePanel(imagePanel),
      Image1(image),
      PanelImageControl(pagingPanel),
      Caption(pagingCaption),
      SpeedButtonPrevPic(prev),
      SpeedButtonNextPic(next) {
    ImagePanel->setAcceptDrops(true);
    ImagePanel->installEventFilter(this);
    Image1->installEventFilter(this);
    connect(SpeedButtonPrevPic, &QToolButton::clicked, this, [this] { SpeedButtonPrevPicClick(-1); });
    connect(SpeedButtonNextPic, &QToolButton::clicked, this, [this] { SpeedButtonPrevPicClick(1); });
}

void TPhotoPaneView::Refresh() {
    const TPhotoPane& pane = Recipe.Photo();
    if (pane.Picture.isNull()) {
        Image1->clear();
    } else {
        // Centred, proportional, fitted to the pane.
        const QSize box = Image1->size().boundedTo(QSize(4096, 4096)).expandedTo(QSize(1, 1));
        Image1->setPixmap(QPixmap::fromImage(pane.Picture).scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    }
    PanelImageControl->setVisible(pane.PagingVisible());
    Caption->setText(pane.PagingCaption());
    SpeedButtonPrevPic->setEnabled(pane.PrevEnabled());
    SpeedButtonNextPic->setEnabled(pane.NextEnabled());
}

void TPhotoPaneView::LoadPictureFile(const QString& fileName) {
    if (!CanChangePhoto(Recipe))
        return;
    if (Recipe.Photo().LoadPictureFile(Recipe.Content(), fileName))
        Refresh();
    Recipe.SetModified(true);
}

void TPhotoPaneView::DropFiles(const QStringList& fileNames) {
    if (!fileNames.isEmpty())
        LoadPictureFile(fileNames.first());
}

void TPhotoPaneView::C2Click() {
    if (!Recipe.Photo().Picture.isNull())
        QApplication::clipboard()->setImage(Recipe.Photo().Picture);
}

void TPhotoPaneView::Paste2Click() {
    const QImage image = ClipboardPicture();
    if (!CanChangePhoto(Recipe) || image.isNull())
        return;
    Recipe.Photo().SetPicture(Recipe.Content(), image);
    Refresh();
    Recipe.SetModified(true);
}

void TPhotoPaneView::D1Click() {
    if (!CanChangePhoto(Recipe))
        return;
    Recipe.Photo().Remove(Recipe.Content());
    Refresh();
    Recipe.SetModified(true);
}

void TPhotoPaneView::SpeedButtonPrevPicClick(int tag) {
    if (!Recipe.IsOpen())
        return;
    Recipe.Photo().Page(Recipe.Content(), Recipe.Path(), tag);
    Refresh();
}

bool TPhotoPaneView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Image1 && event->type() == QEvent::Resize) {
        if (!Recipe.Photo().Picture.isNull())
            Refresh();
    } else if (watched == ImagePanel) {
        if (event->type() == QEvent::DragEnter) {
            auto* drag = static_cast<QDragEnterEvent*>(event);
            if (drag->mimeData()->hasUrls()) {
                drag->acceptProposedAction();
                return true;
            }
        } else if (event->type() == QEvent::Drop) {
            auto* drop = static_cast<QDropEvent*>(event);
            QStringList files;
            for (const QUrl& url : drop->mimeData()->urls())
                if (url.isLocalFile())
                    files.append(url.toLocalFile());
            drop->acceptProposedAction();
            emit Dropped(files);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
