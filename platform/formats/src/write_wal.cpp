#include "byte_reader.h"
#include "formats/write.h"

namespace formats {

using detail::ByteWriter;

std::vector<std::uint8_t> WriteWal(const Wal& texture) {
    ByteWriter w;
    w.Name(texture.name, 32);
    w.U32(texture.width);
    w.U32(texture.height);
    std::size_t offset = kWalHeaderSize;
    for (std::size_t level = 0; level < 4; ++level) {
        w.U32(static_cast<std::uint32_t>(offset));
        offset += static_cast<std::size_t>(texture.width >> level) * (texture.height >> level);
    }
    w.Name(texture.animName, 32);
    w.U32(texture.flags);
    w.U32(texture.contents);
    w.I32(texture.value);
    for (std::size_t level = 0; level < 4; ++level) {
        const std::size_t size =
            static_cast<std::size_t>(texture.width >> level) * (texture.height >> level);
        for (std::size_t i = 0; i < size; ++i) {
            w.U8(i < texture.mips[level].size() ? texture.mips[level][i] : 0);
        }
    }
    return std::move(w.Out());
}

} // namespace formats
