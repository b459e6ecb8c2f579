#pragma once

#include <QProxyStyle>

// The flat look of the menus and the menu bar: every menu item 22 pixels
// high, white with the gradient icon column, a navy frame on the selected
// item. Menus whose "InputSupport" property is set draw their items in the
// input-support colours (the action's data is the category).
class TFlatMenuStyle final : public QProxyStyle {
    Q_OBJECT
public:
    explicit TFlatMenuStyle(QStyle* base = nullptr);

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
};

// Gives a menu (and its submenus as they are added) the flat look.
void ApplyFlatMenuStyle(class QWidget* menuOrBar);
