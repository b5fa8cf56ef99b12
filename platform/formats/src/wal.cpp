#include "formats/wal.h"

#include "byte_reader.h"
#include "format_error.h"

namespace formats {

using detail::ByteReader;
using detail::Fail;

bool ReadWal(Bytes bytes, Wal& out, std::string& error) {
    out = Wal{};
    const ByteReader r(bytes);
    if (r.Size() < kWalHeaderSize) {
        return Fail(error, "texture: the file is too short for a header (%zu bytes)", r.Size());
    }
    out.name = r.Name(0, 32);
    out.width = r.U32(32);
    out.height = r.U32(36);
    if (out.width < 1 || out.height < 1 || out.width > kWalMaxSide || out.height > kWalMaxSide) {
        return Fail(error, "texture: size %u x %u is out of range", out.width, out.height);
    }
    for (std::size_t level = 0; level < 4; ++level) {
        const std::size_t w = out.width >> level;
        const std::size_t h = out.height >> level;
        const std::uint32_t offset = r.U32(40 + 4 * level);
        if (!r.Has(offset, w * h)) {
            return Fail(error, "texture: mip level %zu lies outside the file", level);
        }
        out.mips[level].assign(r.Data(offset), r.Data(offset) + w * h);
    }
    out.animName = r.Name(56, 32);
    out.flags = r.U32(88);
    out.contents = r.U32(92);
    out.value = r.I32(96);
    return true;
}

} // namespace formats
