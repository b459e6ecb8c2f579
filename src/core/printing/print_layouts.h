#pragma once

#include <memory>
#include <optional>
#include <vector>

#include <QString>
#include <QStringList>

#include "core/printing/report.h"

// The twenty print layouts: sixteen recipe layouts (styles A-D on four
// papers) and four list layouts, built from the design tables by class name.

// "A4", "A5", "B5" and "ハガキ", compared exactly; anything else is none.
std::optional<TPaper> PaperOfSetting(const QString& paperSize);
// "TPrintFormA4A" and so on; empty for a style outside 1-4.
QString RecipeLayoutName(TPaper paper, int style);
// "TPrintFormA4RecipeList", "TPrintFormA5ReceiptList", ...
QString ListLayoutName(TPaper paper);
// The twenty class names in the order the program creates them.
QStringList PrintLayoutNames();

// A layout with its design values; throws TSaporiaError for an unknown name.
TReport MakePrintLayout(const QString& className);

// The layouts of the running program: each made once and kept, so what a
// print sets stays until the next print sets it again.
class TPrintLayouts final {
public:
    TReport& Create(const QString& className);
    // The layout of that class, or nullptr when it was not created.
    TReport* Find(const QString& className);
    int Count() const { return int(Layouts.size()); }
    // All twenty, for a window built on its own.
    static std::unique_ptr<TPrintLayouts> CreateAll();

private:
    std::vector<std::unique_ptr<TReport>> Layouts;
};
