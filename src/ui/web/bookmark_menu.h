#pragma once

#include <functional>

#include <QObject>

class QAction;
class QMenu;
class TWebNode;

// The main window's bookmark drop-down, built afresh each time it opens: the
// organiser command, a separator, then the bookmark tree's folders as
// submenus and its bookmarks as entries that open their address in the
// desktop's browser.
class TBookmarkMenu final : public QObject {
    Q_OBJECT
public:
    // `top` gives the bookmark tree's top folder (null while there is none).
    TBookmarkMenu(QMenu* menu, std::function<TWebNode*()> top, std::function<void()> openOrganiser);

    void Rebuild();

    // Opens an address with the desktop; false when nothing opened it.
    std::function<bool(const QString&)> OpenAddress;

private:
    void AddFolder(QMenu* parent, const TWebNode& folder);
    void BookMarkClick(QAction* entry);

    QMenu* B1 = nullptr;
    std::function<TWebNode*()> TopFolder;
    std::function<void()> OpenOrganiser;
};
