#pragma once

#include <QComboBox>
#include <QStyledItemDelegate>

// The self-drawn drop-down lists of the options window.

// Background names: a framed 16 by 16 sample of each bitmap, then the name.
class TBackgroundItemDelegate final : public QStyledItemDelegate {
public:
    TBackgroundItemDelegate(QString backgroundDir, QObject* parent);
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    QString BackgroundDir;  // ends with "/"
};

// Print attribute codes and index styles: the empty item reads "(なし)".
class TAttributeItemDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

// Paper sizes, each with its size in millimetres.
class TPaperItemDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

// "A4" gives "A4 (297mm×210mm)"; other texts stay as they are.
QString PaperItemText(const QString& paper);

// A drop-down list whose closed face is drawn by its delegate too.
class TDrawnComboBox final : public QComboBox {
public:
    using QComboBox::QComboBox;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// The preview of one print style: boxes for the picture, title, ingredients, method.
class TPrintStylePreview final : public QWidget {
public:
    TPrintStylePreview(int style, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int Style;
};
