#pragma once

#include <memory>

#include <QObject>
#include <QString>

class QWidget;
class TListArea;
class TMainBars;
class TOpenRecipe;
class TPrintLayouts;
class TRecipeBook;
class TRecipePanes;
class TSettingsStore;
struct TWindows;

// The print commands of the main window: the open recipe on its layout and
// the shown list as an index, printed on the default printer or previewed.
class TPrintCommands final : public QObject {
public:
    struct TParts {
        TRecipeBook& Book;
        TOpenRecipe& Recipe;
        TSettingsStore& Store;
        TListArea& List;
        TRecipePanes& Panes;
        TMainBars& Bars;
        TWindows& Windows;  // its layouts, once the program has made them
    };

    // The progress window's text while the index is made.
    static const QString IndexProgressText;

    TPrintCommands(TParts parts, QWidget* owner);
    ~TPrintCommands() override;

    void Bind();
    void PrintRecipe(bool preview);
    void PrintRecipeList(bool preview);

private:
    TPrintLayouts& Layouts();

    TParts Parts;
    QWidget* Owner = nullptr;
    std::unique_ptr<TPrintLayouts> OwnLayouts;  // a window built on its own
};
