#pragma once

#include <QObject>

class QLineEdit;

// Event filter that applies NumericKeyAccepted to every typed character of
// the line edits it is installed on, over the edit's selection. Keys that
// type nothing (arrows, Delete, Home, Tab, Enter, Escape) and keys that only
// select or move (Ctrl+A, Shift+arrows) pass, so navigation, selection and the
// default button work; control characters such as Ctrl+V are refused.
class TNumericKeyFilter final : public QObject {
    Q_OBJECT
public:
    explicit TNumericKeyFilter(QObject* parent = nullptr);
    void Attach(QLineEdit* edit);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
