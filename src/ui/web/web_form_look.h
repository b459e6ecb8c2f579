#pragma once

#include <QString>

class QDialog;
class QLineEdit;
class QPushButton;
class QWidget;

// The common make of the web tools' windows: named buttons and fields at
// fixed places, a fixed dialog frame centred on the main window, and the
// shared background picture tiled over the client area.
QPushButton* AddWebButton(QWidget* parent, const char* name, const QString& text, int x, int y, int width = 89);
QLineEdit* AddWebEdit(QWidget* parent, const char* name, int x, int y, int width);
void SetUpWebDialog(QDialog* dialog, int width, int height);
