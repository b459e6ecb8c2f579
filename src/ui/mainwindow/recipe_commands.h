#pragma once

#include <functional>

#include <QObject>

class QWidget;
class TListArea;
class TMainBars;
class TOpenRecipe;
class TRecipeBook;
class TRecipePanes;
struct TIconNames;
struct TWindows;

// Whole-recipe commands of the main window: add, delete, rename, save,
// attributes, reload, and the icon manager. Every refill goes through the
// list area, whose model reset rebuilds the thumbnails and the tree shown.
class TRecipeCommands final : public QObject {
public:
    struct TParts {
        TRecipeBook& Book;
        TOpenRecipe& Recipe;
        TWindows& Windows;
        TListArea& List;
        TRecipePanes& Panes;
        TMainBars& Bars;
        std::function<bool()> QuerySaveChanges;  // the window's one save question
        std::function<void(bool)> SetEditMode;
    };

    // `owner` is the window the messages belong to.
    TRecipeCommands(TParts parts, QWidget* owner);

    // Binds the commands; after every window exists, as it builds the icon
    // picker's grid.
    void Bind();

private:
    void Add();
    void Delete();
    void Save();
    void Rename();
    void EditAttributes();
    void Reload();
    void ManageIcons();
    TIconNames UserIconNames() const;

    TParts Parts;
    QWidget* Owner = nullptr;
};
