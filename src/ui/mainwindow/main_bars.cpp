#include "ui/mainwindow/main_bars.h"

#include <algorithm>

#include <QAbstractButton>
#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>

#include "ui/mainwindow/control_bar.h"
#include "ui/mainwindow/toolbar_artwork.h"
#include "ui/platform/dialogs.h"

namespace {

QToolBar* NewBar(QWidget* parent, const QString& name, const QString& title) {
    auto* bar = new QToolBar(title, parent);
    bar->setObjectName(name);
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setIconSize(QSize(16, 16));
    return bar;
}

QFrame* NewPanel(QWidget* parent, const QString& name, const QString& title) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(name);
    panel->setWindowTitle(title);
    return panel;
}

QIcon Art(const QString& name) {
    const QImage image = ToolbarImageNamed(name);
    return image.isNull() ? QIcon() : QIcon(QPixmap::fromImage(image));
}

}  // namespace

TMainBars::TMainBars(QWidget* window) : QObject(window), Window(window) {
    setObjectName(QStringLiteral("MainBars"));
    BuildContainers();
    for (const TCommandRow& row : CommandTable())
        BuildRow(row);
    BuildPlaces();
    BuildRefinementBar();
    ControlBar2->DockAuto(Bars.value(QStringLiteral("ToolBar6")));
    ControlBar2->hide();

    // The menu's shortcuts belong to the window, so they work wherever the
    // menu bar is: floating, hidden, or away with the bar row in view-only mode.
    for (const TCommandRow& row : CommandTable())
        if (row.Kind == TCommandKind::Command && !row.Shortcut.isEmpty() && !row.Menu.isEmpty() &&
            !row.Menu.endsWith(QLatin1String("PopupMenu")))
            Window->addAction(Actions.value(row.Name));
    PlaceDefault();
    Update(Current);
}

void TMainBars::BuildContainers() {
    MainMenu = new QMenuBar(nullptr);
    MainMenu->setObjectName(QStringLiteral("MainMenu"));
    MainMenu->setNativeMenuBar(false);
    NewPopup("ListPopupMenu");
    NewPopup("REPopupMenu");
    NewPopup("PicturePopupMenu");
    NewPopup("PopupInputMaterial");

    ControlBar1 = new TControlBar(QStringLiteral("ControlBar1"), Window);
    ControlBar2 = new TControlBar(QStringLiteral("ControlBar2"), Window);
    QToolBar* menuBar = NewBar(ControlBar1, QStringLiteral("ToolBar3"), QStringLiteral("メニュー"));
    menuBar->addWidget(MainMenu);
    Bars.insert(menuBar->objectName(), menuBar);
    for (const auto& [name, title] : {std::pair{"ToolBar1", "ショートカット"}, std::pair{"ToolBar2", "表示形式"},
                                      std::pair{"ToolBar4", "材料で絞込み検索"}})
        Bars.insert(QLatin1String(name), NewBar(ControlBar1, QLatin1String(name), QString::fromUtf8(title)));
    Bars.insert(QStringLiteral("ToolBar6"), NewBar(ControlBar2, QStringLiteral("ToolBar6"), QStringLiteral("参照モード")));

    QFrame* hint = NewPanel(ControlBar1, QStringLiteral("PanelHint"), QStringLiteral("ヒント"));
    hint->setFixedSize(170, 22);
    auto* hintImage = new QLabel(hint);
    hintImage->setObjectName(QStringLiteral("imgHint"));
    hintImage->setGeometry(1, 1, 168, 20);
    hintImage->setStyleSheet(QStringLiteral("background: black; color: white;"));
    Bars.insert(hint->objectName(), hint);

    QFrame* clock = NewPanel(ControlBar1, QStringLiteral("PanelClock"), QStringLiteral("時計"));
    clock->setFixedSize(50, 50);
    clock->setAutoFillBackground(true);
    QPalette clockPalette = clock->palette();
    clockPalette.setColor(QPalette::Window, Qt::white);
    clock->setPalette(clockPalette);
    auto* clockImage = new QLabel(clock);
    clockImage->setObjectName(QStringLiteral("ImageClock"));
    clockImage->setGeometry(1, 1, 48, 48);
    Bars.insert(clock->objectName(), clock);

    QFrame* author = NewPanel(ControlBar1, QStringLiteral("PanelAuthor"), QStringLiteral("ホームページへ"));
    auto* authorLayout = new QHBoxLayout(author);
    authorLayout->setContentsMargins(1, 1, 1, 1);
    Bars.insert(author->objectName(), author);
}

