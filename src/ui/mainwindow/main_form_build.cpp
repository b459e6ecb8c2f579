// The main window's panes, list place and status bar.
#include "ui/mainwindow/main_form.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QSplitter>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/mainwindow/control_bar.h"
#include "ui/mainwindow/list_area.h"
#include "ui/mainwindow/main_bars.h"
#include "ui/mainwindow/main_status_bar.h"
#include "ui/mainwindow/recipe_panes.h"
#include "ui/mainwindow/toolbar_artwork.h"

namespace {

QFrame* NewPanel(QWidget* parent, const QString& name) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(name);
    return frame;
}

QVBoxLayout* Column(QWidget* parent) {
    auto* layout = new QVBoxLayout(parent);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    return layout;
}

}  // namespace

void TMainForm::BuildWidgets() {
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("ClientPanel"));
    auto* layout = Column(central);
    Bars = new TMainBars(this);
    layout->addWidget(Bars->Site(1));
    layout->addWidget(Bars->Site(2));

    MainSplitter = new QSplitter(Qt::Horizontal, central);
    MainSplitter->setObjectName(QStringLiteral("MainSplitter"));
    MainSplitter->setChildrenCollapsible(false);
    layout->addWidget(MainSplitter, 1);
    setCentralWidget(central);

    BuildStatusBar();
    BuildListPlace();
    BuildRecipePanes();
    Bars->AttachExisting();

    MainSplitter->setStretchFactor(MainSplitter->indexOf(Panes), 0);
    connect(MainSplitter, &QSplitter::splitterMoved, this, &TMainForm::PaneSizesMoved);
}

void TMainForm::BuildListPlace() {
    ListArea = new TListArea(*Book, MainSplitter, *StatusBar1, this);
}

void TMainForm::BuildRecipePanes() {
    Panes = new TRecipePanes(*OpenRecipe, MainSplitter);
    MainSplitter->addWidget(Panes);
    connect(Panes, &TRecipePanes::SplitterMoved, this, &TMainForm::PaneSizesMoved);
}

void TMainForm::BuildStatusBar() {
    StatusBar1 = new TMainStatusBar(this);
    setStatusBar(StatusBar1);
}
