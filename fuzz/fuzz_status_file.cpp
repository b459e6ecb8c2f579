// "Status.txt": reading, setting a value and writing back.
#include "fuzz/fuzz_support.h"

#include "core/platform/saporia_error.h"
#include "core/recipes/status_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TStatusFile status = TStatusFile::FromBytes(FuzzBytes(data, size));
    status.Values({StatusKey::Kind, StatusKey::Date, StatusKey::Icon});
    status.IntValue(StatusKey::NiceValue);
    const QStringList before = status.Lines();
    status.SetValue(StatusKey::Kind, QStringLiteral("主菜"));
    status.SetValue(StatusKey::Icon, QString());
    try {
        const QByteArray bytes = status.ToBytes();
        // What is written reads back as the same lines.
        FUZZ_CHECK(TStatusFile::FromBytes(bytes).Lines() == status.Lines());
    } catch (const TSaporiaError&) {
        // a line that cannot be stored is refused, never cut
    }
    (void)before;
    return 0;
}
