#include <gtest/gtest.h>

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

// 59 icons: ten rows of six, the last one short by one, more than the
// pop-up shows at once.
constexpr int IconCount = 59;

// Both openers of the picker, as at start-up.
struct TPickerWindows {
    TDialogAnswerer Answers;
    QWidget MainWindow;
    TIconForm* Picker = new TIconForm(&MainWindow);
    TElementForm* Element = new TElementForm(&MainWindow);
    TNewWizardForm* Wizard = new TNewWizardForm(&MainWindow);
    TPickerWindows() {
        MainWindow.resize(400, 300);
        MainWindow.show();
        Picker->BuildIconGrid(ColouredIcons(IconCount));
        Element->SetIconPicker(Picker);
        Wizard->SetIconPicker(Picker);
    }
    // Shows the dialog on its icon (the wizard on its last step) and puts the focus there.
    TIconBox* OpenOn(QDialog* dialog) {
        dialog->show();
        if (dialog == Wizard)
            for (int i = 0; i < 3; ++i)
                ClickChild(Wizard, "BitBtnNext");
        QApplication::setActiveWindow(dialog);
        auto* box = Child<TIconBox>(dialog, dialog == Wizard ? "Image4" : "Image1");
        box->setFocus();
        return box;
    }
    // The cell the frame is on, as the user sees it: drawn in the highlight
    // colour inside the visible part of the grid; -1 when none is.
    int FramedCell() const {
        auto* frame = Child<QWidget>(Picker, "IconSelection");
        auto* scroll = Child<QScrollArea>(Picker, "ScrollBox1");
        if (!frame || !frame->isVisible())
            return -1;
        const QPoint edge = frame->mapTo(scroll->viewport(), QPoint(0, frame->height() / 2));
        const QImage seen = scroll->viewport()->grab().toImage();
        if (!seen.rect().contains(edge) || !seen.rect().contains(edge + QPoint(frame->width() - 1, 0)) ||
            seen.pixelColor(edge) != Picker->palette().color(QPalette::Highlight))
            return -1;
        for (int i = 0; i < IconCount; ++i) {
            const auto* cell = Picker->findChild<QWidget*>(QStringLiteral("IconCell%1").arg(i));
            if (cell->geometry().center() == frame->geometry().center())
                return i;
        }
        return -1;
    }
};

Qt::Key KeyOf(char c) {
    switch (c) {
    case 'L': return Qt::Key_Left;
    case 'R': return Qt::Key_Right;
    case 'U': return Qt::Key_Up;
    case 'D': return Qt::Key_Down;
    case ' ': return Qt::Key_Space;
    case 'K': return Qt::Key_Enter;  // the keypad's
    case 'E': return Qt::Key_Escape;
    default: return Qt::Key_Return;
    }
}

}  // namespace

// Space opens the picker on the box's icon (the first when none); arrows move
// the frame within the grid, scrolling it into view; Enter or Space takes the
// framed icon as a click does, Esc keeps the box as it was. The dialog under
// it neither closes nor takes the keys.
TEST(IconForm, ChosenFromTheKeyboard) {
    struct TRow {
        bool Wizard;
        int Start;         // the box's icon when the picker opens, -1 none
        const char* Keys;  // L R U D arrows, \n Return, K keypad Enter, space, E Esc
        int Framed;        // the cell framed before the last key
        int Hint;          // the box's icon after it
    };
    const TRow rows[] = {
        {false, 34, "LU\n", 27, 27},
        {false, -1, "RRD ", 8, 8},
        {false, 34, "DDE", 46, 34},
        {false, -1, "LU\n", 0, 0},   // the first cell's edges hold
        {false, 53, "RDL\n", 52, 52},  // the right edge, and no cell below in the short last row
        {false, 57, "UUUUUUUUUK", 3, 3},  // opens scrolled to the icon, and back to the top
        {true, -1, "DD\n", 12, 12},
        {true, 20, "RRRRE", 23, 20},
        {true, -1, "DDDDDRRR ", 33, 33},
    };
    TPickerWindows w;
    for (const TRow& row : rows) {
        SCOPED_TRACE(std::string(row.Wizard ? "wizard " : "attributes ") + std::to_string(row.Start) + " " + row.Keys);
        QDialog* dialog = row.Wizard ? static_cast<QDialog*>(w.Wizard) : w.Element;
        TIconBox* box = w.OpenOn(dialog);
        if (row.Start >= 0)
            box->SetIcon(QString::number(row.Start), w.Picker->Icon(row.Start));
        QTest::keyClick(dialog->windowHandle(), Qt::Key_Space);
        ASSERT_TRUE(w.Picker->isVisible());
        EXPECT_EQ(w.FramedCell(), row.Start < 0 ? 0 : row.Start);
        const std::string keys = row.Keys;
        for (size_t i = 0; i < keys.size(); ++i) {
            if (i + 1 == keys.size()) {
                EXPECT_EQ(w.FramedCell(), row.Framed);
            }
            QTest::keyClick(w.Picker->windowHandle(), KeyOf(keys[i]));
        }
        EXPECT_FALSE(w.Picker->isVisible());
        EXPECT_EQ(box->Hint(), QString::number(row.Hint));
        EXPECT_EQ(box->pixmap().toImage(), row.Hint < 0 ? QImage() : w.Picker->Icon(row.Hint).toImage());
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(dialog->result(), 0);
        EXPECT_EQ(QApplication::focusWidget(), box);
        dialog->reject();
    }
    EXPECT_TRUE(w.Answers.Texts().isEmpty());

    // Built again, as each new main window does: the old cells go, the frame stays.
    w.Picker->BuildIconGrid(ColouredIcons(4));
    EXPECT_EQ(w.Picker->findChildren<QWidget*>(QRegularExpression("^IconCell")).size(), 4);
    TIconBox* box = w.OpenOn(w.Element);
    QTest::keyClick(w.Element->windowHandle(), Qt::Key_Space);
    for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Return})
        QTest::keyClick(w.Picker->windowHandle(), key);
    EXPECT_EQ(box->Hint(), "3");
}
