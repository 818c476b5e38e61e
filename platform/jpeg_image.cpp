// JPEG decoding through libjpeg. libjpeg reports a fatal error by calling error_exit, which by
// default prints and ends the process; ours jumps back to the decoder with longjmp instead.
// Because longjmp skips destructors, the part that runs libjpeg works only on a plain struct on
// the heap and owns nothing with a destructor; the QImage is made after it has returned.
#include "platform/jpeg_image.h"

#include "platform/text_file.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include <jpeglib.h>

using namespace Qt::Literals::StringLiterals;

namespace {

struct ErrorManager {
    jpeg_error_mgr pub; // first, so libjpeg's pointer to it is a pointer to the whole
    std::jmp_buf jump;
    char error[JMSG_LENGTH_MAX];
    char warning[JMSG_LENGTH_MAX];
};

enum DecodeStatus { NotRun, Decoded, Failed, TooLarge, OutOfMemory };

// Everything the libjpeg part touches. Plain data only, zero-initialised by the caller.
struct DecodeJob {
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    const unsigned char* data;
    unsigned long size;
    unsigned char* pixels; // malloc'd rows of `components` bytes per pixel
    int width;
    int height;
    int components;
    bool cmyk;
    bool invertedCmyk;
    int warnings;
    DecodeStatus status;
};

void onJpegError(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->error);
    std::longjmp(err->jump, 1);
}

// Warnings (a truncated file, damaged data) are remembered, not printed: the caller refuses a
// picture that produced any, since libjpeg would fill the missing part with grey.
void onJpegMessage(j_common_ptr cinfo, int level) {
    if (level >= 0)
        return;
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    if (err->pub.num_warnings == 0)
        (*cinfo->err->format_message)(cinfo, err->warning);
    err->pub.num_warnings++;
}

void onJpegOutput(j_common_ptr) {}

// Runs libjpeg over job->data. No C++ object with a destructor may live in this function.
void runDecoder(DecodeJob* job) {
    job->cinfo.err = jpeg_std_error(&job->err.pub);
    job->err.pub.error_exit = onJpegError;
    job->err.pub.emit_message = onJpegMessage;
    job->err.pub.output_message = onJpegOutput;
    if (setjmp(job->err.jump)) {
        job->status = Failed;
        jpeg_destroy_decompress(&job->cinfo);
        return;
    }
    jpeg_create_decompress(&job->cinfo);
    jpeg_mem_src(&job->cinfo, job->data, job->size);
    jpeg_read_header(&job->cinfo, TRUE);

    const JDIMENSION w = job->cinfo.image_width;
    const JDIMENSION h = job->cinfo.image_height;
    job->width = static_cast<int>(w > INT32_MAX ? INT32_MAX : w);
    job->height = static_cast<int>(h > INT32_MAX ? INT32_MAX : h);
    if (w == 0 || h == 0 || w > static_cast<JDIMENSION>(kMaxJpegSide) ||
        h > static_cast<JDIMENSION>(kMaxJpegSide) ||
        static_cast<qint64>(w) * static_cast<qint64>(h) > kMaxJpegPixels) {
        job->status = TooLarge;
        jpeg_destroy_decompress(&job->cinfo);
        return;
    }

    // libjpeg converts grey and YCbCr to RGB itself; CMYK it hands over as it is.
    job->cmyk = job->cinfo.jpeg_color_space == JCS_CMYK || job->cinfo.jpeg_color_space == JCS_YCCK;
    job->invertedCmyk = job->cmyk && job->cinfo.saw_Adobe_marker;
    job->cinfo.out_color_space = job->cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_start_decompress(&job->cinfo);

    job->components = job->cinfo.output_components;
    const size_t stride = static_cast<size_t>(job->cinfo.output_width) * job->components;
    job->pixels = static_cast<unsigned char*>(std::malloc(stride * job->cinfo.output_height));
    if (!job->pixels) {
        job->status = OutOfMemory;
        jpeg_destroy_decompress(&job->cinfo);
        return;
    }
    job->width = static_cast<int>(job->cinfo.output_width);
    job->height = static_cast<int>(job->cinfo.output_height);
    while (job->cinfo.output_scanline < job->cinfo.output_height) {
        JSAMPROW row = job->pixels + stride * job->cinfo.output_scanline;
        jpeg_read_scanlines(&job->cinfo, &row, 1);
    }
    jpeg_finish_decompress(&job->cinfo);
    job->warnings = static_cast<int>(job->err.pub.num_warnings);
    jpeg_destroy_decompress(&job->cinfo);
    job->status = Decoded;
}

QImage imageFrom(const DecodeJob& job) {
    QImage image(job.width, job.height, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    const size_t stride = static_cast<size_t>(job.width) * job.components;
    for (int y = 0; y < job.height; ++y) {
        const unsigned char* src = job.pixels + stride * y;
        auto* dst = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < job.width; ++x, src += job.components) {
            if (job.components == 3) {
                dst[x] = qRgb(src[0], src[1], src[2]);
            } else if (job.components == 4) {
                // Adobe writes CMYK inverted; plain CMYK is the other way round.
                int c = src[0], m = src[1], ye = src[2], k = src[3];
                if (!job.invertedCmyk) {
                    c = 255 - c;
                    m = 255 - m;
                    ye = 255 - ye;
                    k = 255 - k;
                }
                dst[x] = qRgb(c * k / 255, m * k / 255, ye * k / 255);
            } else {
                dst[x] = qRgb(src[0], src[0], src[0]);
            }
        }
    }
    return image;
}

} // namespace

JpegResult decodeJpeg(const QByteArray& bytes) {
    JpegResult result;
    if (bytes.isEmpty()) {
        result.error = u"Файл пуст"_s;
        return result;
    }
    if (bytes.size() < 3 || static_cast<unsigned char>(bytes[0]) != 0xFF ||
        static_cast<unsigned char>(bytes[1]) != 0xD8) {
        result.error = u"Файл не является рисунком JPEG"_s;
        return result;
    }
    auto job = std::make_unique<DecodeJob>();
    std::memset(job.get(), 0, sizeof(DecodeJob));
    job->data = reinterpret_cast<const unsigned char*>(bytes.constData());
    job->size = static_cast<unsigned long>(bytes.size());
    runDecoder(job.get());

    switch (job->status) {
    case Decoded:
        if (job->warnings > 0)
            result.error = u"Рисунок повреждён: "_s + QString::fromLatin1(job->err.warning);
        else if (job->components != 1 && job->components != 3 && job->components != 4)
            result.error = u"Рисунок в неизвестном цветовом формате"_s;
        else {
            result.image = imageFrom(*job);
            if (result.image.isNull())
                result.error = u"Недостаточно памяти для рисунка"_s;
        }
        break;
    case TooLarge:
        result.error =
            u"Рисунок слишком большой (%1 x %2 точек)"_s.arg(job->width).arg(job->height);
        break;
    case OutOfMemory:
        result.error = u"Недостаточно памяти для рисунка"_s;
        break;
    case Failed:
    case NotRun:
        result.error = u"Рисунок повреждён: "_s + QString::fromLatin1(job->err.error);
        break;
    }
    std::free(job->pixels);
    return result;
}

JpegResult loadJpeg(const QString& path) {
    const textfile::BytesResult raw = textfile::readBytes(path, kMaxJpegFileBytes);
    if (!raw.ok()) {
        JpegResult result;
        result.error = raw.reason;
        return result;
    }
    return decodeJpeg(raw.bytes);
}
