// The editing aids of the recipe panes that go with the menus: the picture
// commands, input support, digits and alignment, tips ticker and the menus' look.
#include "ui/mainwindow/main_form.h"

#include <QAction>
#include <QBoxLayout>
#include <QFrame>
#include <QScrollArea>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTextEdit>
#include <QToolButton>

#include "ui/mainwindow/main_bars.h"
#include "ui/mainwindow/flat_menu_style.h"
#include "ui/mainwindow/link_hover.h"
#include "ui/mainwindow/link_picture_form.h"
#include "ui/mainwindow/link_thumbnail_form.h"
#include "ui/mainwindow/main_form_aids.h"
#include "ui/mainwindow/photo_pane_view.h"
#include "ui/mainwindow/recipe_panes.h"
#include "core/recipes/open_recipe.h"
#include "ui/mainwindow/input_support.h"
#include "ui/mainwindow/tips_ticker_view.h"
#include "ui/platform/dialogs.h"

namespace {

const QString PictureFilter = QStringLiteral(
    "すべてのファイル (*.jpg *.jpeg *.bmp);;JPEG イメージファイル (*.jpg);;JPEG イメージファイル (*.jpeg);;"
    "ビットマップ (*.bmp)");

}  // namespace

void TMainForm::CreatePaneAids() {
    PaneAids = new TPaneAids(this);

    PaneAids->Tips = new TTipsTickerView(Bars->HintStrip(), tmHint, PaneAids);

    for (QWidget* menu : Bars->OwnerDrawnMenus())
        ApplyFlatMenuStyle(menu);

    TPhotoPaneView* photo = Panes->PhotoView();
    connect(photo, &TPhotoPaneView::Dropped, this, [this, photo](const QStringList& files) {
        RunGuarded(this, QString(), [&] { photo->DropFiles(files); });
    });
    BindCommand(QStringLiteral("L1"), [this, photo] {
        TFileDialogOptions options;
        options.Filter = PictureFilter;
        const std::optional<QString> file = ChoosePictureFile(this, options);
        if (file)
            RunGuarded(this, QString(), [&] { photo->LoadPictureFile(*file); });
    });
    BindCommand(QStringLiteral("C2"), [photo] { photo->C2Click(); });
    BindCommand(QStringLiteral("Paste2"),
                [this, photo] { RunGuarded(this, QString(), [&] { photo->Paste2Click(); }); });
    BindCommand(QStringLiteral("D1"), [photo] { photo->D1Click(); });

    PaneAids->InputSupport = new TInputSupport(Bars->Menu(QStringLiteral("PopupInputMaterial")), &MaterialList,
                                                 PaneAids);
    PaneAids->InputSupport->Attach(Panes->FoodstuffPane());
    PaneAids->InputSupport->Attach(Panes->HowPane());

    BindCommand(QStringLiteral("Copy1"), [] {
        if (auto* pane = qobject_cast<QTextEdit*>(QApplication::focusWidget()))
            pane->copy();
    });
    BindCommand(QStringLiteral("Paste3"), [this] {
        if (auto* pane = qobject_cast<QTextEdit*>(QApplication::focusWidget())) {
            pane->paste();
            SetModified(true);
        }
    });
    BindCommand(QStringLiteral("N18"), [this] {
        QTextEdit* pane = PaneAids->MenuPane ? PaneAids->MenuPane : Panes->FoodstuffPane();
        ReplaceFullWidthDigits(pane);
    });
    const auto align = [this](TAlignStyle style) {
        const QString refusal = AlignPaneAtSelection(Panes->FoodstuffPane(), Panes->WordWrap(), style);
        if (!refusal.isEmpty())
            ShowWarningBox(this, refusal);
    };
    BindCommand(QStringLiteral("N45"), [align] { align(TAlignStyle::Blanks); });
    BindCommand(QStringLiteral("N48"), [align] { align(TAlignStyle::Dots); });

    CreateLinkAids();
}

void TMainForm::PaneAidsLoaded() {
    if (!PaneAids)
        return;
    for (TLinkHover* hover : {PaneAids->FoodstuffHover, PaneAids->HowHover}) {
        hover->Thumbnail = Windows().LinkThumbnailForm;
        hover->Viewer = Windows().LinkPictureForm;
        hover->LinkPicturePath.clear();
    }
    if (Windows().LinkThumbnailForm)
        Windows().LinkThumbnailForm->close();
}
