// The recipe panes: edit mode, the modified marker, loading and saving.
#include "ui/mainwindow/main_form.h"

#include <QAction>
#include <QPainter>
#include <QTabWidget>
#include <QTextCursor>
#include <QTextCharFormat>
#include <QTextDocument>
#include <QLabel>
#include <QTextEdit>
#include <QToolButton>

#include "core/recipes/recipe_book.h"
#include "core/common/keywords.h"
#include "ui/platform/dialogs.h"
#include "core/settings/colors.h"
#include "core/platform/saporia_error.h"

namespace {

QColor Bgr(TColorValue value) { return ColorFromBgr(value); }

// The tab images: a filled page when the tab's file is there, an empty
// outline when it is not.
QIcon TabImage(bool present) {
    QPixmap picture(12, 12);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(present ? QColor(40, 110, 40) : QColor(150, 150, 150));
    painter.setBrush(present ? QBrush(QColor(120, 200, 110)) : QBrush(Qt::NoBrush));
    painter.drawEllipse(QRectF(1.5, 1.5, 9, 9));
    return QIcon(picture);
}

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
    UpdateCommands();

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
    Recipe.Photo.clear();
    Recipe.PhotoImage = QImage();
    Image1->clear();
}

void TMainForm::ShowPhoto() {
    if (Recipe.PhotoImage.isNull()) {
        Image1->clear();
        return;
    }
    // Centred and scaled down to the pane, keeping the proportions.
    const QSize room = Image1->size().boundedTo(Recipe.PhotoImage.size());
    Image1->setPixmap(QPixmap::fromImage(
        Recipe.PhotoImage.scaled(room.isEmpty() ? Recipe.PhotoImage.size() : room, Qt::KeepAspectRatio,
                                 Qt::SmoothTransformation)));
}

void TMainForm::ShowMemo() {
    imgDraw->setPixmap(QPixmap::fromImage(MemoBitmap));
    imgDraw->resize(MemoBitmap.size());
    lblCanvasSize->setText(QStringLiteral("幅") + QString::number(MemoBitmap.width()) + QStringLiteral("×") +
                           QStringLiteral("高さ") + QString::number(MemoBitmap.height()));
}

void TMainForm::SetTabImage(QWidget* tab, bool present) {
    const int index = PageControl1->indexOf(tab);
    if (index >= 0)
        PageControl1->setTabIcon(index, TabImage(present));
}

bool TMainForm::LoadFile(const TCookItem& item) {
    PageControl1->setEnabled(true);
    const bool wasLoading = LoadingPanes;
    LoadingPanes = true;
    bool result = false;
    const bool wasEnabled = updatesEnabled();
    setUpdatesEnabled(false);

    MemoDirty = false;
    MemoBitmap = QImage(std::max(1, Settings().DrawMemoWidth), std::max(1, Settings().DrawMemoHeight),
                        QImage::Format_RGB32);
    MemoBitmap.fill(Qt::white);
    FoodstuffMarks.clear();
    HowMarks.clear();
    pnlRecipeHeaderCaption->setText(item.Name);
    memFoodstuff->clear();
    MemoHow->clear();
    ClearPhoto();
    CurrentRecipePath = DataRoot + QLatin1Char('/') + item.Name + QLatin1Char('/');
    const QImage icon = Book->Icons.Icon16(item.Icon);
    if (icon.isNull())
        imbRecipeIcon->clear();
    else
        imbRecipeIcon->setPixmap(QPixmap::fromImage(icon));
    SetTabImage(TabSheetRecipe, true);

    Recipe = ReadRecipeFolder(CurrentRecipePath);
    if (Recipe.FoodstuffLoaded)
        memFoodstuff->setPlainText(Recipe.Foodstuff);
    if (Recipe.HowLoaded)
        MemoHow->setPlainText(Recipe.How);
    ShowPhoto();
    // Without a comment file the pane is emptied: another recipe's comment
    // left in it would be saved into this one.
    RichEditComment->setPlainText(Recipe.HasComment ? Recipe.Comment : QString());
    SetTabImage(TabSheetComment, Recipe.HasComment);
    if (Recipe.HasMemo && !Recipe.Memo.isNull())
        MemoBitmap = Recipe.Memo.convertToFormat(QImage::Format_RGB32);
    SetTabImage(TabSheetPaint, Recipe.HasMemo);
    ShowMemo();

    PictureNames = Recipe.PictureNames;
    PictureIndex = PictureNames.size() >= 2 ? 0 : -1;
    PanelImageControl->setVisible(PictureNames.size() >= 2);
    PanelImageControlCaption->setText(QString::number(PictureIndex + 1) + QLatin1Char('/') +
                                      QString::number(PictureNames.size()));
    SpeedButtonPrevPic->setEnabled(PictureIndex != 0);
    SpeedButtonNextPic->setEnabled(PictureIndex != PictureNames.size() - 1);

    ColourPanes();

    RichEdit1->clear();
    if (Recipe.HasStatus)
        RichEdit1->setPlainText(Recipe.AttributeLines.join(QLatin1Char('\n')));
    SetTabImage(TabSheetAttr, Recipe.HasStatus);

    if (Recipe.LoadError.isEmpty())
        result = true;
    PaneAidsLoaded();
    setUpdatesEnabled(wasEnabled);
    LoadingPanes = wasLoading;
    SetModified(false);
    if (!result)
        ShowErrorBox(this, QStringLiteral("Load File Error. Msg=") + Recipe.LoadError);
    return result;
}

