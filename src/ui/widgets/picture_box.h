#pragma once

#include <QImage>
#include <QWidget>

// A picture on a white ground, either fitted to the box (centred, keeping
// its proportions, enlarged or reduced) or at its own size.
class TPictureBox final : public QWidget {
    Q_OBJECT
public:
    explicit TPictureBox(QWidget* parent = nullptr);

    void SetPicture(const QImage& picture);
    const QImage& Picture() const { return Image; }
    // Fit: fill the box; otherwise the widget takes the picture's size.
    void SetFit(bool fit);
    bool Fit() const { return Fitted; }
    // Where the picture is drawn in fitted mode.
    QRect PictureRect() const;

signals:
    void MouseMoved();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QImage Image;
    bool Fitted = true;
};
