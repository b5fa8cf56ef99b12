#include "images.h"

#include "files.h"

#include "formats/pcx.h"
#include "formats/wal.h"

#include <cstdio>

namespace refsoft {

bool LoadFile(const refimport_t& imports, const std::string& name, std::vector<std::uint8_t>& out) {
    out.clear();
    if (!imports.FS_LoadFile || name.empty())
        return false;
    void* buffer = nullptr;
    const int length = imports.FS_LoadFile(name.c_str(), &buffer);
    if (length < 0 || !buffer || length > kMaxFileSize) {
        if (buffer && imports.FS_FreeFile)
            imports.FS_FreeFile(buffer);
        return false;
    }
    const auto* bytes = static_cast<const std::uint8_t*>(buffer);
    out.assign(bytes, bytes + length);
    if (imports.FS_FreeFile)
        imports.FS_FreeFile(buffer);
    return true;
}

void IndicesToTexels(const std::uint8_t* indices, std::size_t count, const Palette32& palette,
                     std::vector<std::uint32_t>& out) {
    out.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t index = indices[i];
        out[i] = index == 255 ? (palette[index] & 0x00ffffffu) : palette[index];
    }
}

namespace {

Palette32 ToPalette32(const formats::Palette& p) {
    Palette32 out{};
    for (int i = 0; i < 256; ++i)
        out[i] =
            0xff000000u | (unsigned(p[i * 3]) << 16) | (unsigned(p[i * 3 + 1]) << 8) | p[i * 3 + 2];
    return out;
}

bool HasExtension(const std::string& path, const char* ext) {
    const std::size_t n = std::char_traits<char>::length(ext);
    if (path.size() < n)
        return false;
    for (std::size_t i = 0; i < n; ++i) {
        char c = path[path.size() - n + i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != ext[i])
            return false;
    }
    return true;
}

} // namespace

ImageCache::ImageCache(const refimport_t& imports) : m_imports(imports) {
    for (int i = 0; i < 256; ++i)
        m_palette[i] = 0xff000000u | (unsigned(i) << 16) | (unsigned(i) << 8) | unsigned(i);
    m_checker.name = "*checker";
    m_checker.width = 16;
    m_checker.height = 16;
    m_checker.texels.resize(256);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            m_checker.texels[y * 16 + x] = ((x / 8) ^ (y / 8)) ? 0xff000000u : 0xffff00ffu;
}

void ImageCache::LoadPalette() {
    std::vector<std::uint8_t> bytes;
    formats::Pcx pcx;
    std::string error;
    if (LoadFile(m_imports, "pics/colormap.pcx", bytes) && formats::ReadPcx(bytes, pcx, error)) {
        m_palette = ToPalette32(pcx.palette);
        m_gamePalette = true;
        return;
    }
    m_gamePalette = false;
    for (int i = 0; i < 256; ++i)
        m_palette[i] = 0xff000000u | (unsigned(i) << 16) | (unsigned(i) << 8) | unsigned(i);
}

image_s* ImageCache::Load(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    if (!LoadFile(m_imports, path, bytes))
        return nullptr;
    std::string error;
    auto image = std::make_unique<image_s>();
    image->name = path;
    if (HasExtension(path, ".pcx")) {
        formats::Pcx pcx;
        if (!formats::ReadPcx(bytes, pcx, error))
            return nullptr;
        // Pictures carry the palette they were drawn with.
        image->width = pcx.width;
        image->height = pcx.height;
        IndicesToTexels(pcx.pixels.data(), pcx.pixels.size(), ToPalette32(pcx.palette),
                        image->texels);
    } else if (HasExtension(path, ".wal")) {
        formats::Wal wal;
        if (!formats::ReadWal(bytes, wal, error))
            return nullptr;
        image->width = static_cast<int>(wal.width);
        image->height = static_cast<int>(wal.height);
        IndicesToTexels(wal.mips[0].data(), wal.mips[0].size(), m_palette, image->texels);
        // Wall textures have no transparent index.
        for (std::uint32_t& t : image->texels)
            t |= 0xff000000u;
    } else {
        return nullptr;
    }
    if (image->width <= 0 || image->height <= 0 ||
        image->texels.size() != static_cast<std::size_t>(image->width) * image->height)
        return nullptr;
    return image.release();
}

image_s* ImageCache::Find(const std::string& path, int registration) {
    auto it = m_images.find(path);
    if (it != m_images.end()) {
        it->second->registration = registration;
        return it->second.get();
    }
    auto missing = m_missing.find(path);
    if (missing != m_missing.end() && missing->second == registration)
        return nullptr;
    std::unique_ptr<image_s> image(Load(path));
    if (!image) {
        m_missing[path] = registration;
        return nullptr;
    }
    image->registration = registration;
    image_s* result = image.get();
    m_images.emplace(path, std::move(image));
    return result;
}

image_s* ImageCache::FindPic(const std::string& name, int registration) {
    if (name.empty())
        return nullptr;
    if (name[0] == '/' || name[0] == '\\')
        return Find(name.substr(1), registration);
    return Find("pics/" + name + ".pcx", registration);
}

image_s* ImageCache::FindTexture(const std::string& name, int registration) {
    if (name.empty())
        return nullptr;
    return Find("textures/" + name + ".wal", registration);
}

void ImageCache::Clear() {
    m_images.clear();
    m_missing.clear();
}

} // namespace refsoft
