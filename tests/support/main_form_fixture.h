#pragma once

#include <functional>
#include <memory>

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>

#include "core/recipes/cook_list_model.h"
#include "core/recipes/open_recipe.h"
#include "core/recipes/recipe_book.h"
#include "core/recipes/recipe_name.h"
#include "core/search/class_tree_model.h"
#include "support/recipe_fixture.h"
#include "support/temp_app_dir.h"
#include "ui/dialogs/element_form.h"
#include "ui/dialogs/icon_form.h"
#include "ui/dialogs/icon_manage_form.h"
#include "ui/dialogs/new_form.h"
#include "ui/dialogs/new_wizard_form.h"
#include "ui/dialogs/progress_form.h"
#include "ui/mainwindow/cook_list_view.h"
#include "ui/mainwindow/main_form.h"
#include "ui/platform/dialogs.h"

// A main window in a temporary program folder, driven as a user would: by
// clicks on its named components, with every dialog answered by the hook.
class TMainFormFixture {
public:
    static constexpr int ClassTreeLevelRole = TClassTreeModel::LevelRole;
    TTempAppDir Dir;
    TDialogAnswerer Answers;
    TWindows Windows;  // the other windows the test gives the main window
    std::unique_ptr<TRecipeBook> BookState;
    std::unique_ptr<TOpenRecipe> Recipe;
    std::unique_ptr<TMainForm> Form;

    QString AppDir() const { return Dir.AppDir(); }
    QString DataRoot() const { return Dir.AppDir() + QStringLiteral("Cook"); }
    QString Folder(const QString& name) const { return DataRoot() + QLatin1Char('/') + name; }
    QString IniPath() const { return Form ? Form->IniPath() : QString(); }

