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
#include "core/settings/window_geometry.h"
#include "core/platform/ini_file.h"

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

QString TMainForm::IniPath() const { return SettingsFilePath(AppDir); }

void TMainForm::ApplyPaneSizes() {
    SetPaneSize(MainSplitter, Panes, CookPanelWidth);
    Panes->SetSplitSizes(SubPanelHeight, PicturePanelWidth);
}

void TMainForm::PaneSizesMoved() {
    const auto sizeOf = [](QSplitter* splitter, QWidget* pane) {
        const int index = splitter->indexOf(pane);
        return index >= 0 ? splitter->sizes().value(index) : 0;
    };
    CookPanelWidth = sizeOf(MainSplitter, Panes);
    SubPanelHeight = Panes->SubPanelHeight();
    PicturePanelWidth = Panes->PicturePanelWidth();
}

void TMainForm::ReadLayout() {
    TIniFile ini(IniPath());

    Panes->SetWordWrap(ini.ReadBool(QStringLiteral("RECIPEINFORMATION"), QStringLiteral("WORDWRAP"), false));

    const QRect bounds(ini.ReadInteger(QStringLiteral("FORM"), QStringLiteral("LEFT"), 0),
                       ini.ReadInteger(QStringLiteral("FORM"), QStringLiteral("TOP"), 0),
                       ini.ReadInteger(QStringLiteral("FORM"), QStringLiteral("WIDTH"), 800),
                       ini.ReadInteger(QStringLiteral("FORM"), QStringLiteral("HEIGHT"), 600));
    setGeometry(ClampToScreens(bounds, ScreenRects()));
    switch (ini.ReadInteger(QStringLiteral("FORM"), QStringLiteral("WINDOWSTATE"), 2)) {
    case 1: setWindowState(Qt::WindowNoState); break;
    case 2: setWindowState(Qt::WindowMaximized); break;
    default: break;
    }

    CookPanelWidth = ini.ReadInteger(QStringLiteral("COOKPANEL"), QStringLiteral("WIDTH"), 361);
    SubPanelHeight = ini.ReadInteger(QStringLiteral("SUBPANEL"), QStringLiteral("HEIGHT"), 225);
    PicturePanelWidth = ini.ReadInteger(QStringLiteral("PICTUREPANEL"), QStringLiteral("WIDTH"), 178);
    ApplyPaneSizes();

    const int style = ini.ReadInteger(QStringLiteral("LIST"), QStringLiteral("VEIWSTYLE"), 0);
    if (style >= 0 && style <= 3)
        tbtnReportClick(style);

    const int font = ini.ReadInteger(QStringLiteral("FONT"), QStringLiteral("SIZE"), 0);
    if (font >= -2 && font <= 2) {
        auto* item = findChild<QAction*>(QString::fromLatin1(FontItems[font + 2]));
        item->setChecked(true);
        ApplyFontSize(item->data().toInt());
    }

    for (QWidget* bar : DockableBars())
        RestoreBar(ini, bar);

    if (ini.ReadBool(QStringLiteral("MODE"), QStringLiteral("ONLYVIEW"), false))
        miModeChangeClick();
    else
        tbtnModeChangeClick();
    LayoutLoaded = true;
}

void TMainForm::RestoreBar(TIniFile& ini, QWidget* bar) {
    const QString section = bar->objectName();
    const bool floating = TControlBar::IsFloating(bar);
    const QWidget* holder = floating ? TControlBar::FloatingWindow(bar) : bar;
    const QRect current(holder->pos(), floating ? holder->size() : bar->size());
    const QRect rect(ini.ReadInteger(section, QStringLiteral("LEFT"), current.x()),
                     ini.ReadInteger(section, QStringLiteral("TOP"), current.y()),
                     ini.ReadInteger(section, QStringLiteral("WIDTH"), current.width()),
                     ini.ReadInteger(section, QStringLiteral("HEIGHT"), current.height()));
    if (ini.ReadBool(section, QStringLiteral("FLOATING"), floating)) {
        TControlBar::Float(bar, ClampToScreens(rect, ScreenRects()));
    } else {
        QString currentSite = bar->parentWidget() ? bar->parentWidget()->objectName() : QString();
        const QString siteName = ini.ReadString(section, QStringLiteral("DOCKSITENAME"), currentSite);
        // Only the two bar rows are dock sites; any other name means the first.
        TControlBar* site = siteName == QStringLiteral("ControlBar2") ? ControlBar2 : ControlBar1;
        site->Dock(bar, rect.topLeft());
        bar->resize(rect.size().expandedTo(bar->minimumSizeHint()).boundedTo(QSize(4000, 400)));
        site->Relayout();
    }
    SetBarVisible(bar, ini.ReadBool(section, QStringLiteral("VISIBLE"), BarVisible(bar)));
}

