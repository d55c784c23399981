#include "pngencoder.h"

#include <QtEndian>

#include <array>
#include <cstring>

namespace PngEncoder {

namespace {

const std::array<quint32, 256> &crcTable()
{
    static const std::array<quint32, 256> table = [] {
        std::array<quint32, 256> t{};
        for (quint32 n = 0; n < 256; ++n) {
            quint32 c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xedb88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    return table;
}

quint32 crc32(const char *data, qsizetype size, quint32 crc = 0xffffffffu)
{
    const auto &table = crcTable();
    for (qsizetype i = 0; i < size; ++i)
        crc = table[(crc ^ quint8(data[i])) & 0xff] ^ (crc >> 8);
    return crc;
}

void appendBigEndian(QByteArray &out, quint32 value)
{
    char bytes[4];
    qToBigEndian(value, bytes);
    out.append(bytes, 4);
}

void appendChunk(QByteArray &out, const char type[4], const char *data, qsizetype size)
{
    appendBigEndian(out, quint32(size));
    const qsizetype typeAt = out.size();
    out.append(type, 4);
    out.append(data, size);
    const quint32 crc = crc32(out.constData() + typeAt, size + 4) ^ 0xffffffffu;
    appendBigEndian(out, crc);
}

bool opaque(const QImage &argb)
{
    for (int y = 0; y < argb.height(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            if (qAlpha(line[x]) != 255)
                return false;
        }
    }
    return true;
}

} // namespace

QByteArray encode(const QImage &image)
{
    if (image.isNull())
        return {};
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32); // straight alpha
    const bool rgbOnly = opaque(argb);
    const int channels = rgbOnly ? 3 : 4;
    const int width = argb.width(), height = argb.height();
    const qsizetype rowBytes = qsizetype(width) * channels;

    // Filter type 2 ("up") on every row: each byte minus the byte above it.
    QByteArray raw(qsizetype(height) * (rowBytes + 1), Qt::Uninitialized);
    QByteArray previous(rowBytes, '\0'), current(rowBytes, Qt::Uninitialized);
    char *out = raw.data();
    for (int y = 0; y < height; ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        auto *c = reinterpret_cast<quint8 *>(current.data());
        for (int x = 0; x < width; ++x) {
            const QRgb p = line[x];
            *c++ = quint8(qRed(p));
            *c++ = quint8(qGreen(p));
            *c++ = quint8(qBlue(p));
            if (!rgbOnly)
                *c++ = quint8(qAlpha(p));
        }
        *out++ = 2;
        const auto *cur = reinterpret_cast<const quint8 *>(current.constData());
        const auto *above = reinterpret_cast<const quint8 *>(previous.constData());
        for (qsizetype i = 0; i < rowBytes; ++i)
            *out++ = char(quint8(cur[i] - above[i]));
        std::swap(previous, current);
    }
    // qCompress gives a zlib stream, as the image data chunk holds it, after four bytes of size.
    const QByteArray deflated = qCompress(raw, 1);

    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    png.reserve(deflated.size() + 64);
    char header[13];
    qToBigEndian(quint32(width), header);
    qToBigEndian(quint32(height), header + 4);
    header[8] = 8;                            // bits per channel
    header[9] = rgbOnly ? 2 : 6;              // truecolour, with alpha or without
    header[10] = header[11] = header[12] = 0; // deflate, adaptive filtering, no interlace
    appendChunk(png, "IHDR", header, 13);
    appendChunk(png, "IDAT", deflated.constData() + 4, deflated.size() - 4);
    appendChunk(png, "IEND", nullptr, 0);
    return png;
}

} // namespace PngEncoder
