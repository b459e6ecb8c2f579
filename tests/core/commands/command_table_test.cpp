#include <cstring>

#include <gtest/gtest.h>

#include <QKeySequence>
#include <QSet>

#include "core/commands/command_table.h"

TEST(CommandTable, EnableRules) {
    // The states, in the order of the expectation strings: '1' on, '0' off, '-' not checked.
    const TCommandState states[] = {{false, false, false}, {true, false, false}, {true, true, false},
                                    {false, true, false}, {true, false, true},   {false, false, false, true}};
    const char* stateNames[] = {"no recipe", "open", "open view-only", "no recipe view-only", "open busy", "serving"};
    const std::pair<const char*, const char*> cases[] = {
        // Commands that change the open recipe: only with one, never in view-only mode or while busy.
        {"miRecipeDelete", "01000"},
        // A new recipe and the reload need no open recipe and stay in view-only mode.
        {"miRecipeAdd", "---1-"}, {"miUpdate", "---10"},
        // Reading commands follow the open recipe only; printing is allowed in view-only mode and while busy.
        {"Copy1", "--1--"}, {"tbtnWordWrap", "0-1--"}, {"miModeChange", "1----"}, {"miSearchRecipeName", "----1"},
        {"miPrint", "0-1--"}, {"B3", "---1-"},
        // The server's start and stop follow whether it serves; its details window is always there.
        {"MenuStartup", "1----0"}, {"MenuClose", "0----1"}, {"Detail1", "1----1"},
    };
    for (const auto& [name, expected] : cases) {
        const TCommandRow* row = FindCommand(QLatin1String(name));
        ASSERT_NE(row, nullptr) << name;
        for (size_t i = 0; i < std::strlen(expected); ++i) {
            if (expected[i] != '-') {
                EXPECT_EQ(CommandEnabled(*row, states[i], true), expected[i] == '1') << name << ", " << stateNames[i];
            }
        }
        EXPECT_FALSE(CommandEnabled(*row, states[1], false)) << name << " without a handler";
    }
    // A command the program has no handler for yet stays off whatever is bound.
    TCommandRow unbuilt;
    unbuilt.Handled = false;
    EXPECT_FALSE(CommandEnabled(unbuilt, states[1], true));
}

// A duplicate name, a row in a menu that does not exist or two items with one key would each build a window
// whose commands cannot all be reached.
TEST(CommandTable, NamesMenusAndKeysAreConsistent) {
    QSet<QString> menus = {"MainMenu", "ListPopupMenu", "REPopupMenu", "PicturePopupMenu"}, names, windowKeys;
    const auto fresh = [](QSet<QString>& set, const QString& text) {
        const bool isNew = !set.contains(text);
        set.insert(text);
        return isNew;
    };
    for (const TCommandRow& row : CommandTable()) {
        EXPECT_TRUE(row.Menu.isEmpty() || menus.contains(row.Menu)) << row.Name.toStdString() << " in "
                                                                    << row.Menu.toStdString();
        if (row.Kind == TCommandKind::Separator)
            continue;
        EXPECT_TRUE(fresh(names, row.Name)) << row.Name.toStdString();
        if (row.Kind == TCommandKind::SubMenu) {
            menus.insert(row.Name);
            continue;
        }
        if (!row.Shortcut.isEmpty()) {
            EXPECT_FALSE(QKeySequence(row.Shortcut, QKeySequence::PortableText).isEmpty())
                << row.Shortcut.toStdString();
            EXPECT_TRUE(row.Menu.endsWith(QLatin1String("PopupMenu")) || fresh(windowKeys, row.Shortcut))
                << row.Shortcut.toStdString();
        }
        for (const TCommandPlace& place : row.Places) {
            EXPECT_FALSE(place.Container.isEmpty()) << place.Name.toStdString();
            EXPECT_TRUE(place.Name == row.Name || fresh(names, place.Name)) << place.Name.toStdString();
        }
    }
    EXPECT_EQ(FindCommand(QStringLiteral("miFile")), nullptr) << "a menu is not a command";
}
