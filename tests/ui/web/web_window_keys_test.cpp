#include <gtest/gtest.h>

#include <QPointer>

#include "web_fixture.h"

namespace {

// What ran while a dialog was up: its owner, answered with Cancel.
QWidget* OwnerWhileShown(QDialog* dialog, QWidget* window, const char* button) {
    QWidget* owner = nullptr;
    WhenShown(dialog, [&] {
        owner = dialog->parentWidget();
        TWebWindows::Click(dialog, "BitBtn2");
    });
    TWebWindows::Click(window, button);
    return owner;
}

}  // namespace

// The shared folder and entry dialogs belong to the tool window that opens
// them while they run (so that window, not the main window, stays under
// them), and go back to their own owner afterwards.
TEST(WebWindows, DialogsBelongToTheWindowThatOpensThem) {
    QWidget main;  // goes last: the fixture deletes the dialogs
    TWebWindows w;
    w.FolderForm->setParent(&main, w.FolderForm->windowFlags());
    w.ItemForm->setParent(&main, w.ItemForm->windowFlags());
    struct TRow {
        QWidget* Window;
        TWebNode* Top;
        TWebTreeView* Tree;
        const char* Button;
        QDialog* Dialog;
    };
    const TRow rows[] = {
        {w.Rss.get(), &w.Rss->Store().Top(), w.Rss->Tree(), "BitBtn1", w.FolderForm.get()},
        {w.Rss.get(), &w.Rss->Store().Top(), w.Rss->Tree(), "BitBtn3", w.ItemForm.get()},
        {w.BookMarks.get(), &w.BookMarks->Store().Top(), w.BookMarks->Tree(), "BitBtn1", w.FolderForm.get()},
        {w.BookMarks.get(), &w.BookMarks->Store().Top(), w.BookMarks->Tree(), "BitBtn3", w.ItemForm.get()},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Window->objectName().toStdString() + " " + row.Button);
        row.Window->show();
        row.Tree->SelectNode(row.Top);
        EXPECT_EQ(OwnerWhileShown(row.Dialog, row.Window, row.Button), row.Window);
        EXPECT_EQ(row.Dialog->parentWidget(), &main);
        EXPECT_TRUE(row.Dialog->isWindow());
        row.Window->hide();
    }
}

// The reader is a plain window: Enter presses the focused button or else
// "閉じる", Esc closes it.
TEST(WebWindows, ReaderAnswersEnterAndEsc) {
    TWebWindows w;
    const struct {
        const char* Focus;
        Qt::Key Key;
        bool FolderDialog;  // the focused button ran instead
        bool StaysOpen;
    } rows[] = {
        {"RSSTree", Qt::Key_Return, false, false}, {"RSSListView", Qt::Key_Enter, false, false},
        {"Edit1", Qt::Key_Return, false, false},   {"BitBtn6", Qt::Key_Return, false, false},
        {"BitBtn1", Qt::Key_Return, true, true},   {"RSSTree", Qt::Key_Escape, false, false},
        {"RichEdit1", Qt::Key_Escape, false, false}, {"RSSTree", Qt::Key_Space, false, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.Focus) + " " + std::to_string(row.Key));
        w.Rss->show();
        QApplication::setActiveWindow(w.Rss.get());
        w.Rss->Tree()->SelectNode(&w.Rss->Store().Top());
        QWidget* focus = TWebWindows::In<QWidget>(w.Rss.get(), row.Focus);
        focus->setFocus();
        bool folderDialog = false;
        if (row.FolderDialog)
            WhenShown(w.FolderForm.get(), [&] {
                folderDialog = true;
                TWebWindows::Click(w.FolderForm.get(), "BitBtn2");
            });
        QTest::keyClick(focus, row.Key);
        EXPECT_EQ(folderDialog, row.FolderDialog);
        EXPECT_EQ(w.Rss->isVisible(), row.StaysOpen);
        w.Rss->hide();
    }
}
