#include "ui/web/bookmark_menu.h"

#include <QMenu>

#include "core/web/shell_error.h"
#include "core/web/web_node.h"
#include "ui/mainwindow/flat_menu_style.h"
#include "ui/platform/dialogs.h"
#include "ui/platform/shell.h"
#include "ui/web/web_artwork.h"

namespace {

// A caption shown as written: "&" is no accelerator here.
QString AsWritten(const QString& text) {
    QString caption = text;
    return caption.replace(u'&', QStringLiteral("&&"));
}

}  // namespace

TBookmarkMenu::TBookmarkMenu(QMenu* menu, std::function<TWebNode*()> top, std::function<void()> openOrganiser)
    : QObject(menu), OpenAddress(OpenUrl), B1(menu), TopFolder(std::move(top)),
      OpenOrganiser(std::move(openOrganiser)) {
    connect(B1, &QMenu::aboutToShow, this, &TBookmarkMenu::Rebuild);
}

void TBookmarkMenu::Rebuild() {
    // clear() leaves submenus alive: delete them with the entries.
    QList<QMenu*> submenus;
    for (QAction* action : B1->actions())
        if (QMenu* sub = action->menu())
            submenus.append(sub);
    B1->clear();
    qDeleteAll(submenus);
    QAction* organiser = B1->addAction(QStringLiteral("ﾌﾞｯｸﾏｰｸの編集(&E)..."));
    organiser->setObjectName(QStringLiteral("Edit2"));
    connect(organiser, &QAction::triggered, this, [this] {
        if (OpenOrganiser)
            OpenOrganiser();
    });
    B1->addSeparator();
    if (const TWebNode* top = TopFolder ? TopFolder() : nullptr)
        AddFolder(B1, *top);
    ApplyFlatMenuStyle(B1);
}

void TBookmarkMenu::AddFolder(QMenu* parent, const TWebNode& folder) {
    if (folder.Children().empty()) {
        parent->addAction(QStringLiteral("(なし)"))->setEnabled(false);
        return;
    }
    for (const auto& child : folder.Children()) {
        if (child->IsFolder()) {
            QMenu* sub = parent->addMenu(WebNodeIcon(TWebNodeKind::Folder), AsWritten(child->Title));
            AddFolder(sub, *child);
        } else if (child->Kind == TWebNodeKind::Bookmark) {
            QAction* entry = parent->addAction(WebNodeIcon(TWebNodeKind::Bookmark), AsWritten(child->Title));
            entry->setData(child->URL);
            entry->setStatusTip(child->URL);
            connect(entry, &QAction::triggered, this, [this, entry] { BookMarkClick(entry); });
        }
    }
}

void TBookmarkMenu::BookMarkClick(QAction* entry) {
    const QString address = entry->data().toString();
    // A file or folder that is not there is named as such; the desktop's
    // opener would only fail later, out of sight.
    if (const std::optional<int> missing = MissingLocalTargetCode(address))
        ShowErrorBox(B1->parentWidget(), ShellErrorText(*missing));
    else if (!OpenAddress(address))
        ShowErrorBox(B1->parentWidget(), ShellErrorText(NoAssociationCode));
}
