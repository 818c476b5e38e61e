// The JPEG loader: any bytes give a picture within the size limits or an error text, never a
// crash or an ended process.
// Seeds: data/dlls/*.jpg data/dlls/cvardll/guns/*.jpg
#include "platform/jpeg_image.h"
#include "support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const JpegResult r = decodeJpeg(fuzz::bytesOf(data, size));
    fuzz::check(r.ok() != !r.error.isEmpty() || r.image.isNull(), "a picture or a reason");
    if (r.ok())
        fuzz::check(r.image.width() <= kMaxJpegSide && r.image.height() <= kMaxJpegSide &&
                        qint64(r.image.width()) * r.image.height() <= kMaxJpegPixels,
                    "a picture within the limits");
    return 0;
}