void TMainForm::ColourPanes() {
    if (Settings().UseNumberColor)
        for (char digit = '0'; digit <= '9'; ++digit)
            HighlightWord(MemoHow->document(), QString(QLatin1Char(digit)), Qt::red, true, false);
    if (Settings().UseEmphasis) {
        const QColor colour = ColorFromBgr(Settings().EmphasisColor);
        for (const QString& word : Settings().EmphasisWords) {
            HighlightWord(memFoodstuff->document(), word, colour, false, false);
            HighlightWord(MemoHow->document(), word, colour, false, false);
        }
    }
    if (Settings().UseLinkFunction) {
        for (const QString& word : Recipe.LinkWords) {
            AppendLinkMarks(memFoodstuff->toPlainText(), word, FoodstuffMarks);
            AppendLinkMarks(MemoHow->toPlainText(), word, HowMarks);
        }
        MarkLinks(memFoodstuff, FoodstuffMarks);
        MarkLinks(MemoHow, HowMarks);
    }
}

// Linked words show blue and underlined.
void TMainForm::MarkLinks(QTextEdit* pane, const TMarks& marks) {
    QTextCharFormat format;
    format.setForeground(Qt::blue);
    format.setFontUnderline(true);
    const bool modified = pane->document()->isModified();
    for (const TMark& mark : marks) {
        QTextCursor cursor(pane->document());
        cursor.setPosition(mark.StartPos);
        cursor.setPosition(mark.EndPos, QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(format);
    }
    pane->document()->setModified(modified);
}

void TMainForm::LoadPictureFile(const QString& fileName) {
    // A file that cannot be read throws to the caller; the marker stays.
    const std::optional<TPhotoFile> photo = ReadPictureFile(fileName);
    if (photo) {
        Recipe.Photo = photo->Jpeg;
        Recipe.PhotoImage = photo->Image;
        Recipe.PhotoChanged = true;
        ShowPhoto();
    }
    SetModified(true);
}

bool TMainForm::Save() {
    return RunGuarded(this, ErrorPrefix(QStringLiteral("Save")), [this] {
        if (CurrentRecipePath.isEmpty())
            throw TSaporiaError(QStringLiteral("選択されているレシピがありません"));
        Recipe.Foodstuff = memFoodstuff->toPlainText();
        Recipe.How = MemoHow->toPlainText();
        Recipe.Comment = RichEditComment->toPlainText();
        Recipe.MemoDirty = MemoDirty;
        if (MemoDirty)
            Recipe.Memo = MemoBitmap;
        SaveRecipeFolder(CurrentRecipePath, Recipe);
        SetModified(false);
    });
}
