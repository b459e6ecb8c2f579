#pragma once

#include <QAbstractItemDelegate>
#include <QFont>
#include <QHash>
#include <QPair>
#include <QSize>
#include <QString>

class QStyle;

// Passes every call to another delegate and remembers its size hints by the
// cell's text and icon. A list whose cells each size themselves measures
// every name on each layout; text shaping is most of a refill's cost there,
// and the names hardly change between refills. Only cells whose icon is a
// QIcon (or none) are remembered, and only while the view has no grid.
class TCachedSizeDelegate final : public QAbstractItemDelegate {
    Q_OBJECT
public:
    // `inner` stays owned by its parent.
    TCachedSizeDelegate(QAbstractItemDelegate* inner, QObject* parent);

    QAbstractItemDelegate* Inner() const { return Sizer; }
    int CachedCount() const { return static_cast<int>(Sizes.size()); }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

private:
    // The view's settings the remembered sizes were measured with.
    bool SameMeasure(const QStyleOptionViewItem& option) const;

    QAbstractItemDelegate* Sizer;
    mutable QHash<QPair<QString, qint64>, QSize> Sizes;
    mutable QFont MeasuredFont;
    mutable QSize MeasuredDecoration;
    mutable const QStyle* MeasuredStyle = nullptr;
};
