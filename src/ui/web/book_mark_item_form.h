#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// The title-and-address dialog of the bookmark organiser and the RSS reader.
class TBookMarkItemForm final : public QDialog {
    Q_OBJECT
public:
    explicit TBookMarkItemForm(QWidget* mainWindow = nullptr);

    void Prepare(const QString& caption, const QString& title, const QString& url);
    QString Title() const;
    QString Url() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void BitBtn1Click();

    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
};
