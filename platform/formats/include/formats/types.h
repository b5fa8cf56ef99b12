// Small types shared by the format readers and writers.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace formats {

using Vec3 = std::array<float, 3>;
using Bytes = std::span<const std::uint8_t>;

// A 256-colour palette: red, green, blue for each index.
using Palette = std::array<std::uint8_t, 768>;

} // namespace formats
