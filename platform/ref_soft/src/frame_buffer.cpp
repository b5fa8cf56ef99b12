#include "frame_buffer.h"

#include <algorithm>

namespace refsoft {

bool FrameBuffer::Resize(int width, int height) {
    if (width < 1 || height < 1 || width > 8192 || height > 8192)
        return false;
    if (width == m_width && height == m_height)
        return true;
    m_width = width;
    m_height = height;
    const std::size_t n = static_cast<std::size_t>(width) * height;
    m_colour.assign(n, 0xff000000u);
    m_depth.assign(n, 0.0f);
    m_face.assign(n, kNoFace);
    return true;
}

void FrameBuffer::ClearRect(int x, int y, int w, int h, std::uint32_t colour) {
    const int x0 = std::max(0, x), y0 = std::max(0, y);
    const int x1 = std::min(m_width, x + w), y1 = std::min(m_height, y + h);
    for (int row = y0; row < y1; ++row) {
        std::fill(Row(row) + x0, Row(row) + x1, colour);
        std::fill(DepthRow(row) + x0, DepthRow(row) + x1, 0.0f);
        std::fill(FaceRow(row) + x0, FaceRow(row) + x1, kNoFace);
    }
}

} // namespace refsoft
