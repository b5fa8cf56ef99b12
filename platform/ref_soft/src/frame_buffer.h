// The picture a frame is drawn into: 32-bit XRGB colour, depth and the face seen per pixel.
#pragma once

#include <cstdint>
#include <vector>

namespace refsoft {

// Face ids: 0 is nothing of the world (cleared or 2D), a world or inline-model face is its
// index in the map plus 1, anything else drawn (models, beams) is kEntityId.
constexpr std::uint32_t kNoFace = 0;
constexpr std::uint32_t kEntityId = 0xffffffffu;

class FrameBuffer {
  public:
    // Sizes below 1 or above 8192 on a side are refused (false) and leave the buffer as it is.
    bool Resize(int width, int height);
    int Width() const { return m_width; }
    int Height() const { return m_height; }

    std::uint32_t* Row(int y) { return &m_colour[static_cast<std::size_t>(y) * m_width]; }
    float* DepthRow(int y) { return &m_depth[static_cast<std::size_t>(y) * m_width]; }
    std::uint32_t* FaceRow(int y) { return &m_face[static_cast<std::size_t>(y) * m_width]; }
    const std::uint32_t* Pixels() const { return m_colour.data(); }
    const std::uint32_t* FaceIds() const { return m_face.data(); }

    // Clears colour to black, depth to "infinitely far" and face ids to kNoFace inside a
    // rectangle already cut to the buffer.
    void ClearRect(int x, int y, int w, int h, std::uint32_t colour);

  private:
    int m_width = 0;
    int m_height = 0;
    std::vector<std::uint32_t> m_colour;
    std::vector<float> m_depth; // 1/depth: larger is nearer, 0 is empty
    std::vector<std::uint32_t> m_face;
};

inline std::uint32_t Xrgb(unsigned r, unsigned g, unsigned b) {
    return 0xff000000u | (r << 16) | (g << 8) | b;
}

// Mixes src over dst; alpha in 0..256.
inline std::uint32_t BlendXrgb(std::uint32_t dst, std::uint32_t src, unsigned alpha) {
    const unsigned inv = 256 - alpha;
    const unsigned r = (((src >> 16) & 255) * alpha + ((dst >> 16) & 255) * inv) >> 8;
    const unsigned g = (((src >> 8) & 255) * alpha + ((dst >> 8) & 255) * inv) >> 8;
    const unsigned b = ((src & 255) * alpha + (dst & 255) * inv) >> 8;
    return Xrgb(r, g, b);
}

} // namespace refsoft
