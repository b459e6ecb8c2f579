#pragma once

#include <functional>

#include <QList>
#include <QObject>
#include <QStringList>

class QAction;
class QTextEdit;
class QWidget;
class TInputSupport;
class TLinkHover;
class TMainBars;
class TOpenRecipe;
class TRecipePanes;
class TTipsTickerView;
struct TWindows;

// The editing aids of the recipe panes that go with the window's menus: the
// pop-up menus of the panes and the photo, the picture commands, input
// support, digits and alignment, linked pictures, the tips ticker and the
// menus' look.
class TPaneAids final : public QObject {
public:
    struct TParts {
        TRecipePanes& Panes;
        TOpenRecipe& Recipe;
        TMainBars& Bars;
        TWindows& Windows;
        std::function<bool()> UseThumbnail;  // the option that shows links as thumbnails
    };

    // `owner` is the window the messages belong to.
    TPaneAids(TParts parts, QWidget* owner);

    // The input-support words ("Material.dat"); none when the file is missing.
    void LoadMaterialList(const QString& path);
    // After the panes were filled with a recipe.
    void Loaded();

private:
    void BindPictureCommands();
    void BindTextCommands();
    void BindLinkCommands();
    void PaneMenuShown();
    QString SelectedLinkWord() const;
    void LinkFromFile();
    void LinkFromClipboard();
    void FillLinkDeleteMenu();
    void DeleteLink(int tag);
    void DeleteAllLinks();

    TParts Parts;
    QWidget* Owner = nullptr;
    QStringList MaterialList;
    QStringList LinkFileList;
    TLinkHover* FoodstuffHover = nullptr;
    TLinkHover* HowHover = nullptr;
    TInputSupport* InputSupport = nullptr;
    TTipsTickerView* Tips = nullptr;
    QTextEdit* PopupPane = nullptr;      // the pane REPopupMenu was opened on
    QList<QAction*> LinkDeleteItems;     // items of the delete submenu
};
