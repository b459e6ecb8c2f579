#include "core/platform/jpeg.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>

// clang-format off
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

#include <QPainter>

#include "core/platform/saporia_error.h"

// libjpeg reports errors through error_exit, which must not return. We leave it
// with longjmp back into a small wrapper that called libjpeg; those wrappers
// hold no C++ object with a destructor, so nothing is skipped by the jump. The
// libjpeg structures live in holder objects outside the wrappers and are
// destroyed normally after the wrapper returned false.

namespace {

struct TJpegErrorManager {
    jpeg_error_mgr Pub;
    std::jmp_buf Jump;
    char Message[JMSG_LENGTH_MAX];
};

void ErrorExit(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<TJpegErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->Message);
    std::longjmp(err->Jump, 1);
}

void EmitMessage(j_common_ptr cinfo, int level) {
    if (level >= 0)
        return;
    // A truncated file would otherwise decode with a grey lower part.
    if (cinfo->err->msg_code == JWRN_JPEG_EOF)
        ErrorExit(cinfo);
    ++cinfo->err->num_warnings;
}

void OutputMessage(j_common_ptr) {}

void InitErrorManager(TJpegErrorManager& err) {
    jpeg_std_error(&err.Pub);
    err.Pub.error_exit = ErrorExit;
    err.Pub.emit_message = EmitMessage;
    err.Pub.output_message = OutputMessage;
    err.Message[0] = '\0';
}

[[noreturn]] void ThrowDecodeError(const TJpegErrorManager& err) {
    throw TSaporiaError(QStringLiteral("JPEG画像を読み込めません (%1)").arg(QString::fromLocal8Bit(err.Message)));
}

// ---- decoding ----

class TDecoder final {
public:
    TDecoder() {
        Info.err = &Err.Pub;
        InitErrorManager(Err);
    }
    ~TDecoder() {
        if (Created)
            jpeg_destroy_decompress(&Info);
    }
    TDecoder(const TDecoder&) = delete;
    TDecoder& operator=(const TDecoder&) = delete;

    jpeg_decompress_struct Info{};
    TJpegErrorManager Err{};
    bool Created = false;
};

bool CreateDecompress(jpeg_decompress_struct* info, TJpegErrorManager* err) {
    if (setjmp(err->Jump))
        return false;
    jpeg_create_decompress(info);
    return true;
}

bool ReadHeader(jpeg_decompress_struct* info, TJpegErrorManager* err, const unsigned char* data,
                unsigned long size) {
    if (setjmp(err->Jump))
        return false;
    jpeg_mem_src(info, data, size);
    jpeg_read_header(info, TRUE);
    return true;
}

bool StartDecompress(jpeg_decompress_struct* info, TJpegErrorManager* err) {
    if (setjmp(err->Jump))
        return false;
    jpeg_start_decompress(info);
    return true;
}

bool ReadRows(jpeg_decompress_struct* info, TJpegErrorManager* err, unsigned char* bits,
              qsizetype bytesPerLine) {
    if (setjmp(err->Jump))
        return false;
    while (info->output_scanline < info->output_height) {
        JSAMPROW row = bits + static_cast<qsizetype>(info->output_scanline) * bytesPerLine;
        jpeg_read_scanlines(info, &row, 1);
    }
    return true;
}

void OpenHeader(TDecoder& dec, const QByteArray& bytes) {
    if (bytes.isEmpty())
        throw TSaporiaError(QStringLiteral("JPEG画像を読み込めません (空のファイル)"));
    if (!CreateDecompress(&dec.Info, &dec.Err))
        ThrowDecodeError(dec.Err);
    dec.Created = true;
    if (!ReadHeader(&dec.Info, &dec.Err, reinterpret_cast<const unsigned char*>(bytes.constData()),
                    static_cast<unsigned long>(bytes.size())))
        ThrowDecodeError(dec.Err);
    const qint64 pixels = qint64(dec.Info.image_width) * qint64(dec.Info.image_height);
    if (pixels <= 0 || pixels > MaxJpegPixels)
        throw TSaporiaError(QStringLiteral("JPEG画像が大きすぎます (%1×%2)")
                                .arg(dec.Info.image_width)
                                .arg(dec.Info.image_height));
}

