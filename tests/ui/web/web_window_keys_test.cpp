#include <gtest/gtest.h>

#include <QTreeWidget>

#include "core/web/feed_time.h"
#include "web_fixture.h"

// The shared folder and entry dialogs belong to the tool window that opens
// them while they run (so that window, not the main window, stays under
// them), and go back to their own owner afterwards.
TEST(WebWindows, DialogsBelongToTheWindowThatOpensThem) {
    QWidget main;  // goes last: the fixture deletes the dialogs
    TWebWindows w;
    for (QDialog* dialog : {static_cast<QDialog*>(w.FolderForm.get()), static_cast<QDialog*>(w.ItemForm.get())})
        dialog->setParent(&main, dialog->windowFlags());
    const std::tuple<QWidget*, TWebTreeView*, const char*, QDialog*> rows[] = {
        {w.Rss.get(), w.Rss->Tree(), "BitBtn1", w.FolderForm.get()},
        {w.Rss.get(), w.Rss->Tree(), "BitBtn3", w.ItemForm.get()},
        {w.BookMarks.get(), w.BookMarks->Tree(), "BitBtn1", w.FolderForm.get()},
        {w.BookMarks.get(), w.BookMarks->Tree(), "BitBtn3", w.ItemForm.get()},
    };
    for (const auto& [window, tree, button, dialog] : rows) {
        SCOPED_TRACE(window->objectName().toStdString() + " " + button);
        window->show();
        tree->SelectNode(tree->NodeOf(tree->topLevelItem(0)));
        QWidget* owner = nullptr;
        WhenShown(dialog, [&, dialog = dialog] {
            owner = dialog->parentWidget();
            TWebWindows::Click(dialog, "BitBtn2");
        });
        TWebWindows::Click(window, button);
        EXPECT_EQ(owner, window);
        EXPECT_EQ(dialog->parentWidget(), &main);
        window->hide();
    }
}

// The reader is a plain window: Enter presses the focused button or else
// "閉じる", Esc closes it.
TEST(WebWindows, ReaderAnswersEnterAndEsc) {
    TWebWindows w;
    const struct {
        const char* Focus;
        Qt::Key Key;
        bool StaysOpen;  // "ﾌｫﾙﾀﾞ追加..." focused: its dialog comes instead
    } rows[] = {
        {"RSSTree", Qt::Key_Return, false},  {"RSSListView", Qt::Key_Enter, false}, {"Edit1", Qt::Key_Return, false},
        {"BitBtn6", Qt::Key_Return, false},  {"BitBtn1", Qt::Key_Return, true},    {"RSSTree", Qt::Key_Escape, false},
        {"RichEdit1", Qt::Key_Escape, false}, {"RSSTree", Qt::Key_Space, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.Focus) + " " + std::to_string(row.Key));
        w.Rss->show();
        QApplication::setActiveWindow(w.Rss.get());
        w.Rss->Tree()->SelectNode(&w.Rss->Store().Top());
        QWidget* focus = TWebWindows::In<QWidget>(w.Rss.get(), row.Focus);
        focus->setFocus();
        const bool addFolder = row.Focus == std::string("BitBtn1");
        bool folderDialog = false;
        if (addFolder)
            WhenShown(w.FolderForm.get(), [&] {
                folderDialog = true;
                TWebWindows::Click(w.FolderForm.get(), "BitBtn2");
            });
        QTest::keyClick(focus, row.Key);
        EXPECT_EQ(folderDialog, addFolder);
        EXPECT_EQ(w.Rss->isVisible(), row.StaysOpen);
        w.Rss->hide();
    }
}

// Enter on a selected news row opens it as a double click does, and the
// reader stays; without a selected row, or with the focus elsewhere, Enter
// still closes it.
TEST(WebWindows, ReaderEnterOnANewsRowOpensIt) {
    TWebWindows w;
    const QDateTime now(QDate(2026, 4, 1), QTime(12, 0, 0));
    w.Rss->SetClock([now] { return now; });
    QStringList opened;
    w.Rss->OpenAddress = [&opened](const QString& address) {
        opened << address;
        return true;
    };
    TWebNode* site = w.Rss->Store().Top().Append(std::make_unique<TWebNode>(TWebNodeKind::Site, QStringLiteral("s")));
    site->LastUpdate = FormatFeedTime(now);  // not due: no fetch
    site->News = {{"", "one", "", " http://news/1 "}, {"", "two", "", "https://news/2"}, {"", "", "", "javascript:x"}};
    const struct {
        int Row;  // the selected row, -1 none
        const char* Focus;
        Qt::Key Key;  // Key_unknown: a double click on the row
        const char* Opened;
        bool StaysOpen;
    } rows[] = {
        {0, "RSSListView", Qt::Key_unknown, "http://news/1", true}, {0, "RSSListView", Qt::Key_Return, "http://news/1", true},
        {1, "RSSListView", Qt::Key_Enter, "https://news/2", true},  {2, "RSSListView", Qt::Key_Return, "", true},
        {-1, "RSSListView", Qt::Key_Return, "", false},             {0, "RSSTree", Qt::Key_Return, "", false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.Focus) + " " + std::to_string(row.Key) + " " + std::to_string(row.Row));
        opened.clear();
        w.Rss->show();
        QApplication::setActiveWindow(w.Rss.get());
        w.Rss->Tree()->Refresh(site);
        auto* list = TWebWindows::In<QTreeWidget>(w.Rss.get(), "RSSListView");
        QTreeWidgetItem* item = list->topLevelItem(qMax(row.Row, 0));
        if (row.Row >= 0)
            list->setCurrentItem(item);
        QWidget* focus = TWebWindows::In<QWidget>(w.Rss.get(), row.Focus);
        focus->setFocus();
        const QPoint at = list->visualItemRect(item).center();
        if (row.Key != Qt::Key_unknown) {
            QTest::keyClick(focus, row.Key);
        } else {  // as the system sends it: a click, then the second press as a double click
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, at);
        }
        EXPECT_EQ(opened.join(u' '), QLatin1String(row.Opened));
        EXPECT_EQ(w.Rss->isVisible(), row.StaysOpen);
        w.Rss->hide();
    }
}