void TMainForm::WriteLayout() {
    // A layout that this run could not read is not overwritten.
    if (!LayoutLoaded)
        return;
    TIniFile ini(IniPath());
    ini.WriteBool(QStringLiteral("RECIPEINFORMATION"), QStringLiteral("WORDWRAP"), Panes->WordWrap());

    const Qt::WindowStates state = windowState();
    if (!(state & Qt::WindowMinimized)) {
        if (state & (Qt::WindowMaximized | Qt::WindowFullScreen)) {
            ini.WriteInteger(QStringLiteral("FORM"), QStringLiteral("WINDOWSTATE"), 2);
        } else {
            const QRect bounds = geometry();
            ini.WriteInteger(QStringLiteral("FORM"), QStringLiteral("WINDOWSTATE"), 1);
            ini.WriteInteger(QStringLiteral("FORM"), QStringLiteral("LEFT"), bounds.x());
            ini.WriteInteger(QStringLiteral("FORM"), QStringLiteral("TOP"), bounds.y());
            ini.WriteInteger(QStringLiteral("FORM"), QStringLiteral("WIDTH"), bounds.width());
            ini.WriteInteger(QStringLiteral("FORM"), QStringLiteral("HEIGHT"), bounds.height());
        }
    }

    ini.WriteInteger(QStringLiteral("COOKPANEL"), QStringLiteral("WIDTH"), CookPanelWidth);
    ini.WriteInteger(QStringLiteral("SUBPANEL"), QStringLiteral("HEIGHT"), SubPanelHeight);
    ini.WriteInteger(QStringLiteral("PICTUREPANEL"), QStringLiteral("WIDTH"), PicturePanelWidth);

    const QToolButton* views[] = {tbtnReport, tbtnList, tbtnIcon, tbtnSmallIcon};
    for (int tag = 0; tag < 4; ++tag)
        if (views[tag]->isChecked())
            ini.WriteInteger(QStringLiteral("LIST"), QStringLiteral("VEIWSTYLE"), tag);

    for (int value = -2; value <= 2; ++value) {
        auto* item = findChild<QAction*>(QString::fromLatin1(FontItems[value + 2]));
        if (item && item->isChecked())
            ini.WriteInteger(QStringLiteral("FONT"), QStringLiteral("SIZE"), value);
    }

    for (QWidget* bar : DockableBars())
        WriteBar(ini, bar);
    ini.WriteBool(QStringLiteral("MODE"), QStringLiteral("ONLYVIEW"), ViewOnly);
    ini.UpdateFile();
}

void TMainForm::WriteBar(TIniFile& ini, QWidget* bar) {
    const QString section = bar->objectName();
    const bool floating = TControlBar::IsFloating(bar);
    ini.WriteBool(section, QStringLiteral("FLOATING"), floating);
    if (floating) {
        const QRect rect = TControlBar::FloatingWindow(bar)->geometry();
        ini.WriteInteger(section, QStringLiteral("WIDTH"), rect.width());
        ini.WriteInteger(section, QStringLiteral("HEIGHT"), rect.height());
        ini.WriteBool(section, QStringLiteral("VISIBLE"), BarVisible(bar));
        ini.WriteInteger(section, QStringLiteral("LEFT"), rect.x());
        ini.WriteInteger(section, QStringLiteral("TOP"), rect.y());
        return;
    }
    ini.WriteInteger(section, QStringLiteral("WIDTH"), bar->width());
    ini.WriteInteger(section, QStringLiteral("HEIGHT"), bar->height());
    ini.WriteBool(section, QStringLiteral("VISIBLE"), BarVisible(bar));
    ini.WriteInteger(section, QStringLiteral("LEFT"), bar->x());
    ini.WriteInteger(section, QStringLiteral("TOP"), bar->y());
    ini.WriteString(section, QStringLiteral("DOCKSITENAME"), bar->parentWidget()->objectName());
}