// Made after the buttons, so the search box comes after them in the focus
// chain and keeps its grey prompt when the window opens.
void TMainBars::BuildRefinementBar() {
    auto* refinement = static_cast<QToolBar*>(Bars.value(QStringLiteral("ToolBar4")));
    auto* combo = new QComboBox(refinement);
    combo->setObjectName(QStringLiteral("cbSearchRefinement"));
    combo->setEditable(true);
    combo->setMinimumWidth(140);
    combo->setInsertPolicy(QComboBox::NoInsert);
    refinement->addWidget(combo);
    auto* search = new QPushButton(QStringLiteral("検 索"), refinement);
    search->setObjectName(QStringLiteral("btnSearchRefinement"));
    refinement->addWidget(search);

}

QMenu* TMainBars::NewPopup(const char* name) {
    auto* menu = new QMenu(Window);
    menu->setObjectName(QLatin1String(name));
    Menus.insert(menu->objectName(), menu);
    return menu;
}

void TMainBars::BuildRow(const TCommandRow& row) {
    QMenu* menu = Menus.value(row.Menu);
    if (row.Kind == TCommandKind::Separator) {
        if (menu)
            menu->addSeparator();
        return;
    }
    if (row.Kind == TCommandKind::SubMenu) {
        auto* sub = new QMenu(row.Caption, menu ? static_cast<QWidget*>(menu) : MainMenu);
        sub->setObjectName(row.Name);
        sub->menuAction()->setObjectName(row.Name);
        sub->menuAction()->setVisible(row.Visible);
        if (menu)
            menu->addMenu(sub);
        else
            MainMenu->addMenu(sub);
        Menus.insert(row.Name, sub);
        return;
    }
    auto* action = new QAction(row.Caption, menu ? static_cast<QObject*>(menu) : this);
    action->setObjectName(row.Name);
    if (!row.Shortcut.isEmpty())
        action->setShortcut(QKeySequence(row.Shortcut, QKeySequence::PortableText));
    action->setVisible(row.Visible);
    action->setCheckable(row.Checkable);
    action->setData(row.Tag);
    action->setEnabled(false);
    if (!row.Group.isEmpty()) {
        QActionGroup*& group = Groups[row.Group];
        if (!group) {
            group = new QActionGroup(this);
            group->setExclusive(true);
        }
        group->addAction(action);
    }
    if (menu)
        menu->addAction(action);
    connect(action, &QAction::triggered, this, [this, name = row.Name] {
        const auto handler = Handlers.value(name);
        if (!handler)
            return;
        // An error the command does not report itself still must not cross
        // the event loop: it shows its message.
        try {
            handler();
        } catch (const std::exception& error) {
            ShowErrorBox(Window, ExceptionMessage(error));
        }
    });
    Actions.insert(row.Name, action);
}

