#pragma once

#include <functional>

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <QWidget>

// Runs `step` once `dialog` is shown (inside its exec()), polling the event
// loop, so a test drives a modal dialog as a user would.
inline void WhenShown(QWidget* dialog, std::function<void()> step) {
    auto* timer = new QTimer;
    auto* clock = new QElapsedTimer;
    clock->start();
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, clock, dialog, step] {
        if (!dialog->isVisible() && clock->elapsed() < 5000)
            return;
        timer->stop();
        timer->deleteLater();
        delete clock;
        step();
    });
    timer->start();
}

template <typename T>
T* Child(const QWidget* parent, const char* name) {
    return parent->findChild<T*>(QString::fromLatin1(name));
}

// Clicks the child `name` of `parent` as a user would.
inline void ClickChild(QWidget* parent, const char* name) {
    QTest::mouseClick(Child<QWidget>(parent, name), Qt::LeftButton);
}
