#pragma once

class QWidget;

// Centres `window` on the main window: the top-most window it belongs to
// (its parent, or that window's own owner). A window with no owner stays.
void CentreOnMain(QWidget* window);