void TMainBars::BuildPlaces() {
    struct TPlaced {
        const TCommandRow* Row;
        const TCommandPlace* Place;
    };
    std::vector<TPlaced> places;
    for (const TCommandRow& row : CommandTable())
        for (const TCommandPlace& place : row.Places)
            places.push_back({&row, &place});
    std::stable_sort(places.begin(), places.end(),
                     [](const TPlaced& a, const TPlaced& b) { return a.Place->Slot < b.Place->Slot; });

    for (const auto& [row, place] : places) {
        QAction* command = Actions.value(row->Name);
        if (QMenu* popup = Menus.value(place->Container)) {
            if (place->SeparatorBefore)
                popup->addSeparator();
            auto* item = new QAction(place->Caption, popup);
            item->setObjectName(place->Name);
            if (!place->Shortcut.isEmpty())
                item->setShortcut(QKeySequence(place->Shortcut, QKeySequence::PortableText));
            popup->addAction(item);
            Follow(command, item);
            continue;
        }
        QWidget* bar = Bars.value(place->Container);
        if (!bar || (place->Art.isEmpty() && place->Caption.isEmpty()))
            continue;  // a button its pane builds: AttachExisting
        auto* toolBar = qobject_cast<QToolBar*>(bar);
        if (toolBar && place->SeparatorBefore)
            toolBar->addSeparator();
        auto* button = new QToolButton(bar);
        button->setAutoRaise(true);
        if (place->Caption.isEmpty()) {
            // An icon button is its command's own action.
            command->setIcon(Art(place->Art));
            command->setIconVisibleInMenu(false);
            command->setToolTip(place->Hint);
            button->setDefaultAction(command);
            button->setToolButtonStyle(Qt::ToolButtonIconOnly);
        } else {
            button->setText(place->Caption);
            button->setToolButtonStyle(Qt::ToolButtonTextOnly);
            Follow(command, button);
        }
        button->setObjectName(place->Name);
        if (toolBar)
            toolBar->addWidget(button);
        else if (bar->layout())
            bar->layout()->addWidget(button);
    }
    QWidget* author = Bars.value(QStringLiteral("PanelAuthor"));
    author->resize(author->sizeHint());
}

void TMainBars::AttachExisting() {
    for (const TCommandRow& row : CommandTable())
        for (const TCommandPlace& place : row.Places) {
            if (!place.Art.isEmpty() || !place.Caption.isEmpty())
                continue;
            if (auto* button = Window->findChild<QAbstractButton*>(place.Name))
                Follow(Actions.value(row.Name), button);
        }
}

void TMainBars::Follow(QAction* command, QAction* follower) {
    follower->setEnabled(command->isEnabled());
    connect(command, &QAction::enabledChanged, follower, &QAction::setEnabled);
    connect(follower, &QAction::triggered, command, [command] { command->trigger(); });
}

void TMainBars::Follow(QAction* command, QAbstractButton* button) {
    button->setEnabled(command->isEnabled());
    connect(command, &QAction::enabledChanged, button, &QWidget::setEnabled);
    connect(button, &QAbstractButton::clicked, command, [command] {
        // A checkable command keeps its own tick; the button has its own.
        if (command->isCheckable())
            command->setChecked(!command->isChecked());
        command->trigger();
    });
}

QAction* TMainBars::Action(const QString& name) const { return Actions.value(name); }

QMenu* TMainBars::Menu(const QString& name) const { return Menus.value(name); }

QWidget* TMainBars::Bar(const QString& name) const { return Bars.value(name); }

QLabel* TMainBars::HintStrip() const {
    return Bars.value(QStringLiteral("PanelHint"))->findChild<QLabel*>(QStringLiteral("imgHint"));
}

QLabel* TMainBars::ClockFace() const {
    return Bars.value(QStringLiteral("PanelClock"))->findChild<QLabel*>(QStringLiteral("ImageClock"));
}

std::vector<QWidget*> TMainBars::OwnerDrawnMenus() const {
    return {MainMenu, Menus.value(QStringLiteral("REPopupMenu")), Menus.value(QStringLiteral("PicturePopupMenu")),
            Menus.value(QStringLiteral("ListPopupMenu"))};
}

std::vector<QWidget*> TMainBars::DockableBars() const {
    std::vector<QWidget*> bars;
    for (const char* name : {"ToolBar1", "ToolBar2", "ToolBar3", "ToolBar4", "PanelHint", "PanelClock", "PanelAuthor"})
        bars.push_back(Bars.value(QLatin1String(name)));
    return bars;
}

