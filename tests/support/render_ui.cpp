#include "support/render_ui.h"

#include <QDir>
#include <QWidget>

void RenderWidgetIfAsked(QWidget* widget, const QString& name) {
    const QString dir = qEnvironmentVariable("SAPORIA_RENDER_DIR");
    if (dir.isEmpty())
        return;
    QDir().mkpath(dir);
    widget->grab().save(dir + "/" + name + ".png");
}
