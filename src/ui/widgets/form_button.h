#pragma once

#include <QString>

class QPushButton;
class QRect;
class QWidget;

// A push button of a fixed-layout window at `geometry` of `parent`, named
// `name`. It never becomes the default on focus, so Enter goes to the
// window's own default button.
QPushButton* AddButton(QWidget* parent, const char* name, const QString& text, const QRect& geometry);
