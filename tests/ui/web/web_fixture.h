#pragma once

#include <memory>
#include <ostream>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "support/dialog_driver.h"
#include "support/temp_app_dir.h"
#include "ui/app/windows.h"
#include "ui/platform/dialogs.h"
#include "ui/web/book_mark_folder_form.h"
#include "ui/web/book_mark_form.h"
#include "ui/web/book_mark_item_form.h"
#include "ui/web/rss_form.h"
#include "ui/web/web_tree_view.h"

// The web tools' windows in a temporary program folder, made as the start-up
// makes them; Restart destroys them (which writes the stores) and makes them
// again from the files.
struct TWebWindows {
    TTempAppDir Dir;
    TDialogAnswerer Answers;
    TWindows Windows;
    std::unique_ptr<TBookMarkItemForm> ItemForm = std::make_unique<TBookMarkItemForm>();
    std::unique_ptr<TBookMarkFolderForm> FolderForm = std::make_unique<TBookMarkFolderForm>();
    std::unique_ptr<TBookMarkForm> BookMarks;
    std::unique_ptr<TRSSForm> Rss;

    TWebWindows() {
        Windows.BookMarkItemForm = ItemForm.get();
        Windows.BookMarkFolderForm = FolderForm.get();
        Make();
    }
    void Make() {
        BookMarks = std::make_unique<TBookMarkForm>(Dir.AppDir(), &Windows);
        Rss = std::make_unique<TRSSForm>(Dir.AppDir(), &Windows);
        Windows.BookMarkForm = BookMarks.get();
        Windows.RSSForm = Rss.get();
    }
    void Restart() {
        Rss.reset();
        BookMarks.reset();
        Make();
    }

    template <typename T>
    static T* In(QWidget* window, const char* name) {
        T* found = window->findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    static void Click(QWidget* window, const char* name) { QTest::mouseClick(In<QPushButton>(window, name), Qt::LeftButton); }
    // Which of the named buttons are on, as "1" and "0".
    static QString Enabled(QWidget* window, std::initializer_list<const char*> names) {
        QString s;
        for (const char* name : names)
            s += In<QPushButton>(window, name)->isEnabled() ? u'1' : u'0';
        return s;
    }

    // Answers the next folder dialog with a name (OK), or cancels it; the entry dialog with a title and address.
    void NextFolderName(const QString& name, bool ok = true) { Answer(FolderForm.get(), name, {}, ok); }
    void NextEntry(const QString& title, const QString& url) { Answer(ItemForm.get(), title, url, true); }
    static void Answer(QWidget* dialog, const QString& first, const QString& second, bool ok) {
        WhenShown(dialog, [=] {
            In<QLineEdit>(dialog, "Edit1")->setText(first);
            if (!second.isNull())
                In<QLineEdit>(dialog, "Edit2")->setText(second);
            Click(dialog, ok ? "BitBtn1" : "BitBtn2");
        });
    }
};

// Readable failures.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

