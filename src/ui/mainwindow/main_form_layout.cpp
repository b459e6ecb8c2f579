// The main window's layout keys of the settings file: read in the creation,
// written when the window closes.
#include "ui/mainwindow/main_form.h"
#include "ui/mainwindow/recipe_panes.h"
#include "core/recipes/open_recipe.h"

#include <QAction>
#include <QGuiApplication>
#include <QScreen>
#include <QSplitter>
#include <QToolBar>
#include <QToolButton>

#include "ui/mainwindow/control_bar.h"
#include "ui/mainwindow/cook_list_view.h"
#include "ui/mainwindow/main_bars.h"
#include "core/settings/window_geometry.h"
#include "core/platform/saporia_error.h"
#include "core/settings/settings_store.h"

namespace {

QList<QRect> ScreenRects() {
    QList<QRect> rects;
    for (QScreen* screen : QGuiApplication::screens())
        rects << screen->availableGeometry();
    return rects;
}

// Gives `pane` its size in the splitter; the panes with a stretch take the rest.
void SetPaneSize(QSplitter* splitter, QWidget* pane, int size) {
    QList<int> sizes = splitter->sizes();
    const int index = splitter->indexOf(pane);
    if (index < 0 || index >= sizes.size())
        return;
    int total = 0;
    for (int s : sizes)
        total += s;
    if (total <= 0)
        total = splitter->orientation() == Qt::Horizontal ? splitter->width() : splitter->height();
    sizes[index] = std::max(0, size);
    // The first visible pane with a stretch takes what is left.
    for (int i = 0; i < sizes.size(); ++i) {
        if (i != index && !splitter->widget(i)->isHidden() && splitter->widget(i)->sizePolicy().horizontalStretch() > 0) {
            sizes[i] = std::max(0, total - sizes[index]);
            break;
        }
    }
    splitter->setSizes(sizes);
}

const char* const FontItems[] = {"miFontSizeMin", "miFontSizeSmall", "miFontSizeMiddle", "miFontSizeBig",
                                 "miFontSizeMax"};

}  // namespace

QString TMainForm::IniPath() const { return State.Store->Path(); }

void TMainForm::ApplyPaneSizes() {
    const TWindowLayout& layout = State.Store->Layout();
    SetPaneSize(MainSplitter, Panes, layout.CookPanelWidth);
    Panes->SetSplitSizes(layout.SubPanelHeight, layout.PicturePanelWidth);
}

void TMainForm::PaneSizesMoved() {
    const auto sizeOf = [](QSplitter* splitter, QWidget* pane) {
        const int index = splitter->indexOf(pane);
        return index >= 0 ? splitter->sizes().value(index) : 0;
    };
    TWindowLayout layout = State.Store->Layout();
    layout.CookPanelWidth = sizeOf(MainSplitter, Panes);
    layout.SubPanelHeight = Panes->SubPanelHeight();
    layout.PicturePanelWidth = Panes->PicturePanelWidth();
    State.Store->SetLayout(layout);
}

void TMainForm::ReadLayout() {
    State.Store->LoadLayout();
    ApplyLayout(State.Store->Layout());
    // Reported once, here: the option keys come from the same file later.
    if (!State.Store->LoadError().isEmpty())
        throw TSaporiaError(State.Store->LoadError());
}

