// The recipe panes: edit mode, the modified marker, loading and saving.
#include "mainwindow/main_form.h"

#include <QAction>
#include <QLabel>
#include <QTextEdit>
#include <QToolButton>

#include "platform/dialogs.h"
#include "platform/saporia_error.h"

namespace {

// Colours given as $BBGGRR.
QColor Bgr(unsigned value) { return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF); }

const QColor InfoBk(0xFF, 0xFF, 0xE1);
const QColor BtnFace(0xF0, 0xF0, 0xF0);
const QColor GrayText(0x6D, 0x6D, 0x6D);
const QColor ActiveCaption(0x99, 0xB4, 0xD1);
const QColor CaptionText(0x00, 0x00, 0x00);

void Paint(QWidget* widget, const QColor& background, const QColor& text = QColor()) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::Base, background);
    if (text.isValid()) {
        palette.setColor(QPalette::WindowText, text);
        palette.setColor(QPalette::Text, text);
    }
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

}  // namespace

void TMainForm::PaneChanged() {
    // Typing marks the recipe changed only while a recipe is open.
    if (EditModeOn && !LoadingPanes)
        SetModified(true);
}

void TMainForm::SetEditMode(bool enabled) {
    EditModeOn = enabled;
    const bool wasLoading = LoadingPanes;
    LoadingPanes = true;
    for (QObject* command : std::initializer_list<QObject*>{
             miPrint, tbtnPrint, tbtnEasyPrint, PrintPreview1, tbtnPrintPreview, miRecipeSave, tbtnSave,
             tbtnWordWrap, miRecipeRename, ToolButtonEditRecipe, ToolButtonEditAttr, Paste2, L1, D1, Copy1,
             Paste3, N18, miRecipeDelete, Delete2, ToolButtonDelRecipe, miRecipeAttrEdit, E2, R1, N46,
             miMailExport})
        SetCommandEnabled(command, enabled);

    if (enabled) {
        for (QTextEdit* pane : {memFoodstuff, MemoHow, RichEditComment}) {
            pane->setReadOnly(false);
            Paint(pane, palette().color(QPalette::Base), palette().color(QPalette::Text));
        }
        Paint(ImagePanel, Bgr(0xC59147));
        for (QLabel* caption : {CapPanel1, CapPanel2, CapPanel3, CapPanel4, CapPanel5})
            Paint(caption, ActiveCaption, CaptionText);
        Paint(pnlRecipeHeader, Bgr(0xC8FFFF), Bgr(0x9E5427));
        Paint(pnlRecipeHeaderCaption, Bgr(0xC8FFFF), Bgr(0x9E5427));
        Paint(Shape1, Qt::white);
    } else {
        memFoodstuff->clear();
        MemoHow->clear();
        ClearPhoto();
        for (QTextEdit* pane : {memFoodstuff, MemoHow, RichEditComment}) {
            pane->setReadOnly(true);
            Paint(pane, InfoBk, palette().color(QPalette::Text));
        }
        Paint(ImagePanel, InfoBk);
        RichEditComment->clear();
        RichEdit1->clear();
        for (QLabel* caption : {CapPanel1, CapPanel2, CapPanel3, CapPanel4, CapPanel5})
            Paint(caption, BtnFace, GrayText);
        pnlRecipeHeaderCaption->setText(QStringLiteral("-----"));
        Paint(pnlRecipeHeader, BtnFace, GrayText);
        Paint(pnlRecipeHeaderCaption, BtnFace, GrayText);
        Paint(Shape1, BtnFace);
    }
    LoadingPanes = wasLoading;
}

void TMainForm::ClearPhoto() {
    PhotoJpeg.clear();
    PhotoImage = QImage();
    Image1->clear();
}

bool TMainForm::Save() {
    return RunGuarded(this, ErrorPrefix(QStringLiteral("Save")), [] {
        throw TSaporiaError(QStringLiteral("レシピを保存できません"));
    });
}
