#include <gtest/gtest.h>

#include <QKeySequence>
#include <QSet>

#include "core/commands/command_table.h"

namespace {

struct TEnableCase {
    const char* Command;
    TCommandState State;
    bool HasHandler;
    bool Enabled;
};

constexpr TCommandState NoRecipe{false, false, false};
constexpr TCommandState Open{true, false, false};
constexpr TCommandState OpenViewOnly{true, true, false};
constexpr TCommandState NoRecipeViewOnly{false, true, false};
constexpr TCommandState OpenBusy{true, false, true};

}  // namespace

TEST(CommandTable, EnableRules) {
    const TEnableCase cases[] = {
        // Commands that change the open recipe: only with one, never in view-only mode.
        {"miRecipeDelete", NoRecipe, true, false},
        {"miRecipeDelete", Open, true, true},
        {"miRecipeDelete", OpenViewOnly, true, false},
        {"miRecipeDelete", Open, false, false},
        {"miRecipeDelete", OpenBusy, true, false},
        // A new recipe and the reload need no open recipe and stay in view-only mode.
        {"miRecipeAdd", NoRecipeViewOnly, true, true},
        {"miUpdate", NoRecipeViewOnly, true, true},
        {"miUpdate", OpenBusy, true, false},
        // Reading commands follow the open recipe only.
        {"Copy1", OpenViewOnly, true, true},
        {"tbtnWordWrap", NoRecipe, true, false},
        {"tbtnWordWrap", OpenViewOnly, true, true},
        {"miModeChange", NoRecipe, true, true},
        {"miSearchRecipeName", OpenBusy, true, true},
        // Printing reads the open recipe and is allowed in view-only mode and while busy.
        {"miPrint", NoRecipe, true, false},
        {"miPrint", OpenViewOnly, true, true},
        {"B3", NoRecipeViewOnly, true, true},
    };
    // A command the program has no handler for yet stays off whatever is bound.
    TCommandRow unbuilt;
    unbuilt.Handled = false;
    EXPECT_FALSE(CommandEnabled(unbuilt, Open, true));
    for (const TEnableCase& c : cases) {
        const TCommandRow* row = FindCommand(QLatin1String(c.Command));
        ASSERT_NE(row, nullptr) << c.Command;
        EXPECT_EQ(CommandEnabled(*row, c.State, c.HasHandler), c.Enabled)
            << c.Command << " open=" << c.State.RecipeOpen << " viewOnly=" << c.State.ViewOnly
            << " busy=" << c.State.Busy << " handler=" << c.HasHandler;
    }
}

// A duplicate name, a row in a menu that does not exist or two items with one
// key would each build a window whose commands cannot all be reached.
TEST(CommandTable, NamesMenusAndKeysAreConsistent) {
    QSet<QString> menus = {QStringLiteral("MainMenu"), QStringLiteral("ListPopupMenu"),
                           QStringLiteral("REPopupMenu"), QStringLiteral("PicturePopupMenu")};
    QSet<QString> names;
    QSet<QString> windowKeys;
    for (const TCommandRow& row : CommandTable()) {
        if (!row.Menu.isEmpty()) {
            EXPECT_TRUE(menus.contains(row.Menu)) << row.Name.toStdString() << " in " << row.Menu.toStdString();
        }
        if (row.Kind == TCommandKind::Separator)
            continue;
        EXPECT_FALSE(names.contains(row.Name)) << row.Name.toStdString();
        names.insert(row.Name);
        if (row.Kind == TCommandKind::SubMenu) {
            menus.insert(row.Name);
            continue;
        }
        if (!row.Shortcut.isEmpty()) {
            EXPECT_FALSE(QKeySequence(row.Shortcut, QKeySequence::PortableText).isEmpty())
                << row.Shortcut.toStdString();
            if (!row.Menu.endsWith(QLatin1String("PopupMenu"))) {
                EXPECT_FALSE(windowKeys.contains(row.Shortcut)) << row.Shortcut.toStdString();
                windowKeys.insert(row.Shortcut);
            }
        }
        for (const TCommandPlace& place : row.Places) {
            EXPECT_FALSE(place.Container.isEmpty()) << place.Name.toStdString();
            if (place.Name != row.Name) {
                EXPECT_FALSE(names.contains(place.Name)) << place.Name.toStdString();
                names.insert(place.Name);
            }
        }
    }
    EXPECT_EQ(FindCommand(QStringLiteral("miFile")), nullptr) << "a menu is not a command";
}
