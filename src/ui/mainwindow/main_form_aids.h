#pragma once

#include <QList>
#include <QObject>

class QAction;
class QTextEdit;
class TInputSupport;
class TLinkHover;
class TMemoPane;
class TPhotoPaneView;
class TTipsTickerView;

// The editing aids of the recipe panes, as the main window holds them.
class TPaneAids final : public QObject {
public:
    using QObject::QObject;

    TLinkHover* FoodstuffHover = nullptr;
    TLinkHover* HowHover = nullptr;
    TMemoPane* Memo = nullptr;
    TPhotoPaneView* Photo = nullptr;
    TInputSupport* InputSupport = nullptr;
    TTipsTickerView* Tips = nullptr;
    QTextEdit* MenuPane = nullptr;          // the pane that opened REPopupMenu
    QList<QAction*> LinkDeleteItems;        // items of the delete submenu
};
