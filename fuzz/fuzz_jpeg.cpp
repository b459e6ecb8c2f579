// JPEG: the photo, thumbnail and link picture reader.
#include "fuzz/fuzz_support.h"

#include <QImage>

#include "core/platform/jpeg.h"
#include "core/platform/saporia_error.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = FuzzBytes(data, size);
    try {
        const QSize stored = JpegSize(bytes);
        const QImage image = DecodeJpeg(bytes);
        FUZZ_CHECK(image.size() == stored);
        DecodeJpegScaled(bytes, QSize(64, 48));
    } catch (const TSaporiaError&) {
    }
    return 0;
}
