#include "ui/mainwindow/flat_menu_style.h"

#include <QAction>
#include <QMenu>
#include <QPainter>
#include <QStyleOptionMenuItem>
#include <QWidget>

#include "ui/mainwindow/menu_drawing.h"

namespace {

TFlatMenuStyle* SharedStyle() {
    static TFlatMenuStyle* style = nullptr;
    if (!style)
        style = new TFlatMenuStyle;
    return style;
}

}  // namespace

TFlatMenuStyle::TFlatMenuStyle(QStyle* base) : QProxyStyle(base) {}

void TFlatMenuStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                                 const QWidget* widget) const {
    if (element == CE_MenuItem) {
        const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
        if (!item) {
            QProxyStyle::drawControl(element, option, painter, widget);
            return;
        }
        TMenuItemLook look;
        QString text = item->text;
        const qsizetype tab = text.indexOf(QLatin1Char('\t'));
        if (tab >= 0) {
            look.Shortcut = text.mid(tab + 1);
            text = text.left(tab);
        }
        look.Caption = item->menuItemType == QStyleOptionMenuItem::Separator ? QStringLiteral("-") : text;
        look.Enabled = item->state & State_Enabled;
        look.Selected = item->state & State_Selected;
        look.Checked = item->checkType != QStyleOptionMenuItem::NotCheckable && item->checked;
        if (!item->icon.isNull())
            look.Icon = item->icon.pixmap(16, 16);
        const bool inputSupport = widget && widget->property("InputSupport").toBool();
        if (inputSupport) {
            // The category rides on the item's data.
            int category = -1;
            if (const auto* menu = qobject_cast<const QMenu*>(widget))
                if (QAction* action = menu->actionAt(item->rect.center()))
                    category = action->data().isValid() ? action->data().toInt() : -1;
            DrawInputSupportItem(*painter, item->rect, look, category);
            return;
        }
        DrawFlatMenuItem(*painter, item->rect, look, widget ? 0 : item->rect.left());
        if (item->menuItemType == QStyleOptionMenuItem::SubMenu) {
            // The submenu arrow at the right.
            const QRect r = item->rect;
            painter->save();
            painter->setPen(Qt::NoPen);
            painter->setBrush(look.Enabled ? Qt::black : Qt::gray);
            const int cx = r.right() - 8;
            const int cy = r.center().y();
            painter->drawPolygon(QPolygon({QPoint(cx - 2, cy - 4), QPoint(cx + 2, cy), QPoint(cx - 2, cy + 4)}));
            painter->restore();
        }
        return;
    }
    if (element == CE_MenuBarItem) {
        const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
        if (item) {
            painter->fillRect(item->rect, item->palette.window());
            DrawMenuBarButton(*painter, item->rect, item->text, item->state & State_Selected,
                              item->state & State_Sunken);
            return;
        }
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

QSize TFlatMenuStyle::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                                       const QWidget* widget) const {
    QSize result = QProxyStyle::sizeFromContents(type, option, size, widget);
    if (type == CT_MenuItem) {
        const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
        result.setHeight(FlatMenuItemHeight);
        if (item && item->menuItemType != QStyleOptionMenuItem::Separator)
            result.setWidth(qMax(result.width(), size.width() + 23 + 24));
    }
    return result;
}

int TFlatMenuStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const {
    switch (metric) {
    case PM_MenuPanelWidth:
    case PM_MenuHMargin:
    case PM_MenuVMargin:
        return 1;
    default:
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

void TFlatMenuStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                   const QWidget* widget) const {
    if (element == PE_FrameMenu || element == PE_PanelMenu) {
        painter->save();
        painter->fillRect(option->rect, Qt::white);
        painter->setPen(QColor(0x80, 0x80, 0x80));
        painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
        painter->restore();
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void ApplyFlatMenuStyle(QWidget* menuOrBar) {
    if (!menuOrBar)
        return;
    menuOrBar->setStyle(SharedStyle());
    for (QMenu* sub : menuOrBar->findChildren<QMenu*>())
        sub->setStyle(SharedStyle());
    if (auto* menu = qobject_cast<QMenu*>(menuOrBar))
        for (QAction* action : menu->actions())
            if (action->menu())
                ApplyFlatMenuStyle(action->menu());
}