// Adobe writes CMYK inverted (0 = full ink); other writers store plain ink.
void CmykToRgb(QImage& image, bool inverted) {
    for (int y = 0; y < image.height(); ++y) {
        uchar* p = image.scanLine(y);
        auto* out = reinterpret_cast<QRgb*>(p);
        for (int x = 0; x < image.width(); ++x) {
            int c = p[4 * x], m = p[4 * x + 1], yl = p[4 * x + 2], k = p[4 * x + 3];
            if (!inverted) {
                c = 255 - c;
                m = 255 - m;
                yl = 255 - yl;
                k = 255 - k;
            }
            out[x] = qRgb(c * k / 255, m * k / 255, yl * k / 255);
        }
    }
}

// Decodes at full size, or at the scale JpegScaleFor picks when a target is given.
QImage Decode(const QByteArray& bytes, QSize target) {
    TDecoder dec;
    OpenHeader(dec, bytes);
    jpeg_decompress_struct& info = dec.Info;
    const int scaleDenom = target.isValid()
        ? JpegScaleFor(QSize(static_cast<int>(info.image_width), static_cast<int>(info.image_height)), target)
        : 1;
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    if (cmyk) {
        info.out_color_space = JCS_CMYK;
    } else if (info.num_components == 1 || info.num_components == 3) {
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
        info.out_color_space = JCS_EXT_BGRA;
#else
        info.out_color_space = JCS_EXT_ARGB;
#endif
    } else {
        throw TSaporiaError(QStringLiteral("JPEG画像を読み込めません (対応していない色形式)"));
    }
    info.scale_num = 1;
    info.scale_denom = static_cast<unsigned int>(scaleDenom);
    if (!StartDecompress(&info, &dec.Err))
        ThrowDecodeError(dec.Err);
    if (info.output_components != 4)
        throw TSaporiaError(QStringLiteral("JPEG画像を読み込めません (対応していない色形式)"));
    QImage image(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                 QImage::Format_RGB32);
    if (image.isNull())
        throw TSaporiaError(QStringLiteral("JPEG画像を読み込めません (メモリ不足)"));
    if (!ReadRows(&info, &dec.Err, image.bits(), image.bytesPerLine()))
        ThrowDecodeError(dec.Err);
    if (cmyk)
        CmykToRgb(image, info.saw_Adobe_marker);
    return image;
}

// ---- encoding ----

struct TMemoryDestination {
    jpeg_destination_mgr Pub;
    unsigned char* Data;
    size_t Capacity;
};

void InitDestination(j_compress_ptr cinfo) {
    auto* dest = reinterpret_cast<TMemoryDestination*>(cinfo->dest);
    dest->Capacity = 64 * 1024;
    dest->Data = static_cast<unsigned char*>(std::malloc(dest->Capacity));
    if (!dest->Data)
        ERREXIT(cinfo, JERR_OUT_OF_MEMORY);
    dest->Pub.next_output_byte = dest->Data;
    dest->Pub.free_in_buffer = dest->Capacity;
}

boolean EmptyOutputBuffer(j_compress_ptr cinfo) {
    auto* dest = reinterpret_cast<TMemoryDestination*>(cinfo->dest);
    const size_t used = dest->Capacity;
    auto* grown = static_cast<unsigned char*>(std::realloc(dest->Data, used * 2));
    if (!grown)
        ERREXIT(cinfo, JERR_OUT_OF_MEMORY);
    dest->Data = grown;
    dest->Capacity = used * 2;
    dest->Pub.next_output_byte = dest->Data + used;
    dest->Pub.free_in_buffer = dest->Capacity - used;
    return TRUE;
}

void TermDestination(j_compress_ptr) {}

class TEncoder final {
public:
    TEncoder() {
        Info.err = &Err.Pub;
        InitErrorManager(Err);
        Dest.Pub.init_destination = InitDestination;
        Dest.Pub.empty_output_buffer = EmptyOutputBuffer;
        Dest.Pub.term_destination = TermDestination;
    }
    ~TEncoder() {
        if (Created)
            jpeg_destroy_compress(&Info);
        std::free(Dest.Data);
    }
    TEncoder(const TEncoder&) = delete;
    TEncoder& operator=(const TEncoder&) = delete;

