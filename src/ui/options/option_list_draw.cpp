#include "ui/options/option_list_draw.h"

#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QStylePainter>

#include "core/platform/file_io.h"

namespace {

void FillItem(QPainter* painter, const QStyleOptionViewItem& option) {
    const bool selected = option.state & QStyle::State_Selected;
    painter->fillRect(option.rect, option.palette.brush(selected ? QPalette::Highlight
                                                                 : QPalette::Base));
}

bool Focused(const QStyleOptionViewItem& option) {
    return (option.state & QStyle::State_Selected) || (option.state & QStyle::State_HasFocus);
}

}  // namespace

TBackgroundItemDelegate::TBackgroundItemDelegate(QString backgroundDir, QObject* parent)
    : QStyledItemDelegate(parent), BackgroundDir(std::move(backgroundDir)) {}

void TBackgroundItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const {
    painter->save();
    FillItem(painter, option);
    const QRect r = option.rect;
    painter->setPen(Qt::black);
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(r.left() + 4, r.top() + 1, 18, 18);
    const QString name = index.data().toString();
    const QString path = BackgroundDir + ExistingNameIgnoringCase(BackgroundDir, name + ".bmp");
    if (!name.isEmpty() && QFileInfo::exists(path)) {
        const QImage image(path);
        painter->drawImage(QPoint(r.left() + 5, r.top() + 2), image, QRect(0, 0, 16, 16));
    }
    painter->setPen(option.palette.color(Focused(option) ? QPalette::HighlightedText
                                                         : QPalette::Text));
    painter->drawText(QRect(r.left() + 27, r.top() + 2, r.width() - 27, r.height() - 2),
                      Qt::AlignLeft | Qt::AlignVCenter, name);
    painter->restore();
}

QSize TBackgroundItemDelegate::sizeHint(const QStyleOptionViewItem& option,
                                        const QModelIndex& index) const {
    return {QStyledItemDelegate::sizeHint(option, index).width() + 27, 20};
}

void TAttributeItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const {
    painter->save();
    FillItem(painter, option);
    const QString text = index.data().toString();
    const QRect r = option.rect.adjusted(5, 0, 0, 0);
    if (text.isEmpty()) {
        painter->setPen(option.palette.color(QPalette::Disabled, QPalette::Text));
        painter->drawText(r, Qt::AlignLeft | Qt::AlignVCenter, "(なし)");
    } else {
        painter->setPen(Focused(option) ? QColor(Qt::white) : option.palette.color(QPalette::Text));
        painter->drawText(r, Qt::AlignLeft | Qt::AlignVCenter, text);
    }
    painter->restore();
}

QSize TAttributeItemDelegate::sizeHint(const QStyleOptionViewItem& option,
                                       const QModelIndex& index) const {
    return {QStyledItemDelegate::sizeHint(option, index).width() + 5,
            qMax(14, option.fontMetrics.height() + 2)};
}

QString PaperItemText(const QString& paper) {
    if (paper == "A4")
        return paper + " (297mm×210mm)";
    if (paper == "A5")
        return paper + " (210mm×148mm)";
    if (paper == "B5")
        return paper + " (257mm×182mm)";
    if (paper == "ハガキ")
        return paper + " (148mm×100mm)";
    return paper;
}

void TPaperItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
    painter->save();
    FillItem(painter, option);
    painter->setPen(Focused(option) ? QColor(Qt::white) : option.palette.color(QPalette::Text));
    painter->drawText(option.rect.adjusted(5, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                      PaperItemText(index.data().toString()));
    painter->restore();
}

QSize TPaperItemDelegate::sizeHint(const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const {
    return {option.fontMetrics.horizontalAdvance(PaperItemText(index.data().toString())) + 10,
            qMax(14, option.fontMetrics.height() + 2)};
}

void TDrawnComboBox::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionComboBox opt;
    initStyleOption(&opt);
    opt.currentText.clear();
    opt.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, opt);
    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, this);
    if (currentIndex() < 0)
        return;
    // Drawn as the open list draws it: while the box has the focus, the shown
    // item is the selected one, on the highlight.
    QStyleOptionViewItem item;
    item.initFrom(this);
    item.rect = field;
    item.state.setFlag(QStyle::State_Selected, hasFocus());
    painter.setClipRect(field);
    itemDelegate()->paint(&painter, item, model()->index(currentIndex(), modelColumn(), rootModelIndex()));
}

TPrintStylePreview::TPrintStylePreview(int style, QWidget* parent)
    : QWidget(parent), Style(style) {
    setFixedSize(120, 84);
}

void TPrintStylePreview::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.scale(width() / 120.0, height() / 84.0);
    p.fillRect(QRect(0, 0, 120, 84), Qt::white);
    p.setPen(Qt::gray);
    p.drawRect(0, 0, 119, 83);
    QFont f = font();
    f.setPixelSize(10);
    p.setFont(f);
    auto box = [&](QRect r, const QString& text, QColor colour) {
        p.fillRect(r, colour);
        p.setPen(Qt::black);
        p.drawRect(r);
        p.drawText(r, Qt::AlignCenter, text);
    };
    const QColor title(0xFF, 0xE0, 0xC0), pic(0xC8, 0xE0, 0xFF), food(0xD8, 0xF0, 0xD0),
        how(0xF4, 0xF4, 0xD8);
    switch (Style) {
    case 1:
        box({6, 4, 106, 14}, "タイトル", title);
        box({6, 22, 58, 26}, "材料", food);
        box({68, 22, 44, 26}, "画像", pic);
        box({6, 52, 106, 26}, "作り方", how);
        break;
    case 2:
        box({6, 4, 106, 14}, "タイトル", title);
        box({6, 22, 44, 26}, "画像", pic);
        box({54, 22, 58, 26}, "材料", food);
        box({6, 52, 106, 26}, "作り方", how);
        break;
    case 3:
        box({6, 4, 106, 12}, "タイトル", title);
        box({36, 19, 46, 20}, "画像", pic);
        box({6, 42, 106, 16}, "材料", food);
        box({6, 61, 106, 18}, "作り方", how);
        break;
    default:
        box({6, 4, 106, 14}, "タイトル", title);
        box({6, 22, 40, 24}, "画像", pic);
        box({6, 50, 40, 28}, "材料", food);
        box({50, 22, 62, 56}, "作り方", how);
        break;
    }
}
