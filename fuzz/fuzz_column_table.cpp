// "Column.dat": a table that loads is written back and reads as itself.
#include "fuzz/fuzz_support.h"

#include "core/platform/saporia_error.h"
#include "core/platform/sjis.h"
#include "core/recipes/column_table.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const TColumnTableLoad load = LoadColumnTable(FuzzFile(FuzzBytes(data, size), QStringLiteral("Column.dat")));
    FUZZ_CHECK(!load.Table.empty() || load.Source == TColumnTableSource::Loaded);
    FUZZ_CHECK(load.WriteBack == (load.Source != TColumnTableSource::Malformed));
    if (load.Source != TColumnTableSource::Loaded)
        return 0;
    try {
        const QByteArray bytes = FormatColumnTable(load.Table);
        FUZZ_CHECK(ParseColumnTable(FromSjis(bytes)) == load.Table);
    } catch (const TSaporiaError&) {
        // a caption CP932 cannot hold is refused
    }
    ShownCaptions(load.Table);
    return 0;
}
