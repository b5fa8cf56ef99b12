// Pictures and textures: loading PCX and WAL files into 32-bit texels, the palette of
// pics/colormap.pcx, and the checker that stands in for a missing texture.
#pragma once

#include "orrery/ref_types.h"

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

// The handle the renderer hands out for an image. Texels are 0xAARRGGBB with alpha 0 for
// the transparent palette index 255 and 0xff otherwise.
struct image_s {
    std::string name;
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> texels;
    int registration = 0; // the registration that last asked for it
};

namespace refsoft {

using Palette32 = std::array<std::uint32_t, 256>;

class ImageCache {
  public:
    explicit ImageCache(const refimport_t& imports);

    // Loads pics/colormap.pcx's palette; a grey ramp stands in when it is missing or broken.
    void LoadPalette();
    const Palette32& Palette() const { return m_palette; }
    bool HasGamePalette() const { return m_gamePalette; }

    // A PCX or WAL image by its path, loaded once; null when missing or unreadable.
    image_s* Find(const std::string& path, int registration);
    // A 2D picture: "pics/NAME.pcx", or NAME itself (without its leading slash) when it
    // starts with "/" or "\".
    image_s* FindPic(const std::string& name, int registration);
    // A map texture: "textures/NAME.wal".
    image_s* FindTexture(const std::string& name, int registration);

    // The 16x16 magenta and black checker drawn where a texture is missing.
    const image_s* Checker() const { return &m_checker; }

    void Clear();

  private:
    image_s* Load(const std::string& path);

    const refimport_t& m_imports;
    Palette32 m_palette{};
    bool m_gamePalette = false;
    image_s m_checker;
    // Also remembers failures (null), so a missing file is asked for once per registration.
    std::map<std::string, std::unique_ptr<image_s>> m_images;
    std::map<std::string, int> m_missing;
};

// Converts palette indices to texels; index 255 becomes transparent.
void IndicesToTexels(const std::uint8_t* indices, std::size_t count, const Palette32& palette,
                     std::vector<std::uint32_t>& out);

} // namespace refsoft
