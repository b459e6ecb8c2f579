// "Material.dat": the word list of the input support, read as the program
// reads it and searched for a word.
#include "fuzz/fuzz_support.h"

#include "core/common/text_aids.h"
#include "core/platform/file_io.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = FuzzBytes(data, size);
    const QStringList lines = ReadSjisLines(FuzzFile(bytes, QStringLiteral("Material.dat")));
    const QString word = lines.isEmpty() ? QStringLiteral("卵") : lines.first().left(3);
    for (const TMaterialItem& item : MaterialItemsFor(lines, word))
        (void)item;
    for (const QString& line : lines)
        MaterialInsertText(line);
    return 0;
}
