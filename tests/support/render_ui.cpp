#include "support/render_ui.h"

#include <QCoreApplication>
#include <QDir>
#include <QWidget>

void RenderWidgetIfAsked(QWidget* widget, const QString& name) {
    const QString dir = qEnvironmentVariable("SAPORIA_RENDER_DIR");
    if (dir.isEmpty())
        return;
    QDir().mkpath(dir);
    // Let pending layouts run so scroll bars and sizes are those a user sees.
    QCoreApplication::processEvents();
    widget->grab().save(dir + "/" + name + ".png");
}
