#pragma once

#include <array>

#include <QLabel>
#include <QPixmap>
#include <QStringList>

// One star of a rating row: a 16 by 16 hand-cursor image whose Tag is 1 when
// lit and -1 when unlit.
class TStarImage final : public QLabel {
    Q_OBJECT
public:
    explicit TStarImage(QWidget* parent = nullptr);
    int Tag() const { return TagValue; }
    void SetLit(bool lit);
    bool IsLit() const { return TagValue == 1; }

signals:
    void Clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    int TagValue = -1;
};

// A row of five stars on a white 82 by 17 box with a thin black border. A
// click on the n-th star lights stars 1 to n and unlights the rest; the value
// is the number of lit stars, 0 to 5. It takes the focus by Tab: the arrow
// keys step the value, a digit 0 to 5 sets it.
class TStarRating final : public QWidget {
    Q_OBJECT
public:
    // `imageNames` are the object names of the five stars, left to right.
    TStarRating(const QStringList& imageNames, QWidget* parent = nullptr);

    int Value() const;
    // Lights the first `value` stars; 0 or less lights none, more than 5 all.
    void SetValue(int value);
    TStarImage* Star(int index) const { return Stars[size_t(index)]; }

    static QPixmap LitPicture();
    static QPixmap UnlitPicture();

signals:
    void ValueChanged(int value);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Choose(int value);

    std::array<TStarImage*, 5> Stars{};
};
