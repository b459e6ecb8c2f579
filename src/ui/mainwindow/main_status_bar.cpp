#include "ui/mainwindow/main_status_bar.h"

#include <algorithm>

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>

namespace {

QLabel* NewStatusPanel(QStatusBar* bar, const QString& name, int width) {
    auto* panel = new QLabel(bar);
    panel->setObjectName(name);
    panel->setMinimumWidth(width);
    return panel;
}

}  // namespace

TMainStatusBar::TMainStatusBar(QWidget* parent) : QStatusBar(parent) {
    setObjectName(QStringLiteral("StatusBar1"));
    setSizeGripEnabled(true);
    StatusPanel0 = NewStatusPanel(this, QStringLiteral("StatusPanel0"), 150);
    StatusPanel1 = NewStatusPanel(this, QStringLiteral("StatusPanel1"), 100);
    StatusPanel2 = NewStatusPanel(this, QStringLiteral("StatusPanel2"), 160);
    auto* progressLayout = new QHBoxLayout(StatusPanel2);
    progressLayout->setContentsMargins(2, 2, 2, 2);
    ProgressBar1 = new QProgressBar(StatusPanel2);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setMaximumHeight(14);
    ProgressBar1->setValue(0);
    progressLayout->addWidget(ProgressBar1);
    StatusPanel3 = NewStatusPanel(this, QStringLiteral("StatusPanel3"), 100);
    addWidget(StatusPanel0);
    addWidget(StatusPanel1);
    addWidget(StatusPanel2);
    addWidget(StatusPanel3, 1);
}

void TMainStatusBar::ShowCount(int shown, int total) {
    StatusPanel0->setText(QStringLiteral("表示数 : ") + QString::number(shown) + QStringLiteral(" / ") +
                          QString::number(total));
}

void TMainStatusBar::ShowGesture(const QString& letters) { StatusPanel1->setText(letters); }

void TMainStatusBar::ShowServerMode(bool serving) {
    StatusPanel3->setText(serving ? QStringLiteral("SERVER MODE") : QString());
}

TMainStatusBar::TWork::TWork(TMainStatusBar& bar, const QString& text, int maximum) : Bar(bar) {
    Bar.StatusPanel1->setText(text);
    Bar.ProgressBar1->setValue(0);
    Bar.ProgressBar1->setMaximum(std::max(maximum, 0));
}

TMainStatusBar::TWork::~TWork() {
    Bar.StatusPanel1->clear();
    Bar.ProgressBar1->setValue(0);
}

void TMainStatusBar::TWork::Step(int value) { Bar.ProgressBar1->setValue(value); }
