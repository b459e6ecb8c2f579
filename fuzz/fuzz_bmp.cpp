// BMP: the handwritten memo and icons, decoded and written back.
#include "fuzz/fuzz_support.h"

#include <QImage>

#include "core/platform/picture_codec.h"
#include "core/platform/saporia_error.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QImage image;
    if (!image.loadFromData(FuzzBytes(data, size), "BMP") || image.width() * qint64(image.height()) > 4'000'000)
        return 0;
    try {
        QImage back;
        FUZZ_CHECK(back.loadFromData(EncodeBitmap(image, QStringLiteral("memo")), "BMP"));
        FUZZ_CHECK(back.size() == image.size());
    } catch (const TSaporiaError&) {
    }
    return 0;
}
