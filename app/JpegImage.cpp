#include "app/JpegImage.h"

#include <QFile>
#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>

namespace {

// libjpeg's default error handler ends the process; jump back to the caller instead.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

void onError(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

void onMessage(j_common_ptr) {}

// Keeps the C objects out of the function that calls setjmp, so nothing with a destructor
// lives across the jump.
bool decodeInto(jpeg_decompress_struct& info, ErrorManager& errors, const unsigned char* data,
                std::size_t size, QImage& image) {
    if (setjmp(errors.jump)) {
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) {
        return false;
    }
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    image = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                   QImage::Format_RGB888);
    if (image.isNull()) {
        return false;
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image.scanLine(static_cast<int>(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    return true;
}

} // namespace

QImage JpegImage::decode(const unsigned char* data, std::size_t size) {
    if (!data || size == 0) {
        return {};
    }
    jpeg_decompress_struct info{};
    ErrorManager errors{};
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = onError;
    errors.base.output_message = onMessage;
    QImage image;
    const bool decoded = decodeInto(info, errors, data, size, image);
    jpeg_destroy_decompress(&info);
    return decoded ? image : QImage();
}

QImage JpegImage::decode(const QByteArray& data) {
    return decode(reinterpret_cast<const unsigned char*>(data.constData()),
                  static_cast<std::size_t>(data.size()));
}

QImage JpegImage::fromResource(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return decode(file.readAll());
}
