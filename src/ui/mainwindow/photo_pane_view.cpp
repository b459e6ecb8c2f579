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

#include "core/recipes/recipe_folder.h"
#include "core/platform/clipboard.h"

TPhotoPaneView::TPhotoPaneView(QWidget* imagePanel, QLabel* image, QWidget* pagingPanel, QLabel* pagingCaption,
                               QToolButton* prev, QToolButton* next, QObject* parent)
    : QObject(parent),
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
    if (Pane.Picture.isNull()) {
        Image1->clear();
    } else {
        // Centred, proportional, fitted to the pane.
        const QSize box = Image1->size().boundedTo(QSize(4096, 4096)).expandedTo(QSize(1, 1));
        Image1->setPixmap(QPixmap::fromImage(Pane.Picture).scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    }
    PanelImageControl->setVisible(Pane.PagingVisible());
    Caption->setText(Pane.PagingCaption());
    SpeedButtonPrevPic->setEnabled(Pane.PrevEnabled());
    SpeedButtonNextPic->setEnabled(Pane.NextEnabled());
}

void TPhotoPaneView::Show() {
    if (TRecipeContent* content = Content ? Content() : nullptr)
        Pane.Show(*content);
    else
        Pane.Clear();
    Refresh();
}

void TPhotoPaneView::Clear() {
    Pane.Clear();
    Refresh();
}

void TPhotoPaneView::LoadPictureFile(const QString& fileName) {
    TRecipeContent* content = Content ? Content() : nullptr;
    if (!content)
        return;
    if (Pane.LoadPictureFile(*content, fileName))
        Refresh();
    if (SetModified)
        SetModified();
}

void TPhotoPaneView::DropFiles(const QStringList& fileNames) {
    if (fileNames.isEmpty() || !RecipePath || RecipePath().isEmpty())
        return;
    LoadPictureFile(fileNames.first());
}

void TPhotoPaneView::C2Click() {
    if (!Pane.Picture.isNull())
        QApplication::clipboard()->setImage(Pane.Picture);
}

void TPhotoPaneView::Paste2Click() {
    TRecipeContent* content = Content ? Content() : nullptr;
    const QImage image = ClipboardPicture();
    if (!content || image.isNull())
        return;
    Pane.SetPicture(*content, image);
    Refresh();
    if (SetModified)
        SetModified();
}

void TPhotoPaneView::D1Click() {
    TRecipeContent* content = Content ? Content() : nullptr;
    if (!content)
        return;
    Pane.Remove(*content);
    Refresh();
    if (SetModified)
        SetModified();
}

void TPhotoPaneView::SpeedButtonPrevPicClick(int tag) {
    TRecipeContent* content = Content ? Content() : nullptr;
    if (!content || !RecipePath)
        return;
    Pane.Page(*content, RecipePath(), tag);
    Refresh();
}

bool TPhotoPaneView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Image1 && event->type() == QEvent::Resize) {
        if (!Pane.Picture.isNull())
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
