#pragma once

#include <QPixmap>
#include <QRect>
#include <QString>

class QPainter;

// The flat look of the owner-drawn menus: white items with a gradient icon
// column, a navy frame around the selected item.

constexpr int FlatMenuItemHeight = 22;
constexpr int FlatMenuIconColumn = 20;

struct TMenuItemLook {
    QString Caption;   // "-" draws a separator
    QString Shortcut;  // drawn right-aligned
    QPixmap Icon;      // 16 x 16, may be null
    bool Enabled = true;
    bool Selected = false;
    bool Checked = false;
};

// An item of the main menu and the pop-up menus. `menuLeft` is the menu's
// own left edge (the tick box sits at a fixed x of the menu).
void DrawFlatMenuItem(QPainter& painter, const QRect& item, const TMenuItemLook& look, int menuLeft = 0);

// An input-support item; the text colour follows the category (0..5).
void DrawInputSupportItem(QPainter& painter, const QRect& item, const TMenuItemLook& look, int category);

// A button of the flat menu bar.
void DrawMenuBarButton(QPainter& painter, const QRect& button, const QString& caption, bool hot, bool pressed);

// Text colour of an input-support category.
QColor CategoryTextColour(int category);
