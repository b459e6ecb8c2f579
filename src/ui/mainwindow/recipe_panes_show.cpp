// The recipe panes' looks and what they show of the open recipe.
#include "ui/mainwindow/recipe_panes.h"

#include <utility>

#include <QLabel>
#include <QPainter>
#include <QTabWidget>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolButton>

#include "core/common/keywords.h"
#include "core/settings/colors.h"
#include "core/settings/settings.h"
#include "ui/mainwindow/link_hover.h"
#include "ui/mainwindow/memo_pane.h"
#include "ui/mainwindow/photo_pane_view.h"

namespace {

QColor Bgr(TColorValue value) { return ColorFromBgr(value); }

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

void SetPointSize(QWidget* widget, int points) {
    QFont font = widget->font();
    font.setPointSize(points);
    widget->setFont(font);
}

// Text the program puts into the panes is not an edit of the user's.
class TLoadingScope final {
public:
    explicit TLoadingScope(bool& loading) : Flag(loading), Was(std::exchange(loading, true)) {}
    ~TLoadingScope() { Flag = Was; }
    TLoadingScope(const TLoadingScope&) = delete;
    TLoadingScope& operator=(const TLoadingScope&) = delete;

private:
    bool& Flag;
    bool Was;
};

// setPlainText gives the whole new text the format at the caret: a caret
// left inside a link would make the next recipe one link from end to end.
void SetPlainText(QTextEdit* pane, const QString& text) {
    pane->setTextCursor(QTextCursor(pane->document()));
    pane->setCurrentCharFormat(QTextCharFormat());
    pane->setPlainText(text);
}

}  // namespace

const QString TRecipePanes::ModifiedText = QStringLiteral("変更有り");

void TRecipePanes::PaneChanged() {
    // Typing marks the recipe changed only while a recipe is open.
    if (Editable && !Loading)
        Recipe.SetModified(true);
}

void TRecipePanes::ShowModified(bool modified) { PanelStatus->setText(modified ? ModifiedText : QString()); }

void TRecipePanes::SetEditLook(bool editable) {
    Editable = editable;
    TLoadingScope loading(Loading);
    const QColor text = palette().color(QPalette::Text);
    if (editable) {
        ShowProtection();
        Paint(ImagePanel, Bgr(0xC59147));
        for (QLabel* caption : CapPanels)
            Paint(caption, ActiveCaption, CaptionText);
        Paint(pnlRecipeHeader, Bgr(0xC8FFFF), Bgr(0x9E5427));
        Paint(pnlRecipeHeaderCaption, Bgr(0xC8FFFF), Bgr(0x9E5427));
        Paint(Shape1, Qt::white);
        return;
    }
    for (QTextEdit* pane : {memFoodstuff, MemoHow, RichEditComment, RichEdit1})
        pane->clear();
    Image1->clear();
    for (QWidget* tab : {TabSheetRecipe, TabSheetComment, TabSheetPaint, TabSheetAttr})
        PageControl1->setTabIcon(PageControl1->indexOf(tab), QIcon());
    if (!Recipe.IsOpen()) {
        // Nothing of the recipe that was open stays in view, memo included.
        Recipe.Memo() = QImage();
        Memo->BitmapReplaced();
        lblCanvasSize->clear();
        Photo->Refresh();
    }
    for (QTextEdit* pane : EditPanes()) {
        pane->setReadOnly(true);
        Paint(pane, InfoBk, text);
    }
    Paint(ImagePanel, InfoBk);
    for (QLabel* caption : CapPanels)
        Paint(caption, BtnFace, GrayText);
    pnlRecipeHeaderCaption->setText(QStringLiteral("-----"));
    imbRecipeIcon->clear();
    Paint(pnlRecipeHeader, BtnFace, GrayText);
    Paint(pnlRecipeHeaderCaption, BtnFace, GrayText);
    Paint(Shape1, BtnFace);
}

void TRecipePanes::ShowProtection() {
    const TRecipeFiles& files = Recipe.Content().Files;
    const std::pair<QTextEdit*, TFileRead> panes[] = {
        {memFoodstuff, files.Foodstuff}, {MemoHow, files.How}, {RichEditComment, files.Comment}};
    for (const auto& [pane, state] : panes) {
        // A file that is there but was not read: typing here would only
        // look like an edit of it.
        const bool locked = IsProtected(state);
        pane->setReadOnly(locked);
        Paint(pane, locked ? InfoBk : palette().color(QPalette::Base), palette().color(QPalette::Text));
    }
}

