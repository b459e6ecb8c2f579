#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// The folder-name dialog of the bookmark organiser and the RSS reader. The
// caller sets the caption and the name, runs it modally and reads the name
// back on OK, as typed.
class TBookMarkFolderForm final : public QDialog {
    Q_OBJECT
public:
    explicit TBookMarkFolderForm(QWidget* mainWindow = nullptr);

    void Prepare(const QString& caption, const QString& name);
    QString Name() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void BitBtn1Click();

    QLineEdit* Edit1 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
};
