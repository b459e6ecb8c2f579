#include "ui/web/web_commands.h"

#include <QMenu>

#include "ui/app/windows.h"
#include "ui/mainwindow/main_bars.h"
#include "ui/web/book_mark_form.h"
#include "ui/web/bookmark_menu.h"
#include "ui/web/rss_form.h"

void BindWebCommands(TMainBars& bars, TWindows& windows) {
    bars.Bind(QStringLiteral("miRSS"), [&windows] {
        TRSSForm* form = windows.RSSForm;
        if (!form)
            return;
        if (form->isMinimized())
            form->showNormal();
        form->show();
        form->raise();
        form->activateWindow();
    });
    if (QMenu* menu = bars.Menu(QStringLiteral("B1")))
        new TBookmarkMenu(
            menu,
            [&windows]() -> TWebNode* { return windows.BookMarkForm ? &windows.BookMarkForm->Store().Top() : nullptr; },
            [&windows] {
                if (windows.BookMarkForm)
                    windows.BookMarkForm->exec();
            });
}
