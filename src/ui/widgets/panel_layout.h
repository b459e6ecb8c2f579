#pragma once

#include <QString>

class QFrame;
class QVBoxLayout;
class QWidget;

// A plain frame named `name`, the building block of the window's panes.
QFrame* NewPanel(QWidget* parent, const QString& name);

// A vertical layout without margins or spacing, as the panes stack their parts.
QVBoxLayout* NewColumn(QWidget* parent);
