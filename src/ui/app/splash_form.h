#pragma once

#include <QWidget>

class QLabel;

// The start-up window shown while the windows are created.
class TSplashForm final : public QWidget {
    Q_OBJECT
public:
    explicit TSplashForm(QWidget* parent = nullptr);

    QLabel* Image3 = nullptr;
    QLabel* Label1 = nullptr;
};
