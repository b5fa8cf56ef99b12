#include "formats/pcx.h"

#include "byte_reader.h"
#include "format_error.h"

namespace formats {

using detail::ByteReader;
using detail::Fail;

namespace {
constexpr std::size_t kHeaderSize = 128;
constexpr std::size_t kPaletteSize = 768;
} // namespace

bool ReadPcx(Bytes bytes, Pcx& out, std::string& error) {
    out = Pcx{};
    const ByteReader r(bytes);
    if (r.Size() < kHeaderSize + kPaletteSize + 1) {
        return Fail(error, "picture: the file is too short for a header and palette (%zu bytes)",
                    r.Size());
    }
    const std::uint8_t manufacturer = r.U8(0);
    const std::uint8_t version = r.U8(1);
    const std::uint8_t encoding = r.U8(2);
    const std::uint8_t bitsPerPixel = r.U8(3);
    if (manufacturer != 0x0a || version != 5 || encoding != 1 || bitsPerPixel != 8) {
        return Fail(error, "picture: not an 8-bit run-length PCX picture");
    }
    const int xmin = r.U16(4);
    const int ymin = r.U16(6);
    const int xmax = r.U16(8);
    const int ymax = r.U16(10);
    const int width = xmax - xmin + 1;
    const int height = ymax - ymin + 1;
    if (width < 1 || height < 1 || width > kPcxMaxSide || height > kPcxMaxSide) {
        return Fail(error, "picture: size %d x %d is out of range", width, height);
    }
    const std::uint8_t planes = r.U8(65);
    const int bytesPerLine = r.U16(66);
    if (planes != 1) {
        return Fail(error, "picture: %u colour planes, only 1 is read", planes);
    }
    if (bytesPerLine < width) {
        return Fail(error, "picture: %d bytes per line hold no row of %d pixels", bytesPerLine,
                    width);
    }
    // The palette is the last 768 bytes, after a 0x0C mark; the pixels lie between.
    const std::size_t paletteAt = r.Size() - kPaletteSize;
    const std::size_t dataEnd = paletteAt - 1;
    for (std::size_t i = 0; i < kPaletteSize; ++i) {
        out.palette[i] = r.U8(paletteAt + i);
    }
    out.width = width;
    out.height = height;
    out.pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);

    // Runs may carry on from one scan line into the next, as some writers make them.
    std::size_t in = kHeaderSize;
    std::size_t run = 0;
    std::uint8_t value = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < bytesPerLine; ++x) {
            if (run == 0) {
                if (in >= dataEnd) {
                    return Fail(error, "picture: the pixel data ends in row %d of %d", y, height);
                }
                const std::uint8_t b = r.U8(in++);
                if (b >= 0xC0) {
                    run = b & 0x3Fu;
                    if (in >= dataEnd) {
                        return Fail(error, "picture: the pixel data ends in row %d of %d", y,
                                    height);
                    }
                    value = r.U8(in++);
                } else {
                    run = 1;
                    value = b;
                }
                if (run == 0) {
                    --x; // an empty run stores nothing
                    continue;
                }
            }
            --run;
            if (x < width) {
                out.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                           static_cast<std::size_t>(x)] = value;
            }
        }
    }
    return true;
}

} // namespace formats
