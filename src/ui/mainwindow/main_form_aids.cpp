// The editing aids of the recipe panes: photo pane, memo canvas, input
// support, digits and alignment, tips ticker and the menus' look.
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
#include "ui/mainwindow/memo_pane.h"
#include "ui/mainwindow/photo_pane_view.h"
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

    // The memo canvas draws on MemoBitmap, which LoadFile and Save use.
    // The colour swatches stand in a column left of the canvas.
    QWidget* palette = nullptr;
    if (auto* paintLayout = qobject_cast<QBoxLayout*>(TabSheetPaint->layout())) {
        const int at = paintLayout->indexOf(ScrollBox2);
        if (at >= 0) {
            paintLayout->removeWidget(ScrollBox2);
            auto* row = new QHBoxLayout;
            row->setContentsMargins(0, 0, 0, 0);
            row->setSpacing(0);
            palette = new QFrame(TabSheetPaint);
            palette->setObjectName(QStringLiteral("PalettePanel"));
            row->addWidget(palette);
            row->addWidget(ScrollBox2, 1);
            paintLayout->insertLayout(at, row, 1);
        }
    }
    PaneAids->Memo = new TMemoPane(imgDraw, PaintToolPanel, PaneAids, palette);
    PaneAids->Memo->Bitmap = [this]() -> QImage& { return MemoBitmap; };
    PaneAids->Memo->CanDraw = [this] { return SelectedRecord() >= 0 && !CurrentRecipePath.isEmpty(); };
    connect(PaneAids->Memo, &TMemoPane::Changed, this, [this] {
        MemoDirty = true;
        SetModified(true);
    });
    PaneAids->Memo->BitmapReplaced();

    auto* photo = new TPhotoPaneView(ImagePanel, Image1, PanelImageControl, PanelImageControlCaption,
                                     SpeedButtonPrevPic, SpeedButtonNextPic, PaneAids);
    PaneAids->Photo = photo;
    photo->RecipePath = [this] { return CurrentRecipePath; };
    photo->Content = [this] { return CurrentRecipePath.isEmpty() ? nullptr : &Recipe; };
    photo->SetModified = [this] { SetModified(true); };
    connect(photo, &TPhotoPaneView::Dropped, this, [this, photo](const QStringList& files) {
        RunGuarded(this, QString(), [&] { photo->DropFiles(files); });
    });
    connect(SpeedButtonPrevPic, &QToolButton::clicked, this, [this] { PictureIndex = PaneAids->Photo->Pane.PictureIndex; });
    connect(SpeedButtonNextPic, &QToolButton::clicked, this, [this] { PictureIndex = PaneAids->Photo->Pane.PictureIndex; });
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
    PaneAids->InputSupport->Attach(memFoodstuff);
    PaneAids->InputSupport->Attach(MemoHow);

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
        QTextEdit* pane = PaneAids->MenuPane ? PaneAids->MenuPane : memFoodstuff;
        ReplaceFullWidthDigits(pane);
    });
    const auto align = [this](TAlignStyle style) {
        const QString refusal = AlignPaneAtSelection(memFoodstuff, tbtnWordWrap->isChecked(), style);
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
    PaneAids->Memo->BitmapReplaced();
    PaneAids->Photo->Show();
    PictureIndex = PaneAids->Photo->Pane.PictureIndex;
    for (TLinkHover* hover : {PaneAids->FoodstuffHover, PaneAids->HowHover}) {
        hover->Thumbnail = Windows().LinkThumbnailForm;
        hover->Viewer = Windows().LinkPictureForm;
        hover->LinkPicturePath.clear();
    }
    if (Windows().LinkThumbnailForm)
        Windows().LinkThumbnailForm->close();
    // After marking, typing goes on at the end in plain black, not in the
    // look of a link that ends the text.
    if (Settings().UseLinkFunction && !Recipe.LinkWords.isEmpty()) {
        for (QTextEdit* pane : {memFoodstuff, MemoHow})
            TypePlainAtEnd(pane);
    }
}
