// The settings that shape the main window.
#include "ui/mainwindow/main_form.h"

#include <QPixmap>

#include "core/recipes/open_recipe.h"
#include "core/settings/settings.h"
#include "ui/mainwindow/control_bar.h"
#include "ui/mainwindow/list_area.h"
#include "ui/mainwindow/main_bars.h"
#include "ui/mainwindow/recipe_panes.h"
#include "ui/widgets/tiled_background.h"

void TMainForm::ApplyOptionSettings(const TSettingsApply& apply, bool starting) {
    Q_UNUSED(starting);
    const QPixmap background = apply.BackgroundPath.isEmpty() ? QPixmap() : QPixmap(apply.BackgroundPath);
    if (!background.isNull()) {
        // The dock sites show the picture tiled; the dialogs tile the shared
        // picture.
        SetSharedBackImg(background);
        for (QWidget* site : std::initializer_list<QWidget*>{Bars->Site(1), Bars->Site(2)}) {
            QPalette palette = site->palette();
            palette.setBrush(QPalette::Window, QBrush(background));
            site->setPalette(palette);
            site->setAutoFillBackground(true);
        }
        for (QWidget* bar : std::initializer_list<QWidget*>{Bars->Site(1), Bars->Site(2), Bars->Bar("ToolBar1"),
                                                             Bars->Bar("ToolBar2"), Bars->Bar("ToolBar3"),
                                                             Bars->Bar("ToolBar4")})
            if (bar)
                bar->update();
        ListArea->RepaintThumbnails();
    }
    // The caption is applied whether or not a background bitmap exists.
    setWindowTitle(apply.Caption);

    const bool wasEmpty = !State.Recipe->IsModified();
    Panes->ApplyFontName(apply.PaneFontName);
    if (wasEmpty)
        State.Recipe->SetModified(false);

    ListArea->SetRowLook(apply.LargeRowIcons, apply.GridLines);
}