void TMainBars::Bind(const QString& name, std::function<void()> handler) {
    Handlers.insert(name, std::move(handler));
    // Only this command's enabling can have changed.
    if (const TCommandRow* row = FindCommand(name); row && row->Kind == TCommandKind::Command)
        if (QAction* action = Actions.value(name))
            action->setEnabled(CommandEnabled(*row, Current, true));
}

bool TMainBars::IsOn(const QString& name) const {
    const TCommandRow* row = FindCommand(name);
    return row && CommandEnabled(*row, Current, Bound(name));
}

void TMainBars::Update(const TCommandState& state) {
    Current = state;
    for (const TCommandRow& row : CommandTable())
        if (row.Kind == TCommandKind::Command)
            if (QAction* action = Actions.value(row.Name))
                action->setEnabled(CommandEnabled(row, state, Bound(row.Name)));
}

// The stored layout: the menu bar, the tips and the home page picture on the
// first row, the tool bars on the second, the clock at the right of both.
void TMainBars::PlaceDefault() {
    QWidget* bar1 = Bars.value(QStringLiteral("ToolBar1"));
    QWidget* bar2 = Bars.value(QStringLiteral("ToolBar2"));
    QWidget* bar3 = Bars.value(QStringLiteral("ToolBar3"));
    QWidget* bar4 = Bars.value(QStringLiteral("ToolBar4"));
    QWidget* hint = Bars.value(QStringLiteral("PanelHint"));
    QWidget* clock = Bars.value(QStringLiteral("PanelClock"));
    QWidget* author = Bars.value(QStringLiteral("PanelAuthor"));
    for (QWidget* bar : {bar1, bar2, bar3, bar4})
        bar->resize(bar->sizeHint());
    const int row1 = 0;
    const int row2 = std::max(bar3->height(), hint->height()) + 2;
    ControlBar1->Dock(bar3, QPoint(0, row1));
    ControlBar1->Dock(bar1, QPoint(0, row2));
    ControlBar1->Dock(bar2, QPoint(bar1->width() + 4, row2));
    ControlBar1->Dock(bar4, QPoint(bar2->x() + bar2->width() + 4, row2));
    const int right = std::max(bar3->width(), bar4->x() + bar4->width()) + 6;
    ControlBar1->Dock(hint, QPoint(std::max(bar3->width() + 6, right - hint->width()), row1 + 2));
    ControlBar1->Dock(clock, QPoint(hint->x() + hint->width() + 6, row1));
    ControlBar1->Dock(author, QPoint(clock->x() + clock->width() + 6, row1));
}

bool TMainBars::BarVisible(const QWidget* bar) {
    if (QWidget* floating = TControlBar::FloatingWindow(bar))
        return !floating->isHidden() && !bar->isHidden();
    return !bar->isHidden();
}

void TMainBars::SetBarVisible(QWidget* bar, bool visible) {
    bar->setVisible(visible);
    if (QWidget* floating = TControlBar::FloatingWindow(bar))
        floating->setVisible(visible);
}

void TMainBars::BindToolbarItems() {
    // The tool bar items and the bars they show.
    static const std::pair<const char*, const char*> items[] = {
        {"miTbShortcut", "ToolBar1"}, {"miTbDisplayform", "ToolBar2"}, {"miTbSearch", "ToolBar4"},
        {"miTbHint", "PanelHint"},    {"miTbClock", "PanelClock"},     {"miTbHomePage", "PanelAuthor"}};
    connect(Menu(QStringLiteral("miToolbar")), &QMenu::aboutToShow, this, [this] {
        for (const auto& [item, bar] : items)
            Action(QLatin1String(item))->setChecked(BarVisible(Bar(QLatin1String(bar))));
    });
    for (const auto& [item, bar] : items) {
        const QString itemName = QLatin1String(item);
        const QString barName = QLatin1String(bar);
        // The item's tick was toggled by the click: the bar follows it.
        Bind(itemName, [this, itemName, barName] { SetBarVisible(Bar(barName), Action(itemName)->isChecked()); });
    }
}