void TMainForm::ApplyLayout(const TWindowLayout& layout) {
    Panes->SetWordWrap(layout.WordWrap);

    // The store keeps every number in range, so the sums cannot overflow.
    const QRect bounds(layout.Left.value_or(0), layout.Top.value_or(0), layout.Width.value_or(800),
                       layout.Height.value_or(600));
    setGeometry(ClampToScreens(bounds, ScreenRects()));
    if (layout.WindowState == 1)
        setWindowState(Qt::WindowNoState);
    else if (layout.WindowState == 2)
        setWindowState(Qt::WindowMaximized);

    ApplyPaneSizes();

    if (layout.ViewStyle)
        SetViewStyle(*layout.ViewStyle);

    if (layout.FontSize) {
        auto* item = findChild<QAction*>(QString::fromLatin1(FontItems[*layout.FontSize + 2]));
        item->setChecked(true);
        ApplyFontSize(item->data().toInt());
    }

    const std::vector<QWidget*> bars = Bars->DockableBars();
    for (size_t i = 0; i < bars.size() && i < layout.Bars.size(); ++i) {
        QWidget* bar = bars[i];
        const TBarLayout& saved = layout.Bars[i];
        // A key the file does not hold keeps the bar's current value.
        const bool floating = TControlBar::IsFloating(bar);
        const QWidget* holder = floating ? TControlBar::FloatingWindow(bar) : bar;
        const QSize size = floating ? holder->size() : bar->size();
        const QRect rect(saved.Left.value_or(holder->x()), saved.Top.value_or(holder->y()),
                         saved.Width.value_or(size.width()), saved.Height.value_or(size.height()));
        if (saved.Floating.value_or(floating)) {
            TControlBar::Float(bar, ClampToScreens(rect, ScreenRects()));
        } else {
            const QString currentSite = bar->parentWidget() ? bar->parentWidget()->objectName() : QString();
            // Only the two bar rows are dock sites; any other name means the first.
            TControlBar* site = saved.DockSiteName.value_or(currentSite) == QStringLiteral("ControlBar2")
                                    ? Bars->Site(2)
                                    : Bars->Site(1);
            site->Dock(bar, rect.topLeft());
            bar->resize(rect.size().expandedTo(bar->minimumSizeHint()).boundedTo(QSize(4000, 400)));
            site->Relayout();
        }
        TMainBars::SetBarVisible(bar, saved.Visible.value_or(TMainBars::BarVisible(bar)));
    }

    SetViewOnly(layout.OnlyView);
}

TWindowLayout TMainForm::CurrentLayout() const {
    TWindowLayout layout = State.Store->Layout();  // keeps the pane sizes
    layout.WordWrap = Panes->WordWrap();

    // Minimised: no FORM key; maximised: only the state; normal: state and bounds.
    const Qt::WindowStates state = windowState();
    layout.WindowState.reset();
    layout.Left.reset();
    layout.Top.reset();
    layout.Width.reset();
    layout.Height.reset();
    if (state & (Qt::WindowMaximized | Qt::WindowFullScreen)) {
        layout.WindowState = 2;
    } else if (!(state & Qt::WindowMinimized)) {
        const QRect bounds = geometry();
        layout.WindowState = 1;
        layout.Left = bounds.x();
        layout.Top = bounds.y();
        layout.Width = bounds.width();
        layout.Height = bounds.height();
    }
    if (state & Qt::WindowMinimized)
        layout.WindowState.reset();

    // No view button down: the file keeps what it held.
    layout.ViewStyle.reset();
    const QAction* views[] = {Bars->Action(QStringLiteral("tbtnReport")), Bars->Action(QStringLiteral("tbtnList")),
                              Bars->Action(QStringLiteral("tbtnIcon")), Bars->Action(QStringLiteral("tbtnSmallIcon"))};
    for (int tag = 0; tag < 4; ++tag)
        if (views[tag]->isChecked())
            layout.ViewStyle = tag;

    layout.FontSize.reset();
    for (int value = -2; value <= 2; ++value) {
        auto* item = findChild<QAction*>(QString::fromLatin1(FontItems[value + 2]));
        if (item && item->isChecked())
            layout.FontSize = value;
    }

    const std::vector<QWidget*> bars = Bars->DockableBars();
    layout.Bars.resize(bars.size());
    for (size_t i = 0; i < bars.size(); ++i) {
        QWidget* bar = bars[i];
        TBarLayout& saved = layout.Bars[i];
        saved.Name = bar->objectName();
        saved.Floating = TControlBar::IsFloating(bar);
        saved.Visible = TMainBars::BarVisible(bar);
        // A floating bar leaves its old dock site in the file.
        const QRect rect = *saved.Floating ? TControlBar::FloatingWindow(bar)->geometry() : bar->geometry();
        saved.Width = rect.width();
        saved.Height = rect.height();
        saved.Left = rect.x();
        saved.Top = rect.y();
        if (*saved.Floating)
            saved.DockSiteName.reset();
        else
            saved.DockSiteName = bar->parentWidget()->objectName();
    }
    layout.OnlyView = ViewOnly();
    return layout;
}

void TMainForm::WriteLayout() {
    // The store writes back only a layout that this run could read.
    if (!State.Store->LayoutLoaded())
        return;
    State.Store->SetLayout(CurrentLayout());
    State.Store->WriteLayout();
}
