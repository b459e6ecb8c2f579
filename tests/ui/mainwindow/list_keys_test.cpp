#include "support/main_form_fixture.h"

// Home, End, PageUp and PageDown move the selection in every view style and load the recipe.
TEST(ListKeys, PagingKeysMoveTheSelectionInEveryViewStyle) {
    struct TCase {
        Qt::Key Key;
        int Low;  // the selected row must end in [Low, High]
        int High;
    };
    const int last = 59;
    const TCase keys[] = {{Qt::Key_End, last, last}, {Qt::Key_PageUp, 1, last - 1},
                          {Qt::Key_Home, 0, 0},      {Qt::Key_PageDown, 1, last}};
    for (const char* button : {"tbtnReport", "tbtnList", "tbtnIcon", "tbtnSmallIcon"}) {
        SCOPED_TRACE(button);
        TMainFormFixture f;
        for (int i = 0; i <= last; ++i)
            MakeRecipe(f.DataRoot(), {.Name = QStringLiteral("r%1").arg(i, 2, 10, QLatin1Char('0'))});
        TMainForm& form = f.Open();
        form.setWindowState(Qt::WindowNoState);
        form.setGeometry(0, 0, 900, 600);
        f.Find<QToolButton>(button)->click();
        f.ClickRow(QStringLiteral("r30"));
        QAbstractItemView* view = f.List()->CurrentView();
        view->setFocus();
        for (const TCase& k : keys) {
            QTest::keyClick(view, k.Key);
            const int row = f.SelectedRow();
            EXPECT_TRUE(row >= k.Low && row <= k.High) << "key " << k.Key << " row " << row;
            EXPECT_EQ(f.Find<QLabel>("pnlRecipeHeaderCaption")->text(), f.RowText(row));
        }
    }
}

// The list has the keyboard from the start: its cursor stands on the first
// row, and the arrow keys move the selection from there at once.
TEST(ListKeys, TheListHasTheKeyboardFromTheStart) {
    TMainFormFixture f;
    for (const char* name : {"a", "b", "c"})
        MakeRecipe(f.DataRoot(), {.Name = QString::fromLatin1(name)});
    TMainForm& form = f.Open();
    QApplication::setActiveWindow(&form);
    ASSERT_EQ(QApplication::focusWidget(), f.List()->CurrentView());
    const std::pair<Qt::Key, int> keys[] = {{Qt::Key_Down, 1}, {Qt::Key_Down, 2}, {Qt::Key_Up, 1}, {Qt::Key_Up, 0}};
    for (const auto& [key, row] : keys) {
        QTest::keyClick(QApplication::focusWidget(), key);
        EXPECT_EQ(f.SelectedRow(), row) << key;
    }
}
