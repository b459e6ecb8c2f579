#pragma once

#include <QString>

class QWidget;

// Saves a picture of the widget as <name>.png into the folder named by the
// environment variable SAPORIA_RENDER_DIR, when it is set (for looking at a
// window by eye); does nothing otherwise.
void RenderWidgetIfAsked(QWidget* widget, const QString& name);
