#pragma once

#include <QLabel>
#include <QString>

// The 32 by 32 recipe icon box of the wizard and the attribute dialog. Its
// hint carries the chosen icon as the decimal text of its index in the icon
// lists, "-1" for none; the picker sets picture and hint together. It takes
// the focus by Tab, and Space or Enter opens the picker as a click does.
class TIconBox final : public QLabel {
    Q_OBJECT
public:
    explicit TIconBox(QWidget* parent = nullptr);

    QString Hint() const { return HintText; }
    // The hint as a number, -1 when it is not one.
    int IconIndex() const;
    void SetIcon(const QString& hint, const QPixmap& picture);
    void Clear();

signals:
    void Clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QString HintText = QStringLiteral("-1");
};
