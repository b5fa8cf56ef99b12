#include "byte_reader.h"
#include "formats/write.h"

namespace formats {

using detail::ByteWriter;

std::vector<std::uint8_t> WritePcx(const Pcx& picture) {
    const int bytesPerLine = picture.width + (picture.width & 1);
    ByteWriter w;
    w.U8(0x0a); // manufacturer
    w.U8(5);    // version
    w.U8(1);    // run-length encoding
    w.U8(8);    // bits per pixel
    w.U16(0);
    w.U16(0);
    w.U16(static_cast<std::uint16_t>(picture.width - 1));
    w.U16(static_cast<std::uint16_t>(picture.height - 1));
    w.U16(72);
    w.U16(72);
    for (int i = 0; i < 48; ++i) {
        w.U8(0);
    }
    w.U8(0); // reserved
    w.U8(1); // colour planes
    w.U16(static_cast<std::uint16_t>(bytesPerLine));
    w.U16(1); // colour palette
    while (w.Size() < 128) {
        w.U8(0);
    }
    for (int y = 0; y < picture.height; ++y) {
        auto at = [&](int x) -> std::uint8_t {
            const std::size_t i =
                static_cast<std::size_t>(y) * static_cast<std::size_t>(picture.width) +
                static_cast<std::size_t>(x);
            return x < picture.width && i < picture.pixels.size() ? picture.pixels[i] : 0;
        };
        int x = 0;
        while (x < bytesPerLine) {
            const std::uint8_t v = at(x);
            int run = 1;
            while (x + run < bytesPerLine && run < 63 && at(x + run) == v) {
                ++run;
            }
            if (run > 1 || v >= 0xC0) {
                w.U8(static_cast<std::uint8_t>(0xC0 | run));
            }
            w.U8(v);
            x += run;
        }
    }
    w.U8(0x0c);
    w.Raw(picture.palette.data(), picture.palette.size());
    return std::move(w.Out());
}

} // namespace formats
