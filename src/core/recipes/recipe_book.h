#pragma once

#include <functional>
#include <future>

#include <QList>
#include <QString>
#include <QStringList>

#include "core/recipes/column_table.h"
#include "core/recipes/cook_item.h"
#include "core/recipes/icon_store.h"
#include "core/recipes/recipe_store.h"
#include "core/search/recipe_search.h"

// The recipe book of one program folder: every recipe of the data folder,
// the icons, the report view's columns ("Column.dat") and the refinement
// history ("FindCareer.dat"). One per run; the windows that read recipes are
// handed it.
class TRecipeBook final {
public:
    // `appDir`: the program's folder, ending with "/".
    explicit TRecipeBook(const QString& appDir);

    const QString& AppDir() const { return Dir; }
    const QString& DataRoot() const { return Root; }  // AppDir + "Cook", no final "/"

    TCookItems CookItems;      // every recipe of the data folder, in listing order
    TColumnTable ColumnTable;  // the report view's columns
    TIconStore Icons;          // built-in and user icons, 16 and 32 pixels
    QStringList FindCareerList;

    // Adds the user icons; throws TSaporiaError naming the files that failed
    // (the others are loaded).
    void LoadUserIcons();

    // Reads "Column.dat". A broken file throws TSaporiaError once; the
    // defaults serve this run and the file is kept as it is (no write-back).
    void ReadColumnTable();
    bool ColumnTableWriteBack() const { return ColumnWriteBack; }
    // Takes the shown columns' widths into the table and writes the file, when
    // this run loaded it or took its defaults. Throws TSaporiaError.
    void WriteColumnTable(const QStringList& shownCaptions, const QList<int>& widths);

    // Reads "FindCareer.dat"; throws TSaporiaError for an unreadable file,
    // which then is not written back either.
    void ReadFindCareer();
    bool FindCareerLoaded() const { return CareerLoaded; }
    // Writes "FindCareer.dat" when it was loaded this run. Throws TSaporiaError.
    void WriteFindCareer() const;

    // Runs the reading of many files, here or elsewhere, and returns when it
    // is done. What it runs touches only its own copies and the ingredient
    // cache; the records change afterwards, on the caller's thread.
    using TRunner = std::function<void(const std::function<void()>& reading)>;

    // Reads every recipe folder again, replacing the records. Returns one
    // message per folder that could not be read fully.
    QStringList SearchCookFld(const TRunner& run = {});
    // The same in two halves, so the caller can go on meanwhile: Begin reads
    // on threads of their own (the icons must not change until End), End
    // waits for them and replaces the records. Until then the records stay.
    void BeginSearchCookFld();
    QStringList EndSearchCookFld();
    bool SearchingCookFld() const { return PendingScan.valid(); }

    // Puts the keyword into the history and sets each record's Visible flag
    // by its ingredient text. Throws TSaporiaError for an unreadable file.
    void Refine(const QString& keyword, const TRunner& run = {});
    TIngredientCache& Ingredients() { return IngredientCache; }

private:
    QString Dir;
    QString Root;
    bool ColumnWriteBack = false;
    bool CareerLoaded = false;
    TIngredientCache IngredientCache;
    std::future<TCookScan> PendingScan;
};
