// The main window's regions and the commands bound to them.
#include "ui/mainwindow/main_form.h"

#include <QAction>
#include <QSplitter>
#include <QVBoxLayout>

#include "core/recipes/open_recipe.h"
#include "ui/dialogs/version_form.h"
#include "ui/exchange/exchange_commands.h"
#include "ui/lan/lan_commands.h"
#include "ui/mainwindow/control_bar.h"
#include "ui/mainwindow/list_area.h"
#include "ui/mainwindow/main_bars.h"
#include "ui/mainwindow/main_status_bar.h"
#include "ui/mainwindow/pane_aids.h"
#include "ui/mainwindow/recipe_commands.h"
#include "ui/mainwindow/recipe_panes.h"
#include "ui/web/web_commands.h"
#include "ui/options/option_form.h"
#include "ui/printing/print_commands.h"
#include "ui/tools/tool_commands.h"
#include "ui/widgets/panel_layout.h"

void TMainForm::BuildWidgets() {
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("ClientPanel"));
    auto* layout = NewColumn(central);
    Bars = new TMainBars(this);
    layout->addWidget(Bars->Site(1));
    layout->addWidget(Bars->Site(2));

    MainSplitter = new QSplitter(Qt::Horizontal, central);
    MainSplitter->setObjectName(QStringLiteral("MainSplitter"));
    MainSplitter->setChildrenCollapsible(false);
    layout->addWidget(MainSplitter, 1);
    setCentralWidget(central);

    StatusBar1 = new TMainStatusBar(this);
    setStatusBar(StatusBar1);
    ListArea = new TListArea(*State.Book, MainSplitter, *StatusBar1, Windows(), this);
    Panes = new TRecipePanes(*State.Recipe, MainSplitter);
    MainSplitter->addWidget(Panes);
    connect(Panes, &TRecipePanes::SplitterMoved, this, &TMainForm::PaneSizesMoved);
    Bars->AttachExisting();

    MainSplitter->setStretchFactor(MainSplitter->indexOf(Panes), 0);
    connect(MainSplitter, &QSplitter::splitterMoved, this, &TMainForm::PaneSizesMoved);
}

void TMainForm::BindCommands() {
    Bars->Bind(QStringLiteral("Exit1"), [this] { close(); });
    Bars->Bind(QStringLiteral("miModeChange"), [this] { SetViewOnly(true); });
    Bars->Bind(QStringLiteral("tbtnModeChange"), [this] { SetViewOnly(false); });
    Bars->Bind(QStringLiteral("tbtnWordWrap"), [this] { ApplyWordWrap(); });
    for (const char* name : {"tbtnReport", "tbtnList", "tbtnIcon", "tbtnSmallIcon"}) {
        const int tag = FindCommand(QLatin1String(name))->Tag;
        Bars->Bind(QLatin1String(name), [this, tag] { SetViewStyle(tag); });
    }
    for (const char* name : {"miFontSizeMax", "miFontSizeBig", "miFontSizeMiddle", "miFontSizeSmall", "miFontSizeMin"}) {
        const int size = FindCommand(QLatin1String(name))->Tag;
        Bars->Bind(QLatin1String(name), [this, size] { ApplyFontSize(size); });
    }
    Bars->Action(QStringLiteral("miFontSizeMiddle"))->setChecked(true);
    Bars->BindToolbarItems();

    PaneAids = new TPaneAids({*Panes, *State.Recipe, *Bars, Windows(), [this] { return Settings().UseThumbnail; }},
                             this);
    BindListHooks();
    ListArea->BindCommands(*Bars);

    Bars->Bind(QStringLiteral("miOption"), [this] {
        if (Windows().OptionForm)
            Windows().OptionForm->exec();
    });
    Bars->Bind(QStringLiteral("About1"), [this] {
        if (Windows().VersionForm)
            Windows().VersionForm->exec();
    });
    Bars->Bind(QStringLiteral("miDisplayDetailConfig"),
               [this] { ListArea->ChooseColumns(Windows().ListColumnSelectForm); });
    (new TPrintCommands({*State.Book, *State.Recipe, *State.Store, *ListArea, *Panes, *Bars, Windows()}, this))->Bind();
    new TExchangeCommands({*State.Book, *State.Recipe, Windows(), *ListArea, *Panes, *Bars, *StatusBar1,
                           [this] { return QuerySaveChanges(); }},
                          this);
    BindWebCommands(*Bars, Windows());
    TToolCommands::Bind(*Bars, Windows(), AppDir);
    BindLanCommands(*Bars, Windows());
}

void TMainForm::WireRecipeCommands() {
    if (RecipeCommands)
        return;
    RecipeCommands = new TRecipeCommands({*State.Book, *State.Recipe, Windows(), *ListArea, *Panes, *Bars,
                                          [this] { return QuerySaveChanges(); },
                                          [this](bool enabled) { SetEditMode(enabled); }},
                                         this);
    RecipeCommands->Bind();
}

void TMainForm::SetEditMode(bool enabled) {
    TCommandState state = Bars->State();
    state.RecipeOpen = enabled;
    Bars->Update(state);
    Panes->SetEditLook(enabled);
}

void TMainForm::SetServerMode(bool serving) {
    StatusBar1->ShowServerMode(serving);
    TCommandState state = Bars->State();
    state.Serving = serving;
    Bars->Update(state);
}

bool TMainForm::ViewOnly() const { return Bars->State().ViewOnly; }
