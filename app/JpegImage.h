#pragma once

#include <QImage>
#include <cstddef>

// Decodes JPEG data with libjpeg (IJG API) rather than Qt's image plugins, so the picture does
// not depend on which plugins a Qt installation ships.
class JpegImage {
public:
    // The decoded picture as RGB, or a null image when the data is not a readable JPEG.
    static QImage decode(const unsigned char* data, std::size_t size);
    static QImage decode(const QByteArray& data);
    // Decodes a Qt resource such as ":/app/zalvotech.jpg".
    static QImage fromResource(const QString& path);
};
