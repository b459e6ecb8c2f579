#pragma once

#include <QString>

class QLabel;
class QWidget;

// A caption at (x, y) of `parent`, sized to its text; `name` becomes its
// object name when given.
QLabel* AddLabel(QWidget* parent, const QString& text, int x, int y, const char* name = nullptr);