    TMainForm& Open() {
        Form.reset();
        BookState = std::make_unique<TRecipeBook>(Dir.AppDir());
        Recipe = std::make_unique<TOpenRecipe>(DataRootOf(Dir.AppDir()));
        Form = std::make_unique<TMainForm>(Dir.AppDir(), TCoreState{nullptr, BookState.get(), Recipe.get()},
                                           &Windows);
        Form->WireRecipeCommands();
        Form->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(Form.get()));
        return *Form;
    }
    // Closes as the user would; a closed window is destroyed (which writes).
    bool Close() {
        const bool closed = Form->close();
        if (closed)
            Form.reset();
        return closed;
    }

    // A component of the window by its object name, as the user sees it.
    template <typename T>
    T* Find(const QString& name) const {
        T* found = Form->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    TRecipeBook& Book() const { return *BookState; }
    void Trigger(const QString& action) const { Find<QAction>(action)->trigger(); }
    QString StatusText(int panel) const { return Find<QLabel>(QStringLiteral("StatusPanel%1").arg(panel))->text(); }
    // The recipe panes' modified marker, as the user reads it.
    QString Marker() const { return Find<QLabel>(QStringLiteral("PanelStatus"))->text(); }

    TCookListView* List() const { return Form->findChild<TCookListView*>(QStringLiteral("CookListView")); }
    int RowCount() const { return List()->RowCount(); }
    QString RowText(int row, int column = 0) const { return List()->Model()->index(row, column).data().toString(); }
    QStringList RowNames() const {
        QStringList names;
        for (int r = 0; r < RowCount(); ++r)
            names << RowText(r);
        return names;
    }
    int SelectedRow() const { return List()->SelectedRow(); }

    // A left click on the named row in the view that is shown.
    void ClickRow(const QString& name) {
        QAbstractItemView* view = List()->CurrentView();
        const QModelIndex index = List()->Model()->index(static_cast<int>(RowNames().indexOf(name)), 0);
        view->scrollTo(index);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
        QApplication::processEvents();
    }
    // A click on empty space below the rows.
    void ClickEmpty() {
        QAbstractItemView* view = List()->CurrentView();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(5, view->viewport()->height() - 3));
        QApplication::processEvents();
    }
    void ClickHeader(int column) {
        QHeaderView* header = List()->Header();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(column) + 5, header->height() / 2));
        QApplication::processEvents();
    }
    // Picks a group in the filter box as the user does.
    void ChooseGroup(const QString& group) const {
        auto* box = Find<QComboBox>(QStringLiteral("ComboBoxGroup"));
        QTest::mouseClick(box, Qt::LeftButton);  // drops down: items rebuilt
        box->hidePopup();
        box->setCurrentIndex(box->findText(group));
        emit box->activated(box->currentIndex());
        QApplication::processEvents();
    }
    // Runs the refinement search for `keyword` by the button.
    void Refine(const QString& keyword) const {
        Find<QComboBox>(QStringLiteral("cbSearchRefinement"))->setFocus();
        Find<QComboBox>(QStringLiteral("cbSearchRefinement"))->setEditText(keyword);
        QTest::mouseClick(Find<QPushButton>(QStringLiteral("btnSearchRefinement")), Qt::LeftButton);
        QApplication::processEvents();
    }

    // The rows the classification tree shows, top to bottom, with their
    // level (0 root, 1 value, 2 recipe name).
    QList<std::pair<QModelIndex, int>> ClassTreeRows() const {
        QAbstractItemView* tree = Find<QAbstractItemView>(QStringLiteral("TreeView1"));
        QList<std::pair<QModelIndex, int>> rows;
        const std::function<void(const QModelIndex&, int)> walk = [&](const QModelIndex& parent, int depth) {
            for (int r = 0; r < tree->model()->rowCount(parent); ++r) {
                const QModelIndex index = tree->model()->index(r, 0, parent);
                if (tree->visualRect(index).height() > 0)
                    rows.append({index, depth + index.data(ClassTreeLevelRole).toInt()});
                walk(index, depth + 1);
            }
        };
        walk({}, 0);
        return rows;
    }
    // The first row of the tree showing `caption`, below the first row
    // showing `below` when that is given.
    QModelIndex ClassTreeRow(const QString& caption, const QString& below = {}) const {
        bool passed = below.isEmpty();
        for (const auto& [index, level] : ClassTreeRows()) {
            const QString text = index.data().toString();
            if (passed && text == caption)
                return index;
            passed = passed || text == below;
        }
        ADD_FAILURE() << "no tree row " << caption.toStdString();
        return {};
    }
    // A left click on a row of the tree: on its text, or on the arrow of a
    // row at level `arrowLevel`.
    void ClickClassTree(const QModelIndex& index, int arrowLevel = -1) const {
        QAbstractItemView* tree = Find<QAbstractItemView>(QStringLiteral("TreeView1"));
        tree->scrollTo(index);
        const QRect rect = tree->visualRect(index);
        const int indent = tree->style()->pixelMetric(QStyle::PM_TreeViewIndentation, nullptr, tree);
        const QPoint at = arrowLevel >= 0 ? QPoint(arrowLevel * indent + indent / 2, rect.center().y()) : rect.center();
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
        QApplication::processEvents();
    }

    static void Select(QTextEdit* pane, int from, int to) {
        QTextCursor cursor(pane->document());
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        pane->setTextCursor(cursor);
    }
    // The format of character `c` of a pane, and the middle of it in viewport coordinates.
    static QTextCharFormat FormatAt(QTextEdit* pane, int c) {
        QTextCursor at(pane->document());
        at.setPosition(c + 1);
        return at.charFormat();
    }
    static QPoint CentreOf(QTextEdit* pane, int c) {
        QTextCursor a(pane->document());
        a.setPosition(c);
        QTextCursor b(pane->document());
        b.setPosition(c + 1);
        return {(pane->cursorRect(a).x() + pane->cursorRect(b).x()) / 2, pane->cursorRect(a).center().y()};
    }
    // Types text at the end of a pane, as the keyboard and the input method
    // would (Japanese text arrives as committed input-method text).
    static void TypeInto(QWidget* pane, const QString& text) {
        pane->setFocus();
        QTest::keyClick(pane, Qt::Key_End, Qt::ControlModifier);
        const QStringList lines = text.split(QLatin1Char('\n'));
        for (int i = 0; i < lines.size(); ++i) {
            if (i > 0)
                QTest::keyClick(pane, Qt::Key_Return);
            QInputMethodEvent commit;
            commit.setCommitString(lines[i]);
            QApplication::sendEvent(pane, &commit);
        }
        QApplication::processEvents();
    }
};

// The same with the dialogs the recipe commands open.
struct TMainFormWithDialogs : TMainFormFixture {
    TIconForm Picker;
    TNewForm Names;
    TNewWizardForm Wizard;
    TElementForm Element;
    TProgressForm Progress;
    TIconManageForm IconManage;

    TMainFormWithDialogs() {
        Windows = {.IconForm = &Picker, .ElementForm = &Element, .NewForm = &Names, .NewWizardForm = &Wizard,
                   .ProgressForm = &Progress, .IconManageForm = &IconManage};
        Wizard.SetIconPicker(&Picker);
        Element.SetIconPicker(&Picker);
    }
};
