#include "core/platform/jpeg.h"

#include <cstdlib>
#include <vector>

#include <jpeglib.h>

#include <gtest/gtest.h>

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

// A one-colour 16 x 16 picture written straight through libjpeg in a colour space our encoder
// does not produce (greyscale, CMYK with or without Adobe's marker).
QByteArray RawJpeg(J_COLOR_SPACE space, std::vector<unsigned char> pixel, bool adobeMarker = false, int side = 16) {
    jpeg_compress_struct info{};
    jpeg_error_mgr err{};
    info.err = jpeg_std_error(&err);
    jpeg_create_compress(&info);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &out, &size);
    info.image_width = info.image_height = side;
    info.input_components = int(pixel.size());
    info.in_color_space = space;
    jpeg_set_defaults(&info);
    jpeg_set_colorspace(&info, space);
    info.write_Adobe_marker = adobeMarker ? TRUE : FALSE;
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> row;
    for (int x = 0; x < side; ++x)
        row.insert(row.end(), pixel.begin(), pixel.end());
    for (JSAMPROW r = row.data(); info.next_scanline < info.image_height;)
        jpeg_write_scanlines(&info, &r, 1);
    jpeg_finish_compress(&info);
    QByteArray bytes(reinterpret_cast<const char*>(out), static_cast<qsizetype>(size));
    jpeg_destroy_compress(&info);
    std::free(out);
    return bytes;
}

TEST(Jpeg, EncodeDecodeRoundTripKeepsSizeAndColours) {
    const QImage source = TestPicture(97, 61);  // odd sizes: no block alignment
    const QByteArray bytes = EncodeJpeg(source, 95);
    EXPECT_TRUE(LooksLikeJpeg(bytes) && JpegSize(bytes) == QSize(97, 61));
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

    // Greyscale and CMYK come out as RGB. Adobe's CMYK is stored inverted (255 means no ink),
    // plain CMYK as ink amounts: both are red here.
    EXPECT_TRUE(Near(DecodeJpeg(RawJpeg(JCS_GRAYSCALE, {200})).pixel(8, 8), qRgb(200, 200, 200), 2));
    EXPECT_TRUE(Near(DecodeJpeg(RawJpeg(JCS_CMYK, {255, 0, 0, 255}, true)).pixel(8, 8), qRgb(255, 0, 0), 6));
    EXPECT_TRUE(Near(DecodeJpeg(RawJpeg(JCS_CMYK, {0, 255, 255, 0})).pixel(8, 8), qRgb(255, 0, 0), 6));
    EXPECT_EQ(DecodeJpegScaled(RawJpeg(JCS_CMYK, {255, 255, 0, 255}, true, 64), QSize(8, 8)).size(), QSize(8, 8));
}

// The smallest scale that covers the target; odd sizes round up, so the result never falls short of it.
TEST(Jpeg, ScaledDecodingPicksTheSmallestScaleThatCoversTheTarget) {
    const QByteArray bytes = EncodeJpeg(TestPicture(800, 600));
    const std::pair<QSize, QSize> cases[] = {
        {{100, 75}, {100, 75}}, {{101, 75}, {200, 150}}, {{300, 100}, {400, 300}}, {{2000, 2000}, {800, 600}},
    };
    for (const auto& [target, size] : cases)
        EXPECT_EQ(DecodeJpegScaled(bytes, target).size(), size) << target.width();
    EXPECT_EQ(DecodeJpegScaled(EncodeJpeg(TestPicture(801, 601)), QSize(101, 76)).size(), QSize(101, 76));
    EXPECT_TRUE(Near(DecodeJpegScaled(bytes, QSize(100, 75)).pixel(50, 37), TestPicture(800, 600).pixel(404, 300), 16));
}

TEST(Jpeg, BadDataThrowsInsteadOfEndingTheProgram) {
    const QByteArray good = EncodeJpeg(TestPicture(64, 64));
    // A header announcing a 60000 x 60000 picture is refused before any allocation.
    QByteArray huge = EncodeJpeg(TestPicture(8, 8));
    const qsizetype sof = huge.indexOf("\xFF\xC0");
    ASSERT_GT(sof, 0);
    huge.replace(sof + 5, 4, "\xEA\x60\xEA\x60");
    for (const QByteArray& bad :
         {QByteArray(), QByteArray("not a picture"), good.left(20), good.left(good.size() / 2), huge})
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

}  // namespace
