#include "core/platform/jpeg.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>

#include "core/platform/saporia_error.h"

namespace {

QImage TestPicture(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(x * 255 / w, y * 255 / h, 128));
    return image;
}

bool Near(QRgb a, QRgb b, int tolerance) {
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

// Writes a one-colour picture straight through libjpeg in a colour space our
// encoder does not produce (greyscale, CMYK with or without Adobe's marker).
QByteArray RawJpeg(int w, int h, J_COLOR_SPACE space, int components, std::vector<unsigned char> pixel,
                   bool adobeMarker) {
    jpeg_compress_struct info{};
    jpeg_error_mgr err{};
    info.err = jpeg_std_error(&err);
    jpeg_create_compress(&info);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &out, &size);
    info.image_width = w;
    info.image_height = h;
    info.input_components = components;
    info.in_color_space = space;
    jpeg_set_defaults(&info);
    jpeg_set_colorspace(&info, space);
    info.write_Adobe_marker = adobeMarker ? TRUE : FALSE;
    jpeg_set_quality(&info, 95, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> row;
    for (int x = 0; x < w; ++x)
        row.insert(row.end(), pixel.begin(), pixel.end());
    while (info.next_scanline < info.image_height) {
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&info, &r, 1);
    }
    jpeg_finish_compress(&info);
    QByteArray bytes(reinterpret_cast<const char*>(out), static_cast<qsizetype>(size));
    jpeg_destroy_compress(&info);
    std::free(out);
    return bytes;
}

TEST(Jpeg, EncodeDecodeRoundTripKeepsSizeAndColours) {
    const QImage source = TestPicture(97, 61);  // odd sizes: no block alignment
    const QByteArray bytes = EncodeJpeg(source, 95);
    EXPECT_TRUE(LooksLikeJpeg(bytes));
    EXPECT_EQ(JpegSize(bytes), QSize(97, 61));
    const QImage decoded = DecodeJpeg(bytes);
    ASSERT_EQ(decoded.size(), source.size());
    for (int y = 0; y < 61; y += 10)
        for (int x = 0; x < 97; x += 10)
            EXPECT_TRUE(Near(decoded.pixel(x, y), source.pixel(x, y), 12)) << x << "," << y;
    EXPECT_LT(EncodeJpeg(source, 20).size(), bytes.size());
    // A transparent picture is laid on white.
    QImage clear(8, 8, QImage::Format_ARGB32);
    clear.fill(Qt::transparent);
    EXPECT_TRUE(Near(DecodeJpeg(EncodeJpeg(clear)).pixel(4, 4), qRgb(255, 255, 255), 3));
    EXPECT_THROW(EncodeJpeg(QImage()), TSaporiaError);
}

// The smallest scale that covers the target; odd sizes round up, so the
// result never falls short of it.
TEST(Jpeg, ScaledDecodingPicksTheSmallestScaleThatCoversTheTarget) {
    const QByteArray bytes = EncodeJpeg(TestPicture(800, 600));
    const std::pair<QSize, QSize> cases[] = {
        {{100, 75}, {100, 75}}, {{101, 75}, {200, 150}}, {{300, 100}, {400, 300}}, {{2000, 2000}, {800, 600}},
    };
    for (const auto& [target, size] : cases)
        EXPECT_EQ(DecodeJpegScaled(bytes, target).size(), size) << target.width();
    EXPECT_EQ(DecodeJpegScaled(EncodeJpeg(TestPicture(801, 601)), QSize(101, 76)).size(), QSize(101, 76));
    const QImage small = DecodeJpegScaled(bytes, QSize(100, 75));
    EXPECT_TRUE(Near(small.pixel(50, 37), TestPicture(800, 600).pixel(404, 300), 16));
}

TEST(Jpeg, BadDataThrowsInsteadOfEndingTheProgram) {
    const QByteArray good = EncodeJpeg(TestPicture(64, 64));
    // A header announcing a 60000 x 60000 picture is refused before any allocation.
    QByteArray huge = EncodeJpeg(TestPicture(8, 8));
    const qsizetype sof = huge.indexOf("\xFF\xC0");
    ASSERT_GT(sof, 0);
    huge.replace(sof + 5, 4, "\xEA\x60\xEA\x60");
    for (const QByteArray& bad : {QByteArray(), QByteArray("not a picture at all"), good.left(good.size() / 2),
                                  good.left(20), huge})
        EXPECT_THROW(DecodeJpeg(bad), TSaporiaError) << bad.size();
    EXPECT_THROW(JpegSize("BM....."), TSaporiaError);
    EXPECT_THROW(DecodeJpegScaled(good.left(good.size() / 2), QSize(8, 8)), TSaporiaError);
    // Garbage after the header must not crash, whatever it decodes to.
    QByteArray scrambled = good;
    for (qsizetype i = scrambled.size() / 3; i < scrambled.size() - 2; i += 7)
        scrambled[i] = static_cast<char>(scrambled[i] ^ 0x5A);
    try {
        DecodeJpeg(scrambled);
    } catch (const TSaporiaError&) {
    }
    EXPECT_EQ(DecodeJpeg(good).size(), QSize(64, 64));  // still works after the failures
}

TEST(Jpeg, GreyscaleAndCmykDecodeToRgb) {
    EXPECT_TRUE(Near(DecodeJpeg(RawJpeg(16, 16, JCS_GRAYSCALE, 1, {200}, false)).pixel(8, 8), qRgb(200, 200, 200), 2));
    // Adobe's CMYK is stored inverted (255 means no ink); plain CMYK as ink amounts. Both are red here.
    for (const auto& [pixel, adobe] : {std::pair(std::vector<unsigned char>{255, 0, 0, 255}, true),
                                       std::pair(std::vector<unsigned char>{0, 255, 255, 0}, false)})
        EXPECT_TRUE(Near(DecodeJpeg(RawJpeg(16, 16, JCS_CMYK, 4, pixel, adobe)).pixel(8, 8), qRgb(255, 0, 0), 6));
    EXPECT_EQ(DecodeJpegScaled(RawJpeg(64, 64, JCS_CMYK, 4, {255, 255, 0, 255}, true), QSize(8, 8)).size(),
              QSize(8, 8));
}

}  // namespace
