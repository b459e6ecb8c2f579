#pragma once

#include <QDialog>

class QFrame;
class QPushButton;
class QScrollArea;

// The icon manager: the ".bmp" files of the folder "Icon" as a grid, with
// add and delete. The icon lists take the change at the next start, which
// the window says when it closes after a change.
class TIconManageForm final : public QDialog {
    Q_OBJECT
public:
    explicit TIconManageForm(QWidget* parent = nullptr);
    ~TIconManageForm() override;

    void SetAppDir(const QString& appDir) { AppDir = appDir; }
    QString IconFolder() const;

    void BuildIconGrid();
    void ClearIconGrid();
    int PanelCount() const { return Panels; }
    int Selection() const { return SelectedIcon; }
    bool IconsChanged() const { return Changed; }

    void ImgClick(int tag);
    void BitBtn1Click();
    void BitBtn2Click();
    void Button1Click();

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void AddPanel(const QString& fileName, QPoint at);

    QString AppDir;
    bool Changed = false;
    int SelectedIcon = -1;
    int Panels = 0;
    QScrollArea* ScrollBox1 = nullptr;
    QWidget* GridHost = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QPushButton* Button1 = nullptr;
};
