#include <gtest/gtest.h>

#include <map>

#include <QApplication>
#include <QRegularExpression>
#include <QScrollArea>

#include "support/dialog_driver.h"
#include "support/dialog_fixture.h"
#include "ui/dialogs/element_form.h"
#include "ui/dialogs/icon_form.h"
#include "ui/dialogs/new_wizard_form.h"
#include "ui/platform/dialogs.h"
#include "ui/widgets/icon_box.h"

namespace {

// Both openers of the picker, as at start-up; 59 icons are more rows than it shows at once.
struct TPickerWindows {
    TDialogAnswerer Answers;  // none is expected; a failure must not block on one
    QWidget MainWindow;
    TIconForm* Picker = new TIconForm(&MainWindow);
    TElementForm* Element = new TElementForm(&MainWindow);
    TNewWizardForm* Wizard = new TNewWizardForm(&MainWindow);
    TPickerWindows() {
        MainWindow.show();
        Picker->BuildIconGrid(ColouredIcons(59));
        Element->SetIconPicker(Picker);
        Wizard->SetIconPicker(Picker);
    }
    // The cell the frame is on as the user sees it: drawn in the highlight
    // colour, whole across the visible part of the grid; -1 when none is.
    int FramedCell() const {
        auto* frame = Child<QWidget>(Picker, "IconSelection");
        if (!frame)
            return -1;
        QWidget* view = Child<QScrollArea>(Picker, "ScrollBox1")->viewport();
        const QPoint left = frame->mapTo(view, QPoint(0, frame->height() / 2));
        const QImage seen = view->grab().toImage();
        if (!frame->isVisible() || !seen.rect().contains(left) || !seen.rect().contains(left + QPoint(35, 0)) ||
            seen.pixelColor(left) != Picker->palette().color(QPalette::Highlight))
            return -1;
        const QPoint cell = frame->geometry().center();
        return cell.y() / 35 * 6 + cell.x() / 35;
    }
    // Opens the picker with Space on the dialog's icon box (the wizard on its last step).
    TIconBox* Open(QDialog* dialog, int start) {
        dialog->show();
        for (int i = 0; dialog == Wizard && i < 3; ++i)
            ClickChild(Wizard, "BitBtnNext");
        QApplication::setActiveWindow(dialog);
        auto* box = Child<TIconBox>(dialog, dialog == Wizard ? "Image4" : "Image1");
        if (start >= 0)
            box->SetIcon(QString::number(start), Picker->Icon(start));
        box->setFocus();
        QTest::keyClick(dialog->windowHandle(), Qt::Key_Space);
        return box;
    }
    void Keys(const std::string& keys) const {
        static const std::map<char, Qt::Key> named{{'L', Qt::Key_Left},   {'R', Qt::Key_Right}, {'U', Qt::Key_Up},
                                                   {'D', Qt::Key_Down},   {' ', Qt::Key_Space}, {'\n', Qt::Key_Return},
                                                   {'K', Qt::Key_Enter},  {'E', Qt::Key_Escape}};
        for (char c : keys)
            QTest::keyClick(Picker->windowHandle(), named.at(c));
    }
};

}  // namespace

// Space opens the picker framing the box's icon (the first when none); arrows
// move the frame, scrolling it into view; Enter or Space takes the framed icon
// as a click does, Esc keeps the box as it was. The dialog under it neither
// closes nor takes the keys, and has the focus back on its icon.
TEST(IconForm, ChosenFromTheKeyboard) {
    struct TRow {
        bool Wizard;
        int Start;         // the box's icon, -1 none
        const char* Keys;  // arrows L R U D; the last key: \n Return, K keypad Enter, space, E Esc
        int Framed;        // before the last key
        int Hint;          // the box's icon after it
        int Icons = 59;    // the grid built again with this many first
    };
    const TRow rows[] = {
        {false, 34, "LU\n", 27, 27},         {false, -1, "RRD ", 8, 8},       {false, 34, "DDE", 46, 34},
        {false, 57, "UUUUUUUUUK", 3, 3},     {true, -1, "DD\n", 12, 12},      {true, 20, "RRRRE", 23, 20},
        {false, -1, "DRRRR\n", 3, 3, 4},  // rebuilt as each new main window does: old cells gone
    };
    TPickerWindows w;
    for (const TRow& row : rows) {
        SCOPED_TRACE(std::string(row.Wizard ? "wizard " : "attributes ") + std::to_string(row.Start) + " " + row.Keys);
        if (row.Icons != 59)
            w.Picker->BuildIconGrid(ColouredIcons(row.Icons));
        QDialog* dialog = row.Wizard ? static_cast<QDialog*>(w.Wizard) : w.Element;
        TIconBox* box = w.Open(dialog, row.Start);
        ASSERT_TRUE(w.Picker->isVisible());
        EXPECT_EQ(w.FramedCell(), qMax(row.Start, 0));
        const std::string keys = row.Keys;
        w.Keys(keys.substr(0, keys.size() - 1));
        EXPECT_EQ(w.FramedCell(), row.Framed);
        w.Keys(keys.substr(keys.size() - 1));
        EXPECT_FALSE(w.Picker->isVisible());
        EXPECT_EQ(box->Hint(), QString::number(row.Hint));
        EXPECT_EQ(box->pixmap().toImage(), row.Hint < 0 ? QImage() : w.Picker->Icon(row.Hint).toImage());
        EXPECT_TRUE(dialog->isVisible() && dialog->result() == 0);
        EXPECT_EQ(QApplication::focusWidget(), box);
        dialog->reject();
    }
    EXPECT_EQ(w.Picker->findChildren<QWidget*>(QRegularExpression("^IconCell")).size(), 4);
}
