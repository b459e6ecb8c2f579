#pragma once

#include <QList>
#include <QObject>

class QAction;
class QTextEdit;
class TInputSupport;
class TLinkHover;
class TTipsTickerView;

// The editing aids of the recipe panes that go with the window's menus.
class TPaneAids final : public QObject {
public:
    using QObject::QObject;

    TLinkHover* FoodstuffHover = nullptr;
    TLinkHover* HowHover = nullptr;
    TInputSupport* InputSupport = nullptr;
    TTipsTickerView* Tips = nullptr;
    QTextEdit* MenuPane = nullptr;          // the pane that opened REPopupMenu
    QList<QAction*> LinkDeleteItems;        // items of the delete submenu
};
