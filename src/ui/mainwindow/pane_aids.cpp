#include "ui/mainwindow/pane_aids.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QTextEdit>
#include <QTimer>

#include "core/platform/file_io.h"
#include "core/recipes/open_recipe.h"
#include "ui/app/windows.h"
#include "ui/mainwindow/flat_menu_style.h"
#include "ui/mainwindow/input_support.h"
#include "ui/mainwindow/link_hover.h"
#include "ui/mainwindow/link_thumbnail_form.h"
#include "ui/mainwindow/main_bars.h"
#include "ui/mainwindow/photo_pane_view.h"
#include "ui/mainwindow/recipe_panes.h"
#include "ui/mainwindow/tips_ticker_view.h"
#include "ui/platform/dialogs.h"

namespace {

const QString PictureFilter = QStringLiteral(
    "すべてのファイル (*.jpg *.jpeg *.bmp);;JPEG イメージファイル (*.jpg);;JPEG イメージファイル (*.jpeg);;"
    "ビットマップ (*.bmp)");

}  // namespace

TPaneAids::TPaneAids(TParts parts, QWidget* owner) : QObject(owner), Parts(std::move(parts)), Owner(owner) {
    auto* hint = new QTimer(owner);
    hint->setObjectName(QStringLiteral("tmHint"));
    hint->setInterval(35);
    Tips = new TTipsTickerView(Parts.Bars.HintStrip(), hint, this);

    for (QWidget* menu : Parts.Bars.OwnerDrawnMenus())
        ApplyFlatMenuStyle(menu);

    // Pop-up menus; view-only mode has none.
    for (QTextEdit* pane : Parts.Panes.EditPanes())
        connect(pane, &QWidget::customContextMenuRequested, this, [this, pane](const QPoint& pos) {
            if (!Parts.Bars.State().ViewOnly) {
                PopupPane = pane;
                Parts.Bars.Menu(QStringLiteral("REPopupMenu"))->exec(pane->mapToGlobal(pos));
            }
        });
    QWidget* photoLabel = Parts.Panes.PhotoLabel();
    connect(photoLabel, &QWidget::customContextMenuRequested, this, [this, photoLabel](const QPoint& pos) {
        if (!Parts.Bars.State().ViewOnly)
            Parts.Bars.Menu(QStringLiteral("PicturePopupMenu"))->exec(photoLabel->mapToGlobal(pos));
    });

    BindPictureCommands();
    BindTextCommands();
    BindLinkCommands();
}

void TPaneAids::BindPictureCommands() {
    TPhotoPaneView* photo = Parts.Panes.PhotoView();
    connect(photo, &TPhotoPaneView::Dropped, this, [this, photo](const QStringList& files) {
        RunGuarded(Owner, QString(), [&] { photo->DropFiles(files); });
    });
    Parts.Bars.Bind(QStringLiteral("L1"), [this, photo] {
        TFileDialogOptions options;
        options.Filter = PictureFilter;
        const std::optional<QString> file = ChoosePictureFile(Owner, options);
        if (file)
            RunGuarded(Owner, QString(), [&] { photo->LoadPictureFile(*file); });
    });
    Parts.Bars.Bind(QStringLiteral("C2"), [photo] { photo->C2Click(); });
    Parts.Bars.Bind(QStringLiteral("Paste2"),
                    [this, photo] { RunGuarded(Owner, QString(), [&] { photo->Paste2Click(); }); });
    Parts.Bars.Bind(QStringLiteral("D1"), [photo] { photo->D1Click(); });
}

void TPaneAids::BindTextCommands() {
    InputSupport = new TInputSupport(Parts.Bars.Menu(QStringLiteral("PopupInputMaterial")), &MaterialList, this);
    InputSupport->Attach(Parts.Panes.FoodstuffPane());
    InputSupport->Attach(Parts.Panes.HowPane());

    Parts.Bars.Bind(QStringLiteral("Copy1"), [] {
        if (auto* pane = qobject_cast<QTextEdit*>(QApplication::focusWidget()))
            pane->copy();
    });
    Parts.Bars.Bind(QStringLiteral("Paste3"), [this] {
        if (auto* pane = qobject_cast<QTextEdit*>(QApplication::focusWidget())) {
            pane->paste();
            Parts.Recipe.SetModified(true);
        }
    });
    Parts.Bars.Bind(QStringLiteral("N18"),
                    [this] { ReplaceFullWidthDigits(PopupPane ? PopupPane : Parts.Panes.FoodstuffPane()); });
    const auto align = [this](TAlignStyle style) {
        const QString refusal = AlignPaneAtSelection(Parts.Panes.FoodstuffPane(), Parts.Panes.WordWrap(), style);
        if (!refusal.isEmpty())
            ShowWarningBox(Owner, refusal);
    };
    Parts.Bars.Bind(QStringLiteral("N45"), [align] { align(TAlignStyle::Blanks); });
    Parts.Bars.Bind(QStringLiteral("N48"), [align] { align(TAlignStyle::Dots); });
}

void TPaneAids::LoadMaterialList(const QString& path) {
    MaterialList.clear();
    if (QFileInfo::exists(path))
        MaterialList = ReadSjisLines(path, MaxStoreFileBytes);
}

void TPaneAids::Loaded() {
    for (TLinkHover* hover : {FoodstuffHover, HowHover}) {
        hover->Thumbnail = Parts.Windows.LinkThumbnailForm;
        hover->Viewer = Parts.Windows.LinkPictureForm;
        hover->LinkPicturePath.clear();
    }
    if (Parts.Windows.LinkThumbnailForm)
        Parts.Windows.LinkThumbnailForm->close();
}
