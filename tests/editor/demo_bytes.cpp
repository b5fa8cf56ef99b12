#include "demo_bytes.h"

#include <string>

namespace edtest {

std::unique_ptr<CTreskDoc> LoadFile(const Bytes& file) {
    auto doc = std::make_unique<CTreskDoc>();
    doc->LoadFromBytes(file.data(), file.size());
    return doc;
}

std::unique_ptr<CTreskDoc> LoadDoc(const std::vector<Bytes>& blocks) {
    return LoadFile(fx::ContainerOf(blocks));
}

std::vector<Bytes> SampleDemo(uint32_t blocks, uint32_t firstPlay, uint32_t extraMessages) {
    std::vector<Bytes> out;
    out.push_back(
        fx::Cat({fx::Msg::ServerData({}), fx::Msg::ConfigString(kModelBase, "maps/sample1.bsp"),
                 fx::Msg::ConfigString(kSoundBase, "world/ambient.wav")}));
    for (uint32_t n = 2; n <= blocks; ++n) {
        if (firstPlay == 0 || n < firstPlay) {
            out.push_back(fx::Msg::Print(2, "signon " + std::to_string(n)));
            continue;
        }
        Bytes block = fx::Msg::Frame(static_cast<int32_t>(1000 + n), static_cast<int32_t>(999 + n));
        for (uint32_t k = 1; k <= extraMessages; ++k) {
            Bytes print = fx::Msg::Print(1, "b" + std::to_string(n) + " m" + std::to_string(k));
            block.insert(block.end(), print.begin(), print.end());
        }
        out.push_back(std::move(block));
    }
    return out;
}

} // namespace edtest
