#pragma once

#include <vector>

#include <QString>

// Where a command shows besides its own menu item: a tool button on a bar or
// an item of a pop-up menu. Places of one container are ordered by `Slot`.
struct TCommandPlace {
    QString Container;  // object name of the tool bar, panel or pop-up menu
    QString Name;       // object name of the button or pop-up item
    QString Caption;    // shown text; empty: an icon-only button
    QString Hint;       // tool tip of a button
    QString Shortcut;   // pop-up item's own key, portable text ("Ctrl+E")
    QString Art;        // name of the button's picture, empty for none
    int Slot = 0;
    bool SeparatorBefore = false;
};

enum class TCommandKind { Command, SubMenu, Separator };

// Commands that start or stop the recipe server are on only in one state.
enum class TServingRule { Any, Stopped, Serving };

// One command of the main window. The row alone gives the menu item, its
// buttons and pop-up items, the shortcut and the rule that enables it.
struct TCommandRow {
    TCommandKind Kind = TCommandKind::Command;
    QString Name;      // object name of the menu item (or of the button when there is no item)
    QString Menu;      // object name of the menu that holds it; empty: no menu item
    QString Caption;
    QString Shortcut;  // portable text ("Ctrl+N", "F5")
    bool NeedsRecipe = false;    // only while a recipe is open
    bool ChangesRecipe = false;  // writes recipe data or the list: not while another command runs
    bool ViewOnly = true;        // allowed in view-only mode
    bool Handled = true;         // the program has a handler for it yet
    bool Visible = true;
    bool Checkable = false;
    int Tag = 0;
    QString Group;  // exclusive check group
    std::vector<TCommandPlace> Places;
    TServingRule Serving = TServingRule::Any;
};

struct TCommandState {
    bool RecipeOpen = false;
    bool ViewOnly = false;
    bool Busy = false;  // a command that changes data is running
    bool Serving = false;  // the recipe server is listening
};

// Every command of the main window in menu order.
const std::vector<TCommandRow>& CommandTable();
// The row named `name`, or nullptr.
const TCommandRow* FindCommand(const QString& name);
// Whether the command may run in `state`; `hasHandler`: one is bound to it.
bool CommandEnabled(const TCommandRow& row, const TCommandState& state, bool hasHandler);
