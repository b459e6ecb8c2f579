#include "ui/mainwindow/cached_size_delegate.h"

#include <QApplication>
#include <QIcon>
#include <QListView>
#include <QStyle>

namespace {

// Enough for the largest collections; past it the cache starts again rather than grow.
constexpr qsizetype MaxSizes = 200000;

const QStyle* StyleOf(const QStyleOptionViewItem& option) {
    return option.widget ? option.widget->style() : QApplication::style();
}

}  // namespace

TCachedSizeDelegate::TCachedSizeDelegate(QAbstractItemDelegate* inner, QObject* parent)
    : QAbstractItemDelegate(parent), Sizer(inner) {
    connect(Sizer, &QAbstractItemDelegate::sizeHintChanged, this, [this](const QModelIndex& index) {
        Sizes.clear();
        emit sizeHintChanged(index);
    });
}

void TCachedSizeDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
    Sizer->paint(painter, option, index);
}

bool TCachedSizeDelegate::SameMeasure(const QStyleOptionViewItem& option) const {
    return MeasuredStyle == StyleOf(option) && MeasuredDecoration == option.decorationSize &&
           MeasuredFont == option.font;
}

QSize TCachedSizeDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    // With a grid the cell's size follows the grid, which the key does not hold.
    const auto* view = qobject_cast<const QListView*>(option.widget);
    if (!view || view->gridSize().isValid())
        return Sizer->sizeHint(option, index);
    const QVariant decoration = index.data(Qt::DecorationRole);
    qint64 iconKey = 0;
    if (decoration.userType() == QMetaType::QIcon)
        iconKey = decoration.value<QIcon>().cacheKey();
    else if (decoration.isValid())
        return Sizer->sizeHint(option, index);
    if (!SameMeasure(option) || Sizes.size() >= MaxSizes) {
        Sizes.clear();
        MeasuredStyle = StyleOf(option);
        MeasuredDecoration = option.decorationSize;
        MeasuredFont = option.font;
    }
    const QPair<QString, qint64> key(index.data(Qt::DisplayRole).toString(), iconKey);
    auto found = Sizes.constFind(key);
    if (found == Sizes.constEnd())
        found = Sizes.insert(key, Sizer->sizeHint(option, index));
    return *found;
}

bool TCachedSizeDelegate::editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                                      const QModelIndex& index) {
    return Sizer->editorEvent(event, model, option, index);
}

bool TCachedSizeDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                                    const QModelIndex& index) {
    return Sizer->helpEvent(event, view, option, index);
}
