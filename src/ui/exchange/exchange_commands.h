#pragma once

#include <functional>

#include <QObject>

class QWidget;
class TListArea;
class TMainBars;
class TMainStatusBar;
class TOpenRecipe;
class TRecipeBook;
class TRecipePanes;
struct TWindows;

// The exchange commands of the main window: the ".rpk" export and import,
// the recipe's web page, the handheld pages of the shown list, and the
// import from a recipe web page.
class TExchangeCommands final : public QObject {
public:
    struct TParts {
        TRecipeBook& Book;
        TOpenRecipe& Recipe;
        TWindows& Windows;
        TListArea& List;
        TRecipePanes& Panes;
        TMainBars& Bars;
        TMainStatusBar& Status;
        std::function<bool()> QuerySaveChanges;  // the window's one save question
    };

    // Binds the commands; `owner` is the window the messages belong to.
    TExchangeCommands(TParts parts, QWidget* owner);

    // Runs the web import dialog once; its result (1, 6 or 2).
    int ImportFromCookPad();

private:
    void MailExport();
    void MailImport();
    void HtmlExport();
    void HandheldExport();
    void WebImport();

    TParts Parts;
    QWidget* Owner = nullptr;
};
