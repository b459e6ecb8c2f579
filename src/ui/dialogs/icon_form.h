#pragma once

#include <QList>
#include <QPixmap>
#include <QWidget>

class QFrame;
class QScrollArea;
class TIconBox;

// The borderless pop-up grid of all recipe icons (built-in, then the user
// icons of this run). A click on a cell copies the icon into the target's
// icon box and closes the pop-up; clicking elsewhere closes it too. From the
// keyboard a framed selection starts on the box's icon, the arrows move it,
// Enter or Space takes it as a click does and Esc leaves the box as it was.
class TIconForm final : public QWidget {
    Q_OBJECT
public:
    explicit TIconForm(QWidget* parent = nullptr);
    ~TIconForm() override;

    // 0 = the attribute dialog's icon box, 1 = the wizard's.
    int PickTarget = 0;
    void SetTargetBox(int pickTarget, TIconBox* box);

    // Builds the grid once from the 32-pixel icon list, six cells a row.
    void BuildIconGrid(const QList<QPixmap>& icons32);
    QPixmap Icon(int index) const;

    // Shows the pop-up for `pickTarget` with its top-left corner at `topLeft`
    // (screen coordinates).
    void Popup(int pickTarget, QPoint topLeft);
    void IconCellClick(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void AddIconCell(int index, const QPixmap& picture, QPoint at);
    void SelectCell(int index);

    QFrame* Panel1 = nullptr;
    QScrollArea* ScrollBox1 = nullptr;
    QWidget* PaintBox1 = nullptr;
    QWidget* SelectionFrame = nullptr;
    int Selected = -1;  // the keyboard selection, -1 for none
    QList<QPixmap> Icons;
    QList<TIconBox*> Targets{nullptr, nullptr};
};
