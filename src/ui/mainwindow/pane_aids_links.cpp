// Pictures linked to words of the ingredient and method panes: hover,
// click, the link commands of the pane menu.
#include "ui/mainwindow/pane_aids.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QMenu>
#include <QTextEdit>

#include "core/platform/clipboard.h"
#include "core/platform/saporia_error.h"
#include "core/recipes/link_pictures.h"
#include "core/recipes/open_recipe.h"
#include "ui/app/windows.h"
#include "ui/mainwindow/link_hover.h"
#include "ui/mainwindow/main_bars.h"
#include "ui/mainwindow/recipe_panes.h"
#include "ui/platform/dialogs.h"

namespace {

const QString LinkFilter = QStringLiteral(
    "すべてのファイル (*.jpg *.jpeg);;JPEG イメージファイル (*.jpg);;JPEG イメージファイル (*.jpeg)");

}  // namespace

void TPaneAids::BindLinkCommands() {
    const auto makeHover = [this](QTextEdit* pane, const TMarks* marks) {
        auto* hover = new TLinkHover(pane, marks, this);
        hover->RecipePath = [this] { return Parts.Recipe.Path(); };
        hover->UseThumbnail = Parts.UseThumbnail;
        hover->Thumbnail = Parts.Windows.LinkThumbnailForm;
        hover->Viewer = Parts.Windows.LinkPictureForm;
        return hover;
    };
    FoodstuffHover = makeHover(Parts.Panes.FoodstuffPane(), Parts.Panes.FoodstuffLinks());
    HowHover = makeHover(Parts.Panes.HowPane(), Parts.Panes.HowLinks());

    TMainBars& bars = Parts.Bars;
    connect(bars.Menu(QStringLiteral("REPopupMenu")), &QMenu::aboutToShow, this, &TPaneAids::PaneMenuShown);
    connect(bars.Menu(QStringLiteral("N38")), &QMenu::aboutToShow, this,
            [&bars] { bars.Action(QStringLiteral("Paste1"))->setEnabled(ClipboardHasPicture()); });
    connect(bars.Menu(QStringLiteral("N41")), &QMenu::aboutToShow, this, &TPaneAids::FillLinkDeleteMenu);
    bars.Bind(QStringLiteral("N39"), [this] { LinkFromFile(); });
    bars.Bind(QStringLiteral("Paste1"), [this] { LinkFromClipboard(); });
    bars.Bind(QStringLiteral("N40"), [this] { DeleteAllLinks(); });
}

QString TPaneAids::SelectedLinkWord() const {
    QTextEdit* pane = PopupPane ? PopupPane : Parts.Panes.FoodstuffPane();
    // QTextCursor gives line breaks inside a selection as U+2029.
    return LinkWordOfSelection(pane->textCursor().selectedText());
}

void TPaneAids::PaneMenuShown() {
    TMainBars& bars = Parts.Bars;
    const bool open = Parts.Recipe.IsOpen();
    bars.Menu(QStringLiteral("N38"))->menuAction()->setEnabled(open && !SelectedLinkWord().isEmpty());
    const bool linked = open && QFileInfo(LinkFolderPath(Parts.Recipe.Path())).isDir();
    bars.Menu(QStringLiteral("N41"))->menuAction()->setEnabled(linked);
    bars.Action(QStringLiteral("N40"))->setEnabled(linked);
    const bool selected = Parts.Panes.FoodstuffPane()->textCursor().hasSelection();
    bars.Action(QStringLiteral("N45"))->setEnabled(selected && bars.IsOn(QStringLiteral("N45")));
    bars.Action(QStringLiteral("N48"))->setEnabled(selected && bars.IsOn(QStringLiteral("N48")));
}

void TPaneAids::LinkFromFile() {
    const QString word = SelectedLinkWord();
    if (word.isEmpty() || !Parts.Recipe.IsOpen())
        return;
    TFileDialogOptions options;
    options.Filter = LinkFilter;
    const std::optional<QString> file = ChoosePictureFile(Owner, options);
    if (!file)
        return;
    try {
        LinkPictureFromFile(Parts.Recipe.Path(), word, *file);
    } catch (const TSaporiaError& error) {
        ShowErrorBox(Owner, error.message());
    }
}

void TPaneAids::LinkFromClipboard() {
    const QString word = SelectedLinkWord();
    if (word.isEmpty() || !Parts.Recipe.IsOpen() || !ClipboardHasPicture())
        return;
    try {
        LinkPictureFromImage(Parts.Recipe.Path(), word, QApplication::clipboard()->image());
    } catch (const TSaporiaError& error) {
        ShowErrorBox(Owner, error.message());
    }
}

void TPaneAids::FillLinkDeleteMenu() {
    QMenu* menu = Parts.Bars.Menu(QStringLiteral("N41"));
    for (QAction* item : LinkDeleteItems)
        menu->removeAction(item);
    qDeleteAll(LinkDeleteItems);
    LinkDeleteItems.clear();
    LinkFileList.clear();
    if (!Parts.Recipe.IsOpen())
        return;
    for (const TLinkPicture& link : LinkedPictures(Parts.Recipe.Path())) {
        const int tag = int(LinkFileList.size());
        LinkFileList.append(link.Path);
        // "&" in a word is text, not a shortcut marker.
        auto* item = new QAction(QString(link.Word).replace(QLatin1Char('&'), QStringLiteral("&&")), menu);
        item->setData(tag);
        connect(item, &QAction::triggered, this, [this, tag] { DeleteLink(tag); });
        menu->addAction(item);
        LinkDeleteItems.append(item);
    }
}

void TPaneAids::DeleteLink(int tag) {
    if (tag < 0 || tag >= LinkFileList.size() || !Parts.Recipe.IsOpen())
        return;
    const QString path = LinkFileList[tag];
    const QString word = QFileInfo(path).completeBaseName();
    const bool yes = AskYesNo(Owner, QStringLiteral("「") + word + QStringLiteral("」のリンクを削除してもよろしいですか？")) ==
                     TMsgResult::Yes;
    DeleteLinkPicture(Parts.Recipe.Path(), path, yes);
}

void TPaneAids::DeleteAllLinks() {
    if (!Parts.Recipe.IsOpen())
        return;
    if (AskYesNo(Owner, QStringLiteral("すべてのリンクを削除してもよろしいですか？")) == TMsgResult::Yes)
        DeleteAllLinkPictures(Parts.Recipe.Path());
}