    jpeg_compress_struct Info{};
    TJpegErrorManager Err{};
    TMemoryDestination Dest{};
    bool Created = false;
};

bool CreateCompress(jpeg_compress_struct* info, TJpegErrorManager* err) {
    if (setjmp(err->Jump))
        return false;
    jpeg_create_compress(info);
    return true;
}

bool Compress(jpeg_compress_struct* info, TJpegErrorManager* err, jpeg_destination_mgr* dest,
              const unsigned char* bits, qsizetype bytesPerLine, int width, int height, int quality) {
    if (setjmp(err->Jump))
        return false;
    info->dest = dest;
    info->image_width = static_cast<JDIMENSION>(width);
    info->image_height = static_cast<JDIMENSION>(height);
    info->input_components = 4;
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
    info->in_color_space = JCS_EXT_BGRX;
#else
    info->in_color_space = JCS_EXT_XRGB;
#endif
    jpeg_set_defaults(info);
    jpeg_set_quality(info, quality, TRUE);
    jpeg_start_compress(info, TRUE);
    while (info->next_scanline < info->image_height) {
        auto row = const_cast<JSAMPROW>(bits + static_cast<qsizetype>(info->next_scanline) * bytesPerLine);
        jpeg_write_scanlines(info, &row, 1);
    }
    jpeg_finish_compress(info);
    return true;
}

}  // namespace

bool LooksLikeJpeg(const QByteArray& bytes) {
    return bytes.size() >= 3 && static_cast<uchar>(bytes[0]) == 0xFF &&
           static_cast<uchar>(bytes[1]) == 0xD8 && static_cast<uchar>(bytes[2]) == 0xFF;
}

QSize JpegSize(const QByteArray& bytes) {
    TDecoder dec;
    OpenHeader(dec, bytes);
    return QSize(static_cast<int>(dec.Info.image_width), static_cast<int>(dec.Info.image_height));
}

QImage DecodeJpeg(const QByteArray& bytes) { return Decode(bytes, QSize()); }

int JpegScaleFor(QSize stored, QSize target) {
    if (target.width() <= 0 || target.height() <= 0)
        return 1;
    for (int denom : {8, 4, 2}) {
        const int w = (stored.width() + denom - 1) / denom;
        const int h = (stored.height() + denom - 1) / denom;
        if (w >= target.width() && h >= target.height())
            return denom;
    }
    return 1;
}

QImage DecodeJpegScaled(const QByteArray& bytes, QSize target) {
    return Decode(bytes, target.isValid() ? target : QSize(0, 0));
}

QByteArray EncodeJpeg(const QImage& image, int quality) {
    if (image.isNull())
        throw TSaporiaError(QStringLiteral("空の画像はJPEGにできません"));
    QImage source;
    if (image.hasAlphaChannel()) {
        source = QImage(image.size(), QImage::Format_RGB32);
        source.fill(Qt::white);
        QPainter painter(&source);
        painter.drawImage(0, 0, image);
    } else {
        source = image.convertToFormat(QImage::Format_RGB32);
    }
    TEncoder enc;
    if (!CreateCompress(&enc.Info, &enc.Err))
        throw TSaporiaError(QStringLiteral("JPEG画像を書き出せません (%1)").arg(QString::fromLocal8Bit(enc.Err.Message)));
    enc.Created = true;
    if (!Compress(&enc.Info, &enc.Err, &enc.Dest.Pub, source.constBits(), source.bytesPerLine(),
                  source.width(), source.height(), qBound(1, quality, 100)))
        throw TSaporiaError(QStringLiteral("JPEG画像を書き出せません (%1)").arg(QString::fromLocal8Bit(enc.Err.Message)));
    return QByteArray(reinterpret_cast<const char*>(enc.Dest.Data),
                      static_cast<qsizetype>(enc.Dest.Capacity - enc.Dest.Pub.free_in_buffer));
}