void TRecipePanes::ShowRecipe(const QImage& icon, const TSettings& settings) {
    PageControl1->setEnabled(true);
    TLoadingScope loading(Loading);
    const bool wasEnabled = updatesEnabled();
    setUpdatesEnabled(false);
    const TRecipeContent& content = Recipe.Content();

    FoodstuffMarks.clear();
    HowMarks.clear();
    pnlRecipeHeaderCaption->setText(Recipe.Name());
    SetRecipeIcon(icon);
    SetTabImage(TabSheetRecipe, true);
    SetPlainText(memFoodstuff, content.FoodstuffLoaded ? content.Foodstuff : QString());
    SetPlainText(MemoHow, content.HowLoaded ? content.How : QString());
    // Without a comment file the pane is emptied: another recipe's comment
    // left in it would be saved into this one.
    SetPlainText(RichEditComment, content.HasComment ? content.Comment : QString());
    if (Editable)
        ShowProtection();
    // A tab shows that its file is there, whether or not it could be read.
    SetTabImage(TabSheetComment, content.Files.Comment != TFileRead::Missing);
    Photo->Refresh();
    SetTabImage(TabSheetPaint, content.Files.Memo != TFileRead::Missing);
    Memo->BitmapReplaced();
    ShowMemo();
    ColourPanes(settings);
    SetPlainText(RichEdit1, content.HasStatus ? content.AttributeLines.join(QLatin1Char('\n')) : QString());
    SetTabImage(TabSheetAttr, content.Files.Status != TFileRead::Missing);
    setUpdatesEnabled(wasEnabled);
}

void TRecipePanes::SetRecipeIcon(const QImage& icon) {
    if (icon.isNull())
        imbRecipeIcon->clear();
    else
        imbRecipeIcon->setPixmap(QPixmap::fromImage(icon));
}

void TRecipePanes::ShowAttributes(const QStringList& lines) {
    TLoadingScope loading(Loading);
    RichEdit1->setPlainText(lines.join(QLatin1Char('\n')));
}

TRecipeTexts TRecipePanes::Texts() const {
    return {memFoodstuff->toPlainText(), MemoHow->toPlainText(), RichEditComment->toPlainText()};
}

void TRecipePanes::ShowMemo() {
    const QImage& memo = Recipe.Memo();
    imgDraw->setPixmap(QPixmap::fromImage(memo));
    imgDraw->resize(memo.size());
    lblCanvasSize->setText(QStringLiteral("幅") + QString::number(memo.width()) + QStringLiteral("×") +
                           QStringLiteral("高さ") + QString::number(memo.height()));
}

void TRecipePanes::SetTabImage(QWidget* tab, bool present) {
    const int index = PageControl1->indexOf(tab);
    if (index >= 0)
        PageControl1->setTabIcon(index, TabImage(present));
}

void TRecipePanes::ColourPanes(const TSettings& settings) {
    if (settings.UseNumberColor)
        for (char digit = '0'; digit <= '9'; ++digit)
            HighlightWord(MemoHow->document(), QString(QLatin1Char(digit)), Qt::red, true, false);
    if (settings.UseEmphasis) {
        const QColor colour = ColorFromBgr(settings.EmphasisColor);
        for (const QString& word : settings.EmphasisWords) {
            HighlightWord(memFoodstuff->document(), word, colour, false, false);
            HighlightWord(MemoHow->document(), word, colour, false, false);
        }
    }
    if (settings.UseLinkFunction)
        for (const QString& word : Recipe.Content().LinkWords) {
            MarkLinkWord(memFoodstuff, FoodstuffMarks, word);
            MarkLinkWord(MemoHow, HowMarks, word);
        }
}

void TRecipePanes::HighlightKeyword(const QString& keyword) {
    // Colouring is no edit: the recipe's marker stays as it was.
    TLoadingScope loading(Loading);
    HighlightKeywords(memFoodstuff->document(), keyword);
    HighlightKeywords(MemoHow->document(), keyword);
}

void TRecipePanes::ApplyFontSize(int size) {
    TLoadingScope loading(Loading);
    for (QWidget* widget : {memFoodstuff, MemoHow, RichEditComment, RichEdit1})
        SetPointSize(widget, size);
    for (QLabel* caption : CapPanels)
        SetPointSize(caption, size);
    SetPointSize(pnlRecipeHeader, size + 2);
    SetPointSize(pnlRecipeHeaderCaption, size + 2);
}

void TRecipePanes::ApplyFontName(const QString& family) {
    TLoadingScope loading(Loading);
    for (QTextEdit* pane : EditPanes()) {
        QFont font = pane->font();
        font.setFamily(family);
        pane->setFont(font);
    }
}

bool TRecipePanes::WordWrap() const { return tbtnWordWrap->isChecked(); }

void TRecipePanes::SetWordWrap(bool on) {
    tbtnWordWrap->setChecked(on);
    ApplyWordWrap();
}

void TRecipePanes::ApplyWordWrap() {
    TLoadingScope loading(Loading);
    const auto mode = tbtnWordWrap->isChecked() ? QTextEdit::WidgetWidth : QTextEdit::NoWrap;
    for (QTextEdit* pane : EditPanes())
        pane->setLineWrapMode(mode);
}

void TRecipePanes::SetBarVisible(bool visible) { Panel8->setVisible(visible); }
