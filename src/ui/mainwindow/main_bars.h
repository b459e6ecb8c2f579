#pragma once

#include <functional>
#include <vector>

#include <QHash>
#include <QObject>
#include <QString>

#include "core/commands/command_table.h"

class QAbstractButton;
class QLabel;
class QAction;
class QActionGroup;
class QMenu;
class QMenuBar;
class QToolBar;
class QWidget;
class TControlBar;

// The main window's menus, tool bars, dock sites and pop-up menus, built from
// the command table. Each command has one QAction; its menu item and icon
// buttons use it, and its pop-up items and captioned buttons follow it. Which
// commands are enabled follows the state given to Update.
class TMainBars final : public QObject {
    Q_OBJECT
public:
    explicit TMainBars(QWidget* window);

    // The command's action (its menu item), or nullptr.
    QAction* Action(const QString& name) const;
    QMenu* Menu(const QString& name) const;
    QMenuBar* MenuBar() const { return MainMenu; }
    TControlBar* Site(int number) const { return number == 2 ? ControlBar2 : ControlBar1; }
    // The seven dockable bars in the order of their layout keys.
    std::vector<QWidget*> DockableBars() const;
    // A bar or panel of the bars by name (ToolBar1, PanelHint, ...).
    QWidget* Bar(const QString& name) const;
    QLabel* HintStrip() const;  // imgHint, where the tips scroll
    QLabel* ClockFace() const;  // ImageClock
    // The menu bar and the pop-up menus that take the flat owner-drawn look.
    std::vector<QWidget*> OwnerDrawnMenus() const;

    // Gives the command its handler; the command is enabled when the state allows.
    void Bind(const QString& name, std::function<void()> handler);
    bool Bound(const QString& name) const { return Handlers.contains(name); }
    // Buttons that the panes build themselves join their commands.
    void AttachExisting();
    void Update(const TCommandState& state);
    const TCommandState& State() const { return Current; }
    // Whether the command is on in the current state.
    bool IsOn(const QString& name) const;

    // A bar is shown when it and its floating window (if any) are.
    static bool BarVisible(const QWidget* bar);
    static void SetBarVisible(QWidget* bar, bool visible);
    // The tool bar menu: its ticks follow the bars, its items show and hide them.
    void BindToolbarItems();

    // The stored layout of the bars in the first dock site.
    void PlaceDefault();

private:
    void BuildContainers();
    void BuildRow(const TCommandRow& row);
    void BuildPlaces();
    void BuildRefinementBar();
    void Follow(QAction* command, QAction* follower);
    void Follow(QAction* command, QAbstractButton* button);
    QMenu* NewPopup(const char* name);

    QWidget* Window = nullptr;
    QMenuBar* MainMenu = nullptr;
    TControlBar* ControlBar1 = nullptr;
    TControlBar* ControlBar2 = nullptr;
    QHash<QString, QMenu*> Menus;
    QHash<QString, QWidget*> Bars;
    QHash<QString, QAction*> Actions;
    QHash<QString, QActionGroup*> Groups;
    QHash<QString, std::function<void()>> Handlers;
    TCommandState Current;
};
