#include "core/recipes/recipe_book.h"

#include <utility>

#include "core/platform/saporia_error.h"
#include "core/recipes/recipe_name.h"
#include "core/recipes/recipe_store.h"
#include "core/search/find_career.h"

TRecipeBook::TRecipeBook(const QString& appDir) : Dir(appDir), Root(DataRootOf(appDir)) {}

void TRecipeBook::LoadUserIcons() {
    Icons.LoadUserIcons(Dir);
    if (!Icons.LoadFailures().isEmpty())
        throw TSaporiaError(Icons.LoadFailures().join(QLatin1Char('\n')));
}

void TRecipeBook::ReadColumnTable() {
    const TColumnTableLoad load = LoadColumnTable(Dir + ColumnFileName);
    ColumnTable = load.Table;
    ColumnWriteBack = load.WriteBack;
    if (!load.Error.isEmpty())
        throw TSaporiaError(load.Error);
}

void TRecipeBook::WriteColumnTable(const QStringList& shownCaptions, const QList<int>& widths) {
    if (!ColumnWriteBack)
        return;
    TakeBackColumnWidths(ColumnTable, shownCaptions, widths);
    SaveColumnTable(Dir + ColumnFileName, ColumnTable);
}

void TRecipeBook::ReadFindCareer() {
    FindCareerList = LoadFindCareer(Dir + FindCareerFileName);
    CareerLoaded = true;
}

void TRecipeBook::WriteFindCareer() const {
    if (CareerLoaded)
        SaveFindCareer(Dir + FindCareerFileName, FindCareerList);
}

namespace {

void Run(const TRecipeBook::TRunner& run, const std::function<void()>& reading) {
    if (run)
        run(reading);
    else
        reading();
}

}  // namespace

QStringList TRecipeBook::SearchCookFld(const TRunner& run) {
    TCookScan scan;
    Run(run, [&] { scan = ::SearchCookFld(Root, Icons); });
    CookItems = std::move(scan.Items);
    return scan.Failures;
}

void TRecipeBook::BeginSearchCookFld() {
    PendingScan = std::async(std::launch::async, [this] { return ::SearchCookFld(Root, Icons); });
}

QStringList TRecipeBook::EndSearchCookFld() {
    if (!PendingScan.valid())
        return {};
    TCookScan scan = PendingScan.get();
    CookItems = std::move(scan.Items);
    return scan.Failures;
}

void TRecipeBook::Refine(const QString& keyword, const TRunner& run) {
    AddFindCareer(FindCareerList, keyword);
    TCookItems refined = CookItems;
    Run(run, [&] { RefineCookItems(refined, Root, keyword, &IngredientCache); });
    CookItems = std::move(refined);
}
