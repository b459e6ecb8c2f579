// Pictures linked to words of the ingredient and method panes: hover,
// click, the link commands of the pane menu.
#include "ui/mainwindow/main_form.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QMenu>
#include <QTextEdit>

#include "ui/mainwindow/main_bars.h"
#include "ui/mainwindow/link_hover.h"
#include "ui/mainwindow/link_picture_form.h"
#include "core/recipes/link_pictures.h"
#include "ui/mainwindow/link_thumbnail_form.h"
#include "ui/mainwindow/main_form_aids.h"
#include "ui/mainwindow/recipe_panes.h"
#include "core/recipes/open_recipe.h"
#include "core/platform/clipboard.h"
#include "ui/platform/dialogs.h"
#include "core/platform/saporia_error.h"

namespace {

const QString LinkFilter = QStringLiteral(
    "すべてのファイル (*.jpg *.jpeg);;JPEG イメージファイル (*.jpg);;JPEG イメージファイル (*.jpeg)");

}  // namespace

QString TMainForm::LinkPicturePath() const {
    if (!PaneAids)
        return {};
    for (const TLinkHover* hover : {PaneAids->FoodstuffHover, PaneAids->HowHover})
        if (hover && !hover->LinkPicturePath.isEmpty())
            return hover->LinkPicturePath;
    return {};
}

void TMainForm::CreateLinkAids() {
    const auto makeHover = [this](QTextEdit* pane, const TMarks* marks) {
        auto* hover = new TLinkHover(pane, marks, PaneAids);
        hover->RecipePath = [this] { return OpenRecipe->Path(); };
        hover->UseThumbnail = [this] { return Settings().UseThumbnail; };
        hover->Thumbnail = Windows().LinkThumbnailForm;
        hover->Viewer = Windows().LinkPictureForm;
        return hover;
    };
    PaneAids->FoodstuffHover = makeHover(Panes->FoodstuffPane(), Panes->FoodstuffLinks());
    PaneAids->HowHover = makeHover(Panes->HowPane(), Panes->HowLinks());

    connect(Bars->Menu(QStringLiteral("REPopupMenu")), &QMenu::aboutToShow, this, &TMainForm::REPopupMenuPopup);
    connect(Bars->Menu(QStringLiteral("N38")), &QMenu::aboutToShow, this,
            [this] { Bars->Action(QStringLiteral("Paste1"))->setEnabled(ClipboardHasPicture()); });
    connect(Bars->Menu(QStringLiteral("N41")), &QMenu::aboutToShow, this, &TMainForm::N41Click);
    BindCommand(QStringLiteral("N39"), [this] { N39Click(); });
    BindCommand(QStringLiteral("Paste1"), [this] { Paste1Click(); });
    BindCommand(QStringLiteral("N40"), [this] { N40Click(); });
}

QString TMainForm::SelectedLinkWord() const {
    QTextEdit* pane = PaneAids && PaneAids->MenuPane ? PaneAids->MenuPane : Panes->FoodstuffPane();
    // QTextCursor gives line breaks inside a selection as U+2029.
    return LinkWordOfSelection(pane->textCursor().selectedText());
}

void TMainForm::REPopupMenuPopup() {
    PaneAids->MenuPane = PopupPane;
    const bool open = OpenRecipe->IsOpen();
    Bars->Menu(QStringLiteral("N38"))->menuAction()->setEnabled(open && !SelectedLinkWord().isEmpty());
    const bool linked = open && QFileInfo(LinkFolderPath(OpenRecipe->Path())).isDir();
    Bars->Menu(QStringLiteral("N41"))->menuAction()->setEnabled(linked);
    Bars->Action(QStringLiteral("N40"))->setEnabled(linked);
    const bool selected = Panes->FoodstuffPane()->textCursor().hasSelection();
    Bars->Action(QStringLiteral("N45"))->setEnabled(selected && Bars->IsOn(QStringLiteral("N45")));
    Bars->Action(QStringLiteral("N48"))->setEnabled(selected && Bars->IsOn(QStringLiteral("N48")));
}

void TMainForm::N39Click() {
    const QString word = SelectedLinkWord();
    if (word.isEmpty() || !OpenRecipe->IsOpen())
        return;
    TFileDialogOptions options;
    options.Filter = LinkFilter;
    const std::optional<QString> file = ChoosePictureFile(this, options);
    if (!file)
        return;
    try {
        LinkPictureFromFile(OpenRecipe->Path(), word, *file);
    } catch (const TSaporiaError& error) {
        ShowErrorBox(this, error.message());
    }
}

void TMainForm::Paste1Click() {
    const QString word = SelectedLinkWord();
    if (word.isEmpty() || !OpenRecipe->IsOpen() || !ClipboardHasPicture())
        return;
    try {
        LinkPictureFromImage(OpenRecipe->Path(), word, QApplication::clipboard()->image());
    } catch (const TSaporiaError& error) {
        ShowErrorBox(this, error.message());
    }
}

void TMainForm::N41Click() {
    for (QAction* item : PaneAids->LinkDeleteItems)
        Bars->Menu(QStringLiteral("N41"))->removeAction(item);
    qDeleteAll(PaneAids->LinkDeleteItems);
    PaneAids->LinkDeleteItems.clear();
    LinkFileList.clear();
    if (!OpenRecipe->IsOpen())
        return;
    for (const TLinkPicture& link : LinkedPictures(OpenRecipe->Path())) {
        const int tag = int(LinkFileList.size());
        LinkFileList.append(link.Path);
        // "&" in a word is text, not a shortcut marker.
        auto* item = new QAction(QString(link.Word).replace(QLatin1Char('&'), QStringLiteral("&&")),
                                 Bars->Menu(QStringLiteral("N41")));
        item->setData(tag);
        connect(item, &QAction::triggered, this, [this, tag] { LinkDeleteClick(tag); });
        Bars->Menu(QStringLiteral("N41"))->addAction(item);
        PaneAids->LinkDeleteItems.append(item);
    }
}

void TMainForm::LinkDeleteClick(int tag) {
    if (tag < 0 || tag >= LinkFileList.size() || !OpenRecipe->IsOpen())
        return;
    const QString path = LinkFileList[tag];
    const QString word = QFileInfo(path).completeBaseName();
    const bool yes = AskYesNo(this, QStringLiteral("「") + word + QStringLiteral("」のリンクを削除してもよろしいですか？")) ==
                     TMsgResult::Yes;
    DeleteLinkPicture(OpenRecipe->Path(), path, yes);
}

void TMainForm::N40Click() {
    if (!OpenRecipe->IsOpen())
        return;
    if (AskYesNo(this, QStringLiteral("すべてのリンクを削除してもよろしいですか？")) == TMsgResult::Yes)
        DeleteAllLinkPictures(OpenRecipe->Path());
}
