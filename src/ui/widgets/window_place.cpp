#include "ui/widgets/window_place.h"

#include <QWidget>

void CentreOnMain(QWidget* window) {
    QWidget* main = window->parentWidget();
    if (!main)
        return;
    while (main->parentWidget())
        main = main->parentWidget();
    window->move(main->geometry().center() - window->rect().center());
}
