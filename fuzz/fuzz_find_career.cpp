// "FindCareer.dat": the history reads, is kept whole, and writes back.
#include "fuzz/fuzz_support.h"

#include "core/platform/saporia_error.h"
#include "core/search/find_career.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString path = FuzzFile(FuzzBytes(data, size), QStringLiteral("FindCareer.dat"));
    QStringList history = LoadFindCareer(path);
    SaveFindCareer(path, history);
    const QStringList again = LoadFindCareer(path);
    FUZZ_CHECK(again.size() <= history.size());
    AddFindCareer(history, QStringLiteral("卵"));
    FUZZ_CHECK(history.size() <= FindCareerLimit);
    return 0;
}
