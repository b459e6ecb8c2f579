#pragma once

#include <QDialog>

class QPushButton;
class QSpinBox;

// The custom time dialog "タイマーセット画面": hours, minutes and seconds; the
// values stay between uses. OK refuses 0:0:0.
class TTimerSetForm final : public QDialog {
    Q_OBJECT
public:
    explicit TTimerSetForm(QWidget* parent = nullptr);

    int Hours() const;
    int Minutes() const;
    int Seconds() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void BitBtn1Click();

    QSpinBox* SpinEdit1 = nullptr;
    QSpinBox* SpinEdit2 = nullptr;
    QSpinBox* SpinEdit3 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
};
