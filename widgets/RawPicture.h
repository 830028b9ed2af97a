#pragma once

#include <QByteArray>
#include <QImage>

#include <cstdint>
#include <cstring>

// A picture as its pixels, for the few a start shows: a 16-byte header (the mark "ZRAW", the width, the height and a
// byte-order word, each a 32-bit word in the writing machine's order), then width x height premultiplied ARGB32
// words. The build writes them (zentick_prerender) on the machine that runs them, and the program draws them from the
// bytes linked into it: no decoding, no conversion, no copy. Header-only: the build's drawing tool uses it too.
namespace RawPicture {

constexpr std::uint32_t Mark = 0x5741525a; // "ZRAW" read as a little-endian word
constexpr std::uint32_t ByteOrder = 0x01020304;
constexpr int HeaderSize = 16;
constexpr int LargestSide = 1024;

inline QByteArray encode(const QImage& picture) {
    const QImage pixels = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const std::uint32_t header[4] = {Mark, std::uint32_t(pixels.width()), std::uint32_t(pixels.height()), ByteOrder};
    QByteArray bytes(reinterpret_cast<const char*>(header), HeaderSize);
    for (int y = 0; y < pixels.height(); ++y)
        bytes.append(reinterpret_cast<const char*>(pixels.constScanLine(y)), qsizetype(pixels.width()) * 4);
    return bytes;
}

// The picture over data itself, which must outlive it (a resource's bytes do); a copy only when data is not on a
// 4-byte boundary, which QImage needs. A null image for anything that is not such a picture of exactly size bytes,
// or was written in another byte order.
inline QImage decode(const uchar* data, qint64 size) {
    if (data == nullptr || size < HeaderSize)
        return {};
    std::uint32_t header[4];
    std::memcpy(header, data, sizeof header);
    if (header[0] != Mark || header[3] != ByteOrder || header[1] < 1 || header[2] < 1 || header[1] > LargestSide ||
        header[2] > LargestSide || size != HeaderSize + qint64(header[1]) * header[2] * 4)
        return {};
    const uchar* pixels = data + HeaderSize;
    const QImage picture(pixels, int(header[1]), int(header[2]), qsizetype(header[1]) * 4,
                         QImage::Format_ARGB32_Premultiplied);
    return reinterpret_cast<quintptr>(pixels) % 4 == 0 ? picture : picture.copy();
}

} // namespace RawPicture
